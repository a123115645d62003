// The pixel operations of TPictures. Pictures are Format_RGBX8888: a pixel read as a
// little-endian uint32 is 0xFF BB GG RR, so its low 24 bits are the packed colour.
#include "imaging/Pictures.h"
#include "base/Cpu.h"
#include "imaging/MedianNetwork.h"
#include "imaging/MedianWindow.h"

#include <QCoreApplication>
#include <algorithm>
#ifdef __SSE2__
#include <emmintrin.h>
#endif
#include <cmath>
#include <cstring>

namespace pictures {

const char *const TitleMedian = QT_TRANSLATE_NOOP("TPictures", "Медианная фильтрация изображения");
const char *const TitleNegative = QT_TRANSLATE_NOOP("TPictures", "Преобразование в негативное изображение");
const char *const TitleBlackAndWhite = QT_TRANSLATE_NOOP("TPictures", "Преобразование в черно-белое изображение");
const char *const TitleGrayscale = QT_TRANSLATE_NOOP("TPictures", "Преобразование в оттенки серого");
const char *const TitleMirrorH = QT_TRANSLATE_NOOP("TPictures", "Отражение по горизонтали");
const char *const TitleMirrorV = QT_TRANSLATE_NOOP("TPictures", "Отражение по вертикали");
const char *const TitleShades = QT_TRANSLATE_NOOP("TPictures", "Paзделение по оттенкам");
const char *const TitleClearEdges = QT_TRANSLATE_NOOP("TPictures", "Обработка краев изображения");
const char *const TitleAnalyse = QT_TRANSLATE_NOOP("TPictures", "Анализ бинарного изображения");

int GrayOf(int r, int g, int b)
{
    const long double s = 0.3L * r + 0.59L * g + 0.11L * b;
    return int(nearbyintl(s));
}

void EnsureFormat(QImage &picture)
{
    if (!picture.isNull() && picture.format() != QImage::Format_RGBX8888)
        picture.convertTo(QImage::Format_RGBX8888);
}

uint32_t PixelAt(const QImage &picture, int x, int y)
{
    return reinterpret_cast<const uint32_t *>(picture.constScanLine(y))[x] & 0xFFFFFF;
}

} // namespace pictures

using namespace pictures;

namespace {


inline uint32_t *Row(QImage &img, int y) { return reinterpret_cast<uint32_t *>(img.scanLine(y)); }

} // namespace

void TPictures::Begin(const char *title)
{
    LastPosition = -1;
    if (Progress)
        Progress->Show(QCoreApplication::translate("TPictures", title));
}

void TPictures::Step(int percent)
{
    if (Progress && percent != LastPosition) {
        LastPosition = percent;
        Progress->SetPosition(percent);
    }
}

void TPictures::End()
{
    if (Progress)
        Progress->Close();
}

void TPictures::CopyPicture(const QImage &source, QImage &destination, bool undoAvailable)
{
    Undo = undoAvailable;
    if (&source == &destination)
        return;
    if (!source.isNull() && destination.constBits() == source.constBits() && destination.size() == source.size()
        && destination.format() == source.format())
        return; // already one picture shared by both
    if (!source.isNull() && destination.size() == source.size()
        && destination.format() == source.format()
        && destination.bytesPerLine() == source.bytesPerLine()) {
        // Keeps the destination's pages: a fresh large buffer costs more than the copy.
        uchar *to = destination.bits();
        std::memcpy(to, source.constBits(), size_t(source.sizeInBytes()));
        return;
    }
    QImage copy = source.copy();
    if (copy.isNull() && !source.isNull()) {
        // No memory for the copy: the destination stays as it was, and an undo copy that
        // could not be taken is not offered.
        if (&destination == &Copy)
            Undo = false;
        return;
    }
    destination = copy;
}

void TPictures::SaveUndoCopy(const QImage &picture)
{
    if (KeepUndo)
        CopyPicture(picture, Copy, true);
    else
        Undo = false;
}

uint32_t *TPictures::PrepareUndo(const QImage &picture)
{
    Undo = false;
    const qsizetype W = picture.width();
    if (KeepUndo) {
        // A copy that still shares the picture's pixels (after an analysis) would first be
        // copied whole and then overwritten: it is replaced by a fresh one.
        if (Copy.size() != picture.size() || Copy.format() != picture.format()
            || Copy.constBits() == picture.constBits()) {
            Copy = QImage();
            Copy = QImage(picture.size(), picture.format());
        }
        Undo = !Copy.isNull();
    }
    if (Undo)
        return nullptr;
    ScratchRows.resize(size_t(2 * W));
    return ScratchRows.data();
}

