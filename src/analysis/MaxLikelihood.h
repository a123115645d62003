#pragma once
// Maximum-likelihood fits of the four laws to a sample of particles.
//
// The laws, numbered as everywhere in the program, with their parameters in this order:
//   1 Gaudin-Andreev  F(d) = (d/a)^l on (0, a]        [a, l]
//   2 Rosin-Rammler   F(d) = 1 - exp(-(d/b)^a)         [a, b]
//   3 normal          mean and standard deviation of d [mean, sd]
//   4 log-normal      mean and standard deviation of ln d; d50 = e^mean
//
// A row is N particles of size D; by volume it weighs N·D³. Volume weights are scaled to
// sum to the number of particles, so the log-likelihood (and AIC) is on the same footing as
// by number; the parameters do not depend on that scale. With classes each row is the
// class (previous size, own size], the first one starting at max(0, D1 - (D2 - D1)), and a
// law's likelihood is Σ w·ln(F(hi) - F(lo)).
#include "samples/SampleData.h"

#include <QString>
#include <array>
#include <memory>
#include <stdexcept>
#include <vector>

namespace mle {

constexpr int kLaws = 4;

// Why a sample cannot be fitted. Each has a fixed English text (the command-line tool) and
// the windows' text, Russian or its translation into the interface language.
class FitError : public std::runtime_error {
public:
    enum Kind { Empty, NoParticles, NonPositiveSize, OneSize, OneClass, NotAscending, NoConvergence };
    FitError(Kind kind, int where = 0) : std::runtime_error("fit"), kind(kind), where(where) {}
    QString English() const;
    QString Shown() const;
    QString Text(bool shown) const;
    Kind kind;
    int where; // the 1-based row, or the law for NoConvergence
};

// The sample as the fits see it. Rows: distinct sizes ascending, equal sizes merged.
// Classes: the rows in table order, each with its lower bound.
struct Sample {
    bool classes = false;
    bool byVolume = false;
    std::vector<double> hi;     // the size of a row, the upper bound of a class
    std::vector<double> lo;     // classes only
    std::vector<double> count;  // particles
    std::vector<double> unit;   // weight of one particle: 1, or D³ by volume
    std::vector<double> lnHi, lnLo; // logarithms of the bounds; lnLo is -inf for a bound of 0
    double particles = 0;       // Σ count
    int cells() const { return int(hi.size()); }
};

// Raises FitError for an empty sample, sizes of 0 or below, one size, one class, classes out
// of order.
Sample Prepare(const std::vector<double> &sizes, const std::vector<double> &counts, bool byVolume,
               bool classes);
Sample Prepare(const TSampleData &data, bool byVolume, bool classes);

using Params = std::array<double, 2>;

const char *LawName(int law); // "gaudin", "rosin", "normal", "lognormal"
double Cdf(int law, const Params &p, double d);
double Median(int law, const Params &p);

// The laws' parameters in a linear form that every fit shares: z = alpha + beta·t with
// t = d (normal), ln d (Rosin-Rammler, log-normal) or ln(d/a) (Gaudin-Andreev, alpha 0).
// A fit started from the parameters of a nearby sample needs few steps.
struct Linear {
    double alpha = 0, beta = 0, a = 0; // a: the Gaudin-Andreev size limit
};

struct LawFit {
    bool ok = false;
    Params p{};
    double d50 = 0;
    Linear lin;
};

// Fits the laws on one set of particle counts per cell (the sample's own or a resample's),
// keeping its buffers from one use to the next. Fit raises FitError when the counts leave
// one size or one class, or the fit does not converge. `start`, when given, is a fit of the
// same law to a nearby sample, to start from.
class Fitter {
public:
    Fitter();
    ~Fitter();
    void Load(const Sample &s, const double *counts);
    LawFit Fit(int law, const Linear *start = nullptr);

private:
    struct Work;
    std::unique_ptr<Work> w_;
};

LawFit FitLaw(const Sample &s, const double *counts, int law, const Linear *start = nullptr);

// The maximised log-likelihood of a fit on the sample's own counts (volume weights scaled
// to the number of particles), and the Kolmogorov-Smirnov distance between the weighted
// empirical distribution and the law: over every size for rows, over the class bounds for
// classes.
double LogLikelihood(const Sample &s, int law, const Params &p);
double KsDistance(const Sample &s, int law, const Params &p);

} // namespace mle
