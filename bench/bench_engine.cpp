// The pixel engine on 1024 x 1024 and 4096 x 4096 pictures, each operation next to a naive
// pixel()/setPixel() version and, where it has one, OpenCV's. items/s is pixels per second.
#include "imaging/BinaryAnalysis.h"
#include "imaging/Pictures.h"
#include "samples/SampleData.h"

#include "image_files/MultImage.h"
#include "image_files/PictureMemory.h"
#include "samples/SampleTable.h"

#include <benchmark/benchmark.h>
#include <opencv2/imgproc.hpp>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

QImage RandomPicture(int side)
{
    QImage img(side, side, QImage::Format_RGBX8888);
    std::mt19937 rng(1);
    for (int y = 0; y < side; ++y) {
        auto *r = reinterpret_cast<uint32_t *>(img.scanLine(y));
        for (int x = 0; x < side; ++x)
            r[x] = rng() | 0xFF000000u;
    }
    return img;
}

void Pixels(benchmark::State &state)
{
    state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

enum Kind { KNegative, KBandW, KMirrorH, KMirrorV, KShades, KGray };

void Run(TPictures &e, int kind, QImage &p)
{
    switch (kind) {
    case KNegative: e.Negative(p); break;
    case KBandW: e.BlackAndWhite(30, p); break;
    case KMirrorH: e.MirrorHorizontal(p); break;
    case KMirrorV: e.MirrorVertical(p); break;
    case KShades: e.SeparateByShades(pictures::ShadeMidpoint, 0x202020, 0xE0E0E0, p); break;
    default: e.Grayscale(p); break;
    }
}

template <int kind>
void BM_Engine(benchmark::State &state)
{
    QImage picture = RandomPicture(int(state.range(0)));
    QImage fresh = picture;
    fresh.detach();
    TPictures engine;
    Run(engine, kind, picture); // the working copy exists from then on, as in a session
    for (auto _ : state) {
        if (kind == KBandW || kind == KShades || kind == KGray) {
            state.PauseTiming(); // these would soon see only black and white
            engine.CopyPicture(fresh, picture, false);
            state.ResumeTiming();
        }
        Run(engine, kind, picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
    Pixels(state);
}

// The same with pixel()/setPixel(): an undo copy, a new picture filled pixel by pixel.
template <int kind>
void BM_Naive(benchmark::State &state)
{
    QImage picture = RandomPicture(int(state.range(0)));
    const int W = picture.width(), H = picture.height();
    QImage undo;
    for (auto _ : state) {
        undo = picture.copy();
        QImage out(W, H, QImage::Format_RGBX8888);
        for (int x = 0; x < W; ++x)
            for (int y = 0; y < H; ++y) {
                const QRgb c = picture.pixel(x, y);
                QRgb o = c;
                switch (kind) {
                case KNegative: o = qRgb(255 - qRed(c), 255 - qGreen(c), 255 - qBlue(c)); break;
                case KBandW: {
                    const uint32_t v = uint32_t(qRed(c)) | (uint32_t(qGreen(c)) << 8) | (uint32_t(qBlue(c)) << 16);
                    o = v > 5033164u ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
                    break;
                }
                case KMirrorH: o = picture.pixel(W - 1 - x, y); break;
                case KMirrorV: o = picture.pixel(x, H - 1 - y); break;
                case KShades: {
                    const uint32_t v = uint32_t(qRed(c)) | (uint32_t(qGreen(c)) << 8) | (uint32_t(qBlue(c)) << 16);
                    o = v >= 0x808080u ? qRgb(255, 255, 255) : c;
                    break;
                }
                default: {
                    const int g = pictures::GrayOf(qRed(c), qGreen(c), qBlue(c));
                    o = qRgb(g, g, g);
                }
                }
                out.setPixel(x, y, o);
            }
        picture = out;
        benchmark::DoNotOptimize(picture.constBits());
    }
    Pixels(state);
}

// In-place median on fresh noise every iteration: the filter rewrites its input, and a
// pass over its own output would measure a smooth picture instead.
void BM_Median(benchmark::State &state)
{
    const QImage fresh = RandomPicture(int(state.range(0)));
    QImage picture = fresh.copy();
    const int X = int(state.range(1)), Y = int(state.range(2));
    TPictures engine;
    // The working copy and the filter's scratch exist from then on, as in a session.
    engine.MedianFilter(X, Y, picture);
    for (auto _ : state) {
        state.PauseTiming();
        engine.CopyPicture(fresh, picture, false);
        state.ResumeTiming();
        engine.MedianFilter(X, Y, picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
    Pixels(state);
}

// OpenCV's median (per channel, from a separate input, odd square windows only).
void BM_MedianOpenCV(benchmark::State &state)
{
    QImage picture = RandomPicture(int(state.range(0)));
    const cv::Mat in(picture.height(), picture.width(), CV_8UC4, picture.bits(), size_t(picture.bytesPerLine()));
    cv::Mat out(in.size(), in.type());
    const int k = int(state.range(1));
    for (auto _ : state) {
        cv::medianBlur(in, out, k);
        benchmark::DoNotOptimize(out.data);
    }
    Pixels(state);
}

// Plain in-place median: gather the window, nth_element, pixel()/setPixel().
void BM_MedianNaive(benchmark::State &state)
{
    const QImage fresh = RandomPicture(int(state.range(0)));
    QImage picture;
    const int X = int(state.range(1)), W = fresh.width(), H = fresh.height();
    std::vector<uint32_t> buf;
    for (auto _ : state) {
        state.PauseTiming();
        picture = fresh.copy();
        state.ResumeTiming();
        for (int x0 = 0; x0 <= W - X; ++x0)
            for (int y0 = 0; y0 <= H - X; ++y0) {
                buf.clear();
                for (int dx = 0; dx < X; ++dx)
                    for (int dy = 0; dy < X; ++dy)
                        buf.push_back(picture.pixel(x0 + dx, y0 + dy) & 0xFFFFFF);
                std::nth_element(buf.begin(), buf.begin() + long(buf.size() / 2), buf.end());
                picture.setPixel(x0 + X / 2, y0 + X / 2, buf[buf.size() / 2] | 0xFF000000u);
            }
        benchmark::DoNotOptimize(picture.constBits());
    }
    Pixels(state);
}

// Black discs of radius 5 to 40 on white, not touching each other.
QImage Discs(int side, int count)
{
    QImage img(side, side, QImage::Format_RGBX8888);
    img.fill(Qt::white);
    std::mt19937 rng(4);
    struct D { int x, y, r; };
    std::vector<D> placed;
    while (int(placed.size()) < count) {
        const int r = 5 + int(rng() % 36);
        const int x = 45 + int(rng() % unsigned(side - 90)), y = 45 + int(rng() % unsigned(side - 90));
        bool free = true;
        for (const D &d : placed)
            if ((d.x - x) * (d.x - x) + (d.y - y) * (d.y - y) < (d.r + r + 3) * (d.r + r + 3)) {
                free = false;
                break;
            }
        if (!free)
            continue;
        placed.push_back({x, y, r});
        for (int yy = y - r; yy <= y + r; ++yy) {
            auto *row = reinterpret_cast<uint32_t *>(img.scanLine(yy));
            for (int xx = x - r; xx <= x + r; ++xx)
                if ((xx - x) * (xx - x) + (yy - y) * (yy - y) <= r * r)
                    row[xx] = 0xFF000000u;
        }
    }
    return img;
}

void BM_Analyse(benchmark::State &state)
{
    const int side = int(state.range(0));
    const QImage source = Discs(side, side >= 4096 ? 1000 : 60);
    QImage picture = source;
    picture.detach();
    TPictures engine;
    auto data = std::make_unique<TSampleData>();
    for (auto _ : state) {
        state.PauseTiming();
        engine.CopyPicture(source, picture, false);
        state.ResumeTiming();
        engine.AnalyseBinary(*data, pictures::MeasureArea, 1, picture);
        benchmark::DoNotOptimize(data->Count);
    }
    state.counters["particles"] = data->Count;
    Pixels(state);
}

// The scan column by column with pixel(), on a plain copy.
void BM_AnalyseNaive(benchmark::State &state)
{
    const int side = int(state.range(0));
    const QImage source = Discs(side, side >= 4096 ? 1000 : 60);
    int count = 0;
    for (auto _ : state) {
        QImage img = source.copy();
        pictures::PaintFrame(img);
        count = 0;
        for (int x = 3; x <= side - 3; ++x)
            for (int y = 3; y <= side - 3; ++y)
                if ((img.pixel(x, y - 1) & 0xFFFFFF) == 0 && (img.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) {
                    pictures::TraceContour(img, x, y, pictures::MeasureArea, 1);
                    ++count;
                }
        benchmark::DoNotOptimize(count);
    }
    state.counters["particles"] = count;
    Pixels(state);
}

// OpenCV's outer contours of the same picture (a fresh mask from the 32-bit picture each
// time), with the area of each: what a user of that library would write.
void BM_AnalyseOpenCV(benchmark::State &state)
{
    const int side = int(state.range(0));
    QImage source = Discs(side, side >= 4096 ? 1000 : 60);
    const cv::Mat pixels(side, side, CV_8UC4, source.bits(), size_t(source.bytesPerLine()));
    cv::Mat mask;
    std::vector<std::vector<cv::Point>> contours;
    double total = 0;
    for (auto _ : state) {
        cv::extractChannel(pixels, mask, 0);
        cv::threshold(mask, mask, 127, 255, cv::THRESH_BINARY_INV);
        cv::findContours(mask, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_NONE);
        for (const auto &c : contours)
            total += cv::contourArea(c);
        benchmark::DoNotOptimize(total);
    }
    state.counters["particles"] = double(contours.size());
    Pixels(state);
}

// What `grizal2-cli analyse` does with a PNG of the 1000 discs (read into the working form,
// analyse, the sample table's texts) next to the library's decode of the same file alone.
QString DiscsFile()
{
    static QTemporaryDir dir;
    static const QString name = [] {
        const QString n = dir.filePath(QStringLiteral("discs.png"));
        QString message;
        TMultImage::SavePicture(n, Discs(4096, 1000), 100, message);
        return n;
    }();
    return name;
}

void BM_AnalyseFile(benchmark::State &state)
{
    const QString file = DiscsFile();
    TPictures engine;
    engine.SetUndoKept(false); // as the command line
    auto data = std::make_unique<TSampleData>();
    auto table = std::make_unique<SampleTable>();
    for (auto _ : state) {
        QImage picture;
        QString message;
        TMultImage::LoadPicture(file, picture, message);
        engine.AnalyseBinary(*data, pictures::MeasureArea, 1, picture);
        table->SetData(*data, '.');
        benchmark::DoNotOptimize(data->Count);
    }
    state.counters["particles"] = data->Count;
}

void BM_DecodeFile(benchmark::State &state)
{
    const QString file = DiscsFile();
    for (auto _ : state) {
        QImageReader reader(file);
        QImage img = reader.read();
        benchmark::DoNotOptimize(img.constBits());
    }
}

#define SIZES Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond)
BENCHMARK_TEMPLATE(BM_Engine, KNegative)->SIZES;
BENCHMARK_TEMPLATE(BM_Naive, KNegative)->SIZES;
BENCHMARK_TEMPLATE(BM_Engine, KBandW)->SIZES;
BENCHMARK_TEMPLATE(BM_Naive, KBandW)->SIZES;
BENCHMARK_TEMPLATE(BM_Engine, KMirrorH)->SIZES;
BENCHMARK_TEMPLATE(BM_Naive, KMirrorH)->SIZES;
BENCHMARK_TEMPLATE(BM_Engine, KMirrorV)->SIZES;
BENCHMARK_TEMPLATE(BM_Naive, KMirrorV)->SIZES;
BENCHMARK_TEMPLATE(BM_Engine, KShades)->SIZES;
BENCHMARK_TEMPLATE(BM_Naive, KShades)->SIZES;
BENCHMARK_TEMPLATE(BM_Engine, KGray)->SIZES;
BENCHMARK_TEMPLATE(BM_Naive, KGray)->SIZES;
// Mpx/s is items_per_second / 1e6.
BENCHMARK(BM_Median)
    ->Args({4096, 3, 3})->Args({4096, 5, 5})->Args({4096, 7, 7})->Args({4096, 10, 10})
    ->Args({1024, 1, 10})->Args({1024, 10, 1})->Args({1024, 4, 9})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MedianOpenCV)->Args({4096, 3})->Args({4096, 5})->Args({4096, 7})->Args({4096, 9})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MedianNaive)->Args({1024, 3})->Args({1024, 5})->Args({1024, 10})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Analyse)->SIZES;
BENCHMARK(BM_AnalyseNaive)->SIZES;
BENCHMARK(BM_AnalyseOpenCV)->SIZES;
BENCHMARK(BM_AnalyseFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeFile)->Unit(benchmark::kMillisecond);

} // namespace

// Measured as the programs run: they keep released picture memory for reuse.
static const bool kKept = [] {
    KeepPictureMemory();
    return true;
}();
