#pragma once
// Particle finding in black-and-white pictures. A contour walk gives a path; the row fill,
// the red marks and the three sizes are each worked out on that path. The scan that finds
// where to walk is ParticleScan. The engine's commands AnalyseBinary and ClearEdges
// (Pictures.h) run these with the progress window and the working copy.
#include <QImage>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace pictures {

// Most positions one walk records; a longer walk ends there.
constexpr int ContourCapacity = 10000;
// An analysis stops at this many particles.
constexpr int MaxParticles = 1000;

// Size measures (SizeFlag): linear extent, row-span area, chord perimeter.
enum SizeMeasure { MeasureLinear = 0, MeasureArea = 1, MeasurePerimeter = 2 };
// The stored SizeFlag as a measure: any value but area and perimeter measures linearly.
constexpr SizeMeasure SizeMeasureOf(int flag)
{
    return flag == MeasureArea ? MeasureArea : flag == MeasurePerimeter ? MeasurePerimeter : MeasureLinear;
}

// The pixels of a Format_RGBX8888 picture as the walk reads and writes them.
struct PixelPlane {
    uint32_t *bits = nullptr;
    qsizetype stride = 0; // in pixels
    int W = 0, H = 0;

    explicit PixelPlane(QImage &picture);
    uint32_t Get(int x, int y) const { return bits[y * stride + x] & 0xFFFFFF; }
    void Set(int x, int y, uint32_t colour) { bits[y * stride + x] = colour | 0xFF000000u; }
    void Fill(int y, int from, int to, uint32_t colour) // from .. to - 1
    {
        std::fill(bits + y * stride + from, bits + y * stride + to, colour | 0xFF000000u);
    }
};

// The positions of one walk in the order visited; the start, where the walk ends, is last.
struct ContourPath {
    int k = 0;
    int X[ContourCapacity];
    int Y[ContourCapacity];
};

// For each row of a path from minY down, the smallest (a) and largest (b) x on it.
struct RowSpans {
    int minY = 0;
    std::vector<int> a, b;
    int Rows() const { return int(a.size()); }
};

// Walks from (x0, y0), first up: black turns left, white right, any other colour keeps the
// direction. Ends back at the start, after ContourCapacity positions, or where the next
// move would leave the picture (then the path may be empty).
void WalkContour(const PixelPlane &picture, int x0, int y0, ContourPath &path);

void RowSpansOf(const ContourPath &path, RowSpans &spans);

// The horizontal extent w: largest x less smallest x.
int LinearSize(const ContourPath &path);
// S: the sum over the rows of b - a.
long long RowSpanArea(const RowSpans &spans);
// P: chords of 3 positions (5 beyond 60), each rounded, closing from the last chord's end
// back to position 1; the first chord (1 to s) is not counted.
long long ChordPerimeter(const ContourPath &path);

// a .. b - 1 of every row turn white.
void FillRows(PixelPlane &picture, const RowSpans &spans);
// Every position of the path turns red.
void MarkPath(PixelPlane &picture, const ContourPath &path);

// The size handed to the sample, by the measure.
long double SizeByMeasure(SizeMeasure measure, long double kpix, int w, long long S, long long P);

// Walks, fills, marks and measures one boundary; returns its size. The picture must be
// Format_RGBX8888 (other forms are converted first).
long double TraceContour(QImage &surface, int x0, int y0, SizeMeasure measure, long double kpix);

// Paints white, in full, columns 0, 1, 2 and W - 1 and rows 0, 1, 2 and H - 1.
void PaintFrame(QImage &picture);

// The scan of binary analysis: the white frame first, then every position of columns
// 3 .. W - 3 and rows 3 .. H - 3 where a black pixel lies over a white one, column by
// column, each traced when the scan comes to it. Its scratch is kept between runs.
class ParticleScan {
public:
    ParticleScan();
    ~ParticleScan();
    ParticleScan(const ParticleScan &) = delete;
    ParticleScan &operator=(const ParticleScan &) = delete;

    struct Events {
        virtual ~Events() = default;
        virtual void Column(int x) = 0;              // the scan reaches column x
        virtual void Particle(long double size) = 0; // one traced, in scan order
    };
    // Traces up to `limit` particles on the picture; returns how many. When `copy` is given,
    // it ends equal to the marked picture.
    int Run(QImage &picture, QImage *copy, SizeMeasure measure, long double kpix, int limit, Events &events);

private:
    // The candidate positions (key x * H + y), found row by row and put in column order.
    void CollectCandidates(const PixelPlane &plane, int xLo, int xHi, int yLo, int yHi);

    std::vector<uint64_t> rowOrder_, found_, queued_;
    std::vector<uint32_t> perColumn_;
    std::unique_ptr<ContourPath> path_;
    RowSpans spans_;
};

} // namespace pictures
