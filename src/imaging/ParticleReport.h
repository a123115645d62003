#pragma once
// What is made of the particles found: the table as CSV, the size percentiles, a sample of
// one measure, and the picture with the outlines and numbers drawn on it.
#include "imaging/Particles.h"

#include <QByteArray>
#include <QImage>

#include <map>

struct TSampleData;

namespace particles {

enum class Measure { Ecd, Area, Perimeter, FeretMax, FeretMin };

// The measure of a particle in micrometres (square micrometres for the area) at `kpix`
// micrometres per pixel.
double ValueOf(const Particle &p, Measure m, double kpix);

// One row per particle, header first, RFC 4180 (CRLF), '.' as the decimal separator.
QByteArray Csv(const std::vector<Particle> &list, double kpix);
// The same in parts, for a table of many pictures: the header line, and the rows, each
// starting with `lead` (fields ending in a comma, or nothing).
QByteArray CsvHeader();
void AppendCsvRows(QByteArray &out, const std::vector<Particle> &list, double kpix, const QByteArray &lead = {});
// A number as the rows write it; a text as an RFC 4180 field.
void AppendCsvNumber(QByteArray &out, double v);
QByteArray CsvField(const QString &text);

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

// The same gathered from many pictures, keeping only the counts of the distinct values.
// With `limit`, values beyond that many distinct ones are no longer kept (the sample is
// refused by then anyway), so the memory does not grow with the number of particles.
class SampleCounts {
public:
    explicit SampleCounts(long long limit = -1) : Limit(limit) {}
    // Raises MathError when a value is beyond the 6-byte range.
    void Add(const std::vector<Particle> &list, Measure m, double kpix);
    // As ToSample; past the limit the rows given are a lower bound.
    int ToSample(TSampleData &out) const;
    bool Overflowed() const { return Dropped; }

private:
    std::map<long double, long long> Counts;
    long long Limit;
    bool Dropped = false;
};

// The picture with every particle's outline and id drawn on it.
QImage Overlay(const QImage &picture, const Result &result);
// The same marks alone on a transparent ground (RGBA8888), to be laid over the picture.
QImage Marks(const Result &result);
// The pixels of particle `id` (its place in the list plus one) in a see-through colour, in
// its bounding box, whose corner goes to `at`; null for no such particle.
QImage Highlight(const Result &result, int id, QPoint &at);

} // namespace particles
