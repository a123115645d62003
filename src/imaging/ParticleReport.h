#pragma once
// What is made of the particles found: the table as CSV, the size percentiles, a sample of
// one measure, and the picture with the outlines and numbers drawn on it.
#include "imaging/Particles.h"

#include <QByteArray>
#include <QImage>

struct TSampleData;

namespace particles {

enum class Measure { Ecd, Area, Perimeter, FeretMax, FeretMin };

// The measure of a particle in micrometres (square micrometres for the area) at `kpix`
// micrometres per pixel.
double ValueOf(const Particle &p, Measure m, double kpix);

// One row per particle, header first, RFC 4180 (CRLF), '.' as the decimal separator.
QByteArray Csv(const std::vector<Particle> &list, double kpix);

// The q-quantile (0..1) of values sorted ascending, interpolated linearly between order
// statistics; NaN for none.
double Quantile(const std::vector<double> &sorted, double q);

struct Percentiles {
    double d10 = 0, d50 = 0, d90 = 0;
};
// Of the equivalent circle diameters in micrometres, by number.
Percentiles EcdPercentiles(const std::vector<Particle> &list, double kpix);

// The sample of the measure: one row per distinct value in its stored 6-byte form, in
// ascending order, with its count (a count beyond a row's 65535 continues in the next row).
// Returns the number of rows it needs; only when that is at most the sample's capacity is
// `out` filled. Raises MathError when a value is beyond the 6-byte range.
int ToSample(const std::vector<Particle> &list, Measure m, double kpix, TSampleData &out);

// The picture with every particle's outline and id drawn on it.
QImage Overlay(const QImage &picture, const Result &result);

} // namespace particles
