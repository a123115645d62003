// Binary analysis: contour walks, edge processing, the colour mask.
#include "imaging/BinaryAnalysis.h"
#include "imaging/AnalysisScan.h"
#include "imaging/Pictures.h"
#include "samples/SampleData.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

using namespace pictures;

namespace {


// A picture as the walk sees it. With `touched`, every write is also noted, so that the
// analysis can look again at the scan positions the trace changed.
struct Surface {
    uint32_t *bits = nullptr;
    qsizetype stride = 0; // in pixels
    int W = 0, H = 0;
    std::vector<uint64_t> *touched = nullptr; // y * W + x of each write

    explicit Surface(QImage &img)
        : bits(reinterpret_cast<uint32_t *>(img.bits())), stride(img.bytesPerLine() / 4),
          W(img.width()), H(img.height())
    {
    }
    uint32_t Get(int x, int y) const { return bits[y * stride + x] & 0xFFFFFF; }
    void Set(int x, int y, uint32_t c)
    {
        bits[y * stride + x] = c | Opaque;
        if (touched)
            touched->push_back(uint64_t(y) * uint64_t(W) + uint64_t(x));
    }
};

struct Contour {
    int X[ContourCapacity];
    int Y[ContourCapacity];
    std::vector<int> rowMin, rowMax;
};

long double Trace(Surface &s, Contour &c, int x0, int y0, int measure, long double kpix)
{
    if (x0 < 0 || y0 < 0 || x0 >= s.W || y0 >= s.H)
        return 0;
    // 1. The walk: up, right, down, left.
    static const int DX[5] = {0, 0, 1, 0, -1};
    static const int DY[5] = {0, -1, 0, 1, 0};
    int d = 1, x = x0, y = y0, k = 0;
    while (k < ContourCapacity) {
        const int nx = x + DX[d], ny = y + DY[d];
        if (nx < 0 || ny < 0 || nx >= s.W || ny >= s.H)
            break; // the walk would leave the picture
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
        c.X[k] = x;
        c.Y[k] = y;
        ++k;
        if (x == x0 && y == y0)
            break;
    }
    if (k == 0)
        return 0;

    // 2. Bounding box.
    int minX = 65535, maxX = 0, minY = 65535, maxY = 0;
    for (int i = 0; i < k; ++i) {
        minX = std::min(minX, c.X[i]);
        maxX = std::max(maxX, c.X[i]);
        minY = std::min(minY, c.Y[i]);
        maxY = std::max(maxY, c.Y[i]);
    }
    const int w = maxX - minX;

    // 3. Row fill: a .. b - 1 of each row turns white.
    const int rows = maxY - minY + 1;
    c.rowMin.assign(size_t(rows), 65535);
    c.rowMax.assign(size_t(rows), -1);
    for (int i = 0; i < k; ++i) {
        const int r = c.Y[i] - minY;
        c.rowMin[size_t(r)] = std::min(c.rowMin[size_t(r)], c.X[i]);
        c.rowMax[size_t(r)] = std::max(c.rowMax[size_t(r)], c.X[i]);
    }
    long long S = 0;
    for (int r = 0; r < rows; ++r) {
        const int a = c.rowMin[size_t(r)], b = c.rowMax[size_t(r)];
        if (b < a)
            continue; // a row the walk never touched (it moves by single steps, so none)
        for (int xx = a; xx < b; ++xx)
            s.Set(xx, minY + r, White);
        S += b - a;
    }

    // 4. Chord perimeter over positions 1..k (0-based here).
    const int step = k <= 60 ? 3 : 5;
    const int m = k / step;
    auto L = [&](int i, int j) -> long long { // 1-based positions
        const double dx = c.X[i - 1] - c.X[j - 1], dy = c.Y[i - 1] - c.Y[j - 1];
        return (long long)std::nearbyint(std::sqrt(dx * dx + dy * dy));
    };
    long long P = 0;
    if (m > 0) {
        P = L(1, m * step);
        for (int j = 2; j <= m; ++j)
            P += L((j - 1) * step, j * step);
    }

    // 5. Red marks over the walk.
    for (int i = 0; i < k; ++i)
        s.Set(c.X[i], c.Y[i], Red);

    switch (measure) {
    case MeasureArea:
        return kpix * kpix * (long double)S;
    case MeasurePerimeter:
        return kpix * (long double)P;
    default:
        return kpix * (long double)w;
    }
}

} // namespace