void TPictures::RestoreFromCopy(QImage &picture) { CopyPicture(Copy, picture, true); }

void TPictures::UndoLast(QImage &picture)
{
    if (Undo)
        CopyPicture(Copy, picture, false);
}

// Runs op(row, keep, W) over the rows of the picture after making sure the undo copy has
// the picture's size; op keeps each row's old pixels in the undo copy (or a scratch row
// when there is none) and rewrites the row.
// The operations are pixel by pixel, so the order of the pass changes no result: rows,
// which lie along memory, go many times faster than columns. The progress grows with the
// rows and ends on the value the column order ends on.
template <class RowOp>
void TPictures::StripPass(const char *title, QImage &picture, RowOp op)
{
    EnsureFormat(picture);
    Begin(title);
    const int W = picture.width(), H = picture.height();
    uint32_t *scratch = PrepareUndo(picture);
    if (W > 0 && H > 0) {
        const long long total = (long long)W * H;
        constexpr int Chunk = 64;
        for (int y0 = 0; y0 < H; y0 += Chunk) {
            const int y1 = std::min(H, y0 + Chunk);
            for (int y = y0; y < y1; ++y)
                op(Row(picture, y), scratch ? scratch : Row(Copy, y), W);
            Step(RoundDiv((long long)(W - 1) * 100 * y1, total));
        }
    }
    End();
}

namespace {
// Keeps each pixel in `keep` and replaces it by f(pixel).
template <class F>
inline void MapRow(uint32_t *row, uint32_t *keep, int W, F f)
{
    for (int x = 0; x < W; ++x) {
        const uint32_t v = row[x];
        keep[x] = v;
        row[x] = f(v);
    }
}
} // namespace

void TPictures::Negative(QImage &picture)
{
    StripPass(TitleNegative, picture, [](uint32_t *row, uint32_t *keep, int W) {
        MapRow(row, keep, W, [](uint32_t v) { return (0xFFFFFFu - (v & 0xFFFFFF)) | Opaque; });
    });
}

void TPictures::BlackAndWhite(int brightness, QImage &picture)
{
    const int B = std::clamp(brightness, BrightMin, BrightMax);
    const uint32_t T = uint32_t(B * 16777215 / 100);
    StripPass(TitleBlackAndWhite, picture, [T](uint32_t *row, uint32_t *keep, int W) {
        MapRow(row, keep, W, [T](uint32_t v) { return (v & 0xFFFFFF) > T ? 0xFFFFFFFFu : Opaque; });
    });
}

void TPictures::Grayscale(QImage &picture)
{
    std::vector<uint8_t> &ties = GrayTies;
    ties.resize(size_t(picture.width()));
    StripPass(TitleGrayscale, picture, [&ties](uint32_t *row, uint32_t *keep, int W) {
        // 30R + 59G + 11B is exact in integers, and (n + 50) / 100 is its grey rounded half
        // up. Only a sum that ends in exactly one half can depend on the extended-precision
        // rounding; those few pixels are marked here and done the slow way below.
        uint8_t *tie = ties.data();
        for (int x = 0; x < W; ++x) {
            const uint32_t c = row[x];
            keep[x] = c;
            const uint32_t n = 30 * (c & 0xFF) + 59 * ((c >> 8) & 0xFF) + 11 * ((c >> 16) & 0xFF) + 50;
            const uint32_t v = (n * 5243u) >> 19; // n / 100 for every n up to 25550
            tie[x] = uint8_t(v * 100 == n);
            row[x] = (v * 0x010101u) | Opaque;
        }
        for (int x = 0; x < W; ++x) {
            if (x + 8 <= W) { // most stretches of eight have no tie
                uint64_t eight;
                std::memcpy(&eight, tie + x, 8);
                if (!eight) {
                    x += 7;
                    continue;
                }
            }
            if (tie[x]) {
                // The extended sum lies at or next to v - 1/2; rounding to nearest, halves to
                // even, as GrayOf does, without the cost of a call that guards the rounding mode.
                const uint32_t c = keep[x];
                const long double sum = 0.3L * (c & 0xFF) + 0.59L * ((c >> 8) & 0xFF) + 0.11L * ((c >> 16) & 0xFF);
                const uint32_t up = (row[x] & 0xFF), down = up - 1;
                const long double half = (long double)up - 0.5L;
                const uint32_t v = sum > half ? up : sum < half ? down : ((down & 1) ? up : down);
                row[x] = (v * 0x010101u) | Opaque;
            }
        }
    });
}

