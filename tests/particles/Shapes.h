#pragma once
// Pictures of known shapes for the particle tests: a pixel is black when its centre lies
// inside the shape, everything else white.
#include <QImage>

#include <cmath>
#include <cstdint>

struct Shape {
    double cx = 0, cy = 0;  // centre
    double a = 0, b = 0;    // half-axes (ellipse) or half-sides (rectangle)
    double angle = 0;       // radians, counter-clockwise as seen
    bool box = false;
    bool Contains(double x, double y) const
    {
        const double c = std::cos(angle), s = std::sin(angle);
        const double dx = x - cx, dy = cy - y; // rows run downwards
        const double u = dx * c + dy * s, v = -dx * s + dy * c;
        if (box)
            return std::fabs(u) <= a && std::fabs(v) <= b;
        return (u * u) / (a * a) + (v * v) / (b * b) <= 1;
    }
    // Draws the shape black into `picture` and returns its number of pixels.
    long long Draw(QImage &picture) const
    {
        const double r = std::max(a, b) + 2;
        long long n = 0;
        for (int y = std::max(0, int(cy - r)); y <= std::min(picture.height() - 1, int(cy + r)); ++y) {
            auto *row = reinterpret_cast<uint32_t *>(picture.scanLine(y));
            for (int x = std::max(0, int(cx - r)); x <= std::min(picture.width() - 1, int(cx + r)); ++x)
                if (Contains(x, y)) {
                    row[x] = 0xFF000000u;
                    ++n;
                }
        }
        return n;
    }
};

inline QImage WhitePicture(int w, int h)
{
    QImage img(w, h, QImage::Format_RGBX8888);
    img.fill(Qt::white);
    return img;
}
