// Contour walks and the particle analysis.
#include "imaging/BinaryAnalysis.h"
#include "imaging/Pictures.h"
#include "samples/SampleData.h"
#include "TestImages.h"

#include <gtest/gtest.h>
#include <memory>

using namespace pictures;

namespace {

Grid WhiteWithBlack(int W, int H, std::initializer_list<std::pair<int, int>> black)
{
    Grid g(W, H, White);
    for (auto [x, y] : black)
        g.at(x, y) = Black;
    return g;
}

// The analysis as described, with a plain column-by-column scan over the picture.
std::vector<long double> AnalyseReference(QImage &img, SizeMeasure measure, long double kpix)
{
    PaintFrame(img);
    std::vector<long double> sizes;
    const int W = img.width(), H = img.height();
    for (int x = 3; x <= W - 3; ++x)
        for (int y = 3; y <= H - 3; ++y)
            if (PixelAt(img, x, y - 1) == Black && PixelAt(img, x, y) == White) {
                sizes.push_back(TraceContour(img, x, y, measure, kpix));
                if (sizes.size() == size_t(MaxParticles))
                    return sizes;
            }
    return sizes;
}

std::vector<long double> Sizes(const TSampleData &d)
{
    std::vector<long double> v;
    for (int i = 0; i < d.Count; ++i)
        v.push_back(d.Size(i));
    return v;
}

} // namespace

TEST(TraceContour, SinglePixel)
{
    const Grid g = WhiteWithBlack(12, 12, {{5, 5}});
    const long double expected[3] = {4, 16, 6}; // KPix = 2: w = 2, S = 4, P = 3
    for (int m = 0; m < 3; ++m) {
        QImage img = ToImage(g);
        EXPECT_EQ(TraceContour(img, 5, 6, SizeMeasure(m), 2), expected[m]);
        Grid out = FromImage(img);
        for (auto [x, y] : {std::pair{5, 5}, {4, 5}, {4, 4}, {5, 4}, {6, 5}, {6, 6}, {5, 6}})
            EXPECT_EQ(out.at(x, y), Red) << x << "," << y;
        out.at(5, 5) = out.at(4, 5) = out.at(4, 4) = out.at(5, 4) = out.at(6, 5) = out.at(6, 6) = out.at(5, 6) = White;
        EXPECT_EQ(out, Grid(12, 12, White));
    }
}

TEST(TraceContour, SquareDiscAndWhiteSquare)
{
    Grid sq(30, 30, White);
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x)
            sq.at(x, y) = Black;
    TPictures engine;
    const long double expected[3] = {11, 128, 35};
    for (int m = 0; m < 3; ++m) {
        QImage img = ToImage(sq);
        auto data = std::make_unique<TSampleData>();
        engine.AnalyseBinary(*data, SizeMeasure(m), 1, img);
        ASSERT_EQ(data->Count, 1);
        EXPECT_EQ(data->Size(0), expected[m]);
        EXPECT_EQ(data->N[0], 1);
        EXPECT_FALSE(engine.UndoAvailable());
        EXPECT_EQ(PixelAt(img, 10, 20), Red); // found at the white pixel below
        EXPECT_EQ(PixelAt(img, 15, 15), White);
    }
    // The working copy holds the marked picture, and keeps it while the picture changes.
    QImage img = ToImage(sq);
    auto data = std::make_unique<TSampleData>();
    engine.AnalyseBinary(*data, MeasureArea, 1, img);
    const Grid marked = FromImage(img);
    EXPECT_EQ(FromImage(engine.WorkingCopy()), marked);
    img.setPixel(0, 0, qRgb(1, 2, 3));
    EXPECT_EQ(FromImage(engine.WorkingCopy()), marked);
    engine.Negative(img);
    engine.UndoLast(img);
    img.setPixel(0, 0, qRgb(255, 255, 255));
    EXPECT_EQ(FromImage(img), marked);

    Grid disc(40, 40, White);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if ((x - 20) * (x - 20) + (y - 20) * (y - 20) <= 64)
                disc.at(x, y) = Black;
    img = ToImage(disc);
    engine.AnalyseBinary(*data, MeasureLinear, 1, img);
    EXPECT_EQ(data->Count, 1);
    EXPECT_EQ(PixelAt(img, 12, 21), Red);

    // White on black: the walk only circles the first corner.
    Grid inv(30, 30, Black);
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x)
            inv.at(x, y) = White;
    img = ToImage(inv);
    engine.AnalyseBinary(*data, MeasureLinear, 1, img);
    ASSERT_GT(data->Count, 2);
    EXPECT_EQ(data->Size(0), 1);
}

TEST(AnalyseBinary, ScanMatchesPlainScanOnRandomBlobs)
{
    std::mt19937 rng(11);
    TPictures engine;
    for (int trial = 0; trial < 30; ++trial) {
        const int W = 6 + int(rng() % 150), H = 6 + int(rng() % 150);
        Grid g(W, H, White);
        const int blobs = int(rng() % 40);
        for (int b = 0; b < blobs; ++b) {
            const int cx = int(rng() % W), cy = int(rng() % H), r = int(rng() % 12);
            const uint32_t colour = rng() % 7 == 0 ? Red : Black;
            for (int y = std::max(0, cy - r); y < std::min(H, cy + r + 1); ++y)
                for (int x = std::max(0, cx - r); x < std::min(W, cx + r + 1); ++x)
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                        g.at(x, y) = colour;
        }
        for (int i = 0; i < W * H / 50; ++i) // specks and holes
            g.at(int(rng() % W), int(rng() % H)) = rng() % 2 ? Black : White;
        const SizeMeasure m = SizeMeasure(trial % 3);
        QImage ref = ToImage(g);
        const auto expected = AnalyseReference(ref, m, 1.5L);
        QImage img = ToImage(g);
        auto data = std::make_unique<TSampleData>();
        engine.AnalyseBinary(*data, m, 1.5L, img);
        ASSERT_EQ(Sizes(*data).size(), expected.size()) << trial;
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_NEAR(double(data->Size(int(i))), double(expected[i]), 1e-9 * (1 + double(expected[i])));
        EXPECT_EQ(FromImage(img), FromImage(ref)) << trial;
    }
}

