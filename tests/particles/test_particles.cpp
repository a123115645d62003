// Finding, numbering, splitting and reporting particles.
#include "Shapes.h"
#include "imaging/ParticleMeasures.h"
#include "imaging/ParticleReport.h"
#include "imaging/ParticleSeparation.h"
#include "imaging/Particles.h"
#include "imaging/Pictures.h"
#include "image_files/MultImage.h"
#include "samples/SampleData.h"

#include <opencv2/imgproc.hpp>
#include <gtest/gtest.h>

#include <memory>
#include <random>

using particles::Options;
using particles::Result;

namespace {

Result FindIn(const QImage &picture, const Options &o = Options())
{
    particles::Finder finder;
    Result r;
    EXPECT_TRUE(finder.Find(picture, o, r));
    return r;
}

QImage Dots(int w, int h, std::initializer_list<std::pair<int, int>> black)
{
    QImage img = WhitePicture(w, h);
    for (auto [x, y] : black)
        reinterpret_cast<uint32_t *>(img.scanLine(y))[x] = 0xFF000000u;
    return img;
}

// No two neighbouring pixels (in the connectivity) belong to different particles.
bool PartsApart(const Result &r, int connectivity)
{
    const int W = r.width;
    for (int y = 0; y + 1 < r.height; ++y)
        for (int x = 1; x + 1 < W; ++x) {
            const int32_t a = r.labels[size_t(y * W + x)];
            if (!a)
                continue;
            std::vector<int32_t> nb = {r.labels[size_t(y * W + x + 1)], r.labels[size_t((y + 1) * W + x)]};
            if (connectivity == 8) {
                nb.push_back(r.labels[size_t((y + 1) * W + x + 1)]);
                nb.push_back(r.labels[size_t((y + 1) * W + x - 1)]);
            }
            for (const int32_t b : nb)
                if (b && b != a)
                    return false;
        }
    return true;
}

QImage Data(const char *name)
{
    QImage img;
    QString message;
    EXPECT_TRUE(TMultImage::LoadPicture(QStringLiteral(GRIZAL2_TEST_DATA "/%1").arg(name), img, message));
    return img;
}

} // namespace

TEST(ParticleThreshold, PercentageSplitsAsBlackAndWhiteAfterGreyShades)
{
    // Every grey level, and random colours, whose grey the percentage must split as the
    // grey-shades operation followed by black and white does.
    std::mt19937 rng(1);
    QImage picture(256, 40, QImage::Format_RGBX8888);
    for (int y = 0; y < 40; ++y) {
        auto *row = reinterpret_cast<uint32_t *>(picture.scanLine(y));
        for (int x = 0; x < 256; ++x)
            row[x] = 0xFF000000u | (y == 0 ? uint32_t(x) * 0x010101u : (rng() & 0xFFFFFF));
    }
    particles::Finder finder;
    TPictures engine;
    for (int B = 0; B <= 100; ++B) {
        QImage bw = picture;
        engine.Grayscale(bw);
        engine.BlackAndWhite(B, bw);
        Options o;
        o.thresholdPercent = B;
        QImage mask;
        EXPECT_EQ(finder.Mask(picture, o, mask), particles::PercentLevel(B));
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 256; ++x)
                ASSERT_EQ(mask.constScanLine(y)[x] == 255, pictures::PixelAt(bw, x, y) == pictures::Black)
                    << "B " << B << " at " << x << "," << y;
    }
}

TEST(ParticleThreshold, OtsuFindsTheLevelBetweenTwoGreys)
{
    QImage img(64, 64, QImage::Format_RGBX8888);
    for (int y = 0; y < 64; ++y) {
        auto *row = reinterpret_cast<uint32_t *>(img.scanLine(y));
        for (int x = 0; x < 64; ++x)
            row[x] = 0xFF000000u | ((x < 20 ? 190u + (x + y) % 20 : 40u + (x * y) % 25) * 0x010101u);
    }
    Options o;
    o.objects = particles::Objects::Light;
    const Result r = FindIn(img, o);
    EXPECT_GE(r.threshold, 64);
    EXPECT_LT(r.threshold, 190);
    ASSERT_EQ(r.particles.size(), 1u);
    EXPECT_EQ(r.particles[0].area, 20 * 64);
    EXPECT_TRUE(r.particles[0].touchesBorder);
}

