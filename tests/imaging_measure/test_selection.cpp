// The selection polygon, its inside test and what the selection tools build.
#include "imaging/Selection.h"
#include "imaging/SelectionTools.h"

#include <gtest/gtest.h>
#include <random>

namespace {

Selection Poly(std::initializer_list<QPoint> pts)
{
    Selection s;
    for (QPoint p : pts)
        s.Append(p);
    return s;
}

QImage Random(int w, int h, unsigned seed)
{
    QImage img(w, h, QImage::Format_RGBX8888);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y) {
        uchar *p = img.scanLine(y);
        for (int x = 0; x < w; ++x, p += 4) {
            p[0] = uchar(rng());
            p[1] = uchar(rng());
            p[2] = uchar(rng());
            p[3] = 0xFF;
        }
    }
    return img;
}

} // namespace

TEST(PointInPolygon, EdgeRules)
{
    const Selection r = Poly({{10, 10}, {20, 10}, {20, 30}, {10, 30}});
    EXPECT_TRUE(PointInPolygon(r, 10, 10));  // top-left corner: left edge and top row
    EXPECT_TRUE(PointInPolygon(r, 19, 29));
    EXPECT_FALSE(PointInPolygon(r, 20, 15)); // right edge
    EXPECT_FALSE(PointInPolygon(r, 15, 30)); // bottom row
    EXPECT_FALSE(PointInPolygon(r, 9, 15));
    EXPECT_FALSE(PointInPolygon(Selection(), 0, 0));
    EXPECT_FALSE(PointInPolygon(Poly({{5, 5}}), 5, 5));
}

TEST(PointInPolygon, RowRunsAgreeWithThePixelTest)
{
    // The scanline form must select exactly the pixels the one-pixel test selects,
    // for self-crossing polygons, repeated points and horizontal edges too.
    std::mt19937 rng(7);
    for (int trial = 0; trial < 200; ++trial) {
        Selection s;
        const int n = 1 + int(rng() % 12);
        for (int i = 0; i < n; ++i)
            s.Append(QPoint(int(rng() % 40) - 5, int(rng() % 40) - 5));
        std::vector<std::vector<bool>> seen(50, std::vector<bool>(50, false));
        ForEachInsideRun(s, -8, 40, -8, 40, [&](int y, int x0, int x1) {
            for (int x = x0; x <= x1; ++x) {
                ASSERT_FALSE(seen[y + 8][x + 8]) << "pixel visited twice";
                seen[y + 8][x + 8] = true;
            }
        });
        for (int y = -8; y <= 40; ++y)
            for (int x = -8; x <= 40; ++x)
                ASSERT_EQ(seen[y + 8][x + 8], PointInPolygon(s, x, y))
                    << "trial " << trial << " at " << x << "," << y;
    }
}

TEST(Selection, CapacityIsKept)
{
    Selection s;
    for (int i = 0; i < Selection::Capacity; ++i)
        ASSERT_TRUE(s.Append(QPoint(i, i)));
    EXPECT_FALSE(s.Append(QPoint(1, 2)));
    EXPECT_EQ(s.Count(), 1000);
    EXPECT_FALSE(AppendSegmentsPoint(s, QPoint(3, 3)));
    EXPECT_EQ(s.Count(), 1000);
}

TEST(SelectionTools, RectangleCornersKeepTheDragDirection)
{
    const Selection s = RectangleSelection({30, 40}, {10, 20});
    ASSERT_EQ(s.Count(), 4);
    EXPECT_EQ(s.Point(0), QPoint(30, 40));
    EXPECT_EQ(s.Point(1), QPoint(10, 40));
    EXPECT_EQ(s.Point(2), QPoint(10, 20));
    EXPECT_EQ(s.Point(3), QPoint(30, 20));
    // The same pixels as the rectangle dragged the other way.
    const Selection t = RectangleSelection({10, 20}, {30, 40});
    for (int y = 15; y < 45; ++y)
        for (int x = 5; x < 35; ++x)
            ASSERT_EQ(PointInPolygon(s, x, y), PointInPolygon(t, x, y));
}

