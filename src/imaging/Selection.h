#pragma once
// The selection polygon of an image window and what the selection tools build from the
// mouse. Points are picture pixels (x right, y down); the polygon is closed implicitly.
#include <QImage>
#include <QPoint>
#include <cmath>
#include <cstdint>
#include <vector>

class Selection {
public:
    static constexpr int Capacity = 1000;

    int Count() const { return int(points_.size()); }
    bool IsEmpty() const { return points_.empty(); }
    bool IsFull() const { return Count() >= Capacity; }
    // Point i, 0-based.
    QPoint Point(int i) const { return points_[size_t(i)]; }
    const std::vector<QPoint> &Points() const { return points_; }

    // Adds a point; a full polygon ignores further points and returns false.
    bool Append(QPoint p);
    void Clear() { points_.clear(); }

    // Extremes of the point coordinates; false for an empty polygon.
    bool Bounds(int &minX, int &maxX, int &minY, int &maxY) const;

private:
    std::vector<QPoint> points_;
};

// The even-odd test of one pixel position: an edge counts when the row lies in its
// half-open y range, and the pixel is left of the crossing. So a pixel on a left edge is
// inside, on a right edge outside; the top row counts, the bottom row does not.
bool PointInPolygon(const Selection &s, int x, int y);

// The crossings of row y with the edges, sorted. Pixel x is inside exactly when an odd
// number of them are <= x, i.e. x lies in [X0, X1), [X2, X3), ... This is the same test
// as PointInPolygon, done for a whole row at once.
void RowCrossings(const Selection &s, int y, std::vector<double> &out);

// Calls f(y, x0, x1) for every run of inside pixels x0..x1 (inclusive) of the rows
// yFrom..yTo, clipped to columns xFrom..xTo.
template <class F>
void ForEachInsideRun(const Selection &s, int yFrom, int yTo, int xFrom, int xTo, F f);

// The rectangle and ellipse tools: corners P1 = start, P2 = (end.x, start.y), P3 = end,
// P4 = (start.x, end.y). The ellipse tool selects the same rectangle.
Selection RectangleSelection(QPoint start, QPoint end);

// The segments tool: appends the pressed position; returns true when a line from the
// previous point to this one is to be drawn (two points or more and the point was taken).
bool AppendSegmentsPoint(Selection &s, QPoint p);

// The freehand tool at one mouse position: the position joins the polygon and its pixel
// is inverted (0xFFFFFF - colour). A full polygon takes no more points and then leaves
// the picture alone, so the marks shown are exactly the points held. Positions outside
// the picture join the polygon but change no pixel.
bool AppendFreehandPoint(Selection &s, QImage &picture, QPoint p);

// Copies the inside pixels of the selection into a new white picture of the bounding
// box's size (minX, minY clipped at 0); pixels outside the source picture stay white.
// Fewer than 3 points, or an empty box, give a null image.
QImage CopySelection(const QImage &picture, const Selection &s);

// ---------------------------------------------------------------------------------------

template <class F>
void ForEachInsideRun(const Selection &s, int yFrom, int yTo, int xFrom, int xTo, F f)
{
    std::vector<double> xs;
    for (int64_t y = yFrom; y <= yTo; ++y) {
        RowCrossings(s, int(y), xs);
        for (size_t k = 0; k + 1 < xs.size(); k += 2) {
            // Integer x with xs[k] <= x < xs[k+1].
            const double a = std::ceil(xs[k]);
            const double b = std::ceil(xs[k + 1]) - 1;
            const double lo = a < xFrom ? double(xFrom) : a;
            const double hi = b > xTo ? double(xTo) : b;
            if (lo <= hi)
                f(int(y), int(lo), int(hi));
        }
    }
}
