#pragma once
// The maximum-likelihood fits of a sample with percentile intervals from a bootstrap of its
// particles. Each resample draws from its own generator, seeded from the seed and the
// resample's number, so the result does not depend on how many threads share the work.
#include "analysis/MaxLikelihood.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <vector>

namespace mle {

// xoshiro256** seeded through splitmix64; the draws below are our own, so the same seed
// gives the same numbers with any standard library.
class Rng {
public:
    Rng(uint64_t seed, uint64_t stream);
    uint64_t Next();
    double Uniform();              // [0, 1)
    uint64_t Below(uint64_t n);    // [0, n), n > 0, without bias
    int64_t Binomial(int64_t n, double p);

private:
    uint64_t s_[4];
};

struct Options {
    int resamples = 1000;
    double level = 0.95;
    uint64_t seed = 1;
    int threads = 0; // 0: one per core
    // For a caller that follows the bootstrap from another thread: the resamples done so
    // far, and a request to stop, after which the result is incomplete and to be dropped.
    std::atomic<int> *done = nullptr;
    const std::atomic<bool> *stop = nullptr;
};

struct Interval {
    double lo = NAN, hi = NAN;
    bool valid() const { return std::isfinite(lo) && std::isfinite(hi); }
};

struct LawResult {
    LawFit fit;                               // fit.ok false: see error
    FitError error{FitError::NoConvergence};
    double loglik = NAN, aic = NAN, ks = NAN;
    Interval d50ci, pci[2];
    int failed = 0;                           // resamples on which the law could not be fitted
    std::vector<Params> boot;                 // per resample; NaN where it failed
};

struct Result {
    Options options;
    bool byVolume = false, classes = false;
    double particles = 0;
    LawResult law[kLaws + 1]; // 1..4
    int best = 0;             // the least AIC; of equal ones the lower number
    double relHalfWidth = NAN; // of the best law's d50 interval, relative to its d50
    double nFor5pct = NAN;     // particles for ±5 %: n·(relHalfWidth / 0.05)², rounded up
};

// Raises FitError when not one law can be fitted.
Result FitSample(const Sample &s, const Options &o);

// The resample `index` of the sample's particles: a count per cell.
void Resample(const Sample &s, uint64_t seed, uint64_t index, std::vector<double> &counts);

// The percentile of the finite values (linear between order statistics); NaN when none.
double Percentile(std::vector<double> v, double p);
// The percentile interval at `level` of B values, where NaN marks a resample that could not
// be fitted: such a resample may have had any value, so it counts as the lowest for the
// lower bound and as the highest for the upper one. No interval when they reach a bound.
Interval PercentileInterval(std::vector<double> v, double level);

} // namespace mle
