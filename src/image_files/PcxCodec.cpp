#include "image_files/PcxCodec.h"
#include "base/Errors.h"
#include "image_files/PictureMemory.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pcx {

namespace {

constexpr int kHeader = 128;
constexpr int kTrailer = 769;

int U16(const uint8_t *p) { return p[0] | (p[1] << 8); }

void Fail(const char *text) { throw GrizalError(QString::fromLatin1(text)); }

// Decodes one line of `length` bytes; a run reaching past the line's end is cut there.
class RunReader {
public:
    RunReader(const uint8_t *data, size_t size) : p_(data), end_(data + size) {}
    void Line(uint8_t *out, int length)
    {
        int i = 0;
        while (i < length) {
            if (p_ >= end_) { // the data ends early: the rest stays 0
                std::memset(out + i, 0, size_t(length - i));
                return;
            }
            const uint8_t b = *p_++;
            if (b > 0xC0) {
                const int count = b & 63;
                const uint8_t v = p_ < end_ ? *p_++ : 0;
                for (int k = 0; k < count && i < length; ++k)
                    out[i++] = v;
            } else {
                out[i++] = b;
            }
        }
    }

private:
    const uint8_t *p_;
    const uint8_t *end_;
};

// Runs of equal bytes: 2..63 as 0xC0 + n and the value, a single byte below 192 as itself,
// a single byte of 192 or more as 0xC1 and the value. Every line ends its last run. The
// encoded bytes go straight into the file image after its header, which has room for the
// worst case (two bytes out for every byte in); a fresh buffer for a large picture costs
// more in page faults than the encoding itself, so nothing is copied twice.
class RunWriter {
public:
    RunWriter(QByteArray &file, size_t bytesIn) : file_(file)
    {
        used_ = size_t(file_.size());
        file_.resize(qsizetype(used_ + 2 * bytesIn + 2));
    }
    void Line(const uint8_t *src, int n)
    {
        uint8_t *start = reinterpret_cast<uint8_t *>(file_.data());
        uint8_t *o = start + used_;
        int i = 0;
        while (i < n) {
            const uint8_t v = src[i];
            const int limit = std::min(n, i + 63);
            int j = i + 1;
            while (j < limit && src[j] == v)
                ++j;
            const int count = j - i;
            if (count > 1 || v >= 0xC0)
                *o++ = uint8_t(0xC0 + count);
            *o++ = v;
            last_ = v;
            i = j;
        }
        used_ = size_t(o - start);
    }
    // The final flush of the one-plane encoder, repeated: the last byte once more.
    void RepeatLast()
    {
        const uint8_t v = last_;
        Line(&v, 1);
    }
    // Cuts the file image to what was written.
    void Finish() { file_.resize(qsizetype(used_)); }

private:
    QByteArray &file_;
    size_t used_ = 0;
    uint8_t last_ = 0;
};

QByteArray Header(int width, int height, int bits, int planes, int bytesPerLine)
{
    QByteArray h(kHeader, '\0');
    auto *p = reinterpret_cast<uint8_t *>(h.data());
    p[0] = 10;
    p[1] = 5;
    p[2] = 1;
    p[3] = uint8_t(bits);
    auto put16 = [p](int at, int v) {
        p[at] = uint8_t(v & 0xFF);
        p[at + 1] = uint8_t((v >> 8) & 0xFF);
    };
    put16(8, width - 1);
    put16(10, height - 1);
    put16(12, 72);
    put16(14, 72);
    p[65] = uint8_t(planes);
    put16(66, bytesPerLine);
    put16(68, 1);
    return h;
}

} // namespace

