// The shapes of the graphic editor and the inverting rubber shapes.
#include "imaging/Drawing.h"

#include <gtest/gtest.h>

namespace {

QImage Gradient(int w, int h)
{
    QImage img(w, h, QImage::Format_RGBX8888);
    for (int y = 0; y < h; ++y) {
        uchar *p = img.scanLine(y);
        for (int x = 0; x < w; ++x, p += 4) {
            p[0] = uchar(x * 5);
            p[1] = uchar(y * 7);
            p[2] = uchar(x + y);
            p[3] = 0xFF;
        }
    }
    return img;
}

bool Inverted(const QImage &a, const QImage &b, int x, int y)
{
    const QRgb c = a.pixel(x, y), d = b.pixel(x, y);
    return qRed(c) == 255 - qRed(d) && qGreen(c) == 255 - qGreen(d) && qBlue(c) == 255 - qBlue(d);
}

} // namespace

TEST(Drawing, RoundRectCornerKeepsSignAndTruncates)
{
    EXPECT_EQ(RoundRectCorner({0, 0}, {40, 20}), QSize(-20, -10));
    EXPECT_EQ(RoundRectCorner({41, 21}, {0, 0}), QSize(20, 10));
    EXPECT_EQ(RoundRectCorner({0, 0}, {41, 21}), QSize(-20, -10));
}

TEST(Drawing, NotXorTwiceRestoresEveryShape)
{
    const QImage orig = Gradient(60, 50);
    for (ToolShapeKind shape : {ShapePoint, ShapeLine, ShapeRectangle, ShapeEllipse, ShapeRoundRect}) {
        QImage img = orig.copy();
        DrawStyle st;
        DrawShape(img, shape, {5, 6}, {40, 30}, PenMode::NotXor, st);
        EXPECT_NE(img, orig) << int(shape);
        EXPECT_EQ(img.format(), QImage::Format_RGBX8888);
        DrawShape(img, shape, {5, 6}, {40, 30}, PenMode::NotXor, st);
        EXPECT_EQ(img, orig) << int(shape);
    }
}

TEST(Drawing, SelectionRectangleInvertsOnlyItsOutline)
{
    const QImage orig = Gradient(60, 50);
    QImage img = orig.copy();
    DrawShape(img, ShapeRectangle, {30, 40}, {10, 20}, PenMode::NotXor, DrawStyle());
    EXPECT_TRUE(Inverted(img, orig, 10, 20)); // both corners belong to the outline
    EXPECT_TRUE(Inverted(img, orig, 30, 40));
    EXPECT_TRUE(Inverted(img, orig, 20, 20));
    EXPECT_EQ(img.pixel(20, 30), orig.pixel(20, 30)); // interior unchanged
    EXPECT_EQ(img.pixel(31, 30), orig.pixel(31, 30));
    // Dot at Q only.
    img = orig.copy();
    DrawShape(img, ShapePoint, {0, 0}, {7, 8}, PenMode::NotXor, DrawStyle());
    EXPECT_TRUE(Inverted(img, orig, 7, 8));
    EXPECT_EQ(img.pixel(8, 9), orig.pixel(8, 9));
}

TEST(Drawing, CopyModeUsesPenAndBrush)
{
    QImage img(40, 40, QImage::Format_RGBX8888);
    img.fill(Qt::white);
    DrawStyle st;
    st.penColor = QColor(255, 0, 0);
    st.brushColor = QColor(0, 0, 255);
    DrawShape(img, ShapeRectangle, {5, 5}, {30, 30}, PenMode::Copy, st);
    EXPECT_EQ(img.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(15, 15), qRgb(0, 0, 255));
    st.brushStyle = BrushStyleOfButton(1); // clear
    st.penStyle = PenStyleOfButton(5);     // invisible
    QImage other(40, 40, QImage::Format_RGBX8888);
    other.fill(Qt::white);
    DrawShape(other, ShapeEllipse, {5, 5}, {30, 30}, PenMode::Copy, st);
    EXPECT_EQ(other.pixel(17, 17), qRgb(255, 255, 255));
    EXPECT_EQ(BrushStyleOfButton(7), Qt::DiagCrossPattern);
    EXPECT_EQ(PenStyleOfButton(4), Qt::DashDotDotLine);
}

TEST(Drawing, ToolDragLeavesOnlyTheFinalShape)
{
    QImage img(50, 50, QImage::Format_RGBX8888);
    img.fill(Qt::white);
    DrawingTool tool;
    tool.toolShape = ShapeLine;
    tool.Press({2, 2});
    tool.Move(img, {40, 10});
    tool.Move(img, {10, 40});
    tool.Release(img, {10, 40});
    QImage expect(50, 50, QImage::Format_RGBX8888);
    expect.fill(Qt::white);
    DrawShape(expect, ShapeLine, {2, 2}, {10, 40}, PenMode::Copy, DrawStyle());
    EXPECT_EQ(img, expect);

    // The point tool leaves a dot at every reported position.
    img.fill(Qt::white);
    tool.toolShape = ShapePoint;
    tool.Press({1, 1});
    tool.Move(img, {5, 5});
    tool.Move(img, {9, 5});
    tool.Release(img, {9, 5});
    EXPECT_EQ(img.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(9, 5), qRgb(0, 0, 0));
    EXPECT_FALSE(tool.mouseIsDown);
}
