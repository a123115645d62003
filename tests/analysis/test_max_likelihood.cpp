// The maximum-likelihood fits against references computed here in extended precision by
// plain maximisation of the likelihood (golden sections), not by the fits' own equations.
#include "analysis/Bootstrap.h"

#include <gtest/gtest.h>
#include <cmath>
#include <functional>

namespace {

using LD = long double;

struct Data {
    std::vector<double> sizes, counts;
};

// n quantiles of a law, rounded to the table's three decimals, with 1, 2, 3 particles in turn.
Data FromQuantiles(int n, const std::function<double(double)> &quantile)
{
    Data d;
    for (int k = 0; k < n; ++k) {
        d.sizes.push_back(std::round(quantile((k + 0.5) / n) * 1000) / 1000);
        d.counts.push_back(1 + k % 3);
    }
    return d;
}

Data LawSample(int law)
{
    switch (law) {
    case 1:
        return FromQuantiles(60, [](double F) { return 40 * std::pow(F, 1 / 2.5); });
    case 2:
        return FromQuantiles(60, [](double F) { return 20 * std::sqrt(-std::log1p(-F)); });
    case 3: // the logistic law, close to the normal one
        return FromQuantiles(60, [](double F) { return 30 + 3.3 * std::log(F / (1 - F)); });
    default:
        return FromQuantiles(60, [](double F) { return 15 * std::exp(0.28 * std::log(F / (1 - F))); });
    }
}

LD Golden(const std::function<LD(LD)> &f, LD lo, LD hi)
{
    const LD r = (std::sqrt(5.0L) - 1) / 2;
    LD a = hi - r * (hi - lo), b = lo + r * (hi - lo), fa = f(a), fb = f(b);
    for (int i = 0; i < 200 && hi - lo > 1e-15L * (std::fabs(lo) + std::fabs(hi)); ++i) {
        if (fa < fb) {
            lo = a;
            a = b;
            fa = fb;
            b = lo + r * (hi - lo);
            fb = f(b);
        } else {
            hi = b;
            b = a;
            fb = fa;
            a = hi - r * (hi - lo);
            fa = f(a);
        }
    }
    return (lo + hi) / 2;
}

LD CdfL(int law, LD p0, LD p1, LD d)
{
    switch (law) {
    case 1:
        return d >= p0 ? 1 : d > 0 ? std::pow(d / p0, p1) : 0;
    case 2:
        return d > 0 ? 1 - std::exp(-std::pow(d / p1, p0)) : 0;
    case 3:
        return 0.5L * std::erfc(-(d - p0) / (p1 * std::sqrt(2.0L)));
    default:
        return d > 0 ? 0.5L * std::erfc(-(std::log(d) - p0) / (p1 * std::sqrt(2.0L))) : 0;
    }
}

LD LogDensityL(int law, LD p0, LD p1, LD d)
{
    const LD c = std::log(std::sqrt(2 * 3.14159265358979323846264338327950288L));
    switch (law) {
    case 1:
        return std::log(p1 / p0) + (p1 - 1) * std::log(d / p0);
    case 2:
        return std::log(p0 / p1) + (p0 - 1) * std::log(d / p1) - std::pow(d / p1, p0);
    case 3:
        return -c - std::log(p1) - (d - p0) * (d - p0) / (2 * p1 * p1);
    default:
        return -std::log(d) - c - std::log(p1) - (std::log(d) - p0) * (std::log(d) - p0) / (2 * p1 * p1);
    }
}

struct Reference {
    LD p0, p1, d50, loglik, ks;
};

// Weights scaled to sum to the number of particles.
std::vector<LD> Weights(const Data &d, bool byVolume)
{
    LD W = 0, n = 0;
    std::vector<LD> w;
    for (size_t i = 0; i < d.sizes.size(); ++i) {
        const LD s = d.sizes[i];
        w.push_back(d.counts[i] * (byVolume ? s * s * s : 1));
        W += w.back();
        n += d.counts[i];
    }
    for (LD &v : w)
        v *= n / W;
    return w;
}

Reference RowsReference(const Data &d, int law, bool byVolume)
{
    const std::vector<LD> w = Weights(d, byVolume);
    auto L = [&](LD p0, LD p1) {
        LD s = 0;
        for (size_t i = 0; i < w.size(); ++i)
            s += w[i] * LogDensityL(law, p0, p1, d.sizes[i]);
        return s;
    };
    LD W = 0, m = 0, q = 0, amax = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        const LD t = law == 4 ? std::log(LD(d.sizes[i])) : LD(d.sizes[i]);
        W += w[i];
        m += w[i] * t;
        amax = std::max(amax, LD(d.sizes[i]));
    }
    m /= W;
    for (size_t i = 0; i < w.size(); ++i) {
        const LD t = law == 4 ? std::log(LD(d.sizes[i])) : LD(d.sizes[i]);
        q += w[i] * (t - m) * (t - m);
    }
    Reference r{};
    if (law == 1) {
        r.p0 = amax;
        r.p1 = std::exp(Golden([&](LD x) { return L(amax, std::exp(x)); }, -5, 5));
        r.d50 = amax * std::pow(0.5L, 1 / r.p1);
    } else if (law == 2) {
        auto scale = [&](LD a) {
            LD s = 0;
            for (size_t i = 0; i < w.size(); ++i)
                s += w[i] * std::pow(LD(d.sizes[i]), a);
            return std::pow(s / W, 1 / a);
        };
        r.p0 = std::exp(Golden([&](LD x) { return L(std::exp(x), scale(std::exp(x))); }, -3, 4));
        r.p1 = scale(r.p0);
        r.d50 = r.p1 * std::pow(std::log(2.0L), 1 / r.p0);
    } else {
        r.p0 = m;
        r.p1 = std::sqrt(q / W);
        r.d50 = law == 3 ? m : std::exp(m);
    }
    r.loglik = L(r.p0, r.p1);
    // The largest gap between the weighted steps and the curve, at every size, both sides.
    std::vector<size_t> order(w.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return d.sizes[a] < d.sizes[b]; });
    LD cum = 0;
    for (size_t k = 0; k < order.size(); ++k) {
        const LD s = d.sizes[order[k]], F = CdfL(law, r.p0, r.p1, s);
        if (k == 0 || d.sizes[order[k - 1]] < s)
            r.ks = std::max(r.ks, std::fabs(F - cum / W));
        cum += w[order[k]];
        if (k + 1 == order.size() || d.sizes[order[k + 1]] > s)
            r.ks = std::max(r.ks, std::fabs(F - cum / W));
    }
    return r;
}

