// Lengths, perimeters, areas, channel densities and their texts.
#include "imaging/Measure.h"

#include <gtest/gtest.h>
#include <random>

using namespace measure;

namespace {

Selection Poly(std::initializer_list<QPoint> pts)
{
    Selection s;
    for (QPoint p : pts)
        s.Append(p);
    return s;
}

const QChar comma(','), point('.');

} // namespace

TEST(Measure, SegmentLengthsAndTexts)
{
    EXPECT_EQ(SegmentLength(0, 0, 3, 4), 5);
    EXPECT_EQ(SegmentLength(0, 0, 1, 1), 1);  // 1.414
    EXPECT_EQ(SegmentLength(0, 0, 1, 2), 2);  // 2.236
    EXPECT_EQ(SegmentLength(5, 5, 5, 5), 0);
    EXPECT_EQ(SegmentLength(-100000, 0, 100000, 0), 200000); // no overflow of the squares
    EXPECT_EQ(LinearSizeText({0, 0}, {3, 4}, 1, comma), "5,000");
    EXPECT_EQ(LinearSizeText({0, 0}, {3, 4}, 2.5L, comma), "12,500");
    EXPECT_EQ(LinearSizeText({0, 0}, {3, 4}, 2.5L, point), "12.500");
    // Not rounded before scaling: 1.414... * 10 shows three significant digits.
    EXPECT_EQ(LinearSizeText({0, 0}, {1, 1}, 10, comma), "14,100");
    EXPECT_EQ(MeasureText(12.345L, LinearDigits, comma), "12,300");
}

TEST(Measure, RectangleExample)
{
    const Selection r = Poly({{10, 10}, {20, 10}, {20, 30}, {10, 30}});
    EXPECT_EQ(PolygonPerimeter(r), 60);
    EXPECT_EQ(PolygonArea(r), 200);
    EXPECT_EQ(PerimeterText(r, 0.5L, comma), "30,000");
    EXPECT_EQ(AreaText(r, 0.5L, comma), "50,000");
    EXPECT_EQ(AreaText(r, 1, point), "200.000");
}

TEST(Measure, HandComputedPolygons)
{
    // Triangle: integer points with x < 10 - y for y = 0..9.
    const Selection tri = Poly({{0, 0}, {10, 0}, {0, 10}});
    EXPECT_EQ(PolygonArea(tri), 55);
    EXPECT_EQ(PolygonPerimeter(tri), 10 + 14 + 10); // 14.142 rounded

    // Each side rounded before the sum: four sides of 1.414 give 4, not 6.
    const Selection diamond = Poly({{1, 0}, {2, 1}, {1, 2}, {0, 1}});
    EXPECT_EQ(PolygonPerimeter(diamond), 4);
    // Row 0 is the apex (empty run), row 1 holds x = 0 and 1, row 2 is the bottom row.
    EXPECT_EQ(PolygonArea(diamond), 2);

    // An L shape, 20x20 minus the 10x10 top-right quarter.
    const Selection ell = Poly({{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 20}, {0, 20}});
    EXPECT_EQ(PolygonArea(ell), 300);
    EXPECT_EQ(PolygonPerimeter(ell), 80);

    // Self-crossing bow tie: even-odd, each half counts.
    const Selection bow = Poly({{0, 0}, {10, 10}, {10, 0}, {0, 10}});
    int64_t brute = 0;
    for (int y = 0; y <= 10; ++y)
        for (int x = 0; x <= 10; ++x)
            brute += PointInPolygon(bow, x, y);
    EXPECT_EQ(PolygonArea(bow), brute);

    EXPECT_EQ(PolygonArea(Selection()), 0);
    EXPECT_EQ(PolygonPerimeter(Selection()), 0);
    EXPECT_EQ(PolygonPerimeter(Poly({{3, 3}})), 0);
    EXPECT_EQ(PolygonPerimeter(Poly({{0, 0}, {3, 4}})), 10); // there and back
    EXPECT_EQ(PerimeterText(Selection(), 1, comma), "0,000");
}

