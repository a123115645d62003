// The scale bar of the image window and the zoom of its display.
#include "imaging/ScaleBar.h"

#include <gtest/gtest.h>

namespace {

TEST(ScaleBar, LengthsOfTheExamples)
{
    EXPECT_EQ(scalebar::LengthFor(1).n, 100);
    EXPECT_EQ(double(scalebar::LengthFor(1).L), 100.0);
    EXPECT_EQ(scalebar::LengthFor(0.05).n, 20);
    EXPECT_EQ(double(scalebar::LengthFor(0.05).L), 1.0);
    EXPECT_EQ(scalebar::LengthFor(0.001).n, 100);
    EXPECT_NEAR(double(scalebar::LengthFor(0.001).L), 0.1, 1e-15);
    // 1 / 0.098 lies in (10, 10.5]: the loop still ends, with a bar of 102 pixels for 10 µm.
    EXPECT_EQ(scalebar::LengthFor(0.098).n, 102);
    for (double k : {0.0, -1.0, 1e-320, 1e300, 1e-300, 3.7, 123456.0}) {
        const auto len = scalebar::LengthFor(k);
        EXPECT_TRUE(len.n == 0 || (len.n >= 11 && len.n <= 110)) << k;
    }
    EXPECT_EQ(scalebar::LengthFor(0).n, 0);
}

TEST(ScaleBar, PixelsOfTheBar)
{
    const QImage bar = scalebar::DrawCalibrate(0.05, ',');
    ASSERT_EQ(bar.size(), QSize(200, 20));
    EXPECT_EQ(bar.pixel(11, 10) & 0xFFFFFF, 0x000000u); // first pixel of the bar
    EXPECT_EQ(bar.pixel(30, 10) & 0xFFFFFF, 0x000000u); // the 20th
    EXPECT_EQ(bar.pixel(31, 10) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(bar.pixel(20, 5) & 0xFFFFFF, 0xFFFFFFu);  // above it
    QImage white(200, 20, QImage::Format_RGBX8888);
    white.fill(Qt::white);
    EXPECT_EQ(scalebar::DrawCalibrate(-1, ','), white); // no bar and no text
}

TEST(Zoom, CommandsAndPositions)
{
    EXPECT_EQ(zoom::ZoomIn(zoom::ZoomIn(QSize(100, 80))), QSize(400, 320));
    EXPECT_EQ(zoom::ToPicture(41, 4.0), 10);
    EXPECT_EQ(zoom::ToPicture(42, 4.0), 10); // 10.5 goes to the even 10
    EXPECT_EQ(zoom::ZoomOut(QSize(1, 1)), QSize(1, 1)); // never down to 0
    EXPECT_EQ(zoom::StretchWidth(QSize(200, 100), 420), QSize(400, 200));
    EXPECT_EQ(zoom::StretchHeight(QSize(200, 100), 120), QSize(200, 100));
}

} // namespace
