// Binary analysis: contour walks and what is measured on them, the scan, edge processing,
// the colour mask.
#include "imaging/BinaryAnalysis.h"
#include "base/Cpu.h"
#include "imaging/AnalysisScan.h"
#include "imaging/Pictures.h"
#include "samples/SampleData.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

namespace pictures {

PixelPlane::PixelPlane(QImage &picture)
    : bits(reinterpret_cast<uint32_t *>(picture.bits())), stride(picture.bytesPerLine() / 4),
      W(picture.width()), H(picture.height())
{
}

void WalkContour(const PixelPlane &s, int x0, int y0, ContourPath &path)
{
    path.k = 0;
    if (x0 < 0 || y0 < 0 || x0 >= s.W || y0 >= s.H)
        return;
    // Directions 1 up, 2 right, 3 down, 4 left.
    static const int DX[5] = {0, 0, 1, 0, -1};
    static const int DY[5] = {0, -1, 0, 1, 0};
    int d = 1, x = x0, y = y0, k = 0;
    while (k < ContourCapacity) {
        const int nx = x + DX[d], ny = y + DY[d];
        if (nx < 0 || ny < 0 || nx >= s.W || ny >= s.H)
            break;
        x = nx;
        y = ny;
        const uint32_t p = s.Get(x, y);
        if (p == Black)
            --d;
        else if (p == White)
            ++d;
        if (d == 0)
            d = 4;
        else if (d == 5)
            d = 1;
        path.X[k] = x;
        path.Y[k] = y;
        ++k;
        if (x == x0 && y == y0)
            break;
    }
    path.k = k;
}

void RowSpansOf(const ContourPath &path, RowSpans &spans)
{
    int minY = 65535, maxY = 0;
    for (int i = 0; i < path.k; ++i) {
        minY = std::min(minY, path.Y[i]);
        maxY = std::max(maxY, path.Y[i]);
    }
    const int rows = path.k > 0 ? maxY - minY + 1 : 0;
    spans.minY = minY;
    spans.a.assign(size_t(rows), 65535);
    spans.b.assign(size_t(rows), -1);
    for (int i = 0; i < path.k; ++i) {
        const size_t r = size_t(path.Y[i] - minY);
        spans.a[r] = std::min(spans.a[r], path.X[i]);
        spans.b[r] = std::max(spans.b[r], path.X[i]);
    }
}

int LinearSize(const ContourPath &path)
{
    int minX = 65535, maxX = 0;
    for (int i = 0; i < path.k; ++i) {
        minX = std::min(minX, path.X[i]);
        maxX = std::max(maxX, path.X[i]);
    }
    return maxX - minX;
}

long long RowSpanArea(const RowSpans &spans)
{
    long long S = 0;
    for (int r = 0; r < spans.Rows(); ++r)
        if (spans.b[size_t(r)] >= spans.a[size_t(r)]) // the walk moves by single steps: no row is skipped
            S += spans.b[size_t(r)] - spans.a[size_t(r)];
    return S;
}

long long ChordPerimeter(const ContourPath &path)
{
    const int k = path.k;
    const int step = k <= 60 ? 3 : 5;
    const int m = k / step;
    auto L = [&](int i, int j) -> long long { // 1-based positions
        const double dx = path.X[i - 1] - path.X[j - 1], dy = path.Y[i - 1] - path.Y[j - 1];
        return (long long)std::nearbyint(std::sqrt(dx * dx + dy * dy));
    };
    if (m == 0)
        return 0;
    long long P = L(1, m * step);
    for (int j = 2; j <= m; ++j)
        P += L((j - 1) * step, j * step);
    return P;
}

void FillRows(PixelPlane &picture, const RowSpans &spans)
{
    for (int r = 0; r < spans.Rows(); ++r)
        if (spans.b[size_t(r)] > spans.a[size_t(r)])
            picture.Fill(spans.minY + r, spans.a[size_t(r)], spans.b[size_t(r)], White);
}

void MarkPath(PixelPlane &picture, const ContourPath &path)
{
    for (int i = 0; i < path.k; ++i)
        picture.Set(path.X[i], path.Y[i], Red);
}

long double SizeByMeasure(SizeMeasure measure, long double kpix, int w, long long S, long long P)
{
    switch (measure) {
    case MeasureArea:
        return kpix * kpix * (long double)S;
    case MeasurePerimeter:
        return kpix * (long double)P;
    default:
        return kpix * (long double)w;
    }
}

namespace {

// One whole trace on the plane: the path, its rows filled, its marks, its size.
long double Trace(PixelPlane &plane, ContourPath &path, RowSpans &spans, int x0, int y0, SizeMeasure measure,
                  long double kpix)
{
    WalkContour(plane, x0, y0, path);
    if (path.k == 0) {
        spans.a.clear();
        spans.b.clear();
        return 0;
    }
    RowSpansOf(path, spans);
    const int w = LinearSize(path);
    const long long S = RowSpanArea(spans);
    const long long P = ChordPerimeter(path);
    FillRows(plane, spans);
    MarkPath(plane, path);
    return SizeByMeasure(measure, kpix, w, S, P);
}

} // namespace

long double TraceContour(QImage &surface, int x0, int y0, SizeMeasure measure, long double kpix)
{
    EnsureFormat(surface);
    if (surface.isNull())
        return 0;
    PixelPlane plane(surface);
    auto path = std::make_unique<ContourPath>();
    RowSpans spans;
    return Trace(plane, *path, spans, x0, y0, measure, kpix);
}

void PaintFrame(QImage &picture)
{
    const int W = picture.width(), H = picture.height();
    if (W <= 0 || H <= 0)
        return;
    const uint32_t white = 0xFFFFFFFFu;
    for (int y : {0, 1, 2, H - 1}) {
        if (y < 0 || y >= H)
            continue;
        uint32_t *r = reinterpret_cast<uint32_t *>(picture.scanLine(y));
        std::fill(r, r + W, white);
    }
    for (int y = 0; y < H; ++y) {
        uint32_t *r = reinterpret_cast<uint32_t *>(picture.scanLine(y));
        for (int x : {0, 1, 2, W - 1})
            if (x >= 0 && x < W)
                r[x] = white;
    }
}

ParticleScan::ParticleScan() : path_(std::make_unique<ContourPath>()) {}
ParticleScan::~ParticleScan() = default;

namespace {

// Appends y * W + x for every x in [x, xHi] of row y where a black pixel lies above a
// white one.
void CandidatesInRow(const PixelPlane &s, int y, int x, int xHi, std::vector<uint64_t> &out)
{
    const uint32_t *above = s.bits + (y - 1) * s.stride, *row = s.bits + y * s.stride;
    const uint64_t base = uint64_t(y) * uint64_t(s.W);
#ifdef GRIZAL2_HAVE_AVX2
    if (cpu::HasAvx2())
        x = analysisscan::RowAvx2(above, row, x, xHi, base, out);
#endif
#ifdef __SSE2__
    const __m128i colour = _mm_set1_epi32(0xFFFFFF);
    const __m128i zero = _mm_setzero_si128();
    for (; x + 4 <= xHi + 1; x += 4) {
        const __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(above + x)), colour);
        const __m128i r = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(row + x)), colour);
        int bits = _mm_movemask_ps(
            _mm_castsi128_ps(_mm_and_si128(_mm_cmpeq_epi32(a, zero), _mm_cmpeq_epi32(r, colour))));
        while (bits) {
            const int i = __builtin_ctz(unsigned(bits));
            bits &= bits - 1;
            out.push_back(base + uint64_t(x + i));
        }
    }
