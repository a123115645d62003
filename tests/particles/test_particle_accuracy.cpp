// How far the measures of digitised shapes of known size fall from the truth, and how often
// touching discs are split. The figures are printed; run
//   build/bin/test_particles --gtest_filter='Accuracy*'
// to see them.
#include "Shapes.h"
#include "imaging/Particles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

using particles::Particle;

namespace {

struct Mean {
    double sum = 0;
    int n = 0;
    void Add(double v)
    {
        sum += v;
        ++n;
    }
    double Get() const { return n ? sum / n : NAN; }
};

// One shape (or group of shapes) per square cell of `cell` pixels, `perRow` cells a row.
struct Layout {
    int cell, perRow, count;
    QImage picture;
    Layout(int cellSize, int n) : cell(cellSize), perRow(int(std::ceil(std::sqrt(double(n))))), count(n)
    {
        picture = WhitePicture(perRow * cell, ((n + perRow - 1) / perRow) * cell);
    }
    // The centre of cell k moved by up to a pixel.
    void Centre(int k, std::mt19937 &rng, double &x, double &y) const
    {
        std::uniform_real_distribution<double> u(0, 1);
        x = (k % perRow) * cell + cell / 2.0 + u(rng);
        y = (k / perRow) * cell + cell / 2.0 + u(rng);
    }
    int CellOf(const Particle &p) const { return int(p.y) / cell * perRow + int(p.x) / cell; }
    // The particles of each cell.
    std::vector<std::vector<const Particle *>> Find(const particles::Options &o, particles::Result &r) const
    {
        particles::Finder finder;
        EXPECT_TRUE(finder.Find(picture, o, r));
        std::vector<std::vector<const Particle *>> cells{size_t(count)};
        for (const Particle &p : r.particles)
            cells[size_t(CellOf(p))].push_back(&p);
        return cells;
    }
};

double Bias(double measured, double truth) { return 100 * (measured / truth - 1); }

} // namespace

TEST(Accuracy, DiscsAreExactInAreaAndNearlySoInLength)
{
    std::mt19937 rng(1);
    std::printf("disc radius: mean bias %% of perimeter, Feret max, Feret min (truth 2 pi r, 2r)\n");
    for (const double r : {3.0, 4.0, 5.0, 7.0, 10.0, 15.0, 20.0, 30.0, 50.0}) {
        const int n = r < 20 ? 400 : 100;
        Layout lay(int(2 * r) + 8, n);
        std::vector<long long> drawn;
        for (int k = 0; k < n; ++k) {
            Shape s;
            lay.Centre(k, rng, s.cx, s.cy);
            s.a = s.b = r;
            drawn.push_back(s.Draw(lay.picture));
        }
        particles::Result res;
        const auto cells = lay.Find(particles::Options(), res);
        Mean per, fmax, fmin;
        for (int k = 0; k < n; ++k) {
            ASSERT_EQ(cells[size_t(k)].size(), 1u) << "r " << r << " cell " << k;
            const Particle &p = *cells[size_t(k)][0];
            EXPECT_EQ(p.area, drawn[size_t(k)]);
            per.Add(Bias(p.perimeter, 2 * M_PI * r));
            fmax.Add(Bias(p.feretMax, 2 * r));
            fmin.Add(Bias(p.feretMin, 2 * r));
        }
        std::printf("  r %4.0f: %+6.2f %+6.2f %+6.2f\n", r, per.Get(), fmax.Get(), fmin.Get());
        EXPECT_LE(std::fabs(per.Get()), r < 5 ? 3.0 : 1.5) << "perimeter, r " << r;
        if (r >= 10)
            EXPECT_LE(std::fabs(fmax.Get()), 2.5) << "Feret max, r " << r;
    }
}

