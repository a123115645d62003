// Turning a scanner's frames into a picture, for a 4096 x 4096 colour scan.
#include "shell/Scanner.h"

#include <benchmark/benchmark.h>

static void BM_FramesToImageRgb(benchmark::State &state)
{
    const int w = 4096, h = 4096;
    scanner::Frame f;
    f.format = 1, f.depth = int(state.range(0)), f.pixelsPerLine = w, f.lines = h;
    f.bytesPerLine = w * 3 * f.depth / 8;
    f.data = QByteArray(qsizetype(f.bytesPerLine) * h, '\x5A');
    const std::vector<scanner::Frame> frames{f};
    for (auto _ : state)
        benchmark::DoNotOptimize(scanner::FramesToImage(frames));
}
BENCHMARK(BM_FramesToImageRgb)->Arg(8)->Arg(16)->Unit(benchmark::kMillisecond);
