#pragma once
// Many pictures measured with one recipe, several at a time. The caller gets each picture's
// particles in the order of the files, whatever order the threads finish them in, so what
// it makes of them does not depend on the number of threads; pictures and label images are
// let go as soon as a picture is done, so memory grows with the threads, not the files.
// Plain values in and out: the command line and a window's worker thread use it alike.
#include "imaging/ParticleRecipe.h"
#include "imaging/Particles.h"
#include "imaging/Pictures.h"

#include <QStringList>

#include <atomic>
#include <functional>

namespace particles {

// The picture files of a folder that the program reads, by their names in code-point order,
// so the order is the same on every machine. Subfolders and hidden files are left out.
QStringList ImagesInFolder(const QString &folder);

// What one thread needs to measure pictures, with the buffers it keeps between them.
struct Workbench {
    Workbench() { engine.SetUndoKept(false); } // nothing here can be undone
    TPictures engine;
    Finder finder;
};

// Reads `file`, applies the recipe's operations and finds the particles, as `particles` does.
// On failure (the file cannot be read, no memory) false with `error`; when `progress`
// cancels, false with `error` empty. `picture` is left as the finder saw it.
bool MeasureFile(const QString &file, const Recipe &recipe, Workbench &bench, QImage &picture, Result &result,
                 QString &error, const Progress &progress = Progress());

// One picture's outcome.
struct Measured {
    int index = 0;  // in the list of files
    QString file;
    QString error;  // not empty: the picture was skipped
    int width = 0, height = 0;
    int threshold = 0;
    std::vector<Particle> particles;
};

class Batch {
public:
    // Called on the thread that runs the batch, in the order of the files, once for each.
    using Deliver = std::function<void(Measured &)>;
    // Called after each delivery with the pictures done so far, the total and the file just
    // done; returning false cancels.
    using Progress = std::function<bool(int done, int total, const QString &file)>;

    // Measures the files with `jobs` threads (0: one per core); returns false when
    // cancelled. Exceptions from `deliver` stop the work and pass on to the caller. While it
    // runs, OpenCV's own thread count (a setting of the process) is lowered so that the jobs
    // share the cores instead of each taking them all.
    bool Run(const QStringList &files, const Recipe &recipe, int jobs, const Deliver &deliver,
             const Progress &progress = Progress());

    // From any thread, during Run: the pictures in work stop at their next step, no more are
    // started.
    void Cancel() { Cancelled = true; }

    // The threads `jobs` means on this machine, for a number of files.
    static int Threads(int jobs, int files);

private:
    std::atomic<bool> Cancelled{false};
};

} // namespace particles
