#include "image_files/metafile/Dib.h"

#include "image_files/Metafile.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <array>

namespace metafile::detail {

bool ReadDibLayout(View info, DibLayout &d)
{
    const uint32_t headerSize = info.U32(0);
    if (headerSize == 12 && info.Has(0, 12)) { // the old core header, RGB triples in the table
        d.width = info.U16(4);
        d.height = info.U16(6);
        d.bpp = info.U16(10);
        d.entrySize = 3;
        d.tableOffset = 12;
        d.tableEntries = d.bpp <= 8 ? int64_t(1) << d.bpp : 0;
        return d.width > 0 && d.height > 0;
    }
    if (headerSize < 40 || !info.Has(0, headerSize))
        return false;
    d.width = info.I32(4);
    const int64_t h = info.I32(8);
    d.topDown = h < 0;
    d.height = h < 0 ? -h : h;
    d.bpp = info.U16(14);
    d.compression = info.U32(16);
    const uint32_t used = info.U32(32);
    d.tableOffset = headerSize;
    if (d.compression == kBiBitfields || d.compression == kBiAlphaBitfields) {
        const qint64 at = headerSize >= 52 ? 40 : headerSize;
        if (!info.Has(at, 12))
            return false;
        for (int i = 0; i < 3; ++i)
            d.masks[i] = info.U32(at + 4 * i);
        if (headerSize < 52)
            d.tableOffset += d.compression == kBiAlphaBitfields ? 16 : 12;
    }
    d.tableEntries = used ? int64_t(used) : d.bpp >= 1 && d.bpp <= 8 ? int64_t(1) << d.bpp : 0;
    return d.width > 0 && d.height > 0;
}

namespace {

bool SizeAllowed(int64_t w, int64_t h)
{
    return w > 0 && h > 0 && w <= 2 * kMaxSide && h <= 2 * kMaxSide && w * h <= kMaxPixels;
}

std::array<uint32_t, 256> ReadPalette(View info, const DibLayout &d)
{
    std::array<uint32_t, 256> pal;
    pal.fill(0xFF000000u);
    const qint64 count = std::min<qint64>(d.tableEntries, 256);
    for (qint64 i = 0; i < count; ++i) {
        const qint64 at = d.tableOffset + i * d.entrySize;
        if (!info.Has(at, 3))
            break;
        pal[size_t(i)] = 0xFF000000u | uint32_t(info.p[at + 2]) << 16 | uint32_t(info.p[at + 1]) << 8 | info.p[at];
    }
    return pal;
}

// Widens one colour field of a masked pixel to 8 bits.
struct Channel {
    int shift = 0;
    int width = 0;
    uint32_t mask = 0;

    explicit Channel(uint32_t m) : mask(m)
    {
        if (!m)
            return;
        while (!(m & 1)) {
            m >>= 1;
            ++shift;
        }
        while (m & 1) {
            m >>= 1;
            ++width;
        }
    }
    uint32_t Get(uint32_t v) const
    {
        if (!width)
            return 0;
        const uint32_t x = (v & mask) >> shift;
        if (width >= 8)
            return x >> (width - 8);
        const uint32_t max = (1u << width) - 1;
        return (x * 255 + max / 2) / max;
    }
};

QImage DecodeRle(const DibLayout &d, const std::array<uint32_t, 256> &pal, View bits)
{
    // A few bytes of runs can claim a huge picture; keep the claim in proportion to the data.
    if (d.width * d.height > std::max<qint64>(qint64(1) << 20, bits.n * 256))
        return {};
    QImage img(int(d.width), int(d.height), QImage::Format_RGB32);
    if (img.isNull())
        return {};
    img.fill(pal[0]);
    const bool four = d.compression == kBiRle4;
    int64_t x = 0, row = 0; // rows count from the bottom
    auto put = [&](int index) {
        if (x < d.width && row < d.height)
            reinterpret_cast<uint32_t *>(img.scanLine(int(d.height - 1 - row)))[x] = pal[size_t(index)];
        ++x;
    };
    qint64 i = 0;
    while (i + 1 < bits.n && row < d.height) {
        const int count = bits.p[i], value = bits.p[i + 1];
        i += 2;
        if (count > 0) {
            for (int k = 0; k < count; ++k)
                put(four ? (k & 1 ? value & 0xF : value >> 4) : value);
        } else if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            if (i + 1 >= bits.n)
                break;
            x += bits.p[i];
            row += bits.p[i + 1];
            i += 2;
        } else {
            const qint64 bytes = four ? (value + 1) / 2 : value;
            if (!bits.Has(i, bytes))
                break;
            for (int k = 0; k < value; ++k)
                put(four ? (k & 1 ? bits.p[i + k / 2] & 0xF : bits.p[i + k / 2] >> 4) : bits.p[i + k]);
            i += (bytes + 1) & ~qint64(1); // absolute runs keep to whole words
        }
    }
    return img;
}

// A JPEG or PNG inside a bitmap record, read by the library. Its size is known before
// its pixels are decoded.
class Embedded {
public:
    explicit Embedded(View bits)
        : bytes_(QByteArray::fromRawData(reinterpret_cast<const char *>(bits.p), qsizetype(std::min<qint64>(bits.n, INT32_MAX)))),
          buffer_(&bytes_), reader_(&buffer_)
    {
        buffer_.open(QIODevice::ReadOnly);
    }
    QSize Size() { return reader_.size(); }
    QImage Read()
    {
        const QSize size = Size();
        if (!size.isValid() || !SizeAllowed(size.width(), size.height()))
            return {};
        QImage img = reader_.read();
        if (!img.isNull())
            img.convertTo(QImage::Format_RGB32);
        return img;
    }

private:
    QByteArray bytes_;
    QBuffer buffer_;
    QImageReader reader_;
};

} // namespace