TEST(SelectionTools, FreehandInvertsEachVisitAndStopsWhenFull)
{
    QImage img = Random(8, 8, 1);
    const QImage before = img.copy();
    Selection s;
    EXPECT_TRUE(AppendFreehandPoint(s, img, {3, 4}));
    const uchar *p = img.constScanLine(4) + 12;
    const uchar *q = before.constScanLine(4) + 12;
    EXPECT_EQ(p[0], 255 - q[0]);
    EXPECT_EQ(p[1], 255 - q[1]);
    EXPECT_EQ(p[2], 255 - q[2]);
    EXPECT_EQ(p[3], 0xFF);
    EXPECT_TRUE(AppendFreehandPoint(s, img, {3, 4}));
    EXPECT_EQ(img, before); // revisited: restored
    EXPECT_EQ(s.Count(), 2);
    EXPECT_TRUE(AppendFreehandPoint(s, img, {-1, 100})); // off the picture: no pixel
    EXPECT_EQ(img, before);
    while (!s.IsFull())
        s.Append({0, 0});
    EXPECT_FALSE(AppendFreehandPoint(s, img, {1, 1}));
    EXPECT_EQ(img, before);
}

TEST(SelectionTools, MouseBuildsSegmentAndPolygons)
{
    QImage img(50, 50, QImage::Format_RGBX8888);
    img.fill(Qt::white);
    const QImage blank = img.copy();
    SelectionTools tools;
    QPoint a, b;

    tools.SetTool(SelectionTools::Segment);
    tools.Press(img, {5, 5});
    tools.Move(img, {20, 9});
    EXPECT_NE(img, blank); // rubber line shown
    tools.Move(img, {8, 9});
    ASSERT_TRUE(tools.Release(img, {40, 40}, a, b));
    EXPECT_EQ(a, QPoint(5, 5));
    EXPECT_EQ(b, QPoint(8, 9)); // the last dragged position, not the release
    EXPECT_EQ(img, blank);      // the rubber line is gone
    EXPECT_TRUE(tools.selection.IsEmpty());

    tools.SetTool(SelectionTools::Ellipse);
    tools.Press(img, {30, 40});
    tools.Move(img, {10, 20});
    EXPECT_FALSE(tools.Release(img, {10, 20}, a, b));
    ASSERT_EQ(tools.selection.Count(), 4);
    EXPECT_EQ(tools.selection.Point(1), QPoint(10, 40));
    EXPECT_NE(img, blank); // the last rubber shape stays

    img = blank.copy();
    tools.SetTool(SelectionTools::Segments);
    tools.Press(img, {1, 1});
    EXPECT_EQ(img, blank);
    tools.Press(img, {10, 1});
    EXPECT_NE(img, blank);
    tools.Press(img, {10, 10});
    EXPECT_EQ(tools.selection.Count(), 3);

    img = blank.copy();
    tools.SetTool(SelectionTools::Freehand);
    tools.Move(img, {2, 2}); // no press yet
    EXPECT_TRUE(tools.selection.IsEmpty());
    tools.Press(img, {2, 2});
    tools.Move(img, {3, 2});
    tools.Release(img, {3, 2}, a, b);
    tools.Move(img, {4, 2});
    EXPECT_EQ(tools.selection.Count(), 2);
}

TEST(CopySelection, RectangleAndOutsidePixels)
{
    const QImage img = Random(40, 40, 3);
    const QImage c = CopySelection(img, RectangleSelection({10, 10}, {20, 30}));
    ASSERT_EQ(c.size(), QSize(10, 20));
    EXPECT_EQ(c.format(), QImage::Format_RGBX8888);
    EXPECT_EQ(c, img.copy(10, 10, 10, 20));

    // A triangle: outside pixels stay white.
    const Selection t = Poly({{0, 0}, {10, 0}, {0, 10}});
    const QImage ct = CopySelection(img, t);
    ASSERT_EQ(ct.size(), QSize(10, 10));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(ct.pixel(x, y), PointInPolygon(t, x, y) ? img.pixel(x, y) : qRgb(255, 255, 255));

    // Beyond the picture's borders: clipped at 0, missing pixels white, no reads outside.
    const QImage cb = CopySelection(img, RectangleSelection({-5, -5}, {50, 45}));
    ASSERT_EQ(cb.size(), QSize(50, 45));
    EXPECT_EQ(cb.copy(0, 0, 40, 40), img);
    EXPECT_EQ(cb.pixel(45, 10), qRgb(255, 255, 255));

    EXPECT_TRUE(CopySelection(img, Poly({{1, 1}, {5, 5}})).isNull());
    EXPECT_TRUE(CopySelection(img, Poly({{1, 1}, {1, 5}, {1, 9}})).isNull());
}
