#include "imaging/Selection.h"

#include <algorithm>

bool Selection::Append(QPoint p)
{
    if (IsFull())
        return false;
    points_.push_back(p);
    return true;
}

bool Selection::Bounds(int &minX, int &maxX, int &minY, int &maxY) const
{
    if (points_.empty())
        return false;
    minX = maxX = points_[0].x();
    minY = maxY = points_[0].y();
    for (const QPoint &p : points_) {
        minX = std::min(minX, p.x());
        maxX = std::max(maxX, p.x());
        minY = std::min(minY, p.y());
        maxY = std::max(maxY, p.y());
    }
    return true;
}

namespace {

// The crossing of row y with the edge from Pj to Pi, when the row lies in its half-open
// y range. The product is taken in 64-bit integers so far-off points cannot overflow it.
inline bool Crossing(QPoint pi, QPoint pj, int y, double &x)
{
    const int yi = pi.y(), yj = pj.y();
    if (!((yi <= y && y < yj) || (yj <= y && y < yi)))
        return false;
    const int64_t num = (int64_t(pj.x()) - pi.x()) * (int64_t(y) - yi);
    x = double(num) / double(int64_t(yj) - yi) + pi.x();
    return true;
}

} // namespace

bool PointInPolygon(const Selection &s, int x, int y)
{
    const std::vector<QPoint> &p = s.Points();
    const size_t n = p.size();
    bool inside = false;
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i == 0) ? n - 1 : i - 1;
        double cx;
        if (Crossing(p[i], p[j], y, cx) && x < cx)
            inside = !inside;
    }
    return inside;
}

void RowCrossings(const Selection &s, int y, std::vector<double> &out)
{
    out.clear();
    const std::vector<QPoint> &p = s.Points();
    const size_t n = p.size();
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i == 0) ? n - 1 : i - 1;
        double cx;
        if (Crossing(p[i], p[j], y, cx))
            out.push_back(cx);
    }
    std::sort(out.begin(), out.end());
}

Selection RectangleSelection(QPoint start, QPoint end)
{
    Selection s;
    s.Append(start);
    s.Append(QPoint(end.x(), start.y()));
    s.Append(end);
    s.Append(QPoint(start.x(), end.y()));
    return s;
}

bool AppendSegmentsPoint(Selection &s, QPoint p)
{
    return s.Append(p) && s.Count() >= 2;
}

bool AppendFreehandPoint(Selection &s, QImage &picture, QPoint p)
{
    if (!s.Append(p))
        return false;
    if (p.x() >= 0 && p.y() >= 0 && p.x() < picture.width() && p.y() < picture.height()) {
        // R, G, B become 255 minus themselves; the fourth byte stays 0xFF.
        if (picture.format() != QImage::Format_RGBX8888)
            picture.convertTo(QImage::Format_RGBX8888);
        uchar *px = picture.scanLine(p.y()) + 4 * p.x();
        px[0] = uchar(255 - px[0]);
        px[1] = uchar(255 - px[1]);
        px[2] = uchar(255 - px[2]);
    }
    return true;
}

QImage CopySelection(const QImage &pictureIn, const Selection &s)
{
    int minX, maxX, minY, maxY;
    if (s.Count() < 3 || !s.Bounds(minX, maxX, minY, maxY))
        return QImage();
    minX = std::max(minX, 0);
    minY = std::max(minY, 0);
    const int64_t w = int64_t(maxX) - minX, h = int64_t(maxY) - minY;
    if (w <= 0 || h <= 0)
        return QImage();
    QImage out(int(w), int(h), QImage::Format_RGBX8888);
    if (out.isNull())
        return out;
    out.fill(Qt::white);
    const QImage picture = pictureIn.format() == QImage::Format_RGBX8888
                               ? pictureIn
                               : pictureIn.convertToFormat(QImage::Format_RGBX8888);
    // Only pixels that exist in both pictures are copied; the rest stay white.
    const int yTo = std::min<int64_t>(int64_t(maxY), int64_t(picture.height()) - 1);
    const int xTo = std::min<int64_t>(int64_t(maxX), int64_t(picture.width()) - 1);
    ForEachInsideRun(s, minY, yTo, minX, xTo, [&](int y, int x0, int x1) {
        if (y - minY >= out.height())
            return;
        const int last = std::min(x1, minX + out.width() - 1);
        if (last < x0)
            return;
        const uchar *src = picture.constScanLine(y) + 4 * size_t(x0);
        uchar *dst = out.scanLine(y - minY) + 4 * size_t(x0 - minX);
        std::copy(src, src + 4 * size_t(last - x0 + 1), dst);
    });
    return out;
}