qint64 DibPixels(View info, View bits)
{
    DibLayout d;
    if (!ReadDibLayout(info, d))
        return 0;
    if (d.compression == kBiJpeg || d.compression == kBiPng) {
        const QSize size = Embedded(bits).Size();
        return size.isValid() ? qint64(size.width()) * size.height() : 0;
    }
    return d.width * d.height;
}

QImage DecodeDibView(View info, View bits)
{
    DibLayout d;
    if (!ReadDibLayout(info, d))
        return {};
    if (d.compression == kBiJpeg || d.compression == kBiPng)
        return Embedded(bits).Read();
    if (!SizeAllowed(d.width, d.height))
        return {};
    const std::array<uint32_t, 256> pal = ReadPalette(info, d);
    if (d.compression == kBiRle8 || d.compression == kBiRle4) {
        if ((d.compression == kBiRle8 && d.bpp != 8) || (d.compression == kBiRle4 && d.bpp != 4))
            return {};
        return DecodeRle(d, pal, bits);
    }
    if (d.compression != kBiRgb && d.compression != kBiBitfields && d.compression != kBiAlphaBitfields)
        return {};
    const int bpp = d.bpp;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return {};
    const qint64 stride = (d.width * bpp + 31) / 32 * 4;
    const qint64 lastRow = (d.width * bpp + 7) / 8; // some writers leave off the last padding
    if (!bits.Has(0, stride * (d.height - 1) + lastRow))
        return {};
    uint32_t masks[3] = {d.masks[0], d.masks[1], d.masks[2]};
    const bool masked = d.compression != kBiRgb;
    if (!masked && bpp == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    }
    const Channel r(masks[0]), g(masks[1]), b(masks[2]);
    QImage img(int(d.width), int(d.height), QImage::Format_RGB32);
    if (img.isNull())
        return {};
    const int w = int(d.width);
    for (int y = 0; y < int(d.height); ++y) {
        const uchar *s = bits.p + (d.topDown ? y : d.height - 1 - y) * stride;
        uint32_t *o = reinterpret_cast<uint32_t *>(img.scanLine(y));
        switch (bpp) {
        case 1:
            for (int x = 0; x < w; ++x)
                o[x] = pal[s[x >> 3] >> (7 - (x & 7)) & 1];
            break;
        case 4:
            for (int x = 0; x < w; ++x)
                o[x] = pal[(x & 1 ? s[x >> 1] : s[x >> 1] >> 4) & 0xF];
            break;
        case 8:
            for (int x = 0; x < w; ++x)
                o[x] = pal[s[x]];
            break;
        case 16:
            for (int x = 0; x < w; ++x) {
                const uint32_t v = uint32_t(s[2 * x]) | uint32_t(s[2 * x + 1]) << 8;
                o[x] = 0xFF000000u | r.Get(v) << 16 | g.Get(v) << 8 | b.Get(v);
            }
            break;
        case 24:
            for (int x = 0; x < w; ++x)
                o[x] = 0xFF000000u | uint32_t(s[3 * x + 2]) << 16 | uint32_t(s[3 * x + 1]) << 8 | s[3 * x];
            break;
        default:
            for (int x = 0; x < w; ++x) {
                const uint32_t v = uint32_t(s[4 * x]) | uint32_t(s[4 * x + 1]) << 8 | uint32_t(s[4 * x + 2]) << 16 |
                                   uint32_t(s[4 * x + 3]) << 24;
                o[x] = masked ? 0xFF000000u | r.Get(v) << 16 | g.Get(v) << 8 | b.Get(v) : 0xFF000000u | v;
            }
            break;
        }
    }
    return img;
}

namespace {

// Bytes from the start of a packed bitmap to its pixels, or -1.
qint64 PackedBitsOffset(View dib)
{
    DibLayout d;
    if (!ReadDibLayout(dib, d))
        return -1;
    return d.tableOffset + d.tableEntries * d.entrySize;
}

} // namespace

bool SplitPacked(View dib, View &info, View &bits)
{
    const qint64 at = PackedBitsOffset(dib);
    if (at < 0 || at > dib.n)
        return false;
    info = dib.Sub(0, at);
    bits = dib.From(at);
    return true;
}

QImage DecodePacked(View dib)
{
    View info, bits;
    return SplitPacked(dib, info, bits) ? DecodeDibView(info, bits) : QImage();
}

QRectF DibSource(View info, const QImage &img, double x, double y, double w, double h)
{
    DibLayout d;
    if (ReadDibLayout(info, d) && !d.topDown && d.compression != kBiJpeg && d.compression != kBiPng)
        y = img.height() - y - h;
    return QRectF(x, y, w, h);
}

} // namespace metafile::detail