void TPictures::SeparateByShades(pictures::ShadeRelation relation, uint32_t colour1, uint32_t colour2, QImage &picture)
{
    const uint32_t C1 = colour1 & 0xFFFFFF, C2 = colour2 & 0xFFFFFF;
    const uint32_t M = (C1 + C2) / 2;
    auto pass = [&](auto whiten) {
        StripPass(TitleShades, picture, [whiten](uint32_t *row, uint32_t *keep, int W) {
            MapRow(row, keep, W, [whiten](uint32_t v) { return whiten(v & 0xFFFFFF) ? 0xFFFFFFFFu : (v | Opaque); });
        });
    };
    if (relation == ShadeBelow)
        pass([C1](uint32_t c) { return c < C1; });
    else if (relation == ShadeAtLeast)
        pass([C1](uint32_t c) { return c >= C1; });
    else
        pass([M](uint32_t c) { return c >= M; });
}

void TPictures::MirrorHorizontal(QImage &picture)
{
    EnsureFormat(picture);
    // Each row only reads itself, so the row is copied whole before it is rewritten.
    const int W = picture.width(), H = picture.height();
    Begin(TitleMirrorH);
    uint32_t *scratch = PrepareUndo(picture);
    if (W > 0 && H > 0) {
        for (int y = 0; y < H; ++y) {
            uint32_t *dst = Row(picture, y);
            uint32_t *keep = scratch ? scratch : Row(Copy, y);
            std::memcpy(keep, dst, size_t(W) * 4);
            for (int x = 0; x < W; ++x)
                dst[x] = keep[W - 1 - x] | Opaque;
        }
        Step(RoundDiv((long long)(W - 1) * 100, W));
    }
    End();
}

void TPictures::MirrorVertical(QImage &picture)
{
    EnsureFormat(picture);
    const int W = picture.width(), H = picture.height();
    Begin(TitleMirrorV);
    uint32_t *scratch = PrepareUndo(picture);
    if (W > 0 && H > 0) {
        // Rows swap in pairs; both are kept in the undo copy first.
        for (int y = 0; y < (H + 1) / 2; ++y) {
            uint32_t *top = Row(picture, y), *bottom = Row(picture, H - 1 - y);
            uint32_t *keepTop = scratch ? scratch : Row(Copy, y);
            uint32_t *keepBottom = scratch ? scratch + W : Row(Copy, H - 1 - y);
            std::memcpy(keepTop, top, size_t(W) * 4);
            std::memcpy(keepBottom, bottom, size_t(W) * 4);
            for (int x = 0; x < W; ++x) {
                top[x] = keepBottom[x] | Opaque;
                bottom[x] = keepTop[x] | Opaque;
            }
        }
        Step(RoundDiv((long long)(W - 1) * 100, W));
    }
    End();
}

