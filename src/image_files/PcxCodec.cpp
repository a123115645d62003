#include "image_files/PcxCodec.h"
#include "samples/Errors.h"

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
// a single byte of 192 or more as 0xC1 and the value.
class RunWriter {
public:
    explicit RunWriter(QByteArray &out) : out_(out) {}
    void Put(uint8_t b)
    {
        if (count_ > 0 && b == value_ && count_ < 63) {
            ++count_;
            return;
        }
        Flush();
        value_ = b;
        count_ = 1;
    }
    void Flush()
    {
        if (count_ == 0)
            return;
        if (count_ > 1 || value_ >= 0xC0)
            out_.append(char(0xC0 + count_));
        out_.append(char(value_));
        last_ = value_;
        count_ = 0;
    }
    // The final flush of the one-plane encoder, repeated: the last byte once more.
    void RepeatLast()
    {
        if (last_ >= 0xC0)
            out_.append(char(0xC1));
        out_.append(char(last_));
    }

private:
    QByteArray &out_;
    uint8_t value_ = 0;
    int count_ = 0;
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
    RunReader reader(data, dataSize);
    if (width == 0 || height == 0)
        return QImage();
    // Many writers pad each plane line to an even length and say so in the header; a
    // longer line than the width needs is honoured, so such files do not decode shifted.
    const int declared = U16(p + 66);

    if (depth == 24) {
        QImage img(width, height, QImage::Format_RGB888);
        if (img.isNull())
            Fail("Width of PCX image is too large to handle");
        const int line = std::max(width, declared);
        std::vector<uint8_t> r(static_cast<size_t>(line)), g(r), b(r);
        for (int y = 0; y < height; ++y) {
            reader.Line(r.data(), line);
            reader.Line(g.data(), line);
            reader.Line(b.data(), line);
            uint8_t *row = img.scanLine(y);
            for (int x = 0; x < width; ++x) {
                row[3 * x] = r[size_t(x)];
                row[3 * x + 1] = g[size_t(x)];
                row[3 * x + 2] = b[size_t(x)];
            }
        }
        return img;
    }
    const bool mono = depth == 1;
    const int lineBytes = mono ? (width + 7) / 8 : width;
    QImage img(mono ? lineBytes * 8 : width, height, mono ? QImage::Format_Mono : QImage::Format_Indexed8);
    if (img.isNull())
        Fail("Width of PCX image is too large to handle");
    QVector<QRgb> palette;
    const int colours = mono ? 2 : 256;
    for (int i = 0; i < colours; ++i)
        palette << qRgb(trailer[1 + 3 * i], trailer[2 + 3 * i], trailer[3 + 3 * i]);
    img.setColorTable(palette);
    std::vector<uint8_t> line(static_cast<size_t>(std::max(lineBytes, declared)));
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
    if (width > 65536 || height > 65536)
        Fail("Width of PCX image is too large to handle");
    QByteArray data;
    RunWriter w(data);
    const QImage::Format f = picture.format();
    if (f == QImage::Format_Mono || f == QImage::Format_Indexed8) {
        const bool mono = f == QImage::Format_Mono;
        const int lineBytes = mono ? (width + 7) / 8 : width;
        QByteArray out = Header(width, height, mono ? 1 : 8, 1, lineBytes);
        for (int y = 0; y < height; ++y) {
            const uint8_t *row = picture.constScanLine(y);
            for (int x = 0; x < lineBytes; ++x)
                w.Put(row[x]);
            w.Flush();
        }
        w.RepeatLast();
        out += data;
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
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray out = Header(width, height, 8, 3, width);
    for (int y = 0; y < height; ++y) {
        const uint8_t *row = rgb.constScanLine(y);
        for (int plane = 0; plane < 3; ++plane) {
            for (int x = 0; x < width; ++x)
                w.Put(row[3 * x + plane]);
            w.Flush();
        }
    }
    return out + data;
}

} // namespace pcx
