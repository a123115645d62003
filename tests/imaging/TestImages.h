#pragma once
// Small helpers of the imaging tests: pictures as plain arrays of packed colours.
#include <QImage>
#include <cstdint>
#include <random>
#include <vector>

struct Grid {
    int W = 0, H = 0;
    std::vector<uint32_t> v; // v[y * W + x], packed 0x00BBGGRR
    Grid() = default;
    Grid(int w, int h, uint32_t fill = 0) : W(w), H(h), v(size_t(w) * size_t(h), fill) {}
    uint32_t &at(int x, int y) { return v[size_t(y) * size_t(W) + size_t(x)]; }
    uint32_t at(int x, int y) const { return v[size_t(y) * size_t(W) + size_t(x)]; }
    bool operator==(const Grid &o) const { return W == o.W && H == o.H && v == o.v; }
};

inline QImage ToImage(const Grid &g)
{
    QImage img(g.W, g.H, QImage::Format_RGBX8888);
    for (int y = 0; y < g.H; ++y)
        for (int x = 0; x < g.W; ++x) {
            const uint32_t c = g.at(x, y);
            img.setPixel(x, y, qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
        }
    return img;
}

inline Grid FromImage(const QImage &img)
{
    Grid g(img.width(), img.height());
    for (int y = 0; y < g.H; ++y)
        for (int x = 0; x < g.W; ++x) {
            const QRgb c = img.pixel(x, y);
            g.at(x, y) = uint32_t(qRed(c)) | (uint32_t(qGreen(c)) << 8) | (uint32_t(qBlue(c)) << 16);
        }
    return g;
}

// Colours drawn from a small palette (ties in the median) or from the whole range.
inline Grid RandomGrid(std::mt19937 &rng, int w, int h, bool palette)
{
    static const uint32_t pal[] = {0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 0x010000, 0x0000FE};
    Grid g(w, h);
    for (auto &c : g.v)
        c = palette ? pal[rng() % 8] : (rng() & 0xFFFFFF);
    return g;
}
