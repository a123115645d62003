// The pixel operations of TPictures. Pictures are Format_RGBX8888: a pixel read as a
// little-endian uint32 is 0xFF BB GG RR, so its low 24 bits are the packed colour.
#include "imaging/Pictures.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pictures {

const char *const TitleMedian = "Медианная фильтрация изображения";
const char *const TitleNegative = "Преобразование в негативное изображение";
const char *const TitleBlackAndWhite = "Преобразование в черно-белое изображение";
const char *const TitleGrayscale = "Преобразование в оттенки серого";
const char *const TitleMirrorH = "Отражение по горизонтали";
const char *const TitleMirrorV = "Отражение по вертикали";
const char *const TitleShades = "Paзделение по оттенкам";
const char *const TitleClearEdges = "Обработка краев изображения";
const char *const TitleAnalyse = "Анализ бинарного изображения";

int GrayOf(int r, int g, int b)
{
    const long double s = 0.3L * r + 0.59L * g + 0.11L * b;
    return int(nearbyintl(s));
}

void EnsureFormat(QImage &picture)
{
    if (!picture.isNull() && picture.format() != QImage::Format_RGBX8888)
        picture = picture.convertToFormat(QImage::Format_RGBX8888);
}

uint32_t PixelAt(const QImage &picture, int x, int y)
{
    return reinterpret_cast<const uint32_t *>(picture.constScanLine(y))[x] & 0xFFFFFF;
}

} // namespace pictures

using namespace pictures;

namespace {

constexpr uint32_t Opaque = 0xFF000000u;

// round(n / d) with halves to even, for n >= 0, d > 0.
int RoundDiv(long long n, long long d)
{
    long long q = n / d, r = n % d;
    if (2 * r > d || (2 * r == d && (q & 1)))
        ++q;
    return int(q);
}

// Grey of a packed colour. 30R + 59G + 11B is exact in integers; only a sum that ends in
// exactly one half can depend on the extended-precision rounding, and those few go the
// slow way.
inline uint32_t GrayPacked(uint32_t c)
{
    const uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    const uint32_t n = 30 * r + 59 * g + 11 * b;
    uint32_t v;
    if (n % 100 != 50)
        v = (n + 50) / 100;
    else
        v = uint32_t(GrayOf(int(r), int(g), int(b)));
    return v | (v << 8) | (v << 16);
}

inline uint32_t *Row(QImage &img, int y) { return reinterpret_cast<uint32_t *>(img.scanLine(y)); }
inline const uint32_t *Row(const QImage &img, int y)
{
    return reinterpret_cast<const uint32_t *>(img.constScanLine(y));
}

inline void Sort2(uint32_t &a, uint32_t &b)
{
    const uint32_t lo = std::min(a, b), hi = std::max(a, b);
    a = lo;
    b = hi;
}
inline void Sort3(uint32_t &a, uint32_t &b, uint32_t &c)
{
    Sort2(a, b);
    Sort2(b, c);
    Sort2(a, b);
}
inline uint32_t Med3(uint32_t a, uint32_t b, uint32_t c)
{
    return std::max(std::min(a, b), std::min(std::max(a, b), c));
}

} // namespace

void TPictures::Begin(const char *title)
{
    LastPosition = -1;
    if (Progress)
        Progress->Show(QString::fromUtf8(title));
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
    if (!source.isNull() && destination.size() == source.size()
        && destination.format() == source.format()
        && destination.bytesPerLine() == source.bytesPerLine()) {
        // Keeps the destination's pages: a fresh large buffer costs more than the copy.
        uchar *to = destination.bits();
        std::memcpy(to, source.constBits(), size_t(source.sizeInBytes()));
        return;
    }
    destination = source.copy();
}

void TPictures::SaveUndoCopy(const QImage &picture) { CopyPicture(picture, Copy, true); }

void TPictures::RestoreFromCopy(QImage &picture) { CopyPicture(Copy, picture, true); }

void TPictures::UndoLast(QImage &picture)
{
    if (Undo)
        CopyPicture(Copy, picture, false);
}

