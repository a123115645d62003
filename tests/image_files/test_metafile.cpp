#include "image_files/Metafile.h"
#include "image_files/MultImage.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

// --- building files byte by byte -------------------------------------------------------

struct Le {
    QByteArray b;
    Le &u32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            b.append(char(v >> (8 * i)));
        return *this;
    }
    Le &u16(uint16_t v)
    {
        b.append(char(v));
        b.append(char(v >> 8));
        return *this;
    }
    Le &ints(std::initializer_list<int32_t> v)
    {
        for (int32_t x : v)
            u32(uint32_t(x));
        return *this;
    }
    Le &words(std::initializer_list<int> v)
    {
        for (int x : v)
            u16(uint16_t(x));
        return *this;
    }
    Le &raw(const QByteArray &x)
    {
        b += x;
        return *this;
    }
};

constexpr uint32_t kSrcCopy = 0x00CC0020;

// A bitmap: the info block (header and colour table) and the pixel rows as stored.
struct Dib {
    QByteArray info, bits;
    QByteArray Packed() const { return info + bits; }
};

// `rows` lists the colours (0xRRGGBB) top row first; `bpp` 24, or 8 with a palette
// built from the colours used.
Dib MakeDib(int w, const std::vector<uint32_t> &colours, int bpp, bool topDown)
{
    const int h = int(colours.size()) / w;
    std::vector<uint32_t> pal;
    if (bpp == 8)
        for (uint32_t c : colours)
            if (std::find(pal.begin(), pal.end(), c) == pal.end())
                pal.push_back(c);
    Dib d;
    d.info = Le().ints({40, w, topDown ? -h : h}).words({1, bpp}).ints({0, 0, 0, 0, int(pal.size()), 0}).b;
    for (uint32_t c : pal)
        d.info += Le().u32(c).b;
    const int stride = (w * bpp + 31) / 32 * 4;
    for (int y = 0; y < h; ++y) {
        const int row = topDown ? y : h - 1 - y;
        QByteArray line;
        for (int x = 0; x < w; ++x) {
            const uint32_t c = colours[size_t(row * w + x)];
            if (bpp == 8)
                line.append(char(std::find(pal.begin(), pal.end(), c) - pal.begin()));
            else
                line.append(char(c & 0xFF)).append(char(c >> 8 & 0xFF)).append(char(c >> 16));
        }
        line.append(QByteArray(stride - line.size(), '\0'));
        d.bits += line;
    }
    return d;
}

QByteArray EmfRecord(uint32_t type, const QByteArray &params)
{
    return Le().u32(type).u32(uint32_t(8 + params.size())).raw(params).b;
}

// An EMF of w x h pixels on a 96-dpi reference device, so device pixels are picture pixels.
QByteArray MakeEmf(int w, int h, const QList<QByteArray> &records)
{
    QByteArray body;
    for (const QByteArray &r : records)
        body += r;
    body += EmfRecord(14, Le().ints({0, 0, 20}).b);
    const int headerSize = 88;
    Le head;
    head.u32(1).u32(headerSize).ints({0, 0, w - 1, h - 1}).ints({0, 0, w * 2540 / 96, h * 2540 / 96});
    head.u32(0x464D4520).u32(0x10000).u32(uint32_t(headerSize + body.size())).u32(uint32_t(records.size() + 2));
    head.words({1, 0}).ints({0, 0, 0}).ints({960, 960, 254, 254});
    return head.b + body;
}

QByteArray StretchDiBits(int x, int y, int w, int h, const Dib &d, int sx, int sy, int sw, int sh)
{
    Le p;
    p.ints({0, 0, 0, 0, x, y, sx, sy, sw, sh});
    p.u32(80).u32(uint32_t(d.info.size())).u32(uint32_t(80 + d.info.size())).u32(uint32_t(d.bits.size()));
    p.u32(0).u32(kSrcCopy).ints({w, h});
    return EmfRecord(81, p.raw(d.info).raw(d.bits).b);
}

