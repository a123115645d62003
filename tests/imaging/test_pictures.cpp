// The pixel operations against plain per-pixel references.
#include "imaging/MedianWindow.h"
#include "imaging/Pictures.h"
#include "TestImages.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <functional>

using namespace pictures;

namespace {

struct Recorder : TPictureProgress {
    std::vector<QString> titles;
    std::vector<int> positions;
    int closed = 0;
    void Show(const QString &t) override { titles.push_back(t); }
    void SetPosition(int p) override { positions.push_back(p); }
    void Close() override { ++closed; }
};

// The filter as written: column-major windows, exchange sort, in place.
Grid MedianReference(Grid a, int X, int Y)
{
    if (a.W < X || a.H < Y)
        return a;
    std::vector<uint32_t> buf;
    for (int x0 = 0; x0 <= a.W - X; ++x0)
        for (int y0 = 0; y0 <= a.H - Y; ++y0) {
            buf.clear();
            for (int dx = 0; dx < X; ++dx)
                for (int dy = 0; dy < Y; ++dy)
                    buf.push_back(a.at(x0 + dx, y0 + dy));
            const int n = int(buf.size());
            for (int p = 1; p < n; ++p)
                for (int q = 0; q < n; ++q)
                    if (buf[q] > buf[p])
                        std::swap(buf[q], buf[p]);
            a.at(x0 + X / 2, y0 + Y / 2) = buf[size_t(n / 2)];
        }
    return a;
}

template <class F>
Grid Map(const Grid &g, F f)
{
    Grid out = g;
    for (auto &c : out.v)
        c = f(c);
    return out;
}

} // namespace

TEST(MedianFilter, InPlaceMatchesReferenceForAllWindowSizes)
{
    std::mt19937 rng(5);
    TPictures engine;
    for (int X = 1; X <= 10; ++X)
        for (int Y = 1; Y <= 10; ++Y)
            for (int trial = 0; trial < 3; ++trial) {
                const int W = 1 + int(rng() % 16), H = 1 + int(rng() % 16);
                const Grid g = RandomGrid(rng, W, H, trial != 2);
                QImage img = ToImage(g);
                engine.MedianFilter(X, Y, img);
                ASSERT_EQ(FromImage(img), MedianReference(g, X, Y))
                    << X << "x" << Y << " on " << W << "x" << H;
            }
}

namespace {

// The window pass as the engine runs it on processors without AVX2, on a column-major
// copy of the grid (the engine's transposed picture).
Grid PlainPass(const Grid &g, int X, int Y)
{
    if (g.W < X || g.H < Y)
        return g;
    std::vector<uint32_t> t(size_t(g.W) * size_t(g.H));
    for (int x = 0; x < g.W; ++x)
        for (int y = 0; y < g.H; ++y)
            t[size_t(x) * size_t(g.H) + size_t(y)] = g.at(x, y) | 0xFF000000u;
    alignas(32) int32_t window[medianwindow::Capacity];
    uint32_t *strip[10];
    for (int x0 = 0; x0 <= g.W - X; ++x0) {
        for (int dx = 0; dx < X; ++dx)
            strip[dx] = t.data() + size_t(x0 + dx) * size_t(g.H);
        medianwindow::Pass(medianwindow::ScalarOps(), strip, X, Y, g.H - Y + 1, window);
    }
    Grid out = g;
    for (int x = 0; x < g.W; ++x)
        for (int y = 0; y < g.H; ++y)
            out.at(x, y) = t[size_t(x) * size_t(g.H) + size_t(y)] & 0xFFFFFF;
    return out;
}

// Grey levels drifting along the rows: long runs of equal values, as in micrographs.
Grid GreyGrid(std::mt19937 &rng, int w, int h)
{
    Grid g(w, h);
    int v = 128;
    for (auto &c : g.v) {
        v = std::clamp(v + int(rng() % 7) - 3, 0, 255);
        c = uint32_t(v) * 0x010101u;
    }
    return g;
}

} // namespace

TEST(MedianFilter, LargerPicturesKeepTheColumnOrder)
{
    // Every window shape on pictures of noise, of few colours (ties) and of grey levels,
    // from the engine and from the plain pass alike; wide enough for the engine's ring of
    // columns to go round.
    std::mt19937 rng(9);
    TPictures engine;
    for (int X = 1; X <= 10; ++X)
        for (int Y = 1; Y <= 10; ++Y) {
            const int kind = (X + Y) % 3;
            const int W = 20 + int(rng() % 150), H = 20 + int(rng() % 70);
            const Grid g = kind == 2 ? GreyGrid(rng, W, H) : RandomGrid(rng, W, H, kind == 1);
            const Grid expected = MedianReference(g, X, Y);
            QImage img = ToImage(g);
            engine.MedianFilter(X, Y, img);
            ASSERT_EQ(FromImage(img), expected) << X << "x" << Y << " on " << W << "x" << H;
            ASSERT_EQ(PlainPass(g, X, Y), expected) << X << "x" << Y << " on " << W << "x" << H;
        }
}

