#pragma once
// Splitting touching particles: the exact Euclidean distance to the background, lightly
// smoothed, has one dome per grain; domes that rise more than a given depth above the
// saddle to their neighbours become markers (h-maxima), and a flooding from the markers
// down the domes (watershed) gives every pixel of the component to one of them, but for a
// line one pixel thin where two floods meet.
#include <opencv2/core.hpp>

#include <cstdint>
#include <vector>

namespace particles {

class Separator {
public:
    // Splits the component `label` of the CV_32S `labels`, whose pixels lie inside `box`.
    // The first part keeps `label`, the others get next, next + 1, ...; the dividing lines
    // become 0. Lines keep the parts apart in the given connectivity (4 or 8). Returns the
    // next unused label.
    int Split(cv::Mat &labels, const cv::Rect &box, int label, int next, double depth, int connectivity);

    // The markers alone, for tests: the number of domes deeper than `depth`.
    int CountMarkers(const cv::Mat &labels, const cv::Rect &box, int label, double depth);

private:
    int Markers(const cv::Mat &labels, const cv::Rect &box, int label, double depth);
    void Reconstruct();
    int RegionalMaxima();
    void Flood(int connectivity);

    int Stride = 0; // of the buffers below: the box with a frame of one pixel
    cv::Mat Inside, Relief;
    std::vector<float> Dome;    // reconstruction of the relief lowered by the depth
    std::vector<int32_t> Mark;  // > 0 the part of a pixel, otherwise the state of its pass
    std::vector<uint32_t> Fifo;
    std::vector<std::vector<uint32_t>> Levels; // the flooding's queue, by relief
    std::vector<int32_t> From;                  // the part that queued each pixel
};

} // namespace particles
