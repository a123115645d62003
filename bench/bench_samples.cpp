// The sample window's table with 10000 rows: writing it, reading it, opening a file into it.
#include "base/Files.h"
#include "samples/DataFiles.h"
#include "samples/SampleTable.h"
#include "samples/SampleTableModel.h"
#include "samples/TStatForm.h"

#include <QApplication>
#include <QTemporaryDir>
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

void BM_OpenGrzIntoWindow(benchmark::State &state)
{
    int argc = 1;
    char name[] = "bench";
    char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath("full.grz");
    QString error;
    fileio::WriteFileAtomically(file, datafiles::EncodeGrz(*FullSample()), error);
    for (auto _ : state) {
        auto data = std::make_unique<TSampleData>();
        datafiles::ReadGrz(file, *data, error);
        TStatForm form;
        form.SetData(*data);
        benchmark::DoNotOptimize(form.Model()->rowCount());
    }
}
BENCHMARK(BM_OpenGrzIntoWindow)->Unit(benchmark::kMillisecond);

} // namespace
