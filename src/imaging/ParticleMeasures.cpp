#include "imaging/ParticleMeasures.h"

#include <opencv2/imgproc.hpp>

#include <cmath>
#include <cstdint>
#include <numeric>

namespace particles {

namespace {

int DirectionOf(const cv::Point &d) { return (d.x + 1) * 3 + (d.y + 1); }

long long Cross(const cv::Point &o, const cv::Point &a, const cv::Point &b)
{
    return (long long)(a.x - o.x) * (b.y - o.y) - (long long)(a.y - o.y) * (b.x - o.x);
}

// Negative for an outline as OpenCV traces it (rows running downwards), positive for a hole.
long long TwiceSignedArea(const std::vector<cv::Point> &c)
{
    long long a = 0;
    for (size_t i = 0, n = c.size(); i < n; ++i) {
        const cv::Point &p = c[i], &q = c[(i + 1) % n];
        a += (long long)p.x * q.y - (long long)q.x * p.y;
    }
    return a;
}

long long Dist2(const cv::Point &a, const cv::Point &b)
{
    const long long dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

} // namespace

double ChainLength(const std::vector<cv::Point> &chain)
{
    const size_t n = chain.size();
    if (n < 2)
        return 0;
    long even = 0, odd = 0, corners = 0;
    int first = -1, prev = -1;
    for (size_t i = 0; i < n; ++i) {
        const cv::Point d = chain[(i + 1) % n] - chain[i];
        (d.x != 0 && d.y != 0 ? odd : even) += 1;
        const int dir = DirectionOf(d);
        if (prev >= 0 && dir != prev)
            ++corners;
        if (first < 0)
            first = dir;
        prev = dir;
    }
    if (prev != first)
        ++corners;
    return 0.980 * double(even) + 1.406 * double(odd) - 0.091 * double(corners);
}

Calipers CalipersOf(const std::vector<cv::Point> &hull)
{
    Calipers c;
    const size_t n = hull.size();
    if (n < 2)
        return c;
    long long best = -1;
    cv::Point &a = c.from, &b = c.to;
    c.side = cv::Point(1, 0);
    auto consider = [&](const cv::Point &p, const cv::Point &q) {
        const long long d = Dist2(p, q);
        if (d > best) {
            best = d;
            a = p;
            b = q;
        }
    };
    if (n == 2) {
        consider(hull[0], hull[1]);
        c.side = hull[1] - hull[0];
    } else {
        // For each edge the vertex farthest from its line; the widest pairs are among the
        // edge's ends with that vertex (and its equally far successor on parallel edges).
        double minWidth = INFINITY;
        size_t k = 1;
        for (size_t i = 0; i < n; ++i) {
            const size_t j = (i + 1) % n;
            auto area = [&](size_t m) { return std::llabs(Cross(hull[i], hull[j], hull[m])); };
            while (area((k + 1) % n) > area(k))
                k = (k + 1) % n;
            const size_t k1 = (k + 1) % n;
            consider(hull[i], hull[k]);
            consider(hull[j], hull[k]);
            if (area(k1) == area(k)) {
                consider(hull[i], hull[k1]);
                consider(hull[j], hull[k1]);
            }
            const double edge = std::sqrt(double(Dist2(hull[i], hull[j])));
            if (edge > 0 && double(area(k)) / edge < minWidth) {
                minWidth = double(area(k)) / edge;
                c.side = hull[j] - hull[i];
            }
        }
        c.min = std::isfinite(minWidth) ? minWidth : 0;
    }
    if (c.min == 0) { // all on one line: the calipers' walk is not defined there
        for (size_t i = 0; i < n; ++i)
            for (size_t j = i + 1; j < n; ++j)
                consider(hull[i], hull[j]);
        c.side = b - a;
    }
    c.max = std::sqrt(double(best));
    // Rows run downwards, so the angle as seen turns the other way.
    double deg = std::atan2(double(a.y - b.y), double(b.x - a.x)) * 180 / M_PI;
    if (deg < 0)
        deg += 180;
    if (deg >= 180)
        deg -= 180;
    c.angle = deg;
    return c;
}

namespace {

// Width of the convex polygon across direction (ux, uy) at `depth` below its extreme that way.
double WidthBelowTip(const std::vector<cv::Point> &hull, double ux, double uy, double depth)
{
    double top = -INFINITY;
    for (const cv::Point &p : hull)
        top = std::max(top, p.x * ux + p.y * uy);
    const double level = top - depth;
    double lo = INFINITY, hi = -INFINITY;
    auto take = [&](double x, double y) {
        const double across = y * ux - x * uy;
        lo = std::min(lo, across);
        hi = std::max(hi, across);
    };
    const size_t n = hull.size();
    for (size_t i = 0; i < n; ++i) {
        const cv::Point &a = hull[i], &b = hull[(i + 1) % n];
        const double da = a.x * ux + a.y * uy - level, db = b.x * ux + b.y * uy - level;
        if (da >= 0)
            take(a.x, a.y);
        if ((da > 0 && db < 0) || (da < 0 && db > 0)) {
            const double t = da / (da - db);
            take(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y));
        }
    }
    return hi > lo ? hi - lo : 0;
}

// The outline lies half a pixel beyond the centres all round. Moving the sides of the
// centres' hull out by that half pixel lengthens it by tan(t / 2) at each corner that turns
// by t: pi in all for a round outline, 4 for a rectangle's. Corners sharper than a right
// angle count as right angles: their tips are rarely as long as the mitre.
double Closing(const std::vector<cv::Point> &hull)
{
    const size_t n = hull.size();
    if (n < 3)
        return M_PI;
    double sum = 0;
    for (size_t i = 0; i < n; ++i) {
        const cv::Point a = hull[i] - hull[(i + n - 1) % n], b = hull[(i + 1) % n] - hull[i];
        const double cross = std::fabs(double(a.x) * b.y - double(a.y) * b.x);
        const double dot = double(a.x) * b.x + double(a.y) * b.y;
        const double norms = std::sqrt(double(a.x) * a.x + double(a.y) * a.y) * std::sqrt(double(b.x) * b.x + double(b.y) * b.y);
        sum += norms + dot > 0 ? std::min(1.0, cross / (norms + dot)) : 1;
    }
    return sum;
}

double TipGap(double width) { return width > 0 ? std::min(0.5, 2 * std::pow(width, -4.0 / 3)) : 0.5; }

} // namespace

Feret FeretOf(const std::vector<cv::Point> &hull)
{
    const Calipers c = CalipersOf(hull);
    Feret f;
    f.angle = c.angle;
    const cv::Point d = c.to - c.from;
    if (d.x == 0 && d.y == 0) { // one pixel
        f.max = f.min = 1;
        return f;
    }
    const double len = std::sqrt(double(d.x) * d.x + double(d.y) * d.y), ux = d.x / len, uy = d.y / len;
    f.max = c.max + TipGap(WidthBelowTip(hull, ux, uy, 1)) + TipGap(WidthBelowTip(hull, -ux, -uy, 1));
    // Lines of centres along a side of direction (p, q) in lowest terms lie 1 / |(p, q)| apart.
    const int g = std::gcd(std::abs(c.side.x), std::abs(c.side.y));
    const double spacing = g ? double(g) / std::sqrt(double(c.side.x) * c.side.x + double(c.side.y) * c.side.y) : 1;
    f.min = c.min + spacing;
    return f;
}

void MeasureShape(const cv::Mat &labels, Particle &p, cv::Mat &scratch)
{
    const int w = p.right - p.left + 1, h = p.bottom - p.top + 1;
    // The particle alone, with a frame of background so every outline closes.
    scratch.create(h + 2, w + 2, CV_8U);
    scratch.setTo(0);
    cv::Mat inner = scratch(cv::Rect(1, 1, w, h));
    cv::compare(labels(cv::Rect(p.left, p.top, w, h)), p.id, inner, cv::CMP_EQ);

    // The plain list: asking OpenCV for the nesting costs time that grows with the square of
    // the holes. The tracing goes round outlines and holes in opposite senses instead.
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(scratch, contours, cv::RETR_LIST, cv::CHAIN_APPROX_NONE);
    double perimeter = 0;
    std::vector<cv::Point> outer;
    for (const std::vector<cv::Point> &c : contours) {
        const double len = ChainLength(c);
        if (TwiceSignedArea(c) <= 0) {
            perimeter += len;
            outer.insert(outer.end(), c.begin(), c.end());
        } else {
            // A hole's outline lies half a pixel inside the centres around it.
            perimeter += std::max(0.0, len - M_PI);
        }
    }
    std::vector<cv::Point> hull;
    if (!outer.empty())
        cv::convexHull(outer, hull);
    const Feret f = FeretOf(hull);
    perimeter += Closing(hull);
    p.perimeter = perimeter;
    p.feretMax = f.max;
    p.feretMin = f.min;
    p.feretAngle = f.angle;
    p.aspect = p.feretMax / p.feretMin;
    p.circularity = perimeter > 0 ? 4 * M_PI * double(p.area) / (perimeter * perimeter) : 0;
}

} // namespace particles