namespace pictures {

long double TraceContour(QImage &surface, int x0, int y0, int measure, long double kpix)
{
    EnsureFormat(surface);
    if (surface.isNull())
        return 0;
    Surface s(surface);
    auto contour = std::make_unique<Contour>();
    return Trace(s, *contour, x0, y0, measure, kpix);
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

} // namespace pictures

void TPictures::ClearEdges(QImage &picture)
{
    EnsureFormat(picture);
    Begin(TitleClearEdges);
    SaveUndoCopy(picture);
    const int W = picture.width(), H = picture.height();
    if (W > 0 && H > 0) {
        PaintFrame(picture);
        Surface s(picture);
        auto contour = std::make_unique<Contour>();
        auto black = [&](int x, int y) {
            return x >= 0 && y >= 0 && x < W && y < H && s.Get(x, y) == Black;
        };
        for (int x = 3; x <= W - 3; ++x) {
            Step(RoundDiv((long long)x * 50, W));
            if (black(x, 3))
                Trace(s, *contour, x, 3, MeasureLinear, 0);
            if (black(x, H - 3))
                Trace(s, *contour, x, H - 3, MeasureLinear, 0);
        }
        for (int y = 3; y <= H - 3; ++y) {
            Step(RoundDiv((long long)y * 50, H) + 50);
            if (black(3, y))
                Trace(s, *contour, 3, y, MeasureLinear, 0);
            if (black(W - 3, y))
                Trace(s, *contour, W - 3, y, MeasureLinear, 0);
        }
    }
    End();
}

void TPictures::AnalyseBinary(TSampleData &result, int measure, long double kpix, QImage &picture)
{
    EnsureFormat(picture);
    Begin(TitleAnalyse);
    Undo = false;
    result.Count = 0;
    // The marks go straight onto the picture, which is the marked copy the window shows;
    // the working copy receives it at the end.
    const int W = picture.width(), H = picture.height();
    if (W > 0 && H > 0) {
        PaintFrame(picture);
        Surface s(picture);
        // The scan runs down the columns, which is slow over row-major memory. Instead the
        // positions where a black pixel lies over a white one are collected row by row and
        // ordered by column; a trace can only change the answer at the pixels it paints and
        // those just below them, and those are queued again.
        const int xLo = 3, xHi = W - 3, yLo = 3, yHi = H - 3;
        auto key = [H](int x, int y) { return uint64_t(x) * uint64_t(H) + uint64_t(y); };
        auto candidate = [&](int x, int y) {
            return s.Get(x, y - 1) == Black && s.Get(x, y) == White;
        };
        std::vector<uint64_t> &found = Candidates;
        found.clear();
        if (xHi >= xLo && yHi >= yLo) {
            // Row by row (fast over memory), then ordered by column with a counting sort.
            std::vector<uint64_t> &rowOrder = RowCandidates;
            rowOrder.clear();
#ifdef GRIZAL2_HAVE_AVX2
            static const bool avx2 = __builtin_cpu_supports("avx2");
#endif
            const __m128i colour = _mm_set1_epi32(0xFFFFFF);
            const __m128i zero = _mm_setzero_si128();
            for (int y = yLo; y <= yHi; ++y) {
                const uint32_t *above = s.bits + (y - 1) * s.stride, *row = s.bits + y * s.stride;
                int x = xLo;
#ifdef GRIZAL2_HAVE_AVX2
                if (avx2)
                    x = analysisscan::RowAvx2(above, row, x, xHi, uint64_t(y) * uint64_t(W), rowOrder);
#endif
                for (; x + 4 <= xHi + 1; x += 4) {
                    const __m128i a = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(above + x)), colour);
                    const __m128i r = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i *>(row + x)), colour);
                    int bits = _mm_movemask_ps(_mm_castsi128_ps(
                        _mm_and_si128(_mm_cmpeq_epi32(a, zero), _mm_cmpeq_epi32(r, colour))));
                    while (bits) {
                        const int i = __builtin_ctz(unsigned(bits));
                        bits &= bits - 1;
                        rowOrder.push_back(uint64_t(y) * uint64_t(W) + uint64_t(x + i));
                    }
                }
                for (; x <= xHi; ++x)
                    if ((above[x] & 0xFFFFFF) == Black && (row[x] & 0xFFFFFF) == White)
                        rowOrder.push_back(uint64_t(y) * uint64_t(W) + uint64_t(x));
            }
            std::vector<uint32_t> &perColumn = ColumnCounts;
            perColumn.assign(size_t(W) + 1, 0);
            for (uint64_t p : rowOrder)
                ++perColumn[size_t(p % uint64_t(W)) + 1];
            for (int x = 1; x <= W; ++x)
                perColumn[size_t(x)] += perColumn[size_t(x) - 1];
            found.resize(rowOrder.size());
            for (uint64_t p : rowOrder) {
                const int x = int(p % uint64_t(W)), y = int(p / uint64_t(W));
                found[perColumn[size_t(x)]++] = key(x, y);
            }
        }
        std::vector<uint64_t> queued; // positions a trace changed, as a min-heap
        std::vector<uint64_t> touched;
        s.touched = &touched;
        auto contour = std::make_unique<Contour>();
        size_t next = 0;
        uint64_t done = 0; // positions up to here are scanned
        bool any = false;
        int n = 0, shownColumn = -1;
        while (n < MaxParticles) {
            uint64_t k;
            if (next < found.size() && (queued.empty() || found[next] <= queued.front())) {
                k = found[next++];
            } else if (!queued.empty()) {
                std::pop_heap(queued.begin(), queued.end(), std::greater<>());
                k = queued.back();
                queued.pop_back();
            } else {
                break;
            }
            if (any && k <= done)
                continue; // already scanned
            const int x = int(k / uint64_t(H)), y = int(k % uint64_t(H));
            if (x != shownColumn) {
                shownColumn = x;
                Step(RoundDiv((long long)x * 100, W));
            }
            any = true;
            done = k;
            if (!candidate(x, y))
                continue;
            touched.clear();
            const long double size = Trace(s, *contour, x, y, measure, kpix);
            try {
                result.SetSize(n, size);
            } catch (...) {
                End();
                throw;
            }
            result.N[n] = 1;
            ++n;
            result.Count = uint16_t(n);
            for (uint64_t t : touched) {
                const int tx = int(t % uint64_t(W)), ty = int(t / uint64_t(W));
                if (tx < xLo || tx > xHi)
                    continue;
                for (int yy = ty; yy <= ty + 1; ++yy)
                    if (yy >= yLo && yy <= yHi && key(tx, yy) > done && candidate(tx, yy)) {
                        queued.push_back(key(tx, yy));
                        std::push_heap(queued.begin(), queued.end(), std::greater<>());
                    }
            }
        }
        result.Count = uint16_t(n);
    }
    // The window shows the marked copy, also when the analysis stopped at the limit.
    CopyPicture(picture, Copy, false);
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
