// Reading and writing a 4096 x 4096 picture in each file format. For every format the
// program's whole read (TMultImage::LoadPicture, to the working 24-bit form) runs next to
// Qt's own decode of the same file, so the cost of the conversion shows as the difference.
// bytes/s is raw picture bytes (4 per pixel) per second. PCX pictures are one pixel narrower,
// the widest the format takes.
#include "image_files/MultImage.h"
#include "image_files/PcxCodec.h"

#include "image_files/PictureMemory.h"

#include <benchmark/benchmark.h>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace {

constexpr int Side = 4096;

// A smooth picture with some noise, closer to a micrograph than pure noise (which makes
// the compressing formats unrepresentative).
QImage Picture()
{
    static const QImage img = [] {
        QImage p(Side, Side, QImage::Format_RGBX8888);
        uint32_t seed = 1;
        for (int y = 0; y < Side; ++y) {
            auto *r = reinterpret_cast<uint32_t *>(p.scanLine(y));
            for (int x = 0; x < Side; ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int v = int(128 + 100 * std::sin(x / 97.0) * std::cos(y / 61.0)) + int(seed >> 29);
                const uint32_t g = uint32_t(std::clamp(v, 0, 255));
                r[x] = g | (g << 8) | (std::min(255u, g + 20) << 16) | 0xFF000000u;
            }
        }
        return p;
    }();
    return img;
}

const char *const Exts[] = {".PNG", ".JPG", ".BMP", ".TIF", ".PCX"};

QString FileFor(int kind)
{
    static QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("picture") + QLatin1String(Exts[kind]));
    if (!QFile::exists(name)) {
        QString message;
        const QImage p = kind == 4 ? Picture().copy(0, 0, Side - 1, Side) : Picture();
        TMultImage::SavePicture(name, p, 90, message);
    }
    return name;
}

void Bytes(benchmark::State &state)
{
    state.SetBytesProcessed(state.iterations() * int64_t(Side) * Side * 4);
}

void BM_Load(benchmark::State &state)
{
    const QString file = FileFor(int(state.range(0)));
    state.SetLabel(Exts[state.range(0)]);
    QImage picture;
    QString message;
    TMultImage::LoadPicture(file, picture, message); // the heap holds picture memory from then on, as in a session
    for (auto _ : state) {
        if (!TMultImage::LoadPicture(file, picture, message))
            state.SkipWithError(message.toUtf8().constData());
        benchmark::DoNotOptimize(picture.constBits());
    }
    Bytes(state);
}

void BM_QtDecode(benchmark::State &state)
{
    const int kind = int(state.range(0));
    state.SetLabel(Exts[kind]);
    if (kind == 4) {
        state.SkipWithError("Qt has no PCX reader");
        return;
    }
    const QString file = FileFor(kind);
    QImageReader(file).read();
    for (auto _ : state) {
        QImageReader reader(file);
        QImage img = reader.read();
        benchmark::DoNotOptimize(img.constBits());
    }
    Bytes(state);
}

void BM_Encode(benchmark::State &state)
{
    const int kind = int(state.range(0));
    state.SetLabel(Exts[kind]);
    const QImage picture = kind == 4 ? Picture().copy(0, 0, Side - 1, Side) : Picture();
    for (auto _ : state) {
        QByteArray bytes = TMultImage::Encode(picture, QLatin1String(Exts[kind]), 90);
        benchmark::DoNotOptimize(bytes.constData());
    }
    Bytes(state);
}

// The codec alone, in memory, on the 24-bit picture.
void BM_PcxDecode(benchmark::State &state)
{
    const QByteArray file = pcx::Encode(Picture().copy(0, 0, Side - 1, Side));
    for (auto _ : state) {
        QImage img = pcx::Decode(file);
        benchmark::DoNotOptimize(img.constBits());
    }
    Bytes(state);
}

void BM_PcxEncode(benchmark::State &state)
{
    const QImage picture = Picture().copy(0, 0, Side - 1, Side);
    for (auto _ : state) {
        QByteArray file = pcx::Encode(picture);
        benchmark::DoNotOptimize(file.constData());
    }
    Bytes(state);
}

// Qt's PNG writer at its default compression and at zlib level 1 (quality 85 maps to it),
// the two a user of the library would pick between; the file size is a counter.
void BM_QtPng(benchmark::State &state)
{
    const int quality = int(state.range(0));
    state.SetLabel(quality < 0 ? "Qt default" : "Qt quality " + std::to_string(quality));
    const QImage picture = Picture();
    qint64 size = 0;
    for (auto _ : state) {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "png");
        writer.setQuality(quality);
        writer.write(picture);
        size = out.size();
        benchmark::DoNotOptimize(out.constData());
    }
    state.counters["file_MB"] = double(size) / 1e6;
    Bytes(state);
}

// The whole save to a file, as File > Save does it.
void BM_Save(benchmark::State &state)
{
    const int kind = int(state.range(0));
    state.SetLabel(Exts[kind]);
    const QImage picture = kind == 4 ? Picture().copy(0, 0, Side - 1, Side) : Picture();
    static QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("saved") + QLatin1String(Exts[kind]));
    QString message;
    for (auto _ : state)
        if (!TMultImage::SavePicture(name, picture, 90, message))
            state.SkipWithError(message.toUtf8().constData());
    state.counters["file_MB"] = double(QFileInfo(name).size()) / 1e6;
    Bytes(state);
}

BENCHMARK(BM_Load)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtDecode)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Encode)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtPng)->Arg(-1)->Arg(85)->Arg(75)->Arg(65)->Arg(55)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PcxEncode)->Unit(benchmark::kMillisecond);

} // namespace

// Measured as the programs run: they keep released picture memory for reuse.
static const bool kKept = [] {
    KeepPictureMemory();
    return true;
}();