#endif
    for (; x <= xHi; ++x)
        if ((above[x] & 0xFFFFFF) == Black && (row[x] & 0xFFFFFF) == White)
            out.push_back(base + uint64_t(x));
}

} // namespace

void ParticleScan::CollectCandidates(const PixelPlane &s, int xLo, int xHi, int yLo, int yHi)
{
    // Row by row, which is fast over memory, then ordered by column with a counting sort.
    rowOrder_.clear();
    for (int y = yLo; y <= yHi; ++y)
        CandidatesInRow(s, y, xLo, xHi, rowOrder_);
    const uint64_t W = uint64_t(s.W);
    perColumn_.assign(size_t(W) + 1, 0);
    for (uint64_t p : rowOrder_)
        ++perColumn_[size_t(p % W) + 1];
    for (size_t x = 1; x <= size_t(W); ++x)
        perColumn_[x] += perColumn_[x - 1];
    found_.resize(rowOrder_.size());
    for (uint64_t p : rowOrder_) {
        const uint64_t x = p % W, y = p / W;
        found_[perColumn_[size_t(x)]++] = x * uint64_t(s.H) + y;
    }
}

int ParticleScan::Run(QImage &picture, QImage *copy, SizeMeasure measure, long double kpix, int limit, Events &events)
{
    const int W = picture.width(), H = picture.height();
    PaintFrame(picture);
    PixelPlane s(picture);
    // The scan runs down the columns, which is slow over row-major memory. Instead the
    // candidates are collected row by row and ordered by column, and a trace queues those it
    // makes. Only its fill can make one: marks are red, which is neither end of a candidate,
    // and the fill whitens a pixel that may lie under a black one, while the pixel below it
    // can no longer have black above.
    const int xLo = 3, xHi = W - 3, yLo = 3, yHi = H - 3;
    auto candidate = [&](int x, int y) { return s.Get(x, y - 1) == Black && s.Get(x, y) == White; };
    found_.clear();
    queued_.clear();
    rowOrder_.clear();
    if (xHi >= xLo && yHi >= yLo)
        CollectCandidates(s, xLo, xHi, yLo, yHi);
    size_t next = 0;
    uint64_t done = 0; // positions up to here are scanned
    bool any = false;
    int n = 0, shownColumn = -1;
    while (n < limit) {
        uint64_t k;
        if (next < found_.size() && (queued_.empty() || found_[next] <= queued_.front())) {
            k = found_[next++];
        } else if (!queued_.empty()) {
            std::pop_heap(queued_.begin(), queued_.end(), std::greater<>());
            k = queued_.back();
            queued_.pop_back();
        } else {
            break;
        }
        if (any && k <= done)
            continue; // already scanned
        const int x = int(k / uint64_t(H)), y = int(k % uint64_t(H));
        if (x != shownColumn) {
            shownColumn = x;
            events.Column(x);
        }
        any = true;
        done = k;
        if (!candidate(x, y))
            continue;
        const long double size = Trace(s, *path_, spans_, x, y, measure, kpix);
        ++n;
        events.Particle(size);
        for (int r = 0; r < spans_.Rows(); ++r) {
            const int yy = spans_.minY + r;
            const int from = std::max(xLo, spans_.a[size_t(r)]), to = std::min(xHi, spans_.b[size_t(r)] - 1);
            if (yy < yLo || yy > yHi || from > to)
                continue;
            rowOrder_.clear();
            CandidatesInRow(s, yy, from, to, rowOrder_);
            for (uint64_t p : rowOrder_) {
                const uint64_t key = (p % uint64_t(W)) * uint64_t(H) + uint64_t(yy);
                if (key > done) {
                    queued_.push_back(key);
                    std::push_heap(queued_.begin(), queued_.end(), std::greater<>());
                }
            }
        }
    }
    // The copy shares the marked pixels until either picture is next changed: an analysis
    // is often the last step, and a fresh copy of a large picture costs more than the scan.
    if (copy)
        *copy = picture;
    return n;
}

} // namespace pictures