void ExpectNear(double got, LD want, double rel, const char *what)
{
    EXPECT_LE(std::fabs(got - double(want)), rel * std::fabs(double(want))) << what << ": " << got << " vs "
                                                                           << double(want);
}

TEST(MaxLikelihood, EveryLawByNumberAndByVolumeMatchesTheReference)
{
    for (int sampleLaw = 1; sampleLaw <= 4; ++sampleLaw) {
        const Data d = LawSample(sampleLaw);
        for (bool byVolume : {false, true}) {
            const mle::Sample s = mle::Prepare(d.sizes, d.counts, byVolume, false);
            for (int law = 1; law <= 4; ++law) {
                SCOPED_TRACE(testing::Message() << "sample " << sampleLaw << " law " << law << " volume " << byVolume);
                const Reference ref = RowsReference(d, law, byVolume);
                const mle::LawFit f = mle::FitLaw(s, s.count.data(), law);
                ExpectNear(f.p[0], ref.p0, 1e-6, "param 1");
                ExpectNear(f.p[1], ref.p1, 1e-6, "param 2");
                ExpectNear(f.d50, ref.d50, 1e-6, "d50");
                ExpectNear(mle::LogLikelihood(s, law, f.p), ref.loglik, 1e-6, "loglik");
                ExpectNear(mle::KsDistance(s, law, f.p), ref.ks, 1e-6, "ks");
            }
        }
    }
}