TEST(ParticleFinding, IdsFollowTheFirstPixelAndLabelsHoldThem)
{
    // The right blob starts a row above the left one; a 2 x 2 labelling would meet the left
    // one first.
    QImage img = WhitePicture(30, 20);
    Shape{20, 6, 3, 3}.Draw(img);
    Shape{6, 8, 4, 4}.Draw(img);
    Shape{15, 16, 1.5, 1.5}.Draw(img);
    const Result r = FindIn(img);
    ASSERT_EQ(r.particles.size(), 3u);
    for (size_t k = 0; k < 3; ++k) {
        const particles::Particle &p = r.particles[k];
        EXPECT_EQ(p.id, int(k + 1));
        EXPECT_EQ(r.labels[size_t(p.firstY * 30 + p.firstX)], p.id);
        EXPECT_EQ(r.labels[size_t(std::lround(p.y) * 30 + std::lround(p.x))], p.id);
        if (k)
            EXPECT_GT(p.firstY * 30 + p.firstX, r.particles[k - 1].firstY * 30 + r.particles[k - 1].firstX);
    }
    EXPECT_NEAR(r.particles[0].x, 20, 0.01);
    EXPECT_EQ(std::count(r.labels.begin(), r.labels.end(), 0),
              30 * 20 - r.particles[0].area - r.particles[1].area - r.particles[2].area);
}

TEST(ParticleFinding, OptionsFillExcludeFilterAndConnect)
{
    QImage img = WhitePicture(60, 40);
    Shape ring{15, 15, 10, 10};
    const long long disc = ring.Draw(img);
    Shape{15, 15, 4, 4}.Draw(img); // not yet a hole
    QImage holed = img;
    for (int y = 11; y <= 19; ++y)
        for (int x = 11; x <= 19; ++x)
            if ((x - 15) * (x - 15) + (y - 15) * (y - 15) <= 16)
                reinterpret_cast<uint32_t *>(holed.scanLine(y))[x] = 0xFFFFFFFFu;
    Shape{58, 30, 4, 4}.Draw(holed);        // touches the right edge
    Shape{40, 10, 1, 1}.Draw(holed);        // five pixels
    reinterpret_cast<uint32_t *>(holed.scanLine(30))[40] = 0xFF000000u; // two diagonal pixels
    reinterpret_cast<uint32_t *>(holed.scanLine(31))[41] = 0xFF000000u;

    Result r = FindIn(holed);
    ASSERT_EQ(r.particles.size(), 4u);
    EXPECT_EQ(r.particles[0].area, disc - 49);
    const double withHole = r.particles[0].perimeter;
    EXPECT_TRUE(r.particles[2].touchesBorder);
    EXPECT_EQ(r.particles[3].area, 2);

    Options o;
    o.fillHoles = true;
    o.excludeBorder = true;
    o.minArea = 5;
    r = FindIn(holed, o);
    ASSERT_EQ(r.particles.size(), 2u);
    EXPECT_EQ(r.particles[0].area, disc);
    EXPECT_EQ(r.particles[1].area, 5);
    EXPECT_NEAR(r.particles[0].perimeter, 2 * M_PI * 10, 3);
    EXPECT_NEAR(withHole - r.particles[0].perimeter, 2 * M_PI * 4, 2); // the hole's outline counts

    o = Options();
    o.connectivity = 4;
    r = FindIn(holed, o);
    EXPECT_EQ(r.particles.size(), 5u); // the diagonal pair is two
}

TEST(ParticleFinding, NoLimitOnTheirNumber)
{
    QImage img = WhitePicture(300, 300);
    for (int y = 1; y < 300; y += 3)
        for (int x = 1; x < 300; x += 3)
            reinterpret_cast<uint32_t *>(img.scanLine(y))[x] = 0xFF000000u;
    const Result r = FindIn(img);
    EXPECT_EQ(r.particles.size(), 10000u);
    EXPECT_DOUBLE_EQ(r.particles[0].feretMax, 1);
    EXPECT_DOUBLE_EQ(r.particles[0].feretMin, 1);
}