TEST(AnalyseBinary, StopsAtThousandAndShowsMarkedCopy)
{
    Grid g(130, 130, White);
    for (int y = 5; y < 125; y += 3)
        for (int x = 5; x < 125; x += 3)
            g.at(x, y) = Black;
    QImage img = ToImage(g);
    TPictures engine;
    auto data = std::make_unique<TSampleData>();
    engine.AnalyseBinary(*data, MeasureArea, 1, img);
    EXPECT_EQ(data->Count, 1000);
    EXPECT_EQ(PixelAt(img, 5, 5), Red);
    EXPECT_EQ(PixelAt(img, 122, 122), Black); // beyond the thousandth
    // Tiny pictures give an empty scan.
    for (int s : {1, 2, 5}) {
        QImage tiny = ToImage(Grid(s, s, Black));
        engine.AnalyseBinary(*data, MeasureArea, 1, tiny);
        EXPECT_EQ(data->Count, 0);
    }
}

TEST(TraceContour, WalksThatLeaveThePictureOrRunLong)
{
    // On other colours (earlier red marks) the walk goes straight; it stops at the border.
    Grid red(20, 20, Red);
    QImage img = ToImage(red);
    EXPECT_EQ(TraceContour(img, 5, 10, MeasureArea, 1), 0); // a vertical line has S = 0
    EXPECT_EQ(TraceContour(img, 5, 10, MeasureLinear, 1), 0);
    // A black pixel in the corner turns the walk out of the picture at once.
    img = ToImage(WhiteWithBlack(8, 8, {{0, 1}}));
    EXPECT_EQ(TraceContour(img, 0, 2, MeasurePerimeter, 1), 0);
    EXPECT_EQ(PixelAt(img, 0, 1), Red);
    // A boundary longer than the buffer ends at 10000 positions.
    Grid bar(6010, 12, White);
    for (int x = 3; x < 6003; ++x)
        bar.at(x, 5) = Black;
    img = ToImage(bar);
    const long double w = TraceContour(img, 3, 6, MeasureLinear, 1);
    EXPECT_GT(w, 1000);
    EXPECT_LT(w, 6000);
    // Analysis of an image whose outlines run along earlier marks and the border.
    std::mt19937 rng(2);
    Grid g = RandomGrid(rng, 40, 40, true);
    QImage any = ToImage(g);
    TPictures engine;
    auto data = std::make_unique<TSampleData>();
    engine.AnalyseBinary(*data, MeasurePerimeter, 1, any);
    EXPECT_GT(data->Count, 0);
}

TEST(ClearEdges, RemovesBorderBlobsOnly)
{
    Grid g(40, 40, White);
    for (int y = 10; y < 16; ++y)
        for (int x = 0; x < 6; ++x)
            g.at(x, y) = Black; // touches the left border
    for (int y = 18; y < 24; ++y)
        for (int x = 18; x < 24; ++x)
            g.at(x, y) = Black; // in the middle
    QImage img = ToImage(g);
    TPictures engine;
    engine.ClearEdges(img);
    Grid out = FromImage(img);
    for (int y = 10; y < 16; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_NE(out.at(x, y), Black);
    for (int y = 18; y < 24; ++y)
        for (int x = 18; x < 24; ++x)
            EXPECT_EQ(out.at(x, y), Black);
    EXPECT_TRUE(engine.UndoAvailable());
    engine.UndoLast(img);
    EXPECT_EQ(FromImage(img), g);
}

TEST(ColourMask, MarkAndCalculate)
{
    Grid g(6, 6, Pack(100, 100, 100));
    g.at(3, 3) = Pack(110, 90, 100);
    g.at(4, 4) = Pack(111, 100, 100);
    QImage img = ToImage(g);
    TPictures engine;
    engine.MarkColour(Pack(100, 100, 100), 10, img);
    EXPECT_EQ(PixelAt(img, 3, 3), Blue);
    EXPECT_EQ(PixelAt(img, 4, 4), Pack(111, 100, 100));
    engine.UndoLast(img);
    EXPECT_EQ(FromImage(img), g);

    Grid marks(6, 6, White);
    marks.at(1, 4) = marks.at(4, 1) = marks.at(2, 2) = marks.at(5, 5) = Blue;
    marks.at(3, 3) = Pack(0, 0, 254);
    const Grid bin = FromImage(TPictures::MaskToBinary(ToImage(marks)));
    Grid expected(6, 6, White);
    expected.at(2, 2) = expected.at(5, 5) = Black;
    EXPECT_EQ(bin, expected);
}

TEST(EndToEnd, CoinsGiveTwentyFourParticles)
{
    QImage img(QStringLiteral(GRIZAL2_TEST_DATA "/imaging/coins.png"));
    ASSERT_FALSE(img.isNull());
    EnsureFormat(img);
    TPictures engine;
    engine.Negative(img);
    engine.MedianFilter(3, 3, img);
    engine.BlackAndWhite(40, img);
    engine.ClearEdges(img);
    auto data = std::make_unique<TSampleData>();
    engine.AnalyseBinary(*data, MeasureArea, 1, img);
    int big = 0;
    for (int i = 0; i < data->Count; ++i)
        big += data->Size(i) > 200;
    EXPECT_EQ(big, 24);
    EXPECT_GE(data->Count, 24);
}