using namespace pictures;

void TPictures::ClearEdges(QImage &picture)
{
    EnsureFormat(picture);
    Begin(TitleClearEdges);
    SaveUndoCopy(picture);
    const int W = picture.width(), H = picture.height();
    if (W > 0 && H > 0) {
        PaintFrame(picture);
        PixelPlane s(picture);
        auto path = std::make_unique<ContourPath>();
        RowSpans spans;
        auto black = [&](int x, int y) { return x >= 0 && y >= 0 && x < W && y < H && s.Get(x, y) == Black; };
        auto clear = [&](int x, int y) {
            if (black(x, y))
                Trace(s, *path, spans, x, y, MeasureLinear, 0);
        };
        for (int x = 3; x <= W - 3; ++x) {
            Step(RoundDiv((long long)x * 50, W));
            clear(x, 3);
            clear(x, H - 3);
        }
        for (int y = 3; y <= H - 3; ++y) {
            Step(RoundDiv((long long)y * 50, H) + 50);
            clear(3, y);
            clear(W - 3, y);
        }
    }
    End();
}

void TPictures::AnalyseBinary(TSampleData &result, SizeMeasure measure, long double kpix, QImage &picture)
{
    EnsureFormat(picture);
    Begin(TitleAnalyse);
    Undo = false;
    result.Count = 0;
    // The marks go straight onto the picture, which is the marked copy the window shows
    // (also when the analysis stops at the limit); the working copy receives it as well.
    struct Sink : ParticleScan::Events {
        TPictures &engine;
        TSampleData &result;
        int W;
        Sink(TPictures &e, TSampleData &r, int w) : engine(e), result(r), W(w) {}
        void Column(int x) override { engine.Step(RoundDiv((long long)x * 100, W)); }
        void Particle(long double size) override
        {
            const int n = result.Count;
            result.SetSize(n, size);
            result.N[n] = 1;
            result.Count = uint16_t(n + 1);
        }
    } sink(*this, result, std::max(1, picture.width()));
    try {
        if (!picture.isNull())
            Scan.Run(picture, &Copy, measure, kpix, MaxParticles, sink);
        else
            Copy = QImage();
    } catch (...) {
        End();
        throw;
    }
    End();
}