TEST(Accuracy, RotatedRectanglesAtEveryAngle)
{
    std::mt19937 rng(2);
    std::printf("2:1 rectangles: mean bias %% over angles 0..85 step 5 (spread of the angles' means)\n");
    for (const double w : {20.0, 30.0, 40.0, 80.0}) {
        const int angles = 18, each = 40, n = angles * each;
        Layout lay(int(w * 1.2) + 8, n);
        for (int k = 0; k < n; ++k) {
            Shape s;
            lay.Centre(k, rng, s.cx, s.cy);
            s.a = w / 2;
            s.b = w / 4;
            s.box = true;
            s.angle = (k % angles) * 5 * M_PI / 180;
            s.Draw(lay.picture);
        }
        particles::Result res;
        const auto cells = lay.Find(particles::Options(), res);
        std::vector<Mean> per(angles), fmax(angles), fmin(angles);
        Mean aper, afmax, afmin;
        for (int k = 0; k < n; ++k) {
            ASSERT_EQ(cells[size_t(k)].size(), 1u);
            const Particle &p = *cells[size_t(k)][0];
            const int a = k % angles;
            per[size_t(a)].Add(Bias(p.perimeter, 3 * w));
            fmax[size_t(a)].Add(Bias(p.feretMax, std::hypot(w, w / 2)));
            fmin[size_t(a)].Add(Bias(p.feretMin, w / 2));
            aper.Add(Bias(p.perimeter, 3 * w));
            afmax.Add(Bias(p.feretMax, std::hypot(w, w / 2)));
            afmin.Add(Bias(p.feretMin, w / 2));
        }
        auto spread = [](const std::vector<Mean> &m) {
            double lo = INFINITY, hi = -INFINITY;
            for (const Mean &x : m) {
                lo = std::min(lo, x.Get());
                hi = std::max(hi, x.Get());
            }
            return hi - lo;
        };
        std::printf("  %3.0f x %3.0f: perimeter %+6.2f (%4.2f)  Feret max %+6.2f (%4.2f)  Feret min %+6.2f (%4.2f)\n", w,
                    w / 2, aper.Get(), spread(per), afmax.Get(), spread(fmax), afmin.Get(), spread(fmin));
        if (w == 20)
            for (int a = 0; a < angles; a += 3)
                std::printf("      at %2d degrees: %+6.2f %+6.2f %+6.2f\n", a * 5, per[size_t(a)].Get(),
                            fmax[size_t(a)].Get(), fmin[size_t(a)].Get());
        EXPECT_LE(std::fabs(aper.Get()), 2.5) << w;
        EXPECT_LE(std::fabs(afmax.Get()), 2.5) << w;
        EXPECT_LT(spread(fmax), 2.0) << w;
        if (w >= 40)
            EXPECT_LE(std::fabs(afmin.Get()), 5.0) << w;
    }
}

TEST(Accuracy, OverlappingPairsSplitInTwo)
{
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> u(0, 1);
    const int n = 400;
    Layout lay(112, n);
    std::vector<Shape> first(n), second(n);
    for (int k = 0; k < n; ++k) {
        double cx, cy;
        lay.Centre(k, rng, cx, cy);
        const double r = 12 + 13 * u(rng), d = r * (1.45 + 0.45 * u(rng)), t = M_PI * u(rng);
        for (Shape *s : {&first[size_t(k)], &second[size_t(k)]}) {
            const double sign = s == &first[size_t(k)] ? -0.5 : 0.5;
            s->cx = cx + sign * d * std::cos(t);
            s->cy = cy + sign * d * std::sin(t);
            s->a = s->b = r;
            s->Draw(lay.picture);
        }
    }
    // Pixels of the union, per cell.
    std::vector<long long> union_(n, 0);
    for (int y = 0; y < lay.picture.height(); ++y) {
        const auto *row = reinterpret_cast<const uint32_t *>(lay.picture.constScanLine(y));
        for (int x = 0; x < lay.picture.width(); ++x)
            if ((row[x] & 0xFFFFFF) == 0)
                ++union_[size_t(y / lay.cell * lay.perRow + x / lay.cell)];
    }
    particles::Options o;
    o.separate = true;
    particles::Result res;
    const auto cells = lay.Find(o, res);
    int two = 0, right = 0;
    long long kept = 0, all = 0;
    for (int k = 0; k < n; ++k) {
        const auto &c = cells[size_t(k)];
        long long area = 0;
        for (const Particle *p : c)
            area += p->area;
        kept += area;
        all += union_[size_t(k)];
        if (c.size() != 2)
            continue;
        ++two;
        // Each part about the centre of its own disc.
        auto nearFirst = [&](const Particle *p) {
            return std::hypot(p->x - first[size_t(k)].cx, p->y - first[size_t(k)].cy)
                   < std::hypot(p->x - second[size_t(k)].cx, p->y - second[size_t(k)].cy);
        };
        right += nearFirst(c[0]) != nearFirst(c[1]);
    }
    std::printf("pairs of overlapping discs: %d of %d split in two (%d along the neck), %.2f %% of pixels kept\n",
                two, n, right, 100.0 * double(kept) / double(all));
    EXPECT_GE(two, n * 95 / 100);
    EXPECT_EQ(right, two);
    EXPECT_GE(double(kept) / double(all), 0.97);
}

TEST(Accuracy, SingleDiscsAndEllipsesStayWhole)
{
    std::mt19937 rng(4);
    std::uniform_real_distribution<double> u(0, 1);
    for (const double aspect : {1.0, 1.5}) {
        const int n = 400;
        Layout lay(int(2 * 25 * aspect) + 10, n);
        for (int k = 0; k < n; ++k) {
            Shape s;
            lay.Centre(k, rng, s.cx, s.cy);
            s.b = 12 + 13 * u(rng);
            s.a = s.b * aspect;
            s.angle = M_PI * u(rng);
            s.Draw(lay.picture);
        }
        particles::Options o;
        o.separate = true;
        particles::Result res;
        const auto cells = lay.Find(o, res);
        int split = 0;
        for (const auto &c : cells)
            split += c.size() > 1;
        std::printf("aspect %.1f: %d of %d split\n", aspect, split, n);
        EXPECT_LE(split, n * 3 / 100) << aspect;
    }
}
