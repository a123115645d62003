#pragma once
// The shape measures of one particle, from its outline through the centres of its boundary
// pixels. The true outline lies beyond those centres, between them and the next pixel out;
// both estimators below add back what that costs, by amounts chosen by measuring digitised
// discs and rotated rectangles of known size (tests/particles/test_particle_accuracy.cpp).
#include "imaging/Particles.h"

#include <opencv2/core.hpp>

#include <vector>

namespace particles {

// Length of the closed 8-connected chain of pixel centres by the corner-count estimator
// (0.980 per straight step, 1.406 per diagonal step, -0.091 per change of direction).
double ChainLength(const std::vector<cv::Point> &chain);

struct Calipers {
    double max = 0, min = 0; // caliper widths of the points themselves
    double angle = 0;        // direction of the largest, degrees 0..180 counter-clockwise as seen
    cv::Point from, to;      // the pair of the largest
    cv::Point side;          // along the hull's side that the smallest lies flat on
};
// Rotating calipers on a convex polygon (in order, either orientation).
Calipers CalipersOf(const std::vector<cv::Point> &hull);

// The Feret widths of the outline the centres were sampled from. The smallest lies flat on
// a side of the hull, a line of pixel centres; the outline lies between that line and the
// next parallel line of centres out, half their spacing on average, on either side. The
// largest runs between two tips, and a tip misses less the blunter it is: 2 w^(-4/3) of a
// pixel, w the hull's width one pixel below the tip, at most half a pixel.
struct Feret {
    double max = 0, min = 0, angle = 0;
};
Feret FeretOf(const std::vector<cv::Point> &hull);

// Fills the perimeter, Feret widths, angle, aspect and circularity of particle `p` whose
// pixels are those of `labels` equal to p.id inside p's bounding box. `scratch` is reused.
void MeasureShape(const cv::Mat &labels, Particle &p, cv::Mat &scratch);

} // namespace particles