QByteArray WmfRecord(int func, std::initializer_list<int> params, const QByteArray &raw = {})
{
    Le r;
    r.u32(uint32_t(3 + params.size() + raw.size() / 2)).u16(uint16_t(func)).words(params).raw(raw);
    return r.b;
}

QByteArray WmfColour(uint32_t c) { return Le().u32(c).b; }

QByteArray MakeWmf(const QList<QByteArray> &records, bool placeable, int right = 1000, int bottom = 500, int inch = 1000)
{
    QByteArray body;
    for (const QByteArray &r : records)
        body += r;
    body += WmfRecord(0, {});
    Le f;
    if (placeable)
        f.u32(0x9AC6CDD7).words({0, 0, 0, right, bottom, inch}).u32(0).u16(0);
    f.words({1, 9, 0x300}).u32(uint32_t(9 + body.size() / 2)).u16(8).u32(20).u16(0);
    return f.b + body;
}

QByteArray Data(const char *name)
{
    QFile f(QStringLiteral(GRIZAL2_TEST_DATA "/image_files/") + name);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

uint32_t Rgb(const QImage &img, double x, double y)
{
    const int ix = int(std::floor(x)), iy = int(std::floor(y));
    if (ix < 0 || iy < 0 || ix >= img.width() || iy >= img.height())
        return 0xDEADBEEF;
    return img.pixel(ix, iy) & 0xFFFFFF;
}

QImage RenderOk(const QByteArray &bytes)
{
    QString error;
    const QImage img = metafile::Render(bytes, error);
    EXPECT_FALSE(img.isNull()) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    if (!img.isNull())
        EXPECT_EQ(img.format(), QImage::Format_RGBX8888);
    return img;
}

// --- files made by libEMF -----------------------------------------------------------------

// Their reference device has 3.2 pixels a millimetre; the 80 x 60 mm frame is 256 x 192
// device pixels and 302 x 227 picture pixels.
struct LibEmfMap {
    double x(double dev) const { return dev * 302 / 256; }
    double y(double dev) const { return dev * 227 / 192; }
};

TEST(Metafile, ShapesFromLibEmf)
{
    const QImage img = RenderOk(Data("shapes.emf"));
    ASSERT_EQ(img.size(), QSize(302, 227));
    const LibEmfMap m;
    EXPECT_EQ(Rgb(img, m.x(35), m.y(25)), 0xFF0000u);  // rectangle
    EXPECT_EQ(Rgb(img, m.x(12), m.y(12)), 0xFF0000u);
    EXPECT_EQ(Rgb(img, m.x(8), m.y(8)), 0xFFFFFFu);    // outside it, no pen
    EXPECT_EQ(Rgb(img, m.x(62), m.y(42)), 0xFFFFFFu);
    EXPECT_EQ(Rgb(img, m.x(110), m.y(30)), 0x0000FFu); // ellipse
    EXPECT_EQ(Rgb(img, m.x(82), m.y(12)), 0xFFFFFFu);  // its box corner
    EXPECT_EQ(Rgb(img, m.x(55), m.y(100)), 0x00A000u); // thick polyline
    EXPECT_EQ(Rgb(img, m.x(100), m.y(125)), 0x00A000u);
    EXPECT_EQ(Rgb(img, m.x(55), m.y(125)), 0xFFFFFFu); // a polyline is not filled
    EXPECT_EQ(Rgb(img, m.x(190), m.y(126)), 0xFFFF00u); // polygon
    EXPECT_EQ(Rgb(img, m.x(155), m.y(170)), 0xFFFFFFu);
    EXPECT_EQ(Rgb(img, m.x(220), m.y(25)), 0x000000u); // shifted window origin
    EXPECT_EQ(Rgb(img, m.x(220), m.y(165)), 0x808080u); // drawn after the state was restored
    // The black pen outlines the ellipse: some pixel on its left edge is black.
    bool outlined = false;
    for (int dx = -2; dx <= 2; ++dx)
        outlined = outlined || Rgb(img, m.x(80) + dx, m.y(30)) == 0;
    EXPECT_TRUE(outlined);
}

TEST(Metafile, MappingPolyPolygonWorldTransformAndPathFromLibEmf)
{
    const QImage img = RenderOk(Data("mapping.emf"));
    ASSERT_EQ(img.size(), QSize(302, 227));
    EXPECT_EQ(Rgb(img, 75, 56), 0xFF00FFu);  // the quarter 0..500 of 1000 logical units
    EXPECT_EQ(Rgb(img, 148, 110), 0xFF00FFu);
    EXPECT_EQ(Rgb(img, 155, 118), 0xFFFFFFu);
    EXPECT_EQ(Rgb(img, 180, 56), 0xFF00FFu); // ring of the polypolygon
    EXPECT_EQ(Rgb(img, 226, 56), 0xFFFFFFu); // its hole (alternate filling)
    EXPECT_EQ(Rgb(img, 75, 170), 0x00FFFFu); // path moved by the world transform
    EXPECT_EQ(Rgb(img, 75, 130), 0xFFFFFFu);
    EXPECT_EQ(Rgb(img, 126, 170), 0xFFFFFFu);
}

// --- bitmaps ------------------------------------------------------------------------------

const std::vector<uint32_t> kFour = {0x0000FF, 0xFFFF00, 0x00FFFF, 0x808080,  // top row
                                     0xFFFFFF, 0x000000, 0xFF0000, 0x00FF00}; // bottom row

void ExpectFour(const QImage &img, int x0, int y0, int cell)
{
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(Rgb(img, x0 + (i % 4) * cell + cell / 2, y0 + (i / 4) * cell + cell / 2), kFour[size_t(i)]) << i;
}

TEST(Metafile, EmfBitmapRecords)
{
    const Dib up24 = MakeDib(4, kFour, 24, false), down8 = MakeDib(4, kFour, 8, true);
    // BITBLT with a bitmap: 100 bytes of fixed fields, identity source transform.
    Le blt;
    blt.ints({0, 0, 0, 0, 8, 60, 4, 2}).u32(kSrcCopy).ints({0, 0});
    for (float f : {1.f, 0.f, 0.f, 1.f, 0.f, 0.f}) {
        uint32_t u;
        std::memcpy(&u, &f, 4);
        blt.u32(u);
    }
    blt.u32(0).u32(0).u32(100).u32(uint32_t(up24.info.size())).u32(uint32_t(100 + up24.info.size()));
    blt.u32(uint32_t(up24.bits.size())).raw(up24.info).raw(up24.bits);
    // Stretched four times by a mapping: anisotropic, 1 logical unit = 4 pixels.
    const QByteArray mapped[] = {EmfRecord(17, Le().ints({8}).b), EmfRecord(9, Le().ints({1, 1}).b),
                                 EmfRecord(11, Le().ints({4, 4}).b)};
    Le toDevice;
    toDevice.ints({0, 0, 0, 0, 150, 60, 0, 0, 4, 2}).u32(76).u32(uint32_t(down8.info.size()));
    toDevice.u32(uint32_t(76 + down8.info.size())).u32(uint32_t(down8.bits.size())).u32(0).u32(0).u32(2);
    toDevice.raw(down8.info).raw(down8.bits);
    const QImage img = RenderOk(MakeEmf(192, 96, {StretchDiBits(8, 8, 80, 40, up24, 0, 0, 4, 2),
                                                  StretchDiBits(100, 8, 80, 40, down8, 0, 0, 4, 2),
                                                  EmfRecord(76, blt.b), EmfRecord(80, toDevice.b), mapped[0],
                                                  mapped[1], mapped[2],
                                                  StretchDiBits(28, 16, 4, 2, up24, 0, 0, 4, 2)}));
    ASSERT_EQ(img.size(), QSize(192, 96));
    ExpectFour(img, 8, 8, 20);
    ExpectFour(img, 100, 8, 20);
    EXPECT_EQ(Rgb(img, 8, 60), 0x0000FFu); // BITBLT at 1:1
    EXPECT_EQ(Rgb(img, 11, 61), 0x00FF00u);
    EXPECT_EQ(Rgb(img, 12, 61), 0xFFFFFFu);
    ExpectFour(img, 112, 64, 4);
    ExpectFour(img, 150, 60, 1); // SETDIBITSTODEVICE
    // Part of a bottom-up bitmap: the source origin is its lower left corner.
    const QImage part = RenderOk(MakeEmf(96, 48, {StretchDiBits(0, 0, 20, 20, up24, 2, 0, 1, 1)}));
    EXPECT_EQ(Rgb(part, 10, 10), 0xFF0000u);
    EXPECT_EQ(Rgb(part, 25, 10), 0xFFFFFFu);
}

TEST(Metafile, DibDepthsAndCodings)
{
    const auto decode = [](const QByteArray &info, const QByteArray &bits) {
        return metafile::DecodeDib(reinterpret_cast<const uchar *>(info.constData()), info.size(),
                                   reinterpret_cast<const uchar *>(bits.constData()), bits.size());
    };
    const auto header = [](int w, int h, int bpp, int compression, int used) {
        return Le().ints({40, w, h}).words({1, bpp}).ints({compression, 0, 0, 0, used, 0});
    };
    // 1 bit, two palette entries, bottom-up: the second stored row is the top one.
    QImage one = decode(header(10, 2, 1, 0, 2).u32(0x112233).u32(0xAABBCC).b,
                        Le().u32(0x0000C0FF).u32(0x00004000).b);
    ASSERT_EQ(one.size(), QSize(10, 2));
    EXPECT_EQ(one.pixel(0, 0) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(one.pixel(1, 0) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(one.pixel(9, 0) & 0xFFFFFF, 0xAABBCCu);
    EXPECT_EQ(one.pixel(0, 1) & 0xFFFFFF, 0xAABBCCu);
    EXPECT_EQ(one.pixel(9, 1) & 0xFFFFFF, 0xAABBCCu);
    EXPECT_EQ(one.pixel(8, 0) & 0xFFFFFF, 0x112233u);
    // 4 bits; 16 entries implied by a used count of 0, only three stored (the rest black).
    QImage four = decode(header(3, -1, 4, 0, 0).u32(0xFF0000).u32(0x00FF00).u32(0x0000FF).b, Le().u32(0x000012).b);
    ASSERT_EQ(four.size(), QSize(3, 1));
    EXPECT_EQ(four.pixel(0, 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(four.pixel(1, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(four.pixel(2, 0) & 0xFFFFFF, 0xFF0000u);
    // 16 bits 5-5-5 and 5-6-5 masks; 32 bits with masks.
    QImage s555 = decode(header(2, 1, 16, 0, 0).b, Le().u16(0x7C00).u16(0x001F).b);
    EXPECT_EQ(s555.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(s555.pixel(1, 0) & 0xFFFFFF, 0x0000FFu);
    QImage s565 = decode(header(1, 1, 16, 3, 0).u32(0xF800).u32(0x07E0).u32(0x001F).b, Le().u16(0x07E0).u16(0).b);
    EXPECT_EQ(s565.pixel(0, 0) & 0xFFFFFF, 0x00FF00u);
    QImage s32 = decode(header(1, 1, 32, 3, 0).u32(0xFF).u32(0xFF00).u32(0xFF0000).b, Le().u32(0x00332211).b);
    EXPECT_EQ(s32.pixel(0, 0) & 0xFFFFFF, 0x112233u);
    // RLE8: a run of 3 of colour 1, an absolute run of 3 padded to a word, end of bitmap.
    QImage rle = decode(header(6, 1, 8, 1, 2).u32(0x000000).u32(0xFFFFFF).b,
                        QByteArray::fromHex("0301" "0003" "000100" "00" "0001"));
    ASSERT_EQ(rle.size(), QSize(6, 1));
    EXPECT_EQ(rle.pixel(2, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(rle.pixel(3, 0) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(rle.pixel(4, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(rle.pixel(5, 0) & 0xFFFFFF, 0x000000u);
    // Refused: too few pixel bytes, absurd sizes, unknown depth, a short header.
    EXPECT_TRUE(decode(header(100, 100, 24, 0, 0).b, QByteArray(100, '\0')).isNull());
    EXPECT_TRUE(decode(header(1 << 30, 1 << 30, 1, 0, 0).b, QByteArray(100, '\0')).isNull());
    EXPECT_TRUE(decode(header(2000000, 2000000, 8, 1, 0).b, QByteArray(100, '\0')).isNull());
    EXPECT_TRUE(decode(header(1, 1, 7, 0, 0).b, QByteArray(4, '\0')).isNull());
    EXPECT_TRUE(decode(Le().ints({40, 1}).b, QByteArray(4, '\0')).isNull());
}

TEST(Metafile, MapModesAndClipping)
{
    const auto select = [](uint32_t stock) { return EmfRecord(37, Le().u32(0x80000000u | stock).b); };
    const QByteArray noPen = select(8);
    // Hundredths of a millimetre with y upwards: 10 x 5 mm below the origin line.
    const QImage metric = RenderOk(MakeEmf(96, 48, {EmfRecord(17, Le().ints({3}).b), select(4), noPen,
                                                    EmfRecord(43, Le().ints({0, 0, 1000, -500}).b)}));
    EXPECT_EQ(Rgb(metric, 18, 9), 0u);
    EXPECT_EQ(Rgb(metric, 18, 17), 0u);
    EXPECT_EQ(Rgb(metric, 41, 9), 0xFFFFFFu);
    EXPECT_EQ(Rgb(metric, 18, 21), 0xFFFFFFu);
    // Isotropic: the smaller scale of the two serves both axes.
    const QImage iso = RenderOk(MakeEmf(96, 48, {EmfRecord(17, Le().ints({7}).b), EmfRecord(9, Le().ints({100, 100}).b),
                                                 EmfRecord(11, Le().ints({96, 48}).b), select(4), noPen,
                                                 EmfRecord(43, Le().ints({0, 0, 100, 100}).b)}));
    EXPECT_EQ(Rgb(iso, 46, 46), 0u);
    EXPECT_EQ(Rgb(iso, 50, 20), 0xFFFFFFu);
    // A clipping rectangle lasts until its state is restored.
    const QImage clip = RenderOk(MakeEmf(96, 48, {EmfRecord(33, {}), EmfRecord(30, Le().ints({0, 0, 20, 20}).b),
                                                  select(4), noPen, EmfRecord(43, Le().ints({0, 0, 96, 48}).b),
                                                  EmfRecord(34, Le().ints({-1}).b), select(2), noPen,
                                                  EmfRecord(43, Le().ints({30, 0, 60, 20}).b)}));
    EXPECT_EQ(Rgb(clip, 10, 10), 0u);
    EXPECT_EQ(Rgb(clip, 25, 10), 0xFFFFFFu);
    EXPECT_EQ(Rgb(clip, 10, 30), 0xFFFFFFu);
    EXPECT_EQ(Rgb(clip, 45, 10), 0x808080u);
}

// --- WMF ----------------------------------------------------------------------------------

TEST(Metafile, PlaceableWmfObjectTableAndBitmaps)
{
    const Dib d = MakeDib(4, kFour, 24, false);
    const QByteArray wmf = MakeWmf(
        {WmfRecord(0x02FC, {0}, WmfColour(0x0000FF) + Le().u16(0).b), // brush red: slot 0
         WmfRecord(0x02FA, {5, 0, 0}, WmfColour(0)),                  // null pen: slot 1
         WmfRecord(0x02FB, {0, 0, 0, 0, 0, 0, 0, 0, 0}),              // a font: slot 2
         WmfRecord(0x012D, {0}), WmfRecord(0x012D, {1}),
         WmfRecord(0x041B, {200, 500, 20, 100}), // bottom, right, top, left
         WmfRecord(0x01F0, {0}),
         WmfRecord(0x02FC, {0}, WmfColour(0xFF0000) + Le().u16(0).b), // blue takes the free slot 0
         WmfRecord(0x012D, {0}),
         WmfRecord(0x0418, {400, 900, 100, 600}),
         // STRETCHDIB: rop, usage, source h w y x, destination h w y x
         WmfRecord(0x0F43, {int(kSrcCopy & 0xFFFF), int(kSrcCopy >> 16), 0, 2, 4, 0, 0, 200, 400, 250, 100},
                   d.Packed())},
        true, 1000, 500, 1000);
    const QImage img = RenderOk(wmf);
    ASSERT_EQ(img.size(), QSize(96, 48)); // 1000 x 500 units, 1000 a inch
    EXPECT_EQ(Rgb(img, 28, 10), 0xFF0000u);
    EXPECT_EQ(Rgb(img, 5, 10), 0xFFFFFFu);
    EXPECT_EQ(Rgb(img, 72, 24), 0x0000FFu);
    EXPECT_EQ(Rgb(img, 59, 11), 0xFFFFFFu);
    for (int i = 0; i < 8; ++i) // 100 units, 9.6 pixels, a bitmap pixel
        EXPECT_EQ(Rgb(img, (150 + (i % 4) * 100) * 0.096, (300 + (i / 4) * 100) * 0.096), kFour[size_t(i)]) << i;
}

TEST(Metafile, WmfWithoutPlaceableHeaderTakesItsWindow)
{
    const QByteArray wmf = MakeWmf({WmfRecord(0x020B, {10, 20}), WmfRecord(0x020C, {30, 40}),
                                    WmfRecord(0x012D, {0}), // nothing in slot 0: ignored
                                    WmfRecord(0x02FC, {0}, WmfColour(0x00FF00) + Le().u16(0).b),
                                    WmfRecord(0x012D, {0}), WmfRecord(0x0324, {3, 20, 10, 60, 10, 20, 40}),
                                    // DIBBITBLT: rop, source y x, height, width, destination y x
                                    WmfRecord(0x0940, {int(kSrcCopy & 0xFFFF), int(kSrcCopy >> 16), 0, 0, 2, 4, 20, 30},
                                              MakeDib(4, kFour, 24, false).Packed())},
                                   false);
    const QImage img = RenderOk(wmf);
    ASSERT_EQ(img.size(), QSize(40, 30)); // one logical unit a pixel
    EXPECT_EQ(Rgb(img, 5, 5), 0x00FF00u);
    EXPECT_EQ(Rgb(img, 35, 25), 0xFFFFFFu);
    EXPECT_EQ(Rgb(img, 10, 10), 0x0000FFu);
    EXPECT_EQ(Rgb(img, 11, 10), 0xFFFF00u);
    EXPECT_EQ(Rgb(img, 12, 11), 0xFF0000u);
    QString error;
    EXPECT_TRUE(metafile::Render(MakeWmf({WmfRecord(0x0418, {1, 1, 0, 0})}, false), error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

// --- damaged input ------------------------------------------------------------------------

TEST(Metafile, DamagedFilesNeverCrash)
{
    const Dib d = MakeDib(4, kFour, 8, false);
    const QByteArray emf = Data("shapes.emf");
    const QByteArray emfBitmap = MakeEmf(48, 48, {StretchDiBits(0, 0, 40, 20, d, 0, 0, 4, 2)});
    const QByteArray wmf =
        MakeWmf({WmfRecord(0x0F43, {int(kSrcCopy & 0xFFFF), int(kSrcCopy >> 16), 0, 2, 4, 0, 0, 20, 40, 0, 0},
                           d.Packed()),
                 WmfRecord(0x0538, {2, 3, 3, 0, 0, 10, 0, 0, 10, 5, 5, 15, 5, 5, 15})},
                true);
    QString error;
    for (const QByteArray &file : {emf, emfBitmap, wmf}) {
        const int headerEnd = file.startsWith('\x01') ? 88 : 40; // keep fuzzed sizes small
        ASSERT_FALSE(metafile::Render(file, error).isNull());
        for (int n = 0; n < file.size(); ++n) { // every truncation: a picture or an error
            const QImage img = metafile::Render(file.left(n), error);
            EXPECT_TRUE(img.isNull() != error.isEmpty()) << n;
        }
        QRandomGenerator rng(7);
        for (int k = 0; k < 300; ++k) { // flipped bytes, record sizes and counts that lie
            QByteArray bad = file;
            for (int j = 0; j < 4; ++j)
                bad[int(rng.bounded(headerEnd, int(bad.size())))] = char(rng.bounded(256));
            const QImage img = metafile::Render(bad, error);
            EXPECT_TRUE(img.isNull() != error.isEmpty());
        }
    }
    for (int k = 0; k < 50; ++k) { // noise
        QByteArray noise(int(QRandomGenerator::global()->bounded(1, 400)), '\0');
        for (char &c : noise)
            c = char(QRandomGenerator::global()->bounded(256));
        EXPECT_TRUE(metafile::Render(noise, error).isNull());
    }
    // Record sizes that lie.
    for (uint32_t size : {0u, 6u, 14u, 1000u}) {
        const QByteArray bad = MakeEmf(48, 48, {Le().u32(43).u32(size).ints({0, 0, 10, 10}).b});
        EXPECT_TRUE(metafile::Render(bad, error).isNull()) << size;
        EXPECT_FALSE(error.isEmpty());
    }
    QByteArray zeroWmf = MakeWmf({WmfRecord(0x041B, {1, 1, 0, 0})}, true);
    zeroWmf[22 + 18] = 0; // record size 0 words
    EXPECT_TRUE(metafile::Render(zeroWmf, error).isNull());
    // Counts far beyond the record: skipped, the rest is drawn.
    const QByteArray lying = MakeEmf(48, 48, {EmfRecord(86, Le().ints({0, 0, 0, 0, -1, 0, 0}).b),
                                              EmfRecord(91, Le().ints({0, 0, 0, 0, 0x40000000, 3, 3}).b),
                                              EmfRecord(37, Le().u32(0x80000004).b),
                                              EmfRecord(43, Le().ints({0, 0, 48, 48}).b)});
    EXPECT_EQ(Rgb(RenderOk(lying), 20, 20), 0u);
    // Pictures too large to make.
    QByteArray huge = MakeEmf(48, 48, {});
    std::memcpy(huge.data() + 32, Le().ints({100000000, 100000000}).b.constData(), 8);
    EXPECT_TRUE(metafile::Render(huge, error).isNull());
    EXPECT_TRUE(error.contains("слишком")) << error.toStdString();
    EXPECT_TRUE(metafile::Render(MakeWmf({}, true, 30000, 30000, 1), error).isNull());
    EXPECT_TRUE(error.contains("слишком"));
}

// --- what a file may ask for ------------------------------------------------------------------

TEST(Metafile, ResourceBombsAreRefusedAndRightFilesRead)
{
    QString error;
    // Pattern brushes, each its own object: 1024 x 1024 claimed by four bytes of runs.
    const QByteArray rle = Le().ints({40, 1024, 1024}).words({1, 8}).ints({1, 0, 0, 0, 1, 0}).u32(0).b;
    QList<QByteArray> brushes;
    for (int i = 1; i <= 17; ++i)
        brushes << EmfRecord(94, Le().ints({i, 0, 32, int(rle.size()), 32 + int(rle.size()), 4}).raw(rle).u32(0x01000000).b);
    EXPECT_TRUE(metafile::Render(MakeEmf(48, 48, brushes), error).isNull());
    EXPECT_TRUE(error.contains("кисти")) << error.toStdString();
    // A polygon whose 800 edges all cross every row: its filling would take minutes.
    Le zigzag;
    zigzag.ints({0, 0, 0, 0, 800});
    for (int i = 0; i < 800; ++i)
        zigzag.words({i % 100, i % 2 ? 0 : 16000});
    EXPECT_TRUE(metafile::Render(MakeEmf(100, 16000, {EmfRecord(37, Le().u32(0x80000004).b), EmfRecord(86, zigzag.b)}), error).isNull());
    EXPECT_TRUE(error.contains("рисовать")) << error.toStdString();
    // An elliptic clip too tall for the painter to take whole is set band by band; the
    // rectangles of a clip region may come in any order. Progress goes up to 100 %.
    const int side = 2600;
    const QByteArray region =
        Le().ints({32, 1, 2, 32, 0, 0, 0, 0}).ints({side - 100, side - 100, side, side}).ints({0, 0, 100, 100}).b;
    std::vector<int> progress;
    const QImage img = metafile::Render(
        MakeEmf(side, side, {EmfRecord(59, {}), EmfRecord(42, Le().ints({0, 0, side, side}).b), EmfRecord(60, {}),
                             EmfRecord(67, Le().ints({5}).b), EmfRecord(37, Le().u32(0x80000004).b),
                             EmfRecord(43, Le().ints({0, 0, side, side}).b), EmfRecord(75, Le().ints({int(region.size()), 5}).raw(region).b),
                             EmfRecord(39, Le().ints({2, 0, 0x0000FF, 0}).b), EmfRecord(37, Le().ints({2}).b),
                             EmfRecord(43, Le().ints({0, 0, side, side}).b)}),
        error, [&](int percent) { progress.push_back(percent); });
    ASSERT_FALSE(img.isNull()) << error.toStdString();
    for (const int y : {30, side / 4, side / 2, side * 3 / 4, side - 30}) // inside the ellipse, every band
        EXPECT_EQ(Rgb(img, side / 2, y), 0u) << y;
    EXPECT_EQ(Rgb(img, 20, side / 4), 0xFFFFFFu); // outside it
    EXPECT_EQ(Rgb(img, 20, side * 3 / 4), 0xFFFFFFu);
    EXPECT_EQ(Rgb(img, 50, 50), 0xFF0000u); // the later region, its rectangles in any order
    EXPECT_EQ(Rgb(img, side - 50, side - 50), 0xFF0000u);
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 100);
}

// --- through the picture reader --------------------------------------------------------------

TEST(Metafile, LoadPictureReadsMetafiles)
{
    QTemporaryDir dir;
    const auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    QImage pic;
    QString message;
    ASSERT_TRUE(TMultImage::LoadPicture(write("shapes.EMF", Data("shapes.emf")), pic, message));
    EXPECT_EQ(pic.size(), QSize(302, 227));
    EXPECT_EQ(pic.format(), QImage::Format_RGBX8888);
    const QByteArray wmf = MakeWmf({WmfRecord(0x041B, {400, 500, 100, 100})}, true);
    ASSERT_TRUE(TMultImage::LoadPicture(write("r.wmf", wmf), pic, message));
    EXPECT_EQ(pic.size(), QSize(96, 48));
    EXPECT_EQ(Rgb(pic, 28, 24), 0xFFFFFFu); // the default brush is white
    EXPECT_EQ(Rgb(pic, 30, 9), 0x000000u);  // the default pen black
    const QString bad = write("bad.emf", Data("shapes.emf").left(200));
    EXPECT_FALSE(TMultImage::LoadPicture(bad, pic, message));
    EXPECT_TRUE(pic.isNull());
    EXPECT_TRUE(message.contains(bad));
}

} // namespace