TEST(ParticleFinding, ProgressRisesAndCancelEmpties)
{
    QImage img = WhitePicture(200, 100);
    for (int k = 0; k < 6; ++k)
        Shape{20.0 + 30 * k, 50, 12, 12}.Draw(img);
    Shape{100, 50, 30, 12}.Draw(img);
    Options o;
    o.separate = true;
    std::vector<int> seen;
    particles::Finder finder;
    Result r;
    EXPECT_TRUE(finder.Find(img, o, r, [&](int p) {
        seen.push_back(p);
        return true;
    }));
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), 100);
    EXPECT_FALSE(finder.Find(img, o, r, [](int p) { return p < 25; }));
    EXPECT_TRUE(r.particles.empty());
    EXPECT_TRUE(r.labels.empty());
}

TEST(ParticleSeparation, PairsSplitAlongTheNeckWithAThinLine)
{
    for (const int connectivity : {8, 4}) {
        QImage img = WhitePicture(100, 60);
        const long long a = Shape{35, 30, 18, 18}.Draw(img);
        const long long b = Shape{62, 31, 15, 15}.Draw(img);
        Options o;
        o.separate = true;
        o.connectivity = connectivity;
        const Result r = FindIn(img, o);
        ASSERT_EQ(r.particles.size(), 2u) << connectivity;
        EXPECT_TRUE(PartsApart(r, connectivity)) << connectivity;
        EXPECT_NEAR(r.particles[0].x, 35, 3);
        EXPECT_NEAR(r.particles[1].x, 62, 3);
        // What is lost is the line across the neck, a pixel wide.
        const long long kept = r.particles[0].area + r.particles[1].area;
        long long black = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 100; ++x)
                black += pictures::PixelAt(img, x, y) == pictures::Black;
        EXPECT_LE(black - kept, 2 * 30) << connectivity;
        EXPECT_GT(kept, std::max(a, b));
    }
}

TEST(ParticleSeparation, TheDepthDecidesWhichDomesCount)
{
    // Two discs with a shallow neck: the dome of the smaller rises about 2.4 px above it.
    QImage img = WhitePicture(100, 60);
    Shape{35, 30, 16, 16}.Draw(img);
    Shape{58, 30, 9, 9}.Draw(img);
    particles::Finder finder;
    Result r;
    cv::Mat labels(60, 100, CV_32S);
    finder.Find(img, Options(), r);
    std::copy(r.labels.begin(), r.labels.end(), labels.ptr<int32_t>());
    const particles::Particle &p = r.particles[0];
    const cv::Rect box(p.left, p.top, p.right - p.left + 1, p.bottom - p.top + 1);
    particles::Separator s;
    EXPECT_EQ(s.CountMarkers(labels, box, 1, 1), 2);
    EXPECT_EQ(s.CountMarkers(labels, box, 1, 4), 1);
}

TEST(ParticleMeasures, CalipersAgreeWithEveryPair)
{
    std::mt19937 rng(7);
    for (int t = 0; t < 300; ++t) {
        std::vector<cv::Point> pts, hull;
        const int n = 1 + int(rng() % 30);
        for (int k = 0; k < n; ++k)
            pts.emplace_back(int(rng() % 40), int(rng() % (t % 3 ? 40 : 1))); // some all on a line
        cv::convexHull(pts, hull);
        double widest = 0;
        for (const cv::Point &a : pts)
            for (const cv::Point &b : pts)
                widest = std::max(widest, std::hypot(double(a.x - b.x), double(a.y - b.y)));
        // The narrowest width of the hull, over the directions across its sides.
        double narrowest = hull.size() < 3 ? 0 : INFINITY;
        for (size_t i = 0; hull.size() >= 3 && i < hull.size(); ++i) {
            const cv::Point e = hull[(i + 1) % hull.size()] - hull[i];
            double w = 0;
            for (const cv::Point &q : pts)
                w = std::max(w, std::fabs(double(e.x) * (q.y - hull[i].y) - double(e.y) * (q.x - hull[i].x))
                                    / std::hypot(double(e.x), double(e.y)));
            narrowest = std::min(narrowest, w);
        }
        const particles::Calipers c = particles::CalipersOf(hull);
        ASSERT_NEAR(c.max, widest, 1e-9) << t;
        ASSERT_NEAR(c.min, narrowest, 1e-9) << t;
        EXPECT_NEAR(std::hypot(double(c.to.x - c.from.x), double(c.to.y - c.from.y)), widest, 1e-9);
    }
    // A row of five pixels is five long and one wide, whichever way it runs.
    const particles::Feret row = particles::FeretOf({{0, 0}, {4, 0}});
    EXPECT_DOUBLE_EQ(row.max, 5);
    EXPECT_DOUBLE_EQ(row.min, 1);
    EXPECT_DOUBLE_EQ(row.angle, 0);
    EXPECT_DOUBLE_EQ(particles::FeretOf({{0, 4}, {4, 0}}).angle, 45);
    EXPECT_DOUBLE_EQ(particles::FeretOf({{0, 0}, {4, 4}}).angle, 135);
}

