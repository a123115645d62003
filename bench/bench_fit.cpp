// Maximum-likelihood fits with 1000 bootstrap resamples of a 10000-row sample, on every core,
// against the naive way: one thread drawing every particle of every resample.
#include "analysis/Bootstrap.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace {

// 10000 distinct sizes from a Rosin-Rammler law (a = 2, b = 20) with `perRow` particles each
// on average, as an image analysis or a grouping leaves them.
mle::Sample Rows(double perRow)
{
    std::vector<double> sizes, counts;
    mle::Rng rng(7, 0);
    for (int k = 0; k < 10000; ++k) {
        const double F = (k + 0.5) / 10000;
        sizes.push_back(20 * std::sqrt(-std::log1p(-F)) * (1 + 1e-9 * double(rng.Below(1000))));
        counts.push_back(perRow <= 1 ? 1 : double(1 + rng.Below(uint64_t(2 * perRow))));
    }
    return mle::Prepare(sizes, counts, false, false);
}

void Run(benchmark::State &state, double perRow, int threads)
{
    const mle::Sample s = Rows(perRow);
    mle::Options o;
    o.threads = threads;
    for (auto _ : state) {
        mle::Result r = mle::FitSample(s, o);
        benchmark::DoNotOptimize(r.relHalfWidth);
    }
    state.counters["particles"] = s.particles;
}

void BM_Fit10000Rows_1000Resamples_AllCores(benchmark::State &state) { Run(state, 1, 0); }
void BM_Fit10000Rows_1000Resamples_OneThread(benchmark::State &state) { Run(state, 1, 1); }
void BM_Fit10000RowsOf100_1000Resamples_AllCores(benchmark::State &state) { Run(state, 100, 0); }

// The naive bootstrap: every particle drawn one by one, every resample in one thread.
void BM_Naive10000RowsOf100_1000Resamples(benchmark::State &state)
{
    const mle::Sample s = Rows(100);
    std::vector<uint32_t> table;
    for (int i = 0; i < s.cells(); ++i)
        table.insert(table.end(), size_t(s.count[size_t(i)]), uint32_t(i));
    std::vector<double> counts;
    for (auto _ : state) {
        mle::Rng rng(1, 0);
        double sum = 0;
        for (int b = 0; b < 1000; ++b) {
            counts.assign(size_t(s.cells()), 0.0);
            for (size_t j = 0; j < table.size(); ++j)
                counts[table[size_t(rng.Below(table.size()))]] += 1;
            for (int law = 1; law <= mle::kLaws; ++law)
                sum += mle::FitLaw(s, counts.data(), law).d50;
        }
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(BM_Fit10000Rows_1000Resamples_AllCores)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Fit10000Rows_1000Resamples_OneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Fit10000RowsOf100_1000Resamples_AllCores)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Naive10000RowsOf100_1000Resamples)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
