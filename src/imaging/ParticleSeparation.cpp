#include "imaging/ParticleSeparation.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cfloat>

namespace particles {

namespace {

constexpr float Low = -FLT_MAX; // the relief outside the component
// States of Mark besides the parts 1, 2, ...
constexpr int32_t Undecided = 0, Outside = -1, Line = -2, Queued = -3, Visiting = -4, Lower = -5;

// The flooding's queue orders pixels by relief in steps of 1/32 pixel, first come first
// served within a step: finer than the relief's own accuracy, and linear in the pixels.
constexpr float Steps = 32;

} // namespace

int Separator::Markers(const cv::Mat &labels, const cv::Rect &box, int label, double depth)
{
    const int w = box.width, h = box.height;
    Stride = w + 2;
    Inside.create(h + 2, w + 2, CV_8U);
    Inside.setTo(0);
    cv::Mat inner = Inside(cv::Rect(1, 1, w, h));
    cv::compare(labels(box), label, inner, cv::CMP_EQ);
    cv::distanceTransform(Inside, Relief, cv::DIST_L2, cv::DIST_MASK_PRECISE, CV_32F);
    // Digitised outlines leave ripples on the distance's ridges; a light blur keeps them
    // from standing as peaks of their own.
    cv::GaussianBlur(Relief, Relief, cv::Size(3, 3), 0, 0, cv::BORDER_REPLICATE);
    const size_t n = size_t(h + 2) * size_t(w + 2);
    Dome.resize(n);
    Mark.resize(n);
    float *f = Relief.ptr<float>();
    const uint8_t *in = Inside.ptr<uint8_t>();
    const float lower = float(depth);
    for (size_t i = 0; i < n; ++i) {
        if (in[i]) {
            Dome[i] = f[i] - lower;
            Mark[i] = Undecided;
        } else {
            f[i] = Low;
            Dome[i] = Low;
            Mark[i] = Outside;
        }
    }
    Reconstruct();
    return RegionalMaxima();
}

// Morphological reconstruction by dilation of the lowered relief under the relief, by two
// raster passes and a queue for what they leave (Vincent's hybrid method): the geodesic
// dilation repeated until stable would take one pass over the box per pixel of dome height.
void Separator::Reconstruct()
{
    const int s = Stride, rows = Inside.rows, cols = Inside.cols;
    float *g = Dome.data();
    const float *f = Relief.ptr<float>();
    for (int y = 1; y < rows - 1; ++y)
        for (int x = 1; x < cols - 1; ++x) {
            const int i = y * s + x;
            if (f[i] == Low)
                continue;
            const float m = std::max(std::max(g[i], g[i - 1]), std::max(std::max(g[i - s - 1], g[i - s]), g[i - s + 1]));
            g[i] = std::min(m, f[i]);
        }
    Fifo.clear();
    for (int y = rows - 2; y >= 1; --y)
        for (int x = cols - 2; x >= 1; --x) {
            const int i = y * s + x;
            if (f[i] == Low)
                continue;
            const float m = std::max(std::max(g[i], g[i + 1]), std::max(std::max(g[i + s - 1], g[i + s]), g[i + s + 1]));
            const float v = std::min(m, f[i]);
            g[i] = v;
            for (const int q : {i + 1, i + s - 1, i + s, i + s + 1})
                if (g[q] < v && g[q] < f[q]) {
                    Fifo.push_back(uint32_t(i));
                    break;
                }
        }
    const int off[8] = {-s - 1, -s, -s + 1, -1, 1, s - 1, s, s + 1};
    for (size_t head = 0; head < Fifo.size(); ++head) {
        const int p = int(Fifo[head]);
        const float v = g[p];
        for (const int d : off) {
            const int q = p + d;
            if (g[q] < v && f[q] != g[q]) {
                g[q] = std::min(v, f[q]);
                Fifo.push_back(uint32_t(q));
            }
        }
    }
}

// Plateaus of the reconstruction with no higher neighbour, numbered 1, 2, ... in raster order.
int Separator::RegionalMaxima()
{
    const int s = Stride;
    const int off[8] = {-s - 1, -s, -s + 1, -1, 1, s - 1, s, s + 1};
    const float *g = Dome.data();
    int count = 0;
    const size_t n = Mark.size();
    for (size_t i = 0; i < n; ++i) {
        if (Mark[i] != Undecided)
            continue;
        const float v = g[i];
        Fifo.clear();
        Fifo.push_back(uint32_t(i));
        Mark[i] = Visiting;
        bool top = true;
        for (size_t k = 0; k < Fifo.size(); ++k) {
            const int p = int(Fifo[k]);
            for (const int d : off) {
                const int q = p + d;
                if (g[q] > v) {
                    top = false;
                } else if (g[q] == v && Mark[q] == Undecided) {
                    Mark[q] = Visiting;
                    Fifo.push_back(uint32_t(q));
                }
            }
        }
        const int32_t tag = top ? ++count : Lower;
        for (const uint32_t p : Fifo)
            Mark[p] = tag;
    }
    return count;
}

// Flooding from the markers, highest relief first; a pixel that two parts reach becomes
// line, a pixel reached only across a line goes to the part that came.
void Separator::Flood(int connectivity)
{
    const int s = Stride;
    const int all[8] = {-s, -1, 1, s, -s - 1, -s + 1, s - 1, s + 1};
    const int nn = connectivity == 4 ? 4 : 8;
    const float *f = Relief.ptr<float>();
    const size_t n = Mark.size();
    float top = 0;
    for (size_t i = 0; i < n; ++i)
        top = std::max(top, f[i]);
    const size_t levels = size_t(top * Steps) + 1;
    if (Levels.size() < levels)
        Levels.resize(levels);
    for (size_t k = 0; k < levels; ++k)
        Levels[k].clear();
    From.resize(n);
    size_t level = levels - 1; // the queue never takes a pixel above the level it is at
    auto queue = [&](int p, int32_t from) {
        for (int k = 0; k < nn; ++k) {
            const int q = p + all[k];
            if (Mark[q] == Undecided) {
                Mark[q] = Queued;
                From[size_t(q)] = from;
                Levels[std::min(level, size_t(std::max(0.0f, f[q]) * Steps))].push_back(uint32_t(q));
            }
        }
    };
    // The one part among the neighbours, 0 for none, -1 for several.
    auto partNear = [&](int p) {
        int32_t one = 0;
        for (int k = 0; k < nn; ++k) {
            const int32_t l = Mark[p + all[k]];
            if (l > 0 && l != one) {
                if (one)
                    return -1;
                one = l;
            }
        }
        return one;
    };
    for (size_t i = 0; i < n; ++i)
        if (Mark[i] == Lower)
            Mark[i] = Undecided;
    for (size_t i = 0; i < n; ++i)
        if (Mark[i] > 0)
            queue(int(i), Mark[i]);
    for (;; --level) {
        std::vector<uint32_t> &here = Levels[level];
        for (size_t k = 0; k < here.size(); ++k) {
            const int p = int(here[k]);
            const int32_t one = partNear(p);
            const int32_t from = one > 0 ? one : From[size_t(p)];
            Mark[p] = one < 0 ? Line : from;
            queue(p, from);
        }
        if (level == 0)
            break;
    }
    // A line pixel beside one part only separates nothing.
    for (size_t i = 0; i < n; ++i)
        if (Mark[i] == Line) {
            const int32_t one = partNear(int(i));
            if (one > 0)
                Mark[i] = one;
        }
}

int Separator::CountMarkers(const cv::Mat &labels, const cv::Rect &box, int label, double depth)
{
    return Markers(labels, box, label, depth);
}

int Separator::Split(cv::Mat &labels, const cv::Rect &box, int label, int next, double depth, int connectivity)
{
    const int parts = Markers(labels, box, label, depth);
    if (parts < 2)
        return next;
    Flood(connectivity);
    const uint8_t *in = Inside.ptr<uint8_t>();
    for (int y = 0; y < box.height; ++y) {
        int32_t *row = labels.ptr<int32_t>(box.y + y) + box.x;
        for (int x = 0; x < box.width; ++x) {
            const size_t i = size_t(y + 1) * size_t(Stride) + size_t(x + 1);
            if (!in[i])
                continue;
            const int32_t l = Mark[i];
            row[x] = l == 1 ? label : l > 1 ? next + l - 2 : 0;
        }
    }
    return next + parts - 1;
}

} // namespace particles
