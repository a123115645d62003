// The whole statistics command on a sample of 10000 classes: class table, four fits,
// report lines and chart.
#include "analysis/Report.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace {

void BM_Statistics10000(benchmark::State &state)
{
    int argc = 1;
    char name[] = "bench";
    char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    auto d = std::make_unique<TSampleData>();
    d->Count = 10000;
    for (int k = 0; k < 10000; ++k) {
        const double x = 1 + k * 0.03;
        d->SetSize(k, x);
        d->N[k] = uint16_t(1 + 1000 * std::exp(-(x - 150) * (x - 150) / 5000));
    }
    for (auto _ : state) {
        int law = 0;
        auto events = report::RunStatistics(*d, {}, law, ',');
        benchmark::DoNotOptimize(events);
    }
}
BENCHMARK(BM_Statistics10000)->Unit(benchmark::kMillisecond);

} // namespace
