#pragma once
// The chart of the maximum-likelihood fit, drawn as the report's distribution charts are
// (600 x 350, white, black frame, Times New Roman, size labels in Fixed3): the empirical
// cumulative distribution of the sample as fitted (by number or volume; steps for rows,
// the points of the class bounds joined for classes), the four fitted curves, and the
// best law's pointwise bootstrap interval as a band under them.
#include "analysis/Bootstrap.h"

#include <QImage>

namespace mle {

QImage DrawFitChart(const Sample &s, const Result &r, QChar sep);

// The colour of each law's curve (1..4), the sample's steps, and the band.
QRgb LawColor(int law);
inline constexpr QRgb kSampleColor = 0xFFFF0000;
QRgb BandColor(int law);

} // namespace mle
