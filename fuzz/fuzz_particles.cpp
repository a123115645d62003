// The particle analysis on a random small picture with random options: every pixel of a
// particle is labelled with it, its measures are finite and consistent.
#include "FuzzCommon.h"
#include "imaging/Particles.h"

#include <cmath>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 8)
        return 0;
    particles::Options o;
    o.thresholdPercent = data[0] % 102 - 1; // -1: Otsu
    o.objects = data[1] & 1 ? particles::Objects::Light : particles::Objects::Dark;
    o.fillHoles = data[1] & 2;
    o.excludeBorder = data[1] & 4;
    o.separate = data[1] & 8;
    o.connectivity = data[1] & 16 ? 4 : 8;
    o.minArea = data[2] % 8;
    o.splitDepth = data[3] % 5 + 0.5 * (data[3] >> 7);
    const int w = data[4] % 64 + 1, h = data[5] % 64 + 1;
    data += 6;
    size -= 6;
    QImage picture(w, h, QImage::Format_Grayscale8);
    for (int y = 0; y < h; ++y) {
        uchar *row = picture.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            row[x] = i < size ? data[i] : 0;
        }
    }
    particles::Finder finder;
    particles::Result r;
    FUZZ_CHECK(finder.Find(picture, o, r));
    FUZZ_CHECK(r.width == w && r.height == h && r.labels.size() == size_t(w) * size_t(h));
    std::vector<long long> area(r.particles.size() + 1, 0);
    for (int32_t id : r.labels) {
        FUZZ_CHECK(id >= 0 && size_t(id) <= r.particles.size());
        ++area[size_t(id)];
    }
    for (size_t k = 0; k < r.particles.size(); ++k) {
        const particles::Particle &p = r.particles[k];
        FUZZ_CHECK(p.id == int(k) + 1 && p.area == area[k + 1] && p.area >= o.minArea && p.area > 0);
        FUZZ_CHECK(p.left <= p.right && p.top <= p.bottom && p.left >= 0 && p.bottom < h && p.right < w);
        FUZZ_CHECK(std::isfinite(p.perimeter) && std::isfinite(p.feretMax) && std::isfinite(p.ecd));
        FUZZ_CHECK(p.feretMin <= p.feretMax + 1e-9 && p.feretMin >= 0);
        FUZZ_CHECK(!(o.excludeBorder && p.touchesBorder));
    }
    QImage mask;
    finder.Mask(picture, o, mask);
    FUZZ_CHECK(mask.size() == picture.size());
    return 0;
}