// Runs op(y, x0, x1) over strips of columns, left to right, each strip top to bottom,
// after copying the strip's part of the row into the undo copy. op reads the undo copy and
// writes the picture. The progress moves after each strip's last column.
template <class RowOp>
void TPictures::StripPass(const char *title, QImage &picture, RowOp op)
{
    EnsureFormat(picture);
    Begin(title);
    Undo = true;
    const int W = picture.width(), H = picture.height();
    if (Copy.size() != picture.size() || Copy.format() != picture.format())
        Copy = QImage(picture.size(), picture.format());
    if (W > 0 && H > 0) {
        uchar *pic = picture.bits();
        uchar *copy = Copy.bits();
        const qsizetype bpl = picture.bytesPerLine();
        constexpr int Strip = 512;
        for (int x0 = 0; x0 < W; x0 += Strip) {
            const int x1 = std::min(W, x0 + Strip);
            for (int y = 0; y < H; ++y) {
                const uint32_t *src = reinterpret_cast<const uint32_t *>(pic + y * bpl);
                uint32_t *keep = reinterpret_cast<uint32_t *>(copy + y * bpl);
                std::memcpy(keep + x0, src + x0, size_t(x1 - x0) * 4);
                op(keep, reinterpret_cast<uint32_t *>(pic + y * bpl), x0, x1);
            }
            Step(RoundDiv((long long)(x1 - 1) * 100, W));
        }
    }
    End();
}

void TPictures::Negative(QImage &picture)
{
    StripPass(TitleNegative, picture, [](const uint32_t *src, uint32_t *dst, int x0, int x1) {
        for (int x = x0; x < x1; ++x)
            dst[x] = (0xFFFFFFu - (src[x] & 0xFFFFFF)) | Opaque;
    });
}

void TPictures::BlackAndWhite(int brightness, QImage &picture)
{
    const int B = std::clamp(brightness, BrightMin, BrightMax);
    const uint32_t T = uint32_t(B * 16777215 / 100);
    StripPass(TitleBlackAndWhite, picture, [T](const uint32_t *src, uint32_t *dst, int x0, int x1) {
        for (int x = x0; x < x1; ++x)
            dst[x] = (src[x] & 0xFFFFFF) > T ? 0xFFFFFFFFu : Opaque;
    });
}

void TPictures::Grayscale(QImage &picture)
{
    StripPass(TitleGrayscale, picture, [](const uint32_t *src, uint32_t *dst, int x0, int x1) {
        uint32_t lastIn = ~0u, lastOut = 0;
        for (int x = x0; x < x1; ++x) {
            const uint32_t c = src[x] & 0xFFFFFF;
            if (c != lastIn) { // neighbours often share a colour
                lastIn = c;
                lastOut = GrayPacked(c) | Opaque;
            }
            dst[x] = lastOut;
        }
    });
}

