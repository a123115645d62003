// How often the bootstrap interval of d50 holds the true d50: samples of P particles drawn
// from a Rosin-Rammler and a log-normal law, sizes rounded to the table's three decimals.
//   fit_coverage [SAMPLES [PARTICLES [RESAMPLES]]]     (defaults 1000, 300, 1000)
#include "analysis/Bootstrap.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const int samples = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int particles = argc > 2 ? std::atoi(argv[2]) : 300;
    mle::Options o;
    o.resamples = argc > 3 ? std::atoi(argv[3]) : 1000;
    struct Case {
        int law;
        const char *name;
        double p0, p1, d50;
    } cases[] = {{2, "Rosin-Rammler a=2 b=20", 2, 20, 20 * std::sqrt(std::log(2.0))},
                 {4, "log-normal mean ln 15, sd 0.5", std::log(15.0), 0.5, 15},
                 {2, "Rosin-Rammler a=1.2 b=50", 1.2, 50, 50 * std::pow(std::log(2.0), 1 / 1.2)},
                 {4, "log-normal mean ln 40, sd 1", std::log(40.0), 1, 40}};
    std::printf("%d samples of %d particles, %d resamples, level %g\n", samples, particles, o.resamples, o.level);
    int index = 0;
    for (const Case &c : cases) {
        ++index; // each case its own draws: the same ones would only rescale the same intervals
        int covered = 0, below = 0;
        double width = 0;
        for (int k = 0; k < samples; ++k) {
            mle::Rng rng(uint64_t(1000 + index), uint64_t(k));
            std::vector<double> sizes, counts(size_t(particles), 1.0);
            for (int j = 0; j < particles; ++j) {
                double d;
                if (c.law == 2) {
                    d = c.p1 * std::pow(-std::log1p(-rng.Uniform()), 1 / c.p0);
                } else { // Box-Muller
                    const double u = 1 - rng.Uniform(), v = rng.Uniform();
                    d = std::exp(c.p0 + c.p1 * std::sqrt(-2 * std::log(u)) * std::cos(2 * M_PI * v));
                }
                sizes.push_back(std::max(0.001, std::round(d * 1000) / 1000)); // a table holds no size 0
            }
            o.seed = uint64_t(k + 1);
            mle::Result r;
            try {
                r = mle::FitSample(mle::Prepare(sizes, counts, false, false), o);
            } catch (const mle::FitError &e) {
                std::printf("%s: sample %d: %s\n", c.name, k, e.English().toUtf8().constData());
                continue;
            }
            if (!r.law[c.law].fit.ok) {
                std::printf("%s: sample %d: %s\n", c.name, k, r.law[c.law].error.English().toUtf8().constData());
                continue;
            }
            const mle::Interval ci = r.law[c.law].d50ci;
            covered += ci.lo <= c.d50 && c.d50 <= ci.hi;
            below += ci.hi < c.d50;
            width += (ci.hi - ci.lo) / 2 / r.law[c.law].fit.d50 / samples;
        }
        const double p = double(covered) / samples;
        std::printf("%-32s covered %d of %d = %.1f %% (± %.1f %% standard error); interval below the true d50 %d, "
                    "above %d; mean relative half-width %.2f %%\n",
                    c.name, covered, samples, 100 * p, 100 * std::sqrt(p * (1 - p) / samples), below,
                    samples - covered - below, 100 * width);
    }
}