TEST(ParticleReport, QuantilesAndSamples)
{
    EXPECT_DOUBLE_EQ(particles::Quantile({1, 2, 3, 4, 5}, 0.1), 1.4);
    EXPECT_DOUBLE_EQ(particles::Quantile({7}, 0.9), 7);
    EXPECT_TRUE(std::isnan(particles::Quantile({}, 0.5)));

    // 70000 particles of one size and two that store alike: three rows.
    std::vector<particles::Particle> list(70002);
    for (auto &p : list)
        p.ecd = 10;
    list[0].ecd = 3;
    list[1].ecd = 3 + 1e-13;
    auto data = std::make_unique<TSampleData>();
    EXPECT_EQ(particles::ToSample(list, particles::Measure::Ecd, 2, *data), 3);
    ASSERT_EQ(data->Count, 3);
    EXPECT_EQ(data->N[0], 2);
    EXPECT_NEAR(double(data->Size(0)), 6, 1e-9);
    EXPECT_EQ(data->N[1] + data->N[2], 70000);
    EXPECT_DOUBLE_EQ(double(data->Size(2)), 20);

    // More sizes than a sample holds: nothing is filled.
    list.resize(10001);
    for (size_t k = 0; k < list.size(); ++k)
        list[k].area = static_cast<long long>(k + 1);
    data->Count = 7;
    EXPECT_EQ(particles::ToSample(list, particles::Measure::Area, 1, *data), 10001);
    EXPECT_EQ(data->Count, 7);
}

TEST(ParticlePictures, CoinsAndGravel)
{
    // The coins are light on a darker ground; one of them is lost in the ground's light corner.
    Options o;
    o.objects = particles::Objects::Light;
    o.fillHoles = true;
    o.excludeBorder = true;
    o.minArea = 50;
    const Result coins = FindIn(Data("imaging/coins.png"), o);
    EXPECT_GE(coins.particles.size(), 23u);
    EXPECT_LE(coins.particles.size(), 24u);
    std::vector<double> circularity;
    for (const particles::Particle &p : coins.particles) {
        EXPECT_GT(p.ecd, 30) << p.id;
        EXPECT_LT(p.aspect, 1.25) << p.id;
        circularity.push_back(p.circularity);
    }
    std::sort(circularity.begin(), circularity.end());
    EXPECT_GT(particles::Quantile(circularity, 0.5), 0.9);

    // Touching grains: one network without splitting, grains of about 15 px across with it.
    QImage gravel = Data("particles/gravel.png");
    TPictures engine;
    engine.MedianFilter(3, 3, gravel);
    o = Options();
    o.objects = particles::Objects::Light;
    o.minArea = 20;
    long long largest = 0;
    for (const particles::Particle &p : FindIn(gravel, o).particles)
        largest = std::max(largest, p.area);
    EXPECT_GT(largest, 50000);
    o.separate = true;
    const Result grains = FindIn(gravel, o);
    largest = 0;
    for (const particles::Particle &p : grains.particles)
        largest = std::max(largest, p.area);
    EXPECT_LT(largest, 1500);
    EXPECT_GT(grains.particles.size(), 400u);
    const particles::Percentiles d = particles::EcdPercentiles(grains.particles, 1);
    EXPECT_GT(d.d50, 10);
    EXPECT_LT(d.d50, 25);
}