void TPictures::SeparateByShades(int relation, uint32_t colour1, uint32_t colour2, QImage &picture)
{
    const uint32_t C1 = colour1 & 0xFFFFFF, C2 = colour2 & 0xFFFFFF;
    const uint32_t M = (C1 + C2) / 2;
    auto pass = [&](auto whiten) {
        StripPass(TitleShades, picture, [whiten](const uint32_t *src, uint32_t *dst, int x0, int x1) {
            for (int x = x0; x < x1; ++x) {
                const uint32_t v = src[x];
                dst[x] = whiten(v & 0xFFFFFF) ? 0xFFFFFFFFu : (v | Opaque);
            }
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
    Undo = true;
    if (Copy.size() != picture.size() || Copy.format() != picture.format())
        Copy = QImage(picture.size(), picture.format());
    if (W > 0 && H > 0) {
        for (int y = 0; y < H; ++y) {
            uint32_t *dst = Row(picture, y);
            uint32_t *keep = Row(Copy, y);
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
    Undo = true;
    if (Copy.size() != picture.size() || Copy.format() != picture.format())
        Copy = QImage(picture.size(), picture.format());
    if (W > 0 && H > 0) {
        // Rows swap in pairs; both are kept in the undo copy first.
        for (int y = 0; y < (H + 1) / 2; ++y) {
            uint32_t *top = Row(picture, y), *bottom = Row(picture, H - 1 - y);
            uint32_t *keepTop = Row(Copy, y), *keepBottom = Row(Copy, H - 1 - y);
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
        // The filter works in place on a copy with padded rows: with a row length of a
        // power of two, the rows of a window would all fall into the same cache sets. A
        // constant alpha byte keeps the order of the packed values.
        const qsizetype S = qsizetype(W) + 16;
        std::vector<uint32_t> &work = MedianPicture;
        work.resize(size_t(S) * size_t(H));
        for (int y = 0; y < H; ++y) {
            const uint32_t *r = Row(picture, y);
            uint32_t *w = work.data() + y * S;
            for (int x = 0; x < W; ++x)
                w[x] = r[x] | Opaque;
        }
        uint32_t *A = work.data();
        const int cxOff = X / 2, cyOff = Y / 2;
        const int n = X * Y;
        // Windows run down the columns, which over row-major memory touches a new page at
        // every step. They are taken instead in bands of rows slanted by cyOff rows per
        // column: a window only depends on windows of earlier columns and at most cyOff rows
        // lower, so every window still sees exactly the values of the column-by-column order.
        const int Band = 64;
        const long long K = cyOff;
        const long long keys = (long long)(H - Y) + K * (W - X) + 1;
        const int bands = int((keys + Band - 1) / Band);
        std::vector<uint32_t> &buf = MedianBuffer;
        buf.resize(size_t(n));
        // Replaces one value of the sorted window by another, shifting only what lies between.
        auto replace = [&](uint32_t o, uint32_t v) {
            uint32_t *first = buf.data(), *last = first + n;
            uint32_t *i = std::lower_bound(first, last, o);
            if (v > o) {
                uint32_t *j = std::upper_bound(i + 1, last, v);
                std::memmove(i, i + 1, size_t(j - i - 1) * 4);
                j[-1] = v;
            } else if (v < o) {
                uint32_t *j = std::upper_bound(first, i, v);
                std::memmove(j + 1, j, size_t(i - j) * 4);
                *j = v;
            }
        };
        for (int b = 0; b < bands; ++b) {
            for (int x0 = 0; x0 <= W - X; ++x0) {
                const long long lo = std::max<long long>(0, (long long)b * Band - K * x0);
                const long long hi = std::min<long long>(H - Y, (long long)(b + 1) * Band - 1 - K * x0);
                if (lo > hi)
                    continue;
                const int yFirst = int(lo), yLast = int(hi);
                if (X == 3 && Y == 3) {
                    for (int y0 = yFirst; y0 <= yLast; ++y0) {
                        uint32_t *r0 = A + y0 * S + x0, *r1 = r0 + S, *r2 = r1 + S;
                        uint32_t a0 = r0[0], a1 = r1[0], a2 = r2[0];
                        uint32_t b0 = r0[1], b1 = r1[1], b2 = r2[1];
                        uint32_t c0 = r0[2], c1 = r1[2], c2 = r2[2];
                        Sort3(a0, a1, a2);
                        Sort3(b0, b1, b2);
                        Sort3(c0, c1, c2);
                        const uint32_t lo3 = std::max(a0, std::max(b0, c0));
                        const uint32_t hi3 = std::min(a2, std::min(b2, c2));
                        const uint32_t mid = Med3(a1, b1, c1);
                        r1[1] = Med3(lo3, mid, hi3);
                    }
                    continue;
                }
                // A sorted copy of the window follows it down the column: the write, the
                // row that leaves and the row that enters are each one ordered update.
                int len = 0;
                for (int dy = 0; dy < Y; ++dy)
                    for (int dx = 0; dx < X; ++dx)
                        buf[size_t(len++)] = A[(yFirst + dy) * S + x0 + dx];
                std::sort(buf.begin(), buf.end());
                for (int y0 = yFirst; y0 <= yLast; ++y0) {
                    const uint32_t med = buf[size_t(n / 2)];
                    uint32_t &centre = A[(y0 + cyOff) * S + x0 + cxOff];
                    if (centre != med) {
                        replace(centre, med);
                        centre = med;
                    }
                    if (y0 < yLast) {
                        const uint32_t *out = A + y0 * S + x0, *in = A + (y0 + Y) * S + x0;
                        for (int dx = 0; dx < X; ++dx)
                            replace(out[dx], in[dx]);
                    }
                }
            }
            Step(RoundDiv((long long)(b + 1) * 100, bands));
        }
        for (int y = 0; y < H; ++y)
            std::memcpy(Row(picture, y), work.data() + y * S, size_t(W) * 4);
    }
    End();
}