namespace {

// The 3 x 3 column pass: c1[y + 1] becomes the median of window y.
void MedianColumn3(const uint32_t *c0, uint32_t *c1, const uint32_t *c2, int windows)
{
    int y = 0;
#ifdef GRIZAL2_HAVE_AVX2
    if (cpu::HasAvx2())
        y = median3::ColumnAvx2(c0, c1, c2, windows);
#endif
    const median3::ScalarOps o;
    for (; y < windows; ++y) {
        uint32_t k3, k4;
        median3::Bounds(o, c0[y], c2[y], c0[y + 1], c1[y + 1], c2[y + 1], c0[y + 2], c1[y + 2], c2[y + 2], k3, k4);
        c1[y + 1] = std::min(std::max(c1[y], k3), k4);
    }
}

void MedianWindowPass(uint32_t *const *strip, int X, int Y, int windows, int32_t *window)
{
#ifdef GRIZAL2_HAVE_AVX2
    if (cpu::HasAvx2()) {
        medianwindow::PassAvx2(strip, X, Y, windows, window);
        return;
    }
#endif
    medianwindow::Pass(medianwindow::ScalarOps(), strip, X, Y, windows, window);
}

// Transposes a w x h block of 32-bit values: to[x * toStride + y] = from[y * fromStride + x],
// in tiles of 16 x 16 so that every cache line read or written is used whole.
void Transpose(const uint32_t *from, qsizetype fromStride, uint32_t *to, qsizetype toStride, int w, int h,
               uint32_t orMask)
{
    constexpr int B = 16;
#ifdef __SSE2__
    const __m128i mask = _mm_set1_epi32(int(orMask));
#endif
    for (int y0 = 0; y0 < h; y0 += B) {
        const int y1 = std::min(h, y0 + B);
        for (int x0 = 0; x0 < w; x0 += B) {
            const int x1 = std::min(w, x0 + B);
#ifdef __SSE2__
            if (y1 - y0 == B && x1 - x0 == B) {
                for (int y = y0; y < y1; y += 4)
                    for (int x = x0; x < x1; x += 4) {
                        auto in = [&](int r) {
                            return _mm_or_si128(
                                _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + (y + r) * fromStride + x)),
                                mask);
                        };
                        const __m128i r0 = in(0), r1 = in(1), r2 = in(2), r3 = in(3);
                        const __m128i t0 = _mm_unpacklo_epi32(r0, r1), t1 = _mm_unpacklo_epi32(r2, r3);
                        const __m128i t2 = _mm_unpackhi_epi32(r0, r1), t3 = _mm_unpackhi_epi32(r2, r3);
                        auto out = [&](int c, __m128i v) {
                            _mm_storeu_si128(reinterpret_cast<__m128i *>(to + (x + c) * toStride + y), v);
                        };
                        out(0, _mm_unpacklo_epi64(t0, t1));
                        out(1, _mm_unpackhi_epi64(t0, t1));
                        out(2, _mm_unpacklo_epi64(t2, t3));
                        out(3, _mm_unpackhi_epi64(t2, t3));
                    }
                continue;
            }
#endif
            for (int y = y0; y < y1; ++y) {
                const uint32_t *r = from + y * fromStride;
                for (int x = x0; x < x1; ++x)
                    to[x * toStride + y] = r[x] | orMask;
            }
        }
    }
}

} // namespace

void TPictures::MedianFilter(int X, int Y, QImage &picture)
{
    EnsureFormat(picture);
    X = std::clamp(X, FiltrMin, FiltrMax);
    Y = std::clamp(Y, FiltrMin, FiltrMax);
    if (X * Y > 100)
        X = Y = 10;
    Begin(TitleMedian);
    SaveUndoCopy(picture);
    const int W = picture.width(), H = picture.height();
    if (W >= X && H >= Y && W > 0 && H > 0) {
        // Windows run down the columns and each writes its centre in place, so the filter
        // works on transposed columns, where a column lies along memory: a ring of them,
        // taken from the picture sixteen at a time just before the windows reach them and
        // put back as soon as no window will change them again. The columns are padded so
        // that neighbouring ones never share cache sets. A constant alpha byte keeps the
        // order of the packed values.
        const qsizetype S = ((qsizetype(H) + 15) & ~qsizetype(15)) + 16;
        constexpr int Block = 16, Ring = 64; // Ring >= FiltrMax + 2 * Block, a multiple of Block
        std::vector<uint32_t> &T = MedianPicture;
        T.resize(size_t(S) * Ring);
        uint32_t *bits = reinterpret_cast<uint32_t *>(picture.bits());
        const qsizetype bpl = picture.bytesPerLine() / 4;
        auto slot = [&](int x) { return T.data() + (x % Ring) * S; };
        int taken = 0, given = 0; // columns [0, taken) transposed in, [0, given) back out
        auto take = [&](int upTo) {
            for (; taken < upTo; taken += Block)
                Transpose(bits + taken, bpl, slot(taken), S, std::min(Block, W - taken), H, Opaque);
        };
        auto give = [&](int upTo) {
            for (; given + Block <= upTo || (upTo == W && given < W); given += Block)
                Transpose(slot(given), S, bits + given, bpl, H, std::min(Block, W - given), 0);
        };

        const int cx = X / 2, windows = H - Y + 1;
        alignas(32) int32_t window[medianwindow::Capacity];
        uint32_t *strip[FiltrMax];
        for (int x0 = 0; x0 <= W - X; ++x0) {
            take(x0 + X);
            for (int dx = 0; dx < X; ++dx)
                strip[dx] = slot(x0 + dx);
            if (X == 3 && Y == 3)
                MedianColumn3(strip[0], strip[1], strip[2], windows);
            else
                MedianWindowPass(strip, X, Y, windows, window);
            give(x0 + cx + 1); // no later window changes the centre column or those left of it
            Step(W == X ? 100 : RoundDiv((long long)x0 * 100, W - X));
        }
        give(W);
    }
    End();
}
