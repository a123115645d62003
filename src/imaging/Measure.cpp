#include "imaging/Measure.h"
#include "base/NumberForms.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace measure {

long double SegmentDistance(QPoint a, QPoint b)
{
    const long double dx = (long double)b.x() - a.x();
    const long double dy = (long double)b.y() - a.y();
    return std::sqrt(dx * dx + dy * dy);
}

int64_t SegmentLength(int x1, int y1, int x2, int y2)
{
    return int64_t(std::nearbyint(SegmentDistance(QPoint(x1, y1), QPoint(x2, y2))));
}

int64_t PolygonPerimeter(const Selection &s)
{
    const int n = s.Count();
    if (n < 2)
        return 0;
    int64_t sum = 0;
    for (int i = 0; i + 1 < n; ++i)
        sum += SegmentLength(s.Point(i).x(), s.Point(i).y(), s.Point(i + 1).x(), s.Point(i + 1).y());
    return sum + SegmentLength(s.Point(n - 1).x(), s.Point(n - 1).y(), s.Point(0).x(), s.Point(0).y());
}

int64_t PolygonArea(const Selection &s)
{
    int minX, maxX, minY, maxY;
    if (!s.Bounds(minX, maxX, minY, maxY))
        return 0;
    int64_t count = 0;
    ForEachInsideRun(s, minY, maxY, minX, maxX,
                     [&](int, int x0, int x1) { count += int64_t(x1) - x0 + 1; });
    return count;
}

Densities ChannelDensity(const QImage &pictureIn, const Selection &s)
{
    Densities d;
    int minX, maxX, minY, maxY;
    if (!s.Bounds(minX, maxX, minY, maxY))
        return d;
    const long double box = ((long double)maxX - minX) * ((long double)maxY - minY);
    if (box == 0 || pictureIn.isNull())
        return d;
    const QImage picture = pictureIn.format() == QImage::Format_RGBX8888
                               ? pictureIn
                               : pictureIn.convertToFormat(QImage::Format_RGBX8888);
    // Only rows and columns of the picture can add anything.
    const int yFrom = std::max(minY, 0);
    const int yTo = int(std::min<int64_t>(maxY, int64_t(picture.height()) - 1));
    const int xFrom = std::max(minX, 0);
    const int xTo = int(std::min<int64_t>(maxX, int64_t(picture.width()) - 1));
    uint64_t r = 0, g = 0, b = 0;
    if (yFrom <= yTo && xFrom <= xTo) {
        ForEachInsideRun(s, yFrom, yTo, xFrom, xTo, [&](int y, int x0, int x1) {
            const uchar *px = picture.constScanLine(y) + 4 * size_t(x0);
            uint64_t rr = 0, gg = 0, bb = 0;
            for (int x = x0; x <= x1; ++x, px += 4) {
                rr += px[0];
                gg += px[1];
                bb += px[2];
            }
            r += rr;
            g += gg;
            b += bb;
        });
    }
    d.R = (long double)r / box;
    d.G = (long double)g / box;
    d.B = (long double)b / box;
    return d;
}

QString MeasureText(long double value, int P, QChar sep)
{
    return numtext::FormatFixed(value, P, 3, sep);
}

QString LinearSizeText(QPoint start, QPoint end, long double kpix, QChar sep)
{
    return MeasureText(kpix * SegmentDistance(start, end), LinearDigits, sep);
}

QString PerimeterText(const Selection &s, long double kpix, QChar sep)
{
    return MeasureText(kpix * (long double)PolygonPerimeter(s), PolygonDigits, sep);
}

QString AreaText(const Selection &s, long double kpix, QChar sep)
{
    return MeasureText(kpix * kpix * (long double)PolygonArea(s), PolygonDigits, sep);
}

QStringList DensityLines(const Densities &d, QChar sep)
{
    return {QCoreApplication::translate("Measure", "Средняя плотность по каналу R = ") +
                MeasureText(d.R, LinearDigits, sep),
            QCoreApplication::translate("Measure", "Средняя плотность по каналу G = ") +
                MeasureText(d.G, LinearDigits, sep),
            QCoreApplication::translate("Measure", "Средняя плотность по каналу B = ") +
                MeasureText(d.B, LinearDigits, sep)};
}

} // namespace measure
