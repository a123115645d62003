#pragma once
// Hand measurements on a picture: the linear size of a dragged segment, the perimeter and
// the area of the selection polygon, the mean density of each colour channel inside it,
// and the texts the measurement field and the series memo show.
#include "imaging/Selection.h"

#include <QChar>
#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace measure {

// Significant digits of the texts: linear size and densities 3, perimeter and area 6.
constexpr int LinearDigits = 3;
constexpr int PolygonDigits = 6;

// round(sqrt(dx^2 + dy^2)), halves to even.
int64_t SegmentLength(int x1, int y1, int x2, int y2);
// The exact distance, not rounded.
long double SegmentDistance(QPoint a, QPoint b);

// Sum of the rounded side lengths, the closing side included; 0 for fewer than 2 points.
int64_t PolygonPerimeter(const Selection &s);
// Number of pixels of the bounding box for which PointInPolygon holds.
int64_t PolygonArea(const Selection &s);

struct Densities {
    long double R = 0, G = 0, B = 0;
};
// Sums of each channel (0..255) over the inside pixels, divided by the area of the
// bounding box measured without the +1: (maxX - minX) * (maxY - minY). Pixels outside the
// picture add nothing. A box of zero width or height, or an empty selection, gives 0.
Densities ChannelDensity(const QImage &picture, const Selection &s);

// A measured value as the field shows it: rounded to P significant digits, 3 decimals.
QString MeasureText(long double value, int P, QChar sep);

// What the measurement field shows after each measurement; kpix in micrometres per pixel.
QString LinearSizeText(QPoint start, QPoint end, long double kpix, QChar sep);
QString PerimeterText(const Selection &s, long double kpix, QChar sep);
QString AreaText(const Selection &s, long double kpix, QChar sep);
// The three lines the density command appends to the series memo.
QStringList DensityLines(const Densities &d, QChar sep);

} // namespace measure
