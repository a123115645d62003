#pragma once
// The integral and differential distribution charts of a fitted sample, one above the
// other on a 600 x 350 picture.
#include "analysis/Fits.h"
#include "analysis/Laws.h"

#include <QImage>

namespace chart {

struct ChartInput {
    const fits::ClassTable &table;
    laws::Curve differential;
    laws::Curve integral;
    long double Shape, Scale;
    bool ShowHistogram, ShowCurve;
};

// v above 130 becomes 130, below 0 (or not a number) 0.
long double ClampBar(long double v);

// Raises MathError on an arithmetic fault (no range of sizes, Pmax of 0, a curve faulting).
QImage DrawDistribution(const ChartInput &in, QChar sep);

// The curve colour and the bar colour.
inline QRgb kCurveColor = qRgb(0, 128, 0);
inline QRgb kBarColor = qRgb(255, 0, 0);

} // namespace chart