QImage Decode(const QByteArray &file)
{
    if (file.size() < kHeader)
        Fail("The PCX file is shorter than its header");
    const auto *p = reinterpret_cast<const uint8_t *>(file.constData());
    if (p[0] != 10)
        Fail("Illegal identification byte in PCX file header");
    if (p[1] != 5)
        Fail("Only PC Paintbrush (plus) V3.0 and higher are supported");
    const int width = U16(p + 8) - U16(p + 4) + 1;
    const int height = U16(p + 10) - U16(p + 6) + 1;
    if (width < 0)
        Fail("Illegal width entry in PCX file header");
    if (height < 0)
        Fail("Illegal height entry in PCX file header");
    if (width > 4095)
        Fail("Width of PCX image is too large to handle");
    const int depth = uint8_t(p[65] * p[3]);
    if (depth != 1 && depth != 8 && depth != 24)
        Fail("Unsupported PCX format");

    const uint8_t *data = p + kHeader;
    size_t dataSize = size_t(file.size() - kHeader);
    const uint8_t *trailer = nullptr;
    if (depth != 24) {
        if (file.size() < kHeader + kTrailer)
            Fail("The PCX file is shorter than its header and palette");
        dataSize -= kTrailer;
        trailer = data + dataSize;
        if (trailer[0] != 12)
            Fail("Invalid palette signature found");
    }
    if (width == 0 || height == 0)
        return QImage();
    if (!PictureSizeAllowed(width, height))
        throw PictureSizeError(width, height, true);
    // Many writers pad each plane line to an even length and say so in the header; a
    // longer line than the width needs is honoured, so such files do not decode shifted.
    const int declared = U16(p + 66);
    const int planeLine = std::max(depth == 1 ? (width + 7) / 8 : width, declared);
    // A run covers at most 63 bytes, so data that cannot fill the picture even so is not
    // a short file but a header asking for memory it has nothing to put in.
    const qint64 needed = qint64(planeLine) * (depth == 24 ? 3 : 1) * height;
    if (63 * ((qint64(dataSize) + 1) / 2) < needed)
        Fail("The PCX file holds too little data for the picture its header declares");
    RunReader reader(data, dataSize);

    if (depth == 24) {
        QImage img(width, height, QImage::Format_RGBX8888);
        if (img.isNull())
            throw PictureSizeError(width, height, false);
        const int line = planeLine;
        std::vector<uint8_t> r(static_cast<size_t>(line)), g(r), b(r);
        for (int y = 0; y < height; ++y) {
            reader.Line(r.data(), line);
            reader.Line(g.data(), line);
            reader.Line(b.data(), line);
            auto *row = reinterpret_cast<uint32_t *>(img.scanLine(y));
            for (int x = 0; x < width; ++x)
                row[x] = uint32_t(r[size_t(x)]) | (uint32_t(g[size_t(x)]) << 8) | (uint32_t(b[size_t(x)]) << 16)
                         | 0xFF000000u;
        }
        return img;
    }
    const bool mono = depth == 1;
    const int lineBytes = mono ? (width + 7) / 8 : width;
    QImage img(mono ? lineBytes * 8 : width, height, mono ? QImage::Format_Mono : QImage::Format_Indexed8);
    if (img.isNull())
        throw PictureSizeError(width, height, false);
    QVector<QRgb> palette;
    const int colours = mono ? 2 : 256;
    for (int i = 0; i < colours; ++i)
        palette << qRgb(trailer[1 + 3 * i], trailer[2 + 3 * i], trailer[3 + 3 * i]);
    img.setColorTable(palette);
    std::vector<uint8_t> line(static_cast<size_t>(planeLine));
    for (int y = 0; y < height; ++y) {
        reader.Line(line.data(), int(line.size()));
        std::memcpy(img.scanLine(y), line.data(), size_t(lineBytes));
    }
    return img;
}

QByteArray Encode(const QImage &picture)
{
    if (picture.width() == 0 || picture.height() == 0)
        Fail("The bitmap is empty");
    const int width = picture.width(), height = picture.height();
    // Wider lines than the reader takes would make a file this program cannot open again.
    if (width > 4095)
        Fail("Width of PCX image is too large to handle");
    if (height > 65536)
        Fail("The bitmap is too high for a PCX file");
    const QImage::Format f = picture.format();
    if (f == QImage::Format_Mono || f == QImage::Format_Indexed8) {
        const bool mono = f == QImage::Format_Mono;
        const int lineBytes = mono ? (width + 7) / 8 : width;
        QByteArray out = Header(width, height, mono ? 1 : 8, 1, lineBytes);
        RunWriter w(out, size_t(lineBytes) * size_t(height));
        for (int y = 0; y < height; ++y)
            w.Line(picture.constScanLine(y), lineBytes);
        w.RepeatLast();
        w.Finish();
        QByteArray trailer(kTrailer, '\0');
        trailer[0] = 12;
        const QVector<QRgb> table = picture.colorTable();
        const int named = std::min<int>(mono ? 2 : 256, int(table.size()));
        for (int i = 0; i < named; ++i) {
            trailer[1 + 3 * i] = char(qRed(table[i]));
            trailer[2 + 3 * i] = char(qGreen(table[i]));
            trailer[3 + 3 * i] = char(qBlue(table[i]));
        }
        return out + trailer;
    }
    // The working form (red, green, blue, pad) is read as it lies; others are converted.
    const bool rgbx = f == QImage::Format_RGBX8888 || f == QImage::Format_RGBA8888;
    const QImage rgb = rgbx ? picture : picture.convertToFormat(QImage::Format_RGB888);
    const int step = rgbx ? 4 : 3;
    QByteArray out = Header(width, height, 8, 3, width);
    RunWriter w(out, size_t(width) * 3 * size_t(height));
    std::vector<uint8_t> plane(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        const uint8_t *row = rgb.constScanLine(y);
        for (int c = 0; c < 3; ++c) {
            for (int x = 0; x < width; ++x)
                plane[size_t(x)] = row[step * x + c];
            w.Line(plane.data(), width);
        }
    }
    w.Finish();
    return out;
}

} // namespace pcx