void TPictures::MarkColour(uint32_t colour, int tolerance, QImage &picture)
{
    EnsureFormat(picture);
    SaveUndoCopy(picture);
    const int t = std::clamp(tolerance, GradMin, GradMax);
    const int Cr = int(colour & 0xFF), Cg = int((colour >> 8) & 0xFF), Cb = int((colour >> 16) & 0xFF);
    const int W = picture.width(), H = picture.height();
    for (int y = 0; y < H; ++y) {
        uint32_t *r = reinterpret_cast<uint32_t *>(picture.scanLine(y));
        for (int x = 0; x < W; ++x) {
            const uint32_t c = r[x];
            const int pr = int(c & 0xFF), pg = int((c >> 8) & 0xFF), pb = int((c >> 16) & 0xFF);
            if (std::abs(pr - Cr) <= t && std::abs(pg - Cg) <= t && std::abs(pb - Cb) <= t)
                r[x] = Blue | Opaque;
        }
    }
}

QImage TPictures::MaskToBinary(const QImage &source)
{
    QImage picture = source;
    EnsureFormat(picture);
    const int W = picture.width(), H = picture.height();
    QImage out(W, H, QImage::Format_RGBX8888);
    if (out.isNull())
        return out;
    out.fill(Qt::white);
    for (int y = 2; y < H; ++y) {
        const uint32_t *r = reinterpret_cast<const uint32_t *>(picture.constScanLine(y));
        uint32_t *o = reinterpret_cast<uint32_t *>(out.scanLine(y));
        for (int x = 2; x < W; ++x)
            if ((r[x] & 0xFFFFFF) == Blue)
                o[x] = Opaque;
    }
    return out;
}
