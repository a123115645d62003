// Particles of a 4096 x 4096 picture: the whole measurement next to OpenCV's labelling with
// statistics alone, and the splitting of 1000 touching pairs next to OpenCV's own recipe
// (distance threshold for markers, then cv::watershed). All on one core, so the figures do
// not depend on how busy the machine's other cores are. The finder never changes its input,
// so every iteration sees the same fresh picture.
#include "image_files/PictureMemory.h"
#include "imaging/Particles.h"

#include <benchmark/benchmark.h>
#include <QImage>
#include <opencv2/imgproc.hpp>

#include <cmath>
#include <random>

namespace {

constexpr int Side = 4096;

// Black discs on white, one in each cell of a 32 x 32 grid: about 1000 particles; or, with
// `pairs`, two overlapping discs of radius 12..25 with centres 1.45..1.9 radii apart.
QImage Picture(bool pairs)
{
    QImage img(Side, Side, QImage::Format_RGBX8888);
    img.fill(Qt::white);
    std::mt19937 rng(pairs ? 2 : 1);
    std::uniform_real_distribution<double> u(0, 1);
    const int cell = Side / 32;
    auto disc = [&](double cx, double cy, double r) {
        for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y) {
            auto *row = reinterpret_cast<uint32_t *>(img.scanLine(y));
            for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    row[x] = 0xFF000000u;
        }
    };
    for (int gy = 0; gy < 32; ++gy)
        for (int gx = 0; gx < 32; ++gx) {
            const double cx = gx * cell + cell / 2.0 + u(rng), cy = gy * cell + cell / 2.0 + u(rng);
            if (!pairs) {
                disc(cx, cy, 10 + 40 * u(rng));
                continue;
            }
            const double r = 12 + 13 * u(rng), d = r * (1.45 + 0.45 * u(rng)), t = M_PI * u(rng);
            disc(cx - d / 2 * std::cos(t), cy - d / 2 * std::sin(t), r);
            disc(cx + d / 2 * std::cos(t), cy + d / 2 * std::sin(t), r);
        }
    return img;
}

// The objects as OpenCV's callers would hand them over: 255 on 0.
cv::Mat Objects(const QImage &img)
{
    cv::Mat m(img.height(), img.width(), CV_8U);
    for (int y = 0; y < img.height(); ++y) {
        const auto *row = reinterpret_cast<const uint32_t *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            m.at<uint8_t>(y, x) = (row[x] & 0xFFFFFF) ? 0 : 255;
    }
    return m;
}

void OneCore() { cv::setNumThreads(1); }

void BM_ParticlesMeasure(benchmark::State &state)
{
    OneCore();
    const QImage picture = Picture(false);
    particles::Finder finder;
    particles::Result result;
    finder.Find(picture, particles::Options(), result); // its buffers exist from then on, as in a session
    for (auto _ : state) {
        finder.Find(picture, particles::Options(), result);
        benchmark::DoNotOptimize(result.particles.data());
    }
    state.counters["particles"] = double(result.particles.size());
}

void BM_OpenCvConnectedComponentsWithStats(benchmark::State &state)
{
    OneCore();
    const cv::Mat objects = Objects(Picture(false));
    cv::Mat labels, stats, centroids;
    int n = cv::connectedComponentsWithStats(objects, labels, stats, centroids, 8, CV_32S);
    for (auto _ : state) {
        n = cv::connectedComponentsWithStats(objects, labels, stats, centroids, 8, CV_32S);
        benchmark::DoNotOptimize(labels.data);
    }
    state.counters["particles"] = n - 1;
}

void BM_ParticlesSeparate(benchmark::State &state)
{
    OneCore();
    const QImage picture = Picture(true);
    particles::Finder finder;
    particles::Result result;
    particles::Options o;
    o.separate = true;
    finder.Find(picture, o, result);
    for (auto _ : state) {
        finder.Find(picture, o, result);
        benchmark::DoNotOptimize(result.particles.data());
    }
    state.counters["particles"] = double(result.particles.size());
}

// OpenCV's documented way: markers where the distance exceeds a share of its maximum,
// labelled, then cv::watershed on the picture; its boundaries are -1.
void BM_OpenCvWatershedRecipe(benchmark::State &state)
{
    OneCore();
    const QImage picture = Picture(true);
    const cv::Mat objects = Objects(picture);
    cv::Mat colour(picture.height(), picture.width(), CV_8UC4, const_cast<uchar *>(picture.constBits()),
                   size_t(picture.bytesPerLine()));
    cv::Mat bgr, dist, peaks, markers;
    int n = 0;
    for (auto _ : state) {
        cv::cvtColor(colour, bgr, cv::COLOR_RGBA2BGR); // fresh input: watershed needs 8-bit BGR
        cv::distanceTransform(objects, dist, cv::DIST_L2, cv::DIST_MASK_PRECISE, CV_32F);
        double top = 0;
        cv::minMaxLoc(dist, nullptr, &top);
        cv::threshold(dist, peaks, 0.5 * top, 255, cv::THRESH_BINARY);
        peaks.convertTo(peaks, CV_8U);
        n = cv::connectedComponents(peaks, markers, 8, CV_32S);
        markers.setTo(n, objects == 0); // the background as a marker of its own
        cv::watershed(bgr, markers);
        benchmark::DoNotOptimize(markers.data);
    }
    state.counters["markers"] = n - 1;
}

BENCHMARK(BM_ParticlesMeasure)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCvConnectedComponentsWithStats)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParticlesSeparate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenCvWatershedRecipe)->Unit(benchmark::kMillisecond);

} // namespace

// Measured as the programs run: they keep released picture memory for reuse.
static const bool kKept = [] {
    KeepPictureMemory();
    return true;
}();
