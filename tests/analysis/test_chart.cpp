#include "analysis/Chart.h"
#include "base/Errors.h"

#include <QColor>
#include <gtest/gtest.h>

namespace {

long double Two(long double, long double, long double) { return 2; }
long double Small(long double, long double, long double) { return 0.001L; }
long double Bad(long double, long double, long double d)
{
    if (d > 25)
        throw MathError(mathtext::ZeroDivide);
    return 0.01L;
}

fits::ClassTable Example()
{
    fits::ClassTable t;
    t.d = {10, 20, 30, 40};
    t.N = {5, 10, 8, 2};
    t.Weight = t.N;
    t.Integral = {0.2L, 0.6L, 0.92L, 0.9999L};
    t.Diff = {0.02L, 0.04L, 0.032L, 0.008L};
    t.total = 25;
    return t;
}

QRgb At(const QImage &img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

TEST(Chart, FramesTicksBarsAndCurves)
{
    const fits::ClassTable t = Example();
    const QImage img = chart::DrawDistribution({t, Small, Two, 0, 0, true, true}, '.');
    ASSERT_EQ(img.size(), QSize(600, 350));
    EXPECT_EQ(At(img, 0, 0), 0x000000u);      // outer border
    EXPECT_EQ(At(img, 599, 349), 0x000000u);
    EXPECT_EQ(At(img, 300, 195), 0x000000u);  // top of the differential frame
    EXPECT_EQ(At(img, 97, 80), 0x000000u);    // a tick of the integral axis
    EXPECT_EQ(At(img, 97, 228), 0x000000u);   // 227.5 rounds to 228
    EXPECT_EQ(At(img, 300, 147), 0x000000u);  // a tick of the size axis
    EXPECT_EQ(At(img, 150, 119), 0xFF0000u);  // top of the first bar: 145 - round(0.2 × 129)
    EXPECT_EQ(At(img, 150, 130), 0xFFFFFFu);  // bars are filled white
    // An integral curve of 2 is clamped to the top of the plot.
    EXPECT_EQ(At(img, 250, 15), chart::kCurveColor & 0xFFFFFF);
    EXPECT_EQ(chart::ClampBar(200), 130);
    EXPECT_EQ(chart::ClampBar(-5), 0);
    EXPECT_EQ(chart::ClampBar(NAN), 0);
}

TEST(Chart, NothingButTheFrameWithBothBoxesOff)
{
    const fits::ClassTable t = Example();
    const QImage img = chart::DrawDistribution({t, Small, Two, 0, 0, false, false}, '.');
    for (int y = 0; y < 350; ++y)
        for (int x = 0; x < 600; ++x) {
            const QRgb c = At(img, x, y);
            ASSERT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << x << "," << y;
        }
}

TEST(Chart, FaultsEndTheDrawing)
{
    fits::ClassTable t = Example();
    EXPECT_THROW(chart::DrawDistribution({t, Bad, Two, 0, 0, true, true}, '.'), MathError);
    t.d = {10, 10};
    t.FirstLowerBound = 10; // no range of sizes
    t.Integral = {0.5L, 0.9999L};
    t.Diff = {0, 0};
    EXPECT_THROW(chart::DrawDistribution({t, Small, Two, 0, 0, true, true}, '.'), MathError);
}

} // namespace