// Every law on classes: the reference maximises Σ w·ln(F(hi) - F(lo)) over both parameters.
TEST(MaxLikelihood, IntervalCensoredFitsMatchTheReference)
{
    const Data rows = LawSample(2);
    Data d; // 12 classes of width 4 with the particles of the Rosin-Rammler sample
    for (int k = 1; k <= 12; ++k) {
        d.sizes.push_back(4.0 * k);
        double n = 0;
        for (size_t i = 0; i < rows.sizes.size(); ++i)
            n += rows.sizes[i] > 4.0 * (k - 1) && rows.sizes[i] <= 4.0 * k ? rows.counts[i] : 0;
        d.counts.push_back(n);
    }
    for (bool byVolume : {false, true}) {
        const mle::Sample s = mle::Prepare(d.sizes, d.counts, byVolume, true);
        const std::vector<LD> w = Weights(d, byVolume);
        for (int law = 1; law <= 4; ++law) {
            SCOPED_TRACE(testing::Message() << "law " << law << " volume " << byVolume);
            auto L = [&](LD p0, LD p1) {
                LD sum = 0;
                for (size_t i = 0; i < w.size(); ++i)
                    if (w[i] > 0)
                        sum += w[i] * std::log(CdfL(law, p0, p1, d.sizes[i]) -
                                               CdfL(law, p0, p1, i ? d.sizes[i - 1] : 0.0));
                return sum;
            };
            LD p0, p1;
            if (law == 1) {
                p0 = 44; // the largest class with particles
                p1 = std::exp(Golden([&](LD x) { return L(p0, std::exp(x)); }, -5, 5));
            } else {
                // Inner: the second parameter (a scale, or the deviation) on a log scale;
                // outer: the first (the shape on a log scale, or the mean).
                const LD lo[] = {0, 0, 0, -1, -4}, hi[] = {0, 0, 6.2L, 4, 1};
                auto inner = [&](LD q0) {
                    return std::exp(Golden([&](LD y) { return L(q0, std::exp(y)); }, lo[law], hi[law]));
                };
                auto outer = [&](LD x) { return L(law == 2 ? std::exp(x) : x, inner(law == 2 ? std::exp(x) : x)); };
                const LD x = law == 2 ? Golden(outer, -3, 4) : law == 3 ? Golden(outer, 0, 60) : Golden(outer, 0, 5);
                p0 = law == 2 ? std::exp(x) : x;
                p1 = inner(p0);
            }
            const mle::LawFit f = mle::FitLaw(s, s.count.data(), law);
            ExpectNear(f.p[0], p0, 1e-6, "param 1");
            ExpectNear(f.p[1], p1, 1e-6, "param 2");
            ExpectNear(mle::LogLikelihood(s, law, f.p), L(p0, p1), 1e-9, "loglik");
        }
    }
}

TEST(MaxLikelihood, ArithmeticFaultsAreMessagesNotNumbers)
{
    auto kind = [](std::vector<double> sizes, std::vector<double> counts, bool classes) {
        try {
            mle::FitSample(mle::Prepare(sizes, counts, false, classes), {});
        } catch (const mle::FitError &e) {
            EXPECT_FALSE(e.English().isEmpty());
            EXPECT_FALSE(e.Shown().isEmpty());
            return std::make_pair(int(e.kind), e.where);
        }
        return std::make_pair(-1, 0);
    };
    using E = mle::FitError;
    EXPECT_EQ(kind({}, {}, false), std::make_pair(int(E::Empty), 0));
    EXPECT_EQ(kind({1, 2}, {0, 0}, false), std::make_pair(int(E::NoParticles), 0));
    EXPECT_EQ(kind({1, 0, 3}, {1, 2, 1}, false), std::make_pair(int(E::NonPositiveSize), 2));
    EXPECT_EQ(kind({5, 5, 7}, {3, 4, 0}, false), std::make_pair(int(E::OneSize), 0));
    EXPECT_EQ(kind({5, 6, 7}, {0, 9, 0}, true), std::make_pair(int(E::OneClass), 0));
    EXPECT_EQ(kind({5, 6, 6}, {1, 9, 1}, true), std::make_pair(int(E::NotAscending), 3));
    EXPECT_EQ(kind({0, 6, 7}, {1, 9, 1}, true), std::make_pair(int(E::NonPositiveSize), 1));
    // A size of 0 without particles is no particle, or where the classes start.
    EXPECT_EQ(kind({0, 6, 7}, {0, 9, 1}, false), std::make_pair(-1, 0));
    EXPECT_EQ(kind({0, 6, 7}, {0, 9, 1}, true), std::make_pair(-1, 0));
    // The law is named, not numbered, in the windows' text.
    EXPECT_EQ(E(E::NoConvergence, 3).Shown(),
              QStringLiteral("Параметры нормального закона не находятся методом максимального правдоподобия"));
}

} // namespace
