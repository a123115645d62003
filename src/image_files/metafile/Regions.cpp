#include "image_files/metafile/Regions.h"

#include <algorithm>
#include <climits>

namespace metafile::detail {

namespace {

// Regions are kept as bands of rows, each band a row of rectangles.
struct BandShape {
    qint64 bands = 0, widest = 0;
};

BandShape ShapeOf(const QRegion &r)
{
    BandShape s;
    int top = INT_MIN;
    qint64 inBand = 0;
    for (const QRect &q : r) {
        if (q.top() != top) {
            top = q.top();
            ++s.bands;
            inBand = 0;
        }
        s.widest = std::max(s.widest, ++inBand);
    }
    return s;
}

} // namespace

qint64 PolygonRectsBound(const QPolygon &polygon)
{
    qint64 rows = 1;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPoint a = polygon[i], b = polygon[(i + 1) % polygon.size()];
        rows += std::abs(qint64(a.y()) - b.y()) + 1;
    }
    return rows;
}

qint64 CombinedRectsBound(const QRegion &a, const QRegion &b)
{
    // Every band edge of either may start a band; within a band the rows of rectangles merge.
    const BandShape x = ShapeOf(a), y = ShapeOf(b);
    return 2 * (x.bands + y.bands + 1) * (x.widest + y.widest + 1);
}

qint64 RegionSpans(const QRegion &region)
{
    qint64 spans = 0;
    for (const QRect &q : region)
        spans += q.height();
    return spans;
}

QRegion RegionOfRects(std::vector<QRect> rects, Budget &budget)
{
    std::sort(rects.begin(), rects.end(), [](const QRect &a, const QRect &b) {
        return a.top() != b.top() ? a.top() < b.top() : a.left() < b.left();
    });
    std::vector<QRegion> parts;
    parts.reserve(rects.size());
    for (const QRect &r : rects)
        if (!r.isEmpty())
            parts.emplace_back(r);
    // Neighbours first, so that each union stays small.
    while (parts.size() > 1) {
        std::vector<QRegion> next;
        next.reserve(parts.size() / 2 + 1);
        for (size_t i = 0; i + 1 < parts.size(); i += 2) {
            if (!budget.Region(CombinedRectsBound(parts[i], parts[i + 1])))
                return {};
            next.push_back(parts[i].united(parts[i + 1]));
        }
        if (parts.size() % 2)
            next.push_back(parts.back());
        parts.swap(next);
    }
    return parts.empty() ? QRegion() : parts.front();
}

std::vector<QRegion> Bands(const QRegion &region, qint64 maxSpans)
{
    const QRect box = region.boundingRect();
    const qint64 rects = region.rectCount(), height = box.height();
    if (rects <= 1 || rects * height <= maxSpans)
        return {};
    const qint64 count = std::min(height, (rects * height + maxSpans - 1) / maxSpans);
    const qint64 bandHeight = (height + count - 1) / count;
    std::vector<std::vector<QRect>> parts(size_t((height + bandHeight - 1) / bandHeight));
    for (const QRect &q : region) {
        // The rectangles of a band stay in their order, so each part is a region as it stands.
        for (qint64 b = (q.top() - box.top()) / bandHeight; b <= (q.bottom() - box.top()) / bandHeight; ++b) {
            const QRect strip(box.left(), int(box.top() + b * bandHeight), box.width(), int(bandHeight));
            parts[size_t(b)].push_back(q.intersected(strip));
        }
    }
    std::vector<QRegion> bands;
    for (const std::vector<QRect> &part : parts) {
        if (part.empty())
            continue;
        QRegion band;
        band.setRects(part.data(), int(part.size()));
        bands.push_back(band);
    }
    return bands;
}

} // namespace metafile::detail