TEST(Measure, LargeAreaInExponentForm)
{
    // 1234567 square micrometres: more integer digits than six significant ones.
    const QString t = MeasureText(1234567, PolygonDigits, comma);
    EXPECT_TRUE(t.contains('E')) << t.toStdString();
    EXPECT_EQ(t, "1,23457E006");
    const Selection big = Poly({{0, 0}, {1111, 0}, {1111, 1111}, {0, 1111}});
    EXPECT_EQ(PolygonArea(big), 1111 * 1111);
    EXPECT_EQ(AreaText(big, 1, comma), "1,23432E006");
}

TEST(Measure, DensityExample)
{
    QImage img(30, 30, QImage::Format_RGBX8888);
    img.fill(QColor(100, 100, 100));
    // 200 inside pixels of 100 over a 10 x 20 box.
    const Densities d = ChannelDensity(img, Poly({{0, 0}, {10, 0}, {10, 20}, {0, 20}}));
    EXPECT_DOUBLE_EQ(double(d.R), 100);
    const QStringList lines = DensityLines(d, comma);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Средняя плотность по каналу R = 100,000"));
    EXPECT_EQ(lines[1], QStringLiteral("Средняя плотность по каналу G = 100,000"));
    EXPECT_EQ(lines[2], QStringLiteral("Средняя плотность по каналу B = 100,000"));
}

TEST(Measure, DensityMatchesAPlainReference)
{
    std::mt19937 rng(11);
    for (int trial = 0; trial < 40; ++trial) {
        const int w = 1 + int(rng() % 37), h = 1 + int(rng() % 29);
        QImage img(w, h, QImage::Format_RGBX8888);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                img.setPixel(x, y, qRgb(int(rng() % 256), int(rng() % 256), int(rng() % 256)));
        Selection s;
        const int n = 3 + int(rng() % 8);
        for (int i = 0; i < n; ++i) // sometimes beyond the borders
            s.Append(QPoint(int(rng() % (w + 10)) - 5, int(rng() % (h + 10)) - 5));
        int minX, maxX, minY, maxY;
        s.Bounds(minX, maxX, minY, maxY);
        long double r = 0, g = 0, b = 0;
        for (int y = minY; y <= maxY; ++y)
            for (int x = minX; x <= maxX; ++x)
                if (x >= 0 && y >= 0 && x < w && y < h && PointInPolygon(s, x, y)) {
                    const QRgb c = img.pixel(x, y);
                    r += qRed(c);
                    g += qGreen(c);
                    b += qBlue(c);
                }
        const long double box = (long double)(maxX - minX) * (maxY - minY);
        const Densities d = ChannelDensity(img, s);
        const Densities d32 = ChannelDensity(img.convertToFormat(QImage::Format_RGB32), s);
        if (box == 0) {
            EXPECT_EQ(d.R, 0);
            continue;
        }
        EXPECT_NEAR(double(d.R), double(r / box), 1e-9) << trial;
        EXPECT_NEAR(double(d.G), double(g / box), 1e-9) << trial;
        EXPECT_NEAR(double(d.B), double(b / box), 1e-9) << trial;
        EXPECT_EQ(d32.R, d.R);
        EXPECT_EQ(d32.B, d.B);
    }
}

TEST(Measure, DensityDegenerateCases)
{
    QImage img(10, 10, QImage::Format_RGBX8888);
    img.fill(Qt::white);
    // Zero-width box: no division by zero, all 0.
    const Densities z = ChannelDensity(img, Poly({{5, 0}, {5, 9}, {5, 4}}));
    EXPECT_EQ(z.R, 0);
    EXPECT_EQ(DensityLines(z, comma)[1], QStringLiteral("Средняя плотность по каналу G = 0,000"));
    EXPECT_EQ(ChannelDensity(img, Selection()).G, 0);
    EXPECT_EQ(ChannelDensity(QImage(), Poly({{0, 0}, {4, 0}, {4, 4}})).B, 0);
    // Entirely outside the picture: the pixels add nothing.
    EXPECT_EQ(ChannelDensity(img, Poly({{100, 100}, {200, 100}, {200, 200}})).R, 0);
    // Half outside: the inside half of white counts over the whole box.
    const Densities h = ChannelDensity(img, Poly({{5, 0}, {15, 0}, {15, 10}, {5, 10}}));
    EXPECT_DOUBLE_EQ(double(h.R), 255.0 * 50 / 100);
}
