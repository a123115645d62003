// The bootstrap: the same draws whatever the number of threads, exact particle totals,
// intervals that hold the estimate.
#include "analysis/Bootstrap.h"

#include <gtest/gtest.h>
#include <cstring>

namespace {

mle::Sample Rows(double perRow, bool classes)
{
    std::vector<double> sizes, counts;
    for (int k = 0; k < 300; ++k) {
        sizes.push_back(classes ? 0.5 * (k + 1) : 20 * std::sqrt(-std::log1p(-(k + 0.5) / 300)));
        const double x = 0.5 * (k + 1);
        counts.push_back(classes ? std::floor(perRow * x * std::exp(-x * x / 800)) : perRow * (1 + k % 2));
    }
    return mle::Prepare(sizes, counts, false, classes);
}

bool Same(const mle::Result &a, const mle::Result &b)
{
    for (int law = 1; law <= mle::kLaws; ++law) {
        const mle::LawResult &x = a.law[law], &y = b.law[law];
        if (x.boot.size() != y.boot.size() ||
            std::memcmp(x.boot.data(), y.boot.data(), x.boot.size() * sizeof(mle::Params)) != 0 ||
            std::memcmp(&x.d50ci, &y.d50ci, sizeof x.d50ci) != 0 || std::memcmp(x.pci, y.pci, sizeof x.pci) != 0)
            return false;
    }
    return a.best == b.best && std::memcmp(&a.nFor5pct, &b.nFor5pct, sizeof(double)) == 0;
}

TEST(Bootstrap, SameOutputForOneTwoAndThreeThreads)
{
    for (bool classes : {false, true}) {
        const mle::Sample s = Rows(classes ? 3 : 1, classes);
        mle::Options o;
        o.resamples = 200;
        o.threads = 1;
        const mle::Result one = mle::FitSample(s, o);
        o.threads = 2;
        EXPECT_TRUE(Same(one, mle::FitSample(s, o))) << classes;
        o.threads = 3;
        EXPECT_TRUE(Same(one, mle::FitSample(s, o))) << classes;
        o.seed = 2;
        EXPECT_FALSE(Same(one, mle::FitSample(s, o))) << classes;
    }
}

// Few particles per row are drawn one by one, many through binomial counts: both keep the
// number of particles and never put one where the sample has none.
TEST(Bootstrap, ResamplesKeepTheParticlesAndTheirPlaces)
{
    for (double perRow : {1.0, 500.0}) {
        mle::Sample s = Rows(perRow, false);
        s.count[7] = 0;
        s.particles -= perRow * 2;
        std::vector<double> mean(size_t(s.cells())), counts;
        for (int b = 0; b < 200; ++b) {
            mle::Resample(s, 1, uint64_t(b), counts);
            double n = 0;
            for (size_t i = 0; i < counts.size(); ++i) {
                n += counts[i];
                mean[i] += counts[i] / 200;
            }
            ASSERT_EQ(n, s.particles);
            ASSERT_EQ(counts[7], 0);
        }
        // The expected count of a row with 2·perRow particles, within five standard errors.
        const double want = 2 * perRow, se = std::sqrt(want / 200);
        EXPECT_NEAR(mean[1] + mean[3] + mean[5], 3 * want, 5 * std::sqrt(3.0) * se) << perRow;
    }
}

// Both ways of drawing (waiting times for a small mean, rejection for a large one, and the
// mirror above one half) give the law's mean and variance.
TEST(Bootstrap, BinomialDrawsHaveTheirMeanAndVariance)
{
    for (auto [n, p] : {std::pair<int64_t, double>{30, 0.2}, {1000, 0.3}, {1000, 0.93}}) {
        mle::Rng rng(3, 0);
        double s = 0, s2 = 0;
        const int M = 100000;
        for (int i = 0; i < M; ++i) {
            const double k = double(rng.Binomial(n, p));
            s += k;
            s2 += k * k;
        }
        const double mean = s / M, var = s2 / M - mean * mean, want = double(n) * p * (1 - p);
        EXPECT_NEAR(mean, double(n) * p, 5 * std::sqrt(want / M)) << n << " " << p;
        EXPECT_NEAR(var, want, 5 * want * std::sqrt(2.0 / M)) << n << " " << p;
    }
}

TEST(Bootstrap, IntervalsHoldTheEstimateAndGiveTheAdvice)
{
    const mle::Result r = mle::FitSample(Rows(1, false), {});
    for (int law = 1; law <= mle::kLaws; ++law) {
        const mle::LawResult &l = r.law[law];
        EXPECT_EQ(l.failed, 0);
        EXPECT_LT(l.d50ci.lo, l.fit.d50);
        EXPECT_GT(l.d50ci.hi, l.fit.d50);
        EXPECT_LT(l.pci[1].lo, l.fit.p[1]);
        EXPECT_GT(l.pci[1].hi, l.fit.p[1]);
    }
    const mle::LawResult &b = r.law[r.best];
    EXPECT_DOUBLE_EQ(r.relHalfWidth, (b.d50ci.hi - b.d50ci.lo) / 2 / b.fit.d50);
    EXPECT_EQ(r.nFor5pct, std::ceil(r.particles * std::pow(r.relHalfWidth / 0.05, 2)));
    for (int law = 1; law <= mle::kLaws; ++law)
        EXPECT_GE(r.law[law].aic, b.aic);
    EXPECT_EQ(mle::Percentile({4, 1, NAN, 3, 2}, 0.25), 1.75);
    // A resample that could not be fitted counts at the far end of either bound.
    const mle::Interval i = mle::PercentileInterval({4, 1, NAN, 3, 2}, 0.5);
    EXPECT_EQ(i.lo, 1);
    EXPECT_EQ(i.hi, 4);
    EXPECT_FALSE(mle::PercentileInterval({4, NAN, NAN, 3, 2}, 0.5).valid());
}

} // namespace
