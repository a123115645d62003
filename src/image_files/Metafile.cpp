#include "image_files/Metafile.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <set>
#include <unordered_map>
#include <vector>

namespace metafile {

namespace {

// --- bounded little-endian access --------------------------------------------------------

// A window on bytes. Every read outside the window gives 0, so a short record can do no
// harm; handlers still check their sizes so that such records are skipped, not misread.
struct View {
    const uchar *p = nullptr;
    qint64 n = 0;

    bool Has(qint64 off, qint64 len) const { return off >= 0 && len >= 0 && off <= n && len <= n - off; }
    uint32_t U32(qint64 off) const
    {
        if (!Has(off, 4))
            return 0;
        return uint32_t(p[off]) | uint32_t(p[off + 1]) << 8 | uint32_t(p[off + 2]) << 16 | uint32_t(p[off + 3]) << 24;
    }
    int32_t I32(qint64 off) const { return int32_t(U32(off)); }
    uint16_t U16(qint64 off) const { return Has(off, 2) ? uint16_t(p[off] | p[off + 1] << 8) : 0; }
    int16_t I16(qint64 off) const { return int16_t(U16(off)); }
    double F32(qint64 off) const
    {
        const uint32_t u = U32(off);
        float f;
        std::memcpy(&f, &u, 4);
        return std::isfinite(f) ? double(f) : 0.0;
    }
    View Sub(qint64 off, qint64 len) const { return Has(off, len) ? View{p + off, len} : View{}; }
    View From(qint64 off) const { return off >= 0 && off <= n ? View{p + off, n - off} : View{}; }
};

// Mappings from extreme values in a file can overflow; such drawings are skipped.
bool Finite(const QTransform &t)
{
    const double v[] = {t.m11(), t.m12(), t.m13(), t.m21(), t.m22(), t.m23(), t.m31(), t.m32(), t.m33()};
    for (double x : v)
        if (!std::isfinite(x) || std::abs(x) > 1e12)
            return false;
    return std::isfinite(t.determinant());
}

QColor ColorRef(uint32_t c)
{
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

// --- bitmaps ------------------------------------------------------------------------------

struct DibLayout {
    int64_t width = 0, height = 0; // height > 0
    bool topDown = false;
    int bpp = 0;
    uint32_t compression = 0;
    qint64 tableOffset = 0; // colour table inside the info block
    qint64 tableEntries = 0; // entries stored in the file
    int entrySize = 4;
    uint32_t masks[3] = {0, 0, 0};
};

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiJpeg = 4, kBiPng = 5,
                   kBiAlphaBitfields = 6;

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

QImage DecodeDibView(View info, View bits)
{
    DibLayout d;
    if (!ReadDibLayout(info, d))
        return {};
    if (d.compression == kBiJpeg || d.compression == kBiPng) {
        QImage img = QImage::fromData(bits.p, int(std::min<qint64>(bits.n, INT32_MAX)));
        return img.isNull() ? QImage() : img.convertToFormat(QImage::Format_RGB32);
    }
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

// Bytes from the start of a packed bitmap to its pixels, or -1.
qint64 PackedBitsOffset(View dib)
{
    DibLayout d;
    if (!ReadDibLayout(dib, d))
        return -1;
    return d.tableOffset + d.tableEntries * d.entrySize;
}

QImage DecodePacked(View dib)
{
    const qint64 at = PackedBitsOffset(dib);
    if (at < 0 || at > dib.n)
        return {};
    return DecodeDibView(dib.Sub(0, at), dib.From(at));
}

// --- the drawing state --------------------------------------------------------------------

enum : int {
    kMmText = 1, kMmLoMetric, kMmHiMetric, kMmLoEnglish, kMmHiEnglish, kMmTwips, kMmIsotropic, kMmAnisotropic
};
enum : int { kPsSolid = 0, kPsDash, kPsDot, kPsDashDot, kPsDashDotDot, kPsNull, kPsInsideFrame };
enum : int { kBsSolid = 0, kBsNull = 1, kBsHatched = 2 };

struct Pen {
    int style = kPsSolid;
    double width = 0; // logical units; 0 is one pixel
    bool cosmetic = true;
    QColor color = Qt::black;
    Qt::PenCapStyle cap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
};

struct Brush {
    int style = kBsSolid;
    QColor color = Qt::white;
    int hatch = 0;
    QImage pattern;
};

enum class Kind { Pen, Brush, Other };

struct Object {
    Kind kind = Kind::Other;
    Pen pen;
    Brush brush;
};

struct DcState {
    Pen pen;
    Brush brush;
    int mapMode = kMmText;
    QPointF winOrg{0, 0}, vpOrg{0, 0};
    QPointF winExt{1, 1}, vpExt{1, 1};
    QTransform world;
    Qt::FillRule fill = Qt::OddEvenFill;
    QPointF pos;
    int rop2 = 13; // R2_COPYPEN
    int bkMode = 2; // OPAQUE
    QColor bkColor = Qt::white;
    bool clockwise = false;
    bool clipped = false;
    QRegion clip; // picture pixels
};

constexpr int kMaxSaved = 4096;

QPainter::CompositionMode BlitMode(uint32_t rop, bool &skip)
{
    skip = false;
    switch (rop >> 16 & 0xFF) {
    case 0x88: return QPainter::RasterOp_SourceAndDestination;
    case 0xEE: return QPainter::RasterOp_SourceOrDestination;
    case 0x66: return QPainter::RasterOp_SourceXorDestination;
    case 0x33: return QPainter::RasterOp_NotSource;
    case 0x44: return QPainter::RasterOp_SourceAndNotDestination;
    case 0x11: return QPainter::RasterOp_NotSourceAndNotDestination;
    case 0xAA: skip = true; return QPainter::CompositionMode_SourceOver;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

class Player {
public:
    Player(QImage &picture, const QTransform &deviceToPicture, QPointF devicePerMm)
        : picture_(picture), devToPic_(deviceToPicture), devPerMm_(devicePerMm), painter_(&picture)
    {
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }

    DcState s;
    bool wmf = false; // logical units always go through window and viewport

    QTransform Page() const
    {
        double sx = 1, sy = 1;
        const auto metric = [&](double mm) {
            sx = mm * devPerMm_.x();
            sy = -mm * devPerMm_.y();
        };
        int mode = s.mapMode;
        if (wmf)
            mode = mode == kMmIsotropic ? kMmIsotropic : kMmAnisotropic;
        switch (mode) {
        case kMmLoMetric: metric(0.1); break;
        case kMmHiMetric: metric(0.01); break;
        case kMmLoEnglish: metric(0.254); break;
        case kMmHiEnglish: metric(0.0254); break;
        case kMmTwips: metric(25.4 / 1440); break;
        case kMmIsotropic:
        case kMmAnisotropic:
            sx = s.winExt.x() ? s.vpExt.x() / s.winExt.x() : 1;
            sy = s.winExt.y() ? s.vpExt.y() / s.winExt.y() : 1;
            if (mode == kMmIsotropic) {
                const double m = std::min(std::abs(sx), std::abs(sy));
                sx = sx < 0 ? -m : m;
                sy = sy < 0 ? -m : m;
            }
            break;
        default: break;
        }
        if (mode == kMmText)
            return QTransform::fromTranslate(s.vpOrg.x() - s.winOrg.x(), s.vpOrg.y() - s.winOrg.y());
        return QTransform(sx, 0, 0, sy, s.vpOrg.x() - s.winOrg.x() * sx, s.vpOrg.y() - s.winOrg.y() * sy);
    }
    QTransform Full() const { return s.world * Page() * devToPic_; }
    const QTransform &DeviceToPicture() const { return devToPic_; }

    // Objects --------------------------------------------------------------------------

    void Select(const Object &o)
    {
        if (o.kind == Kind::Pen)
            s.pen = o.pen;
        else if (o.kind == Kind::Brush)
            s.brush = o.brush;
    }
    void SelectStock(uint32_t which)
    {
        const auto brush = [&](int style, QColor c) {
            s.brush = Brush();
            s.brush.style = style;
            s.brush.color = c;
        };
        const auto pen = [&](int style, QColor c) {
            s.pen = Pen();
            s.pen.style = style;
            s.pen.color = c;
        };
        switch (which) {
        case 0: brush(kBsSolid, Qt::white); break;
        case 1: brush(kBsSolid, QColor(0xC0, 0xC0, 0xC0)); break;
        case 2: brush(kBsSolid, QColor(0x80, 0x80, 0x80)); break;
        case 3: brush(kBsSolid, QColor(0x40, 0x40, 0x40)); break;
        case 4: brush(kBsSolid, Qt::black); break;
        case 5: brush(kBsNull, Qt::black); break;
        case 6: pen(kPsSolid, Qt::white); break;
        case 7: pen(kPsSolid, Qt::black); break;
        case 8: pen(kPsNull, Qt::black); break;
        case 18: brush(kBsSolid, Qt::white); break; // DC brush, colour unknown here
        case 19: pen(kPsSolid, Qt::black); break;   // DC pen
        default: break;
        }
    }

    // State stack ----------------------------------------------------------------------

    void Save()
    {
        if (saved_.size() < size_t(kMaxSaved))
            saved_.push_back(s);
    }
    void Restore(int32_t which)
    {
        const int64_t index = which < 0 ? int64_t(saved_.size()) + which : int64_t(which) - 1;
        if (index < 0 || index >= int64_t(saved_.size()))
            return;
        s = saved_[size_t(index)];
        saved_.resize(size_t(index));
        ApplyClip();
    }

    // Clipping -------------------------------------------------------------------------

    QRegion Whole() const { return QRegion(picture_.rect()); }
    void Combine(const QRegion &r, uint32_t mode) // RGN_AND, OR, XOR, DIFF, COPY
    {
        const QRegion cur = s.clipped ? s.clip : Whole();
        switch (mode) {
        case 1: s.clip = cur.intersected(r); break;
        case 2: s.clip = cur.united(r); break;
        case 3: s.clip = cur.xored(r); break;
        case 4: s.clip = cur.subtracted(r); break;
        default: s.clip = r; break;
        }
        s.clipped = true;
        ApplyClip();
    }
    void ResetClip()
    {
        s.clipped = false;
        s.clip = QRegion();
        ApplyClip();
    }
    // Regions are kept to the picture and a margin, so that their integer corners cannot overflow.
    QRectF Near() const { return QRectF(picture_.rect()).adjusted(-16, -16, 16, 16); }
    QRegion PathRegion(const QPainterPath &path) const
    {
        QRegion r;
        const QPolygonF near(Near());
        for (const QPolygonF &poly : path.toFillPolygons()) {
            if (!std::all_of(poly.begin(), poly.end(), [](QPointF q) { return std::isfinite(q.x()) && std::isfinite(q.y()); }))
                continue;
            const QPolygon kept = poly.intersected(near).toPolygon();
            r = path.fillRule() == Qt::OddEvenFill ? r.xored(QRegion(kept, Qt::OddEvenFill))
                                                   : r.united(QRegion(kept, Qt::WindingFill));
        }
        return r;
    }
    QRect RegionRect(const QRectF &r) const { return r.intersected(Near()).toRect(); }
    void ClipLogicalRect(const QRectF &rect, bool exclude)
    {
        QPainterPath p;
        p.addRect(rect.normalized());
        Combine(PathRegion(Full().map(p)), exclude ? 4 : 1);
    }
    void ApplyClip()
    {
        painter_.setTransform(QTransform());
        if (s.clipped)
            painter_.setClipRegion(s.clip);
        else
            painter_.setClipping(false);
    }

    // Paths ----------------------------------------------------------------------------

    bool inPath = false;
    QPainterPath path; // picture pixels

    void BeginPath()
    {
        inPath = true;
        path = QPainterPath();
    }
    void PathContinue() // a figure going on from the current position
    {
        if (path.elementCount() == 0)
            path.moveTo(Full().map(s.pos));
    }
    void PaintPath(bool fill, bool stroke)
    {
        inPath = false;
        bool invertible = false;
        const QTransform t = Full();
        const QTransform back = t.inverted(&invertible);
        if (invertible) {
            QPainterPath logical = back.map(path);
            logical.setFillRule(s.fill);
            Paint(logical, fill, stroke, false);
        }
        path = QPainterPath();
    }
    void ClipToPath(uint32_t mode)
    {
        inPath = false;
        path.setFillRule(s.fill);
        Combine(PathRegion(path), mode);
        path = QPainterPath();
    }

    // Drawing --------------------------------------------------------------------------

    // Draws a shape given in logical units, or adds it to the open path.
    void Shape(QPainterPath logical, bool fill, bool stroke)
    {
        if (inPath) {
            if (Finite(Full()))
                path.addPath(Full().map(logical));
            return;
        }
        logical.setFillRule(s.fill);
        Paint(logical, fill, stroke, false);
    }
    void Polyline(const std::vector<QPointF> &pts, bool closed)
    {
        if (pts.empty())
            return;
        QPainterPath p;
        p.moveTo(pts[0]);
        for (size_t i = 1; i < pts.size(); ++i)
            p.lineTo(pts[i]);
        if (closed)
            p.closeSubpath();
        Shape(p, closed, true);
    }
    void PolyPolyline(const std::vector<QPointF> &pts, const std::vector<uint32_t> &counts, bool closed)
    {
        QPainterPath p;
        size_t at = 0;
        for (const uint32_t c : counts) {
            if (c == 0 || at + c > pts.size())
                break;
            p.moveTo(pts[at]);
            for (size_t i = 1; i < c; ++i)
                p.lineTo(pts[at + i]);
            if (closed)
                p.closeSubpath();
            at += c;
        }
        Shape(p, closed, true);
    }
    // A figure continuing from the current position: lines, or cubic curves if `bezier`.
    void PolyTo(const std::vector<QPointF> &pts, bool bezier)
    {
        if (pts.empty())
            return;
        if (inPath) {
            PathContinue();
            const QTransform t = Full();
            if (bezier) {
                for (size_t i = 0; i + 2 < pts.size(); i += 3)
                    path.cubicTo(t.map(pts[i]), t.map(pts[i + 1]), t.map(pts[i + 2]));
            } else {
                for (const QPointF &q : pts)
                    path.lineTo(t.map(q));
            }
        } else {
            QPainterPath p;
            p.moveTo(s.pos);
            if (bezier) {
                for (size_t i = 0; i + 2 < pts.size(); i += 3)
                    p.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
            } else {
                for (const QPointF &q : pts)
                    p.lineTo(q);
            }
            Paint(p, false, true, false);
        }
        if (!bezier)
            s.pos = pts.back();
        else if (pts.size() >= 3)
            s.pos = pts[pts.size() / 3 * 3 - 1];
    }
    void PolyBezier(const std::vector<QPointF> &pts)
    {
        if (pts.size() < 4)
            return;
        QPainterPath p;
        p.moveTo(pts[0]);
        for (size_t i = 1; i + 2 < pts.size(); i += 3)
            p.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
        Shape(p, false, true);
    }
    void MoveTo(QPointF q)
    {
        s.pos = q;
        if (inPath)
            path.moveTo(Full().map(q));
    }
    void LineTo(QPointF q)
    {
        if (inPath) {
            PathContinue();
            path.lineTo(Full().map(q));
        } else {
            QPainterPath p;
            p.moveTo(s.pos);
            p.lineTo(q);
            Paint(p, false, true, false);
        }
        s.pos = q;
    }
    void CloseFigure()
    {
        if (inPath)
            path.closeSubpath();
    }

    // GDI boxes exclude their right and bottom edges.
    static QRectF Box(double l, double t, double r, double b) { return QRectF(QPointF(l, t), QPointF(r, b)).normalized(); }

    void Rectangle(const QRectF &box)
    {
        QPainterPath p;
        p.addRect(box);
        Shape(p, true, true);
    }
    void Ellipse(const QRectF &box)
    {
        QPainterPath p;
        p.addEllipse(box);
        Shape(p, true, true);
    }
    void RoundRect(const QRectF &box, double cx, double cy)
    {
        QPainterPath p;
        p.addRoundedRect(box, std::abs(cx) / 2, std::abs(cy) / 2);
        Shape(p, true, true);
    }
    // kind: 0 arc, 1 chord, 2 pie, 3 arc continuing from the current position
    void Arc(const QRectF &box, QPointF start, QPointF end, int kind)
    {
        if (box.width() <= 0 || box.height() <= 0)
            return;
        const QPointF c = box.center();
        const auto angle = [&](QPointF q) {
            return std::atan2(-(q.y() - c.y()) / (box.height() / 2), (q.x() - c.x()) / (box.width() / 2)) * 180 / M_PI;
        };
        const double a0 = angle(start);
        double sweep = std::fmod(angle(end) - a0 + 720.0, 360.0);
        if (sweep <= 1e-9)
            sweep = 360;
        if (s.clockwise)
            sweep -= 360;
        QPainterPath p;
        if (kind == 2) {
            p.moveTo(c);
        } else if (kind == 3) {
            p.moveTo(s.pos);
        } else {
            p.arcMoveTo(box, a0);
        }
        p.arcTo(box, a0, sweep);
        if (kind == 1 || kind == 2)
            p.closeSubpath();
        if (kind == 3) {
            s.pos = p.currentPosition();
            if (inPath) {
                PathContinue();
                path.connectPath(Full().map(p));
                return;
            }
        }
        Shape(p, kind == 1 || kind == 2, true);
    }
    void SetPixel(QPointF q, QColor c)
    {
        painter_.setTransform(QTransform());
        const QPointF d = Full().map(q);
        if (!Near().contains(d))
            return;
        painter_.fillRect(QRectF(std::floor(d.x()), std::floor(d.y()), 1, 1), c);
    }

    // Fills a rectangle given in logical units by a raster operation without a source.
    void PatBlt(const QRectF &rect, uint32_t rop)
    {
        const int code = int(rop >> 16 & 0xFF);
        QPainterPath p;
        p.addRect(rect.normalized());
        if (!Finite(Full()))
            return;
        painter_.setTransform(Full());
        painter_.setPen(Qt::NoPen);
        switch (code) {
        case 0x00: painter_.fillPath(p, Qt::black); break;
        case 0xFF: painter_.fillPath(p, Qt::white); break;
        case 0xF0: Paint(p, true, false, true); break;
        case 0x55:
            painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
            painter_.fillPath(p, Qt::black);
            painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
        case 0x5A:
            painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            painter_.fillPath(p, MakeBrush(painter_.transform()));
            painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
            break;
        default: break;
        }
    }

    // Puts the part `src` (pixels, top-left origin) of a bitmap on the logical rectangle
    // at `dest` with its signed extent.
    void Blit(const QImage &image, QRectF src, QRectF dest, uint32_t rop)
    {
        if (image.isNull() || src.width() == 0 || src.height() == 0 || dest.width() == 0 || dest.height() == 0)
            return;
        if (src.width() < 0) { // a mirrored source is a mirrored destination
            src = QRectF(src.right(), src.top(), -src.width(), src.height());
            dest = QRectF(dest.right(), dest.top(), -dest.width(), dest.height());
        }
        if (src.height() < 0) {
            src = QRectF(src.left(), src.bottom(), src.width(), -src.height());
            dest = QRectF(dest.left(), dest.bottom(), dest.width(), -dest.height());
        }
        const double kx = dest.width() / src.width(), ky = dest.height() / src.height();
        const QTransform toLogical(kx, 0, 0, ky, dest.x() - src.x() * kx, dest.y() - src.y() * ky);
        const QRectF part = src.intersected(QRectF(image.rect()));
        if (part.isEmpty())
            return;
        bool skip = false;
        const QPainter::CompositionMode mode = BlitMode(rop, skip);
        if (skip)
            return;
        const QTransform t = toLogical * Full();
        if (!Finite(t))
            return;
        painter_.setTransform(t);
        painter_.setCompositionMode(mode);
        painter_.drawImage(part, image, part);
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

private:
    QPen MakePen(const QTransform &t) const
    {
        const Pen &pen = s.pen;
        if (pen.style == kPsNull || s.rop2 == 11)
            return Qt::NoPen;
        QPen q(RopColor(pen.color));
        const double scale = std::sqrt(std::abs(t.determinant()));
        if (pen.cosmetic || !std::isfinite(scale) || pen.width * scale < 1.5) {
            q.setWidth(0); // one pixel whatever the mapping
        } else {
            // wider than any picture is wide enough
            q.setWidthF(std::min({pen.width, 100000 / scale, 32000.0})); // Qt takes no more
            q.setCapStyle(pen.cap);
            q.setJoinStyle(pen.join);
        }
        switch (pen.style) {
        case kPsDash: q.setStyle(Qt::DashLine); break;
        case kPsDot: q.setStyle(Qt::DotLine); break;
        case kPsDashDot: q.setStyle(Qt::DashDotLine); break;
        case kPsDashDotDot: q.setStyle(Qt::DashDotDotLine); break;
        default: break;
        }
        return q;
    }
    QColor RopColor(QColor c) const
    {
        if (s.rop2 == 1)
            return Qt::black;
        if (s.rop2 == 16)
            return Qt::white;
        return c;
    }
    QBrush MakeBrush(const QTransform &t) const
    {
        const Brush &b = s.brush;
        if (b.style == kBsNull || s.rop2 == 11)
            return Qt::NoBrush;
        QBrush q(RopColor(b.color));
        if (b.style == kBsHatched) {
            static const Qt::BrushStyle hatch[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                                   Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
            q.setStyle(b.hatch >= 0 && b.hatch < 6 ? hatch[b.hatch] : Qt::SolidPattern);
        } else if (!b.pattern.isNull()) {
            q = QBrush(b.pattern);
        }
        if (q.style() != Qt::SolidPattern) { // patterns lie on picture pixels, whatever the mapping
            bool invertible = false;
            const QTransform back = t.inverted(&invertible);
            if (invertible)
                q.setTransform(back);
        }
        return q;
    }
    QPainter::CompositionMode Rop2Mode() const
    {
        switch (s.rop2) {
        case 4: return QPainter::RasterOp_NotSource;
        case 6: return QPainter::RasterOp_NotDestination;
        case 7: return QPainter::RasterOp_SourceXorDestination;
        case 9: return QPainter::RasterOp_SourceAndDestination;
        case 15: return QPainter::RasterOp_SourceOrDestination;
        default: return QPainter::CompositionMode_SourceOver;
        }
    }

public:
    // Paints a logical shape with the current brush and pen.
    void Paint(const QPainterPath &logical, bool fill, bool stroke, bool fillOnly)
    {
        const QTransform t = Full();
        if (!Finite(t))
            return;
        painter_.setTransform(t);
        painter_.setCompositionMode(Rop2Mode());
        if (fill || fillOnly) {
            const QBrush brush = MakeBrush(t);
            if (brush.style() != Qt::NoBrush) {
                if (s.brush.style == kBsHatched && s.bkMode == 2)
                    painter_.fillPath(logical, s.bkColor);
                painter_.fillPath(logical, brush);
            }
        }
        if (stroke && !fillOnly) {
            QPen pen = MakePen(t);
            // Dashing a line of millions of pixels would take for ever.
            if (pen.style() != Qt::SolidLine && pen.style() != Qt::NoPen) {
                const QRectF box = t.mapRect(logical.controlPointRect());
                if (box.width() + box.height() > 100000)
                    pen.setStyle(Qt::SolidLine);
            }
            if (pen.style() != Qt::NoPen)
                painter_.strokePath(logical, pen);
        }
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

private:
    QImage &picture_;
    QTransform devToPic_;
    QPointF devPerMm_;
    QPainter painter_;
    std::vector<DcState> saved_;
};

// --- common helpers -----------------------------------------------------------------------

QString Damaged() { return QCoreApplication::translate("Metafile", "файл повреждён"); }

bool CheckSize(int64_t w, int64_t h, QString &error)
{
    if (w <= 0 || h <= 0) {
        error = QCoreApplication::translate("Metafile", "размер изображения не задан");
        return false;
    }
    if (w > kMaxSide || h > kMaxSide || w * h > kMaxPixels) {
        error = QCoreApplication::translate("Metafile", "изображение %1 x %2 точек слишком велико").arg(w).arg(h);
        return false;
    }
    return true;
}

// Points of a record: `count` pairs of 32-bit or 16-bit coordinates at `off`.
bool ReadPoints(View r, qint64 off, uint32_t count, bool small, std::vector<QPointF> &out)
{
    const qint64 size = small ? 4 : 8;
    if (!r.Has(off, qint64(count) * size))
        return false;
    out.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const qint64 at = off + i * size;
        out[i] = small ? QPointF(r.I16(at), r.I16(at + 2)) : QPointF(r.I32(at), r.I32(at + 4));
    }
    return true;
}

QImage BlankPicture(int64_t w, int64_t h, QString &error)
{
    QImage img(int(w), int(h), QImage::Format_RGB32);
    if (img.isNull()) {
        error =
            QCoreApplication::translate("Metafile", "недостаточно памяти для изображения %1 x %2 точек").arg(w).arg(h);
        return {};
    }
    img.fill(Qt::white);
    return img;
}

// --- EMF ----------------------------------------------------------------------------------

enum : uint32_t {
    EmrHeader = 1, EmrPolyBezier, EmrPolygon, EmrPolyline, EmrPolyBezierTo, EmrPolylineTo, EmrPolyPolyline,
    EmrPolyPolygon, EmrSetWindowExtEx, EmrSetWindowOrgEx, EmrSetViewportExtEx, EmrSetViewportOrgEx,
    EmrEof = 14, EmrSetPixelV, EmrSetMapMode = 17, EmrSetBkMode, EmrSetPolyFillMode, EmrSetRop2,
    EmrSetBkColor = 25, EmrMoveToEx = 27, EmrExcludeClipRect = 29, EmrIntersectClipRect,
    EmrScaleViewportExtEx, EmrScaleWindowExtEx, EmrSaveDc, EmrRestoreDc, EmrSetWorldTransform,
    EmrModifyWorldTransform, EmrSelectObject, EmrCreatePen, EmrCreateBrushIndirect, EmrDeleteObject,
    EmrAngleArc, EmrEllipse, EmrRectangle, EmrRoundRect, EmrArc, EmrChord, EmrPie, EmrLineTo = 54, EmrArcTo,
    EmrPolyDraw, EmrSetArcDirection, EmrBeginPath = 59, EmrEndPath, EmrCloseFigure, EmrFillPath,
    EmrStrokeAndFillPath, EmrStrokePath, EmrSelectClipPath = 67, EmrAbortPath, EmrExtSelectClipRgn = 75,
    EmrBitBlt, EmrStretchBlt, EmrSetDiBitsToDevice = 80, EmrStretchDiBits, EmrPolyBezier16 = 85, EmrPolygon16,
    EmrPolyline16, EmrPolyBezierTo16, EmrPolylineTo16, EmrPolyPolyline16, EmrPolyPolygon16, EmrPolyDraw16,
    EmrCreateMonoBrush, EmrCreateDibPatternBrushPt, EmrExtCreatePen
};

QImage EmfBitmap(View r, qint64 offBmiAt)
{
    const View info = r.Sub(r.U32(offBmiAt), r.U32(offBmiAt + 4));
    const View bits = r.Sub(r.U32(offBmiAt + 8), r.U32(offBmiAt + 12));
    if (!info.n)
        return {};
    return DecodeDibView(info, bits);
}

// The source rectangle of a bitmap record, turned to top-left origin for bottom-up bitmaps.
QRectF DibSource(View info, const QImage &img, double x, double y, double w, double h)
{
    DibLayout d;
    if (ReadDibLayout(info, d) && !d.topDown && d.compression != kBiJpeg && d.compression != kBiPng)
        y = img.height() - y - h;
    return QRectF(x, y, w, h);
}

class EmfPlayer {
public:
    EmfPlayer(Player &p) : p_(p) {}

    void Record(uint32_t type, View r)
    {
        std::vector<QPointF> pts;
        switch (type) {
        case EmrPolygon: case EmrPolyline: case EmrPolyBezier: case EmrPolyBezierTo: case EmrPolylineTo:
        case EmrPolygon16: case EmrPolyline16: case EmrPolyBezier16: case EmrPolyBezierTo16: case EmrPolylineTo16: {
            const bool small = type >= EmrPolyBezier16;
            const uint32_t base = small ? type - EmrPolyBezier16 + EmrPolyBezier : type;
            if (!ReadPoints(r, 28, r.U32(24), small, pts))
                return;
            if (base == EmrPolygon)
                p_.Polyline(pts, true);
            else if (base == EmrPolyline)
                p_.Polyline(pts, false);
            else if (base == EmrPolyBezier)
                p_.PolyBezier(pts);
            else
                p_.PolyTo(pts, base == EmrPolyBezierTo);
            return;
        }
        case EmrPolyPolyline: case EmrPolyPolygon: case EmrPolyPolyline16: case EmrPolyPolygon16: {
            const bool small = type >= EmrPolyPolyline16;
            const uint32_t polys = r.U32(24), total = r.U32(28);
            if (!r.Has(32, qint64(polys) * 4))
                return;
            std::vector<uint32_t> counts(polys);
            for (uint32_t i = 0; i < polys; ++i)
                counts[i] = r.U32(32 + 4 * qint64(i));
            if (!ReadPoints(r, 32 + qint64(polys) * 4, total, small, pts))
                return;
            p_.PolyPolyline(pts, counts, type == EmrPolyPolygon || type == EmrPolyPolygon16);
            return;
        }
        case EmrPolyDraw: case EmrPolyDraw16: {
            const bool small = type == EmrPolyDraw16;
            const uint32_t count = r.U32(24);
            if (!ReadPoints(r, 28, count, small, pts) || !r.Has(28 + qint64(count) * (small ? 4 : 8), count))
                return;
            PolyDraw(pts, r.p + 28 + qint64(count) * (small ? 4 : 8));
            return;
        }
        case EmrSetWindowExtEx: p_.s.winExt = QPointF(r.I32(8), r.I32(12)); return;
        case EmrSetWindowOrgEx: p_.s.winOrg = QPointF(r.I32(8), r.I32(12)); return;
        case EmrSetViewportExtEx: p_.s.vpExt = QPointF(r.I32(8), r.I32(12)); return;
        case EmrSetViewportOrgEx: p_.s.vpOrg = QPointF(r.I32(8), r.I32(12)); return;
        case EmrScaleViewportExtEx: case EmrScaleWindowExtEx: {
            QPointF &ext = type == EmrScaleViewportExtEx ? p_.s.vpExt : p_.s.winExt;
            const int32_t xn = r.I32(8), xd = r.I32(12), yn = r.I32(16), yd = r.I32(20);
            if (xd && yd)
                ext = QPointF(ext.x() * xn / xd, ext.y() * yn / yd);
            return;
        }
        case EmrSetPixelV: p_.SetPixel(QPointF(r.I32(8), r.I32(12)), ColorRef(r.U32(16))); return;
        case EmrSetMapMode: p_.s.mapMode = int(r.U32(8)); return;
        case EmrSetBkMode: p_.s.bkMode = int(r.U32(8)); return;
        case EmrSetPolyFillMode: p_.s.fill = r.U32(8) == 2 ? Qt::WindingFill : Qt::OddEvenFill; return;
        case EmrSetRop2: p_.s.rop2 = int(r.U32(8)); return;
        case EmrSetBkColor: p_.s.bkColor = ColorRef(r.U32(8)); return;
        case EmrSetArcDirection: p_.s.clockwise = r.U32(8) == 2; return;
        case EmrMoveToEx: p_.MoveTo(QPointF(r.I32(8), r.I32(12))); return;
        case EmrLineTo: p_.LineTo(QPointF(r.I32(8), r.I32(12))); return;
        case EmrExcludeClipRect: case EmrIntersectClipRect:
            if (r.n >= 24)
                p_.ClipLogicalRect(Player::Box(r.I32(8), r.I32(12), r.I32(16), r.I32(20)), type == EmrExcludeClipRect);
            return;
        case EmrSaveDc: p_.Save(); return;
        case EmrRestoreDc: p_.Restore(r.I32(8)); return;
        case EmrSetWorldTransform:
            if (r.n >= 32)
                p_.s.world = Xform(r, 8);
            return;
        case EmrModifyWorldTransform: {
            if (r.n < 36)
                return;
            const QTransform x = Xform(r, 8);
            switch (r.U32(32)) {
            case 1: p_.s.world = QTransform(); break;
            case 2: p_.s.world = x * p_.s.world; break;
            case 3: p_.s.world = p_.s.world * x; break;
            case 4: p_.s.world = x; break;
            default: break;
            }
            return;
        }
        case EmrSelectObject: {
            const uint32_t ih = r.U32(8);
            if (ih & 0x80000000u) {
                p_.SelectStock(ih & 0x7FFFFFFFu);
            } else {
                const auto it = objects_.find(ih);
                if (it != objects_.end())
                    p_.Select(it->second);
            }
            return;
        }
        case EmrDeleteObject: objects_.erase(r.U32(8)); return;
        case EmrCreatePen: {
            if (r.n < 28)
                return;
            Object o;
            o.kind = Kind::Pen;
            o.pen.style = int(r.U32(12) & 0xF);
            o.pen.width = std::abs(double(r.I32(16)));
            o.pen.cosmetic = o.pen.width == 0;
            o.pen.color = ColorRef(r.U32(24));
            objects_[r.U32(8)] = o;
            return;
        }
        case EmrExtCreatePen: {
            if (r.n < 52)
                return;
            const uint32_t style = r.U32(28);
            Object o;
            o.kind = Kind::Pen;
            o.pen.style = r.U32(36) == kBsNull ? kPsNull : int(style & 0xF);
            o.pen.cosmetic = (style & 0xF0000) == 0;
            o.pen.width = o.pen.cosmetic ? 0 : double(r.U32(32));
            o.pen.color = ColorRef(r.U32(40));
            const uint32_t cap = style & 0xF00, join = style & 0xF000;
            o.pen.cap = cap == 0x100 ? Qt::SquareCap : cap == 0x200 ? Qt::FlatCap : Qt::RoundCap;
            o.pen.join = join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin;
            if (o.pen.style == 7) // user-defined dashes: drawn solid
                o.pen.style = kPsSolid;
            objects_[r.U32(8)] = o;
            return;
        }
        case EmrCreateBrushIndirect: {
            if (r.n < 24)
                return;
            Object o;
            o.kind = Kind::Brush;
            o.brush.style = int(r.U32(12));
            o.brush.color = ColorRef(r.U32(16));
            o.brush.hatch = int(r.U32(20));
            if (o.brush.style != kBsSolid && o.brush.style != kBsNull && o.brush.style != kBsHatched)
                o.brush.style = kBsSolid;
            objects_[r.U32(8)] = o;
            return;
        }
        case EmrCreateMonoBrush: case EmrCreateDibPatternBrushPt: {
            if (r.n < 32)
                return;
            Object o;
            o.kind = Kind::Brush;
            o.brush.color = Qt::black;
            o.brush.pattern = EmfBitmap(r, 16);
            objects_[r.U32(8)] = o;
            return;
        }
        case EmrEllipse: case EmrRectangle: case EmrRoundRect: {
            if (r.n < 24)
                return;
            const QRectF box = Player::Box(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
            if (type == EmrEllipse)
                p_.Ellipse(box);
            else if (type == EmrRectangle)
                p_.Rectangle(box);
            else
                p_.RoundRect(box, r.I32(24), r.I32(28));
            return;
        }
        case EmrArc: case EmrChord: case EmrPie: case EmrArcTo: {
            if (r.n < 40)
                return;
            const QRectF box = Player::Box(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
            const int kind = type == EmrArc ? 0 : type == EmrChord ? 1 : type == EmrPie ? 2 : 3;
            p_.Arc(box, QPointF(r.I32(24), r.I32(28)), QPointF(r.I32(32), r.I32(36)), kind);
            return;
        }
        case EmrAngleArc: {
            if (r.n < 28)
                return;
            const QPointF c(r.I32(8), r.I32(12));
            const double radius = r.U32(16);
            const double start = r.F32(20) * M_PI / 180, end = start + r.F32(24) * M_PI / 180;
            const QRectF box(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
            const QPointF a(c.x() + radius * std::cos(start), c.y() - radius * std::sin(start));
            const QPointF b(c.x() + radius * std::cos(end), c.y() - radius * std::sin(end));
            p_.LineTo(a);
            const bool cw = p_.s.clockwise;
            p_.s.clockwise = r.F32(24) < 0;
            p_.Arc(box, a, b, 3);
            p_.s.clockwise = cw;
            return;
        }
        case EmrBeginPath: p_.BeginPath(); return;
        case EmrEndPath: p_.inPath = false; return;
        case EmrCloseFigure: p_.CloseFigure(); return;
        case EmrFillPath: p_.PaintPath(true, false); return;
        case EmrStrokeAndFillPath: p_.PaintPath(true, true); return;
        case EmrStrokePath: p_.PaintPath(false, true); return;
        case EmrAbortPath:
            p_.inPath = false;
            p_.path = QPainterPath();
            return;
        case EmrSelectClipPath: p_.ClipToPath(r.U32(8)); return;
        case EmrExtSelectClipRgn: ClipRegion(r); return;
        case EmrBitBlt: case EmrStretchBlt: {
            if (r.n < (type == EmrBitBlt ? 100 : 108))
                return;
            const QRectF dest(r.I32(24), r.I32(28), r.I32(32), r.I32(36));
            const uint32_t rop = r.U32(40);
            if (r.U32(88) == 0) { // no source bitmap: a pattern operation
                p_.PatBlt(dest, rop);
                return;
            }
            const QImage img = EmfBitmap(r, 84);
            QTransform x = Xform(r, 52);
            if (x.determinant() == 0)
                x = QTransform();
            const double sw = type == EmrBitBlt ? dest.width() : r.I32(100);
            const double sh = type == EmrBitBlt ? dest.height() : r.I32(104);
            const QRectF src = x.map(QRectF(r.I32(44), r.I32(48), sw, sh)).boundingRect();
            p_.Blit(img, src, dest, rop);
            return;
        }
        case EmrStretchDiBits: {
            if (r.n < 80 || r.U32(64) != 0) // colours given as palette indices are not played
                return;
            const QImage img = EmfBitmap(r, 48);
            const QRectF src = DibSource(r.Sub(r.U32(48), r.U32(52)), img, r.I32(32), r.I32(36), r.I32(40), r.I32(44));
            p_.Blit(img, src, QRectF(r.I32(24), r.I32(28), r.I32(72), r.I32(76)), r.U32(68));
            return;
        }
        case EmrSetDiBitsToDevice: {
            if (r.n < 76 || r.U32(64) != 0)
                return;
            const QImage img = EmfBitmap(r, 48);
            const QRectF src = DibSource(r.Sub(r.U32(48), r.U32(52)), img, r.I32(32), r.I32(36), r.I32(40), r.I32(44));
            // The extent is in device pixels: turn it into logical units of the destination.
            const QTransform page = p_.s.world * p_.Page();
            const double kx = page.m11() ? 1 / page.m11() : 1, ky = page.m22() ? 1 / page.m22() : 1;
            p_.Blit(img, src, QRectF(r.I32(24), r.I32(28), r.I32(40) * kx, r.I32(44) * ky), 0x00CC0020);
            return;
        }
        default: return; // text, palettes, colour management and the like
        }
    }

private:
    static QTransform Xform(View r, qint64 at)
    {
        return QTransform(r.F32(at), r.F32(at + 4), r.F32(at + 8), r.F32(at + 12), r.F32(at + 16), r.F32(at + 20));
    }

    void PolyDraw(const std::vector<QPointF> &pts, const uchar *types)
    {
        // PT_CLOSEFIGURE 1, PT_LINETO 2, PT_BEZIERTO 4, PT_MOVETO 6
        const bool wasInPath = p_.inPath;
        const QPainterPath waiting = p_.path; // an ended path may still wait for its fill
        if (!wasInPath)
            p_.BeginPath();
        for (size_t i = 0; i < pts.size(); ++i) {
            const int t = types[i] & ~1;
            if (t == 6) {
                p_.MoveTo(pts[i]);
            } else if (t == 2) {
                p_.LineTo(pts[i]);
            } else if (t == 4 && i + 2 < pts.size()) {
                p_.PolyTo({pts[i], pts[i + 1], pts[i + 2]}, true);
                i += 2;
            }
            if (types[i] & 1)
                p_.CloseFigure();
        }
        if (!wasInPath) {
            p_.PaintPath(false, true);
            p_.path = waiting;
        }
    }

    void ClipRegion(View r)
    {
        const uint32_t size = r.U32(8), mode = r.U32(12);
        if (size == 0 || !r.Has(16, size)) {
            if (mode == 5)
                p_.ResetClip();
            return;
        }
        const View data = r.Sub(16, size);
        const uint32_t count = data.U32(8);
        const qint64 header = data.U32(0);
        if (header < 32 || !data.Has(header, qint64(count) * 16))
            return;
        QRegion region;
        const QTransform &t = p_.DeviceToPicture();
        std::vector<QRect> rects;
        rects.reserve(count);
        for (uint32_t i = 0; i < count; ++i) {
            const qint64 at = header + qint64(i) * 16;
            const QRectF box = t.mapRect(Player::Box(data.I32(at), data.I32(at + 4), data.I32(at + 8), data.I32(at + 12)));
            rects.push_back(p_.RegionRect(box));
        }
        region.setRects(rects.data(), int(rects.size()));
        p_.Combine(region, mode);
    }

    Player &p_;
    std::unordered_map<uint32_t, Object> objects_;
};

QImage RenderEmf(View f, QString &error)
{
    const qint64 headerSize = f.U32(4);
    if (headerSize < 88 || headerSize % 4 || headerSize > f.n) {
        error = Damaged();
        return {};
    }
    if (f.U32(48) > uint64_t(f.n)) { // the file is shorter than its header says
        error = Damaged();
        return {};
    }
    const QRect bounds(QPoint(f.I32(8), f.I32(12)), QPoint(f.I32(16), f.I32(20)));
    const int64_t frameL = f.I32(24), frameT = f.I32(28), frameR = f.I32(32), frameB = f.I32(36);
    const int64_t devX = f.I32(72), devY = f.I32(76), mmX = f.I32(80), mmY = f.I32(84);
    const QPointF devPerMm(devX > 0 && mmX > 0 ? double(devX) / double(mmX) : 96 / 25.4,
                           devY > 0 && mmY > 0 ? double(devY) / double(mmY) : 96 / 25.4);
    // The frame, in device pixels and in millimetres.
    QRectF frameDev;
    double mmW = 0, mmH = 0;
    if (frameR > frameL && frameB > frameT) {
        mmW = double(frameR - frameL) / 100;
        mmH = double(frameB - frameT) / 100;
        frameDev = QRectF(frameL / 100.0 * devPerMm.x(), frameT / 100.0 * devPerMm.y(), mmW * devPerMm.x(),
                          mmH * devPerMm.y());
    } else if (bounds.right() >= bounds.left() && bounds.bottom() >= bounds.top()) {
        frameDev = QRectF(bounds.left(), bounds.top(), double(bounds.right()) - bounds.left() + 1,
                          double(bounds.bottom()) - bounds.top() + 1);
        mmW = frameDev.width() / devPerMm.x();
        mmH = frameDev.height() / devPerMm.y();
    }
    const auto pixels = [](double mm) { return mm > 0 ? std::max<int64_t>(1, std::llround(std::min(mm, 1e9) / 25.4 * 96)) : 0; };
    const int64_t w = pixels(mmW), h = pixels(mmH);
    if (!CheckSize(w, h, error))
        return {};
    QImage img = BlankPicture(w, h, error);
    if (img.isNull())
        return {};
    const double sx = double(w) / frameDev.width(), sy = double(h) / frameDev.height();
    const QTransform devToPic(sx, 0, 0, sy, -frameDev.x() * sx, -frameDev.y() * sy);
    {
        Player player(img, devToPic, devPerMm);
        EmfPlayer emf(player);
        qint64 off = headerSize;
        while (off < f.n) {
            const uint32_t type = f.U32(off), size = f.U32(off + 4);
            if (!f.Has(off, 8) || size < 8 || size % 4 || size > f.n - off) {
                error = Damaged();
                return {};
            }
            if (type == EmrEof)
                break;
            emf.Record(type, f.Sub(off, size));
            off += size;
        }
    }
    return img.convertToFormat(QImage::Format_RGBX8888);
}

// --- WMF ----------------------------------------------------------------------------------

class WmfPlayer {
public:
    explicit WmfPlayer(Player &p) : p_(p) {}

    // Parameters after the six bytes of size and function.
    static int P(View r, int i) { return r.I16(6 + 2 * qint64(i)); }

    void Record(uint16_t func, View r)
    {
        const qint64 params = (r.n - 6) / 2;
        const auto need = [&](qint64 words) { return params >= words; };
        std::vector<QPointF> pts;
        switch (func) {
        case 0x020B: if (need(2)) p_.s.winOrg = QPointF(P(r, 1), P(r, 0)); return;
        case 0x020C: if (need(2)) p_.s.winExt = QPointF(P(r, 1), P(r, 0)); return;
        case 0x020D: if (need(2)) p_.s.vpOrg = QPointF(P(r, 1), P(r, 0)); return;
        case 0x020E: if (need(2)) p_.s.vpExt = QPointF(P(r, 1), P(r, 0)); return;
        case 0x020F: if (need(2)) p_.s.winOrg += QPointF(P(r, 1), P(r, 0)); return;
        case 0x0211: if (need(2)) p_.s.vpOrg += QPointF(P(r, 1), P(r, 0)); return;
        case 0x0410: case 0x0412: {
            if (!need(4))
                return;
            QPointF &ext = func == 0x0410 ? p_.s.winExt : p_.s.vpExt;
            const int yd = P(r, 0), yn = P(r, 1), xd = P(r, 2), xn = P(r, 3);
            if (xd && yd)
                ext = QPointF(ext.x() * xn / xd, ext.y() * yn / yd);
            return;
        }
        case 0x0103: if (need(1)) p_.s.mapMode = P(r, 0); return;
        case 0x0102: if (need(1)) p_.s.bkMode = P(r, 0); return;
        case 0x0104: if (need(1)) p_.s.rop2 = P(r, 0); return;
        case 0x0106: if (need(1)) p_.s.fill = P(r, 0) == 2 ? Qt::WindingFill : Qt::OddEvenFill; return;
        case 0x0201: if (need(2)) p_.s.bkColor = ColorRef(r.U32(6)); return;
        case 0x0213: if (need(2)) p_.LineTo(QPointF(P(r, 1), P(r, 0))); return;
        case 0x0214: if (need(2)) p_.MoveTo(QPointF(P(r, 1), P(r, 0))); return;
        case 0x0415: case 0x0416:
            if (need(4))
                p_.ClipLogicalRect(Player::Box(P(r, 3), P(r, 2), P(r, 1), P(r, 0)), func == 0x0415);
            return;
        case 0x0418: if (need(4)) p_.Ellipse(Player::Box(P(r, 3), P(r, 2), P(r, 1), P(r, 0))); return;
        case 0x041B: if (need(4)) p_.Rectangle(Player::Box(P(r, 3), P(r, 2), P(r, 1), P(r, 0))); return;
        case 0x061C:
            if (need(6))
                p_.RoundRect(Player::Box(P(r, 5), P(r, 4), P(r, 3), P(r, 2)), P(r, 1), P(r, 0));
            return;
        case 0x0817: case 0x081A: case 0x0830:
            if (need(8))
                p_.Arc(Player::Box(P(r, 7), P(r, 6), P(r, 5), P(r, 4)), QPointF(P(r, 3), P(r, 2)),
                       QPointF(P(r, 1), P(r, 0)), func == 0x0817 ? 0 : func == 0x0830 ? 1 : 2);
            return;
        case 0x061D:
            if (need(6))
                p_.PatBlt(QRectF(P(r, 5), P(r, 4), P(r, 3), P(r, 2)), r.U32(6));
            return;
        case 0x041F: if (need(4)) p_.SetPixel(QPointF(P(r, 3), P(r, 2)), ColorRef(r.U32(6))); return;
        case 0x001E: p_.Save(); return;
        case 0x0127: if (need(1)) p_.Restore(P(r, 0)); return;
        case 0x0324: case 0x0325: {
            const int count = P(r, 0);
            if (count < 0 || !ReadPoints(r, 8, uint32_t(count), true, pts))
                return;
            p_.Polyline(pts, func == 0x0324);
            return;
        }
        case 0x0538: {
            const uint32_t polys = r.U16(6);
            if (!r.Has(8, qint64(polys) * 2))
                return;
            std::vector<uint32_t> counts(polys);
            uint64_t total = 0;
            for (uint32_t i = 0; i < polys; ++i)
                total += counts[i] = r.U16(8 + 2 * qint64(i));
            if (total > UINT32_MAX || !ReadPoints(r, 8 + qint64(polys) * 2, uint32_t(total), true, pts))
                return;
            p_.PolyPolyline(pts, counts, true);
            return;
        }
        case 0x012D: {
            if (!need(1))
                return;
            const auto it = objects_.find(r.U16(6));
            if (it != objects_.end())
                p_.Select(it->second);
            return;
        }
        case 0x01F0: {
            if (!need(1))
                return;
            const int index = r.U16(6);
            if (objects_.erase(index))
                free_.insert(index);
            return;
        }
        case 0x02FA: {
            Object o;
            o.kind = Kind::Pen;
            o.pen.style = r.U16(6) & 0xF;
            o.pen.width = std::abs(double(r.I16(8)));
            o.pen.cosmetic = o.pen.width == 0;
            o.pen.color = ColorRef(r.U32(12));
            Create(o);
            return;
        }
        case 0x02FC: {
            Object o;
            o.kind = Kind::Brush;
            o.brush.style = r.U16(6);
            o.brush.color = ColorRef(r.U32(8));
            o.brush.hatch = r.U16(12);
            if (o.brush.style != kBsSolid && o.brush.style != kBsNull && o.brush.style != kBsHatched)
                o.brush.style = kBsSolid;
            Create(o);
            return;
        }
        case 0x0142: {
            Object o;
            o.kind = Kind::Brush;
            o.brush.color = Qt::black;
            if (r.U16(6) != 3 && r.U16(8) == 0) // not the old bitmap kind, colours given directly
                o.brush.pattern = DecodePacked(r.From(10));
            Create(o);
            return;
        }
        case 0x00F7: case 0x01F9: case 0x02FB: case 0x06FF: Create(Object()); return; // unplayed, but they hold a slot
        case 0x0F43: { // STRETCHDIB
            if (!need(11) || r.U16(10) != 0)
                return;
            const View dib = r.From(28);
            const QImage img = DecodePacked(dib);
            const QRectF src = DibSource(dib, img, P(r, 6), P(r, 5), P(r, 4), P(r, 3));
            p_.Blit(img, src, QRectF(P(r, 10), P(r, 9), P(r, 8), P(r, 7)), r.U32(6));
            return;
        }
        case 0x0B41: { // DIBSTRETCHBLT
            if (r.n == 28) {
                p_.PatBlt(QRectF(P(r, 10), P(r, 9), P(r, 8), P(r, 7)), r.U32(6));
                return;
            }
            if (!need(10))
                return;
            const QImage img = DecodePacked(r.From(26));
            p_.Blit(img, QRectF(P(r, 5), P(r, 4), P(r, 3), P(r, 2)), QRectF(P(r, 9), P(r, 8), P(r, 7), P(r, 6)),
                    r.U32(6));
            return;
        }
        case 0x0940: { // DIBBITBLT
            if (r.n == 24) {
                p_.PatBlt(QRectF(P(r, 8), P(r, 7), P(r, 6), P(r, 5)), r.U32(6));
                return;
            }
            if (!need(8))
                return;
            const QImage img = DecodePacked(r.From(22));
            const int w = P(r, 5), h = P(r, 4);
            p_.Blit(img, QRectF(P(r, 3), P(r, 2), w, h), QRectF(P(r, 7), P(r, 6), w, h), r.U32(6));
            return;
        }
        case 0x0D33: { // SETDIBTODEV
            if (!need(9) || r.U16(6) != 0)
                return;
            const View dib = r.From(24);
            const QImage img = DecodePacked(dib);
            const int w = r.U16(18), h = r.U16(16);
            const QRectF src = DibSource(dib, img, r.U16(14), r.U16(12), w, h);
            const QTransform page = p_.Page();
            const double kx = page.m11() ? 1 / page.m11() : 1, ky = page.m22() ? 1 / page.m22() : 1;
            p_.Blit(img, src, QRectF(P(r, 8), P(r, 7), w * kx, h * ky), 0x00CC0020);
            return;
        }
        default: return;
        }
    }

private:
    // A new object takes the lowest free slot of the table.
    void Create(const Object &o)
    {
        int index;
        if (!free_.empty()) {
            index = *free_.begin();
            free_.erase(free_.begin());
        } else if (next_ < 65536) {
            index = next_++;
        } else {
            return;
        }
        objects_[index] = o;
    }

    Player &p_;
    std::unordered_map<int, Object> objects_;
    std::set<int> free_;
    int next_ = 0;
};

QImage RenderWmf(View f, QString &error)
{
    qint64 off = 0;
    const bool placeable = f.U32(0) == 0x9AC6CDD7u;
    int64_t w = 0, h = 0;
    QPointF winOrg(0, 0), winExt(1, 1);
    if (placeable) {
        const int left = f.I16(6), top = f.I16(8), right = f.I16(10), bottom = f.I16(12);
        const int inch = f.U16(14);
        if (!f.Has(0, 22) || inch == 0) {
            error = Damaged();
            return {};
        }
        w = std::llround(std::abs(double(right - left)) * 96 / inch);
        h = std::llround(std::abs(double(bottom - top)) * 96 / inch);
        if (right != left && w == 0)
            w = 1;
        if (bottom != top && h == 0)
            h = 1;
        winOrg = QPointF(left, top);
        winExt = QPointF(right - left, bottom - top);
        off = 22;
    }
    const uint16_t type = f.U16(off), headerWords = f.U16(off + 2);
    if (!f.Has(off, 18) || (type != 1 && type != 2) || headerWords != 9) {
        error = Damaged();
        return {};
    }
    const qint64 first = off + 18;
    const auto walk = [&](auto &&visit) -> bool {
        qint64 at = first;
        while (at < f.n) {
            const qint64 size = qint64(f.U32(at)) * 2;
            if (!f.Has(at, 6) || size < 6 || size > f.n - at)
                return false;
            const uint16_t func = f.U16(at + 4);
            if (func == 0)
                break;
            if (!visit(func, f.Sub(at, size)))
                break;
            at += size;
        }
        return true;
    };
    if (!placeable) { // the size is the first window extent
        const bool sound = walk([&](uint16_t func, View r) {
            if (func == 0x020C && r.n >= 10) {
                w = std::abs(int(r.I16(8)));
                h = std::abs(int(r.I16(6)));
                return false;
            }
            return true;
        });
        if (!sound) {
            error = Damaged();
            return {};
        }
        winExt = QPointF(w, h);
    }
    if (!CheckSize(w, h, error))
        return {};
    QImage img = BlankPicture(w, h, error);
    if (img.isNull())
        return {};
    {
        Player player(img, QTransform(), QPointF(96 / 25.4, 96 / 25.4));
        player.wmf = true;
        player.s.mapMode = kMmAnisotropic;
        player.s.winOrg = winOrg;
        player.s.winExt = winExt;
        player.s.vpExt = QPointF(w, h);
        WmfPlayer wmf(player);
        const bool sound = walk([&](uint16_t func, View r) {
            wmf.Record(func, r);
            return true;
        });
        if (!sound) {
            error = Damaged();
            return {};
        }
    }
    return img.convertToFormat(QImage::Format_RGBX8888);
}

} // namespace

QImage Render(const QByteArray &bytes, QString &error)
{
    error.clear();
    const View f{reinterpret_cast<const uchar *>(bytes.constData()), bytes.size()};
    if (f.U32(0) == 1 && f.U32(40) == 0x464D4520u)
        return RenderEmf(f, error);
    const uint16_t type = f.U16(0);
    if (f.U32(0) == 0x9AC6CDD7u || ((type == 1 || type == 2) && f.U16(2) == 9))
        return RenderWmf(f, error);
    error = f.n < 8 ? Damaged() : QCoreApplication::translate("Metafile", "это не метафайл EMF или WMF");
    return {};
}

QImage DecodeDib(const uchar *info, qint64 infoSize, const uchar *bits, qint64 bitsSize)
{
    if (!info || infoSize < 0 || bitsSize < 0 || (!bits && bitsSize))
        return {};
    return DecodeDibView(View{info, infoSize}, View{bits, bitsSize});
}

QImage DecodePackedDib(const uchar *dib, qint64 size)
{
    if (!dib || size < 0)
        return {};
    return DecodePacked(View{dib, size});
}

} // namespace metafile
