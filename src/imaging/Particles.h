#pragma once
// Every particle of a picture, found by a grey threshold and measured without the biases
// of the row-span analysis: exact pixel areas, boundary lengths and caliper widths that
// estimate the outline the pixels were sampled from, touching grains split apart, no limit
// on their number. Plain values in, plain values out; long passes report progress and can
// be cancelled, so a window can run it as well as the command line.
#include <QImage>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace particles {

enum class Objects { Dark, Light };

struct Options {
    // The brightness percentage 0..100 at which the black-and-white operation splits, applied
    // to the program's grey; below 0 the grey level comes from Otsu's method.
    int thresholdPercent = -1;
    Objects objects = Objects::Dark;
    bool fillHoles = false;
    bool excludeBorder = false;
    long long minArea = 0; // pixels; smaller particles are dropped
    bool separate = false;
    double splitDepth = 1; // pixels a saddle must lie below both peaks to split there
    int connectivity = 8;  // 4 or 8
};

// Lengths in pixels, the area in pixels; pixel centres at integer coordinates.
struct Particle {
    int id = 0;              // from 1, in the order of the first pixel in row-major order
    int firstX = 0, firstY = 0;
    int left = 0, top = 0, right = 0, bottom = 0; // bounding box, inclusive
    long long area = 0;
    double x = 0, y = 0;     // centroid
    double ecd = 0;          // diameter of the circle of the same area
    double perimeter = 0;
    double feretMax = 0, feretMin = 0;
    double feretAngle = 0;   // of the largest caliper width, degrees 0..180 counter-clockwise from x as seen
    double aspect = 0;       // feretMax / feretMin
    double circularity = 0;  // 4 pi area / perimeter^2
    bool touchesBorder = false;
};

struct Result {
    int width = 0, height = 0;
    int threshold = 0;      // grey level: pixels above it are light
    std::vector<Particle> particles;
    std::vector<int32_t> labels; // width x height, row-major: the particle's id, 0 for none
};

// Called with 0..100 between steps; returning false cancels the pass.
using Progress = std::function<bool(int percent)>;

// The grey level t of a brightness percentage 0..100: a pixel of the program's grey g is
// white after the black-and-white operation exactly when g > t.
int PercentLevel(int percent);

// One finder keeps its working buffers between runs: pictures of 4096 x 4096 are normal,
// and fresh buffers that large cost more in page faults than the work itself.
class Finder {
public:
    Finder();
    ~Finder();
    Finder(const Finder &) = delete;
    Finder &operator=(const Finder &) = delete;

    // Fills `result`. Returns false when cancelled; the result is then empty. A picture whose
    // buffers do not fit in memory raises std::bad_alloc (or OpenCV's exception).
    bool Find(const QImage &picture, const Options &options, Result &result,
              const Progress &progress = Progress());

    // The objects as the threshold alone sees them, white on black (Format_Grayscale8), for
    // previewing a threshold; returns the grey level used.
    int Mask(const QImage &picture, const Options &options, QImage &mask);

private:
    struct Work;
    std::unique_ptr<Work> Buffers;
};

} // namespace particles
