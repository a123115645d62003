// The sample window's table with 10000 rows: writing it and reading it (opening a file into
// a window is in bench_gui).
#include "samples/SampleTable.h"

#include <benchmark/benchmark.h>
#include <memory>

namespace {

std::unique_ptr<TSampleData> FullSample()
{
    auto d = std::make_unique<TSampleData>();
    d->Count = TSampleData::Capacity;
    for (int k = 0; k < TSampleData::Capacity; ++k) {
        d->SetSize(k, 0.5L + k * 0.0137L);
        d->N[k] = uint16_t(k % 50 + 1);
    }
    return d;
}

void BM_SetData10000(benchmark::State &state)
{
    auto d = FullSample();
    SampleTable table;
    for (auto _ : state)
        table.SetData(*d, ',');
}
BENCHMARK(BM_SetData10000)->Unit(benchmark::kMillisecond);

void BM_GetData10000(benchmark::State &state)
{
    auto d = FullSample();
    SampleTable table;
    table.SetData(*d, ',');
    auto out = std::make_unique<TSampleData>();
    for (auto _ : state)
        table.GetData(*out, ',');
}
BENCHMARK(BM_GetData10000)->Unit(benchmark::kMillisecond);

} // namespace