TEST(MedianFilter, SmallCases)
{
    TPictures engine;
    // A single white pixel on black disappears under 3 x 3.
    Grid g(5, 5, Black);
    g.at(2, 2) = White;
    QImage img = ToImage(g);
    engine.MedianFilter(3, 3, img);
    EXPECT_EQ(FromImage(img), Grid(5, 5, Black));
    // 2 x 2 takes the third smallest and writes to (x0 + 1, y0 + 1).
    Grid two(2, 2);
    two.v = {40, 10, 30, 20};
    img = ToImage(two);
    engine.MedianFilter(2, 2, img);
    EXPECT_EQ(PixelAt(img, 1, 1), 30u);
    EXPECT_EQ(PixelAt(img, 0, 0), 40u);
    // The order is the packed value: blue weighs most, then green, then red.
    Grid row(3, 1);
    row.v = {Pack(255, 0, 0), Pack(0, 0, 1), Pack(0, 255, 0)};
    img = ToImage(row);
    engine.MedianFilter(3, 1, img);
    EXPECT_EQ(PixelAt(img, 1, 0), Pack(0, 255, 0));
}

TEST(PixelOperations, MatchReferences)
{
    std::mt19937 rng(7);
    TPictures engine;
    for (int trial = 0; trial < 20; ++trial) {
        const int W = 1 + int(rng() % 700), H = 1 + int(rng() % 9);
        const Grid g = RandomGrid(rng, W, H, trial % 2 == 0);
        QImage img = ToImage(g);
        engine.Negative(img);
        EXPECT_EQ(FromImage(img), Map(g, [](uint32_t c) { return 0xFFFFFF - c; }));
        engine.Negative(img);
        EXPECT_EQ(FromImage(img), g);

        for (int B : {0, 1, 30, 99, 100}) {
            img = ToImage(g);
            engine.BlackAndWhite(B, img);
            const uint32_t T = uint32_t(B * 16777215 / 100);
            EXPECT_EQ(FromImage(img), Map(g, [T](uint32_t c) { return c > T ? White : Black; })) << B;
        }

        img = ToImage(g);
        engine.MirrorHorizontal(img);
        Grid h = g;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                h.at(x, y) = g.at(W - 1 - x, y);
        EXPECT_EQ(FromImage(img), h);

        img = ToImage(g);
        engine.MirrorVertical(img);
        Grid v = g;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                v.at(x, y) = g.at(x, H - 1 - y);
        EXPECT_EQ(FromImage(img), v);

        const uint32_t C1 = rng() & 0xFFFFFF, C2 = rng() & 0xFFFFFF, M = (C1 + C2) / 2;
        for (int rel = 0; rel < 3; ++rel) {
            img = ToImage(g);
            engine.SeparateByShades(ShadeRelation(rel), C1, C2, img);
            EXPECT_EQ(FromImage(img), Map(g, [&](uint32_t c) {
                          const bool w = rel == 0 ? c < C1 : rel == 1 ? c >= C1 : c >= M;
                          return w ? White : c;
                      }));
        }
    }
}

TEST(PixelOperations, WithoutAnUndoCopyTheResultsAreTheSame)
{
    std::mt19937 rng(12);
    TPictures kept, spared;
    spared.SetUndoKept(false);
    const Grid g = RandomGrid(rng, 77, 31, false);
    const std::function<void(TPictures &, QImage &)> ops[] = {
        [](TPictures &e, QImage &p) { e.Negative(p); },
        [](TPictures &e, QImage &p) { e.Grayscale(p); },
        [](TPictures &e, QImage &p) { e.MirrorHorizontal(p); },
        [](TPictures &e, QImage &p) { e.MirrorVertical(p); },
        [](TPictures &e, QImage &p) { e.BlackAndWhite(40, p); },
        [](TPictures &e, QImage &p) { e.SeparateByShades(ShadeAtLeast, 0x808080, 0, p); },
        [](TPictures &e, QImage &p) { e.MedianFilter(4, 3, p); },
        [](TPictures &e, QImage &p) { e.ClearEdges(p); },
    };
    for (const auto &op : ops) {
        QImage a = ToImage(g), b = ToImage(g);
        op(kept, a);
        op(spared, b);
        EXPECT_EQ(FromImage(a), FromImage(b));
        EXPECT_TRUE(kept.UndoAvailable());
        EXPECT_FALSE(spared.UndoAvailable());
        spared.UndoLast(b);
        EXPECT_EQ(FromImage(a), FromImage(b));
    }
}

