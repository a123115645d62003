#pragma once
// What a batch leaves in its folder: particles.csv (every particle after a first column
// naming its picture), summary.csv (a row per picture), sample.grz (the recipe's measure as
// a sample) and fit.txt (the program, the recipe and the fit of that sample). The command
// line and the batch window write them alike. The table grows as the pictures come, so it
// is never held whole in memory; no file is left half-written, and an output this run could
// not make is removed rather than left from an earlier run to pass for this one's.
#include "analysis/Bootstrap.h"
#include "imaging/ParticleBatch.h"

#include <QSaveFile>

#include <functional>
#include <memory>

namespace particles {

class BatchFiles {
public:
    // What went wrong, for each door to say in its own words.
    enum class Problem {
        CannotMakeFolder, // `detail`: the folder
        CannotWrite,      // `detail`: the file
        Value,            // a measure beyond the sample's range; `detail`: the error's text
        TooManyValues,    // more distinct values than a sample holds: no sample, no fit
        Stale,            // `detail`: a file of an earlier run that could not be removed
    };
    using Report = std::function<void(Problem, const QString &detail)>;
    // The fit of the sample file just written, as `fit` makes it of a file; false when it
    // cannot be made (the door has said why).
    using Fit = std::function<bool(const QString &sampleFile, mle::Result &result)>;

    BatchFiles(const QString &folder, const Recipe &recipe, Report report);
    ~BatchFiles();

    // Makes the folder and starts the table; false when the folder cannot be made.
    bool Start();
    // A picture's outcome, in the order of the files, called `name` in the tables; a skipped
    // picture leaves no row.
    void Add(const Measured &m, const QString &name);
    // Writes the summary, the sample and its fit; `program` names the maker in fit.txt
    // ("grizal2-cli 2.31"), `sep` is the decimal separator of its numbers. Returns whether
    // every file was written.
    bool Finish(const Fit &fit, const QString &program, QChar sep);
    // A run given up: the folder keeps what it held before.
    void Abandon();

    int MeasuredCount() const { return measured_; }

private:
    QString Path(const char *name) const;
    void RemoveStale(const QString &file);

    QString folder_;
    Recipe recipe_;
    Report report_;
    std::unique_ptr<QSaveFile> csv_;
    bool csvOk_ = false;
    QByteArray summary_;
    SampleCounts counts_;
    QString valueError_;
    int measured_ = 0;
};

} // namespace particles
