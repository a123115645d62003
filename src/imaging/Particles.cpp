#include "imaging/Particles.h"
#include "imaging/ParticleMeasures.h"
#include "imaging/ParticleSeparation.h"
#include "imaging/Pictures.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace particles {

namespace {

// Components this small cannot hold two grains of their own.
constexpr long long SmallestSplit = 10;

// The program's grey, as the grey-shades operation computes it: 30R + 59G + 11B is exact in
// integers and (n + 50) / 100 rounds it half up; only a sum ending in exactly one half
// depends on the extended-precision rounding, and those few pixels take the slow way.
void GreyRow(const uint32_t *src, uint8_t *dst, int width)
{
    uint32_t ties = 0;
    for (int x = 0; x < width; ++x) {
        const uint32_t c = src[x];
        const uint32_t n = 30 * (c & 0xFF) + 59 * ((c >> 8) & 0xFF) + 11 * ((c >> 16) & 0xFF) + 50;
        const uint32_t v = (n * 5243u) >> 19; // n / 100 for every n up to 25550
        ties |= uint32_t(v * 100 == n);
        dst[x] = uint8_t(v);
    }
    if (!ties)
        return;
    for (int x = 0; x < width; ++x) {
        const uint32_t c = src[x];
        const uint32_t n = 30 * (c & 0xFF) + 59 * ((c >> 8) & 0xFF) + 11 * ((c >> 16) & 0xFF) + 50;
        if (n % 100 == 0)
            dst[x] = uint8_t(pictures::GrayOf(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)));
    }
}

// Per label: area, sums of coordinates, bounding box and first pixel, gathered run by run.
struct Stats {
    std::vector<long long> area, sumX, sumY;
    std::vector<int> left, top, right, bottom;
    std::vector<long long> first; // row-major index of the first pixel

    void Gather(const cv::Mat &labels, int count)
    {
        const size_t n = size_t(count);
        area.assign(n, 0);
        sumX.assign(n, 0);
        sumY.assign(n, 0);
        left.assign(n, labels.cols);
        top.assign(n, labels.rows);
        right.assign(n, -1);
        bottom.assign(n, -1);
        first.assign(n, -1);
        const int W = labels.cols;
        for (int y = 0; y < labels.rows; ++y) {
            const int32_t *row = labels.ptr<int32_t>(y);
            int x = 0;
            while (x < W) {
                const int32_t l = row[x];
                if (l == 0) {
                    // Background comes in long stretches.
                    while (x + 8 <= W && !(row[x] | row[x + 1] | row[x + 2] | row[x + 3] | row[x + 4] | row[x + 5]
                                           | row[x + 6] | row[x + 7]))
                        x += 8;
                    while (x < W && row[x] == 0)
                        ++x;
                    continue;
                }
                const int a = x;
                while (x + 8 <= W && !((row[x] ^ l) | (row[x + 1] ^ l) | (row[x + 2] ^ l) | (row[x + 3] ^ l)
                                       | (row[x + 4] ^ l) | (row[x + 5] ^ l) | (row[x + 6] ^ l) | (row[x + 7] ^ l)))
                    x += 8;
                while (x < W && row[x] == l)
                    ++x;
                const int b = x - 1;
                const long long len = b - a + 1;
                area[l] += len;
                sumX[l] += len * (a + b) / 2;
                sumY[l] += len * y;
                left[l] = std::min(left[l], a);
                right[l] = std::max(right[l], b);
                if (first[l] < 0) {
                    first[l] = (long long)y * W + a;
                    top[l] = y;
                }
                bottom[l] = y;
            }
        }
    }
    cv::Rect Box(int l) const { return cv::Rect(left[l], top[l], right[l] - left[l] + 1, bottom[l] - top[l] + 1); }
};

} // namespace

int PercentLevel(int percent)
{
    const int B = std::clamp(percent, pictures::BrightMin, pictures::BrightMax);
    // The black-and-white operation whitens a packed colour above B * 16777215 / 100; a grey
    // g packs to g * 0x010101.
    return int((uint32_t(B) * 16777215u / 100u) / 0x010101u);
}

struct Finder::Work {
    cv::Mat Frame; // the objects (255) with a frame of background one pixel wide
    Stats S;
    Separator Split;
    cv::Mat Scratch;
    std::vector<int32_t> Ids;

    // Grey and threshold into Frame; returns the grey level used.
    int Threshold(const QImage &source, const Options &o)
    {
        QImage converted;
        const QImage *picture = &source;
        if (source.format() != QImage::Format_RGBX8888) {
            converted = source.convertToFormat(QImage::Format_RGBX8888);
            picture = &converted;
        }
        const int W = picture->width(), H = picture->height();
        Frame.create(H + 2, W + 2, CV_8U);
        Frame.row(0).setTo(0);
        Frame.row(H + 1).setTo(0);
        for (int y = 0; y < H; ++y) {
            uint8_t *row = Frame.ptr<uint8_t>(y + 1);
            row[0] = row[W + 1] = 0;
            GreyRow(reinterpret_cast<const uint32_t *>(picture->constScanLine(y)), row + 1, W);
        }
        cv::Mat inner = Frame(cv::Rect(1, 1, W, H));
        const int type = o.objects == Objects::Light ? cv::THRESH_BINARY : cv::THRESH_BINARY_INV;
        if (o.thresholdPercent < 0)
            return int(cv::threshold(inner, inner, 0, 255, type | cv::THRESH_OTSU));
        const int level = PercentLevel(o.thresholdPercent);
        cv::threshold(inner, inner, level, 255, type);
        return level;
    }

