#pragma once
// Clip regions within bounds: how far a region made from a polygon or from two regions can
// grow is known before it is made, and a region too tall for the painter is cut into bands.
#include "image_files/metafile/Budget.h"

#include <QPolygon>
#include <QRegion>

#include <vector>

namespace metafile::detail {

// At most the rectangles of the region a polygon fills.
qint64 PolygonRectsBound(const QPolygon &polygon);
// At most the rectangles of any boolean combination of two regions.
qint64 CombinedRectsBound(const QRegion &a, const QRegion &b);
// The rows of all the rectangles of a region: the spans the painter clips with.
qint64 RegionSpans(const QRegion &region);

// A region of rectangles in any order, overlapping or not; null when the budget refuses it.
QRegion RegionOfRects(std::vector<QRect> rects, Budget &budget);

// The painter sets aside a span for every rectangle of a clip region on every row of its
// height, whichever rows the rectangle covers. Cuts the region into bands of rows for which
// that stays within `maxSpans`; empty when the whole region already does.
std::vector<QRegion> Bands(const QRegion &region, qint64 maxSpans);

} // namespace metafile::detail