TEST(PixelOperations, StatedExamples)
{
    TPictures engine;
    Grid ramp(256, 1);
    for (int v = 0; v < 256; ++v)
        ramp.at(v, 0) = Pack(v, v, v);
    QImage img = ToImage(ramp);
    engine.BlackAndWhite(30, img);
    EXPECT_EQ(PixelAt(img, 76, 0), Black);
    EXPECT_EQ(PixelAt(img, 77, 0), White);

    Grid rb(2, 1);
    rb.v = {0xFF0000, 0x0000FF};
    img = ToImage(rb);
    engine.BlackAndWhite(99, img);
    EXPECT_EQ(PixelAt(img, 0, 0), White); // pure blue
    img = ToImage(rb);
    engine.BlackAndWhite(1, img);
    EXPECT_EQ(PixelAt(img, 1, 0), Black); // pure red

    Grid bw(2, 2);
    bw.v = {8388606, 8388607, 0, White};
    img = ToImage(bw);
    engine.SeparateByShades(ShadeMidpoint, Black, White, img);
    EXPECT_EQ(FromImage(img).v, (std::vector<uint32_t>{8388606, White, 0, White}));

    EXPECT_EQ(GrayOf(0, 255, 0), 150);
    EXPECT_EQ(GrayOf(0, 0, 255), 28);
    EXPECT_EQ(GrayOf(255, 255, 255), 255);
    EXPECT_EQ(GrayOf(0, 0, 0), 0);
}

TEST(PixelOperations, GrayscaleOfEveryColourIsGrayOf)
{
    // One pixel per 24-bit colour.
    QImage img(4096, 4096, QImage::Format_RGBX8888);
    for (int y = 0; y < 4096; ++y) {
        auto *r = reinterpret_cast<uint32_t *>(img.scanLine(y));
        for (int x = 0; x < 4096; ++x)
            r[x] = uint32_t(y * 4096 + x) | 0xFF000000u;
    }
    TPictures engine;
    engine.Grayscale(img);
    long bad = 0;
    for (int y = 0; y < 4096; ++y) {
        const auto *r = reinterpret_cast<const uint32_t *>(img.constScanLine(y));
        for (int x = 0; x < 4096; ++x) {
            const uint32_t c = uint32_t(y * 4096 + x);
            const uint32_t g = uint32_t(GrayOf(int(c & 0xFF), int((c >> 8) & 0xFF), int(c >> 16)));
            if ((r[x] & 0xFFFFFF) != (g | (g << 8) | (g << 16)))
                ++bad;
        }
    }
    EXPECT_EQ(bad, 0);
}

TEST(Undo, GlobalCopyAndProgress)
{
    std::mt19937 rng(3);
    TPictures engine;
    Recorder rec;
    engine.SetProgress(&rec);
    const Grid a = RandomGrid(rng, 300, 4, false), b = RandomGrid(rng, 300, 4, false);
    QImage A = ToImage(a), B = ToImage(b);
    EXPECT_FALSE(engine.UndoAvailable());
    engine.Negative(A);
    EXPECT_TRUE(engine.UndoAvailable());
    engine.UndoLast(A);
    EXPECT_EQ(FromImage(A), a);
    EXPECT_FALSE(engine.UndoAvailable());
    engine.Negative(A);
    engine.UndoLast(A);
    engine.UndoLast(A); // a second undo does nothing
    EXPECT_EQ(FromImage(A), a);

    // The copy is global: undo in another window puts the last copied picture there.
    engine.MirrorHorizontal(B);
    engine.UndoLast(A);
    EXPECT_EQ(FromImage(A), b);

    // RestoreFromCopy keeps undo possible.
    engine.SaveUndoCopy(A);
    QImage C = ToImage(RandomGrid(rng, 5, 5, false));
    engine.RestoreFromCopy(C);
    EXPECT_EQ(FromImage(C), b);
    EXPECT_TRUE(engine.UndoAvailable());

    rec.titles.clear();
    rec.positions.clear();
    rec.closed = 0;
    QImage D = ToImage(RandomGrid(rng, 7, 3, false));
    engine.SeparateByShades(ShadeBelow, 1, 2, D);
    ASSERT_EQ(rec.titles.size(), 1u);
    EXPECT_EQ(rec.titles[0].left(2), QStringLiteral("Pa")); // Latin P and a
    EXPECT_EQ(rec.titles[0], QString::fromUtf8("Paзделение по оттенкам"));
    EXPECT_EQ(rec.positions.back(), 86); // round(6 * 100 / 7)
    EXPECT_EQ(rec.closed, 1);
    engine.MedianFilter(7, 3, D); // W = X: a single column of windows
    EXPECT_EQ(rec.positions.back(), 100);
    EXPECT_EQ(rec.closed, 2);
}