    // Background that the frame cannot reach is a hole. It is connected the other way round
    // from the objects, so a diagonal gap in an outline of 8-connected pixels is no way out.
    void FillHoles(int connectivity)
    {
        cv::floodFill(Frame, cv::Point(0, 0), cv::Scalar(128), nullptr, cv::Scalar(0), cv::Scalar(0),
                      connectivity == 8 ? 4 : 8);
        cv::compare(Frame, 128, Frame, cv::CMP_NE);
    }
};

Finder::Finder() : Buffers(new Work) {}
Finder::~Finder() = default;

int Finder::Mask(const QImage &picture, const Options &options, QImage &mask)
{
    if (picture.isNull()) {
        mask = QImage();
        return 0;
    }
    const int level = Buffers->Threshold(picture, options);
    mask = QImage(picture.width(), picture.height(), QImage::Format_Grayscale8);
    for (int y = 0; y < mask.height(); ++y)
        std::copy_n(Buffers->Frame.ptr<uint8_t>(y + 1) + 1, mask.width(), mask.scanLine(y));
    return level;
}

bool Finder::Find(const QImage &picture, const Options &o, Result &result, const Progress &progress)
{
    auto go = [&](int percent) { return !progress || progress(percent); };
    auto cancel = [&] {
        result.particles.clear();
        result.labels.clear();
        return false;
    };
    result.particles.clear();
    result.width = picture.width();
    result.height = picture.height();
    result.threshold = 0;
    const int Wd = result.width, Ht = result.height;
    result.labels.resize(size_t(Wd) * size_t(Ht)); // every element is written below
    if (picture.isNull() || Wd == 0 || Ht == 0)
        return go(100) || cancel();
    const int connectivity = o.connectivity == 4 ? 4 : 8;

    result.threshold = Buffers->Threshold(picture, o);
    if (!go(10))
        return cancel();
    if (o.fillHoles) {
        Buffers->FillHoles(connectivity);
        if (!go(15))
            return cancel();
    }
    cv::Mat labels(Ht, Wd, CV_32S, result.labels.data());
    int count = cv::connectedComponents(Buffers->Frame(cv::Rect(1, 1, Wd, Ht)), labels, connectivity, CV_32S);
    Stats &S = Buffers->S;
    S.Gather(labels, count);
    if (!go(25))
        return cancel();

    if (o.separate) {
        // Progress by the pixels of the boxes done.
        long long total = 0, done = 0;
        for (int l = 1; l < count; ++l)
            if (S.area[l] >= SmallestSplit)
                total += (long long)S.Box(l).area();
        int next = count;
        for (int l = 1; l < count; ++l) {
            if (S.area[l] < SmallestSplit)
                continue;
            const cv::Rect box = S.Box(l);
            next = Buffers->Split.Split(labels, box, l, next, o.splitDepth, connectivity);
            done += (long long)box.area();
            if (!go(25 + int(50 * done / std::max(1LL, total))))
                return cancel();
        }
        if (next != count) {
            count = next;
            S.Gather(labels, count);
        }
    }

    // The particles that stay, numbered by their first pixel.
    std::vector<int> keep;
    for (int l = 1; l < count; ++l) {
        if (S.area[l] == 0 || S.area[l] < o.minArea)
            continue;
        const bool border = S.left[l] == 0 || S.top[l] == 0 || S.right[l] == Wd - 1 || S.bottom[l] == Ht - 1;
        if (border && o.excludeBorder)
            continue;
        keep.push_back(l);
    }
    std::sort(keep.begin(), keep.end(), [&S](int a, int b) { return S.first[a] < S.first[b]; });
    std::vector<int32_t> &ids = Buffers->Ids;
    ids.assign(size_t(count), 0);
    for (size_t k = 0; k < keep.size(); ++k)
        ids[size_t(keep[k])] = int32_t(k + 1);
    for (int y = 0; y < Ht; ++y) {
        int32_t *row = labels.ptr<int32_t>(y);
        for (int x = 0; x < Wd; ++x)
            row[x] = ids[size_t(row[x])];
    }
    if (!go(80))
        return cancel();

    result.particles.resize(keep.size());
    for (size_t k = 0; k < keep.size(); ++k) {
        const int l = keep[k];
        Particle &p = result.particles[k];
        p.id = int(k + 1);
        p.firstX = int(S.first[l] % Wd);
        p.firstY = int(S.first[l] / Wd);
        p.left = S.left[l];
        p.top = S.top[l];
        p.right = S.right[l];
        p.bottom = S.bottom[l];
        p.area = S.area[l];
        p.x = double(S.sumX[l]) / double(p.area);
        p.y = double(S.sumY[l]) / double(p.area);
        p.ecd = 2 * std::sqrt(double(p.area) / M_PI);
        p.touchesBorder = p.left == 0 || p.top == 0 || p.right == Wd - 1 || p.bottom == Ht - 1;
        MeasureShape(labels, p, Buffers->Scratch);
        if (k % 256 == 255 && !go(80 + int(20 * (k + 1) / keep.size())))
            return cancel();
    }
    return go(100) || cancel();
}

} // namespace particles
