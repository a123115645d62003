#include "image_files/metafile/Dib.h"
#include "image_files/metafile/DrawingState.h"
#include "image_files/metafile/Players.h"
#include "image_files/metafile/Regions.h"

#include <unordered_map>

namespace metafile::detail {

namespace {

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

QImage EmfBitmap(Player &p, View r, qint64 offBmiAt, bool pattern = false)
{
    const View info = r.Sub(r.U32(offBmiAt), r.U32(offBmiAt + 4));
    const View bits = r.Sub(r.U32(offBmiAt + 8), r.U32(offBmiAt + 12));
    if (!info.n)
        return {};
    return p.Bitmap(info, bits, pattern);
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
            o.brush.pattern = EmfBitmap(p_, r, 16, true);
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
            const QImage img = EmfBitmap(p_, r, 84);
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
            const QImage img = EmfBitmap(p_, r, 48);
            const QRectF src = DibSource(r.Sub(r.U32(48), r.U32(52)), img, r.I32(32), r.I32(36), r.I32(40), r.I32(44));
            p_.Blit(img, src, QRectF(r.I32(24), r.I32(28), r.I32(72), r.I32(76)), r.U32(68));
            return;
        }
        case EmrSetDiBitsToDevice: {
            if (r.n < 76 || r.U32(64) != 0)
                return;
            const QImage img = EmfBitmap(p_, r, 48);
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
        if (!p_.budget.Region(count))
            return;
        const QTransform &t = p_.DeviceToPicture();
        std::vector<QRect> rects;
        rects.reserve(count);
        for (uint32_t i = 0; i < count; ++i) {
            const qint64 at = header + qint64(i) * 16;
            const QRectF box = t.mapRect(Player::Box(data.I32(at), data.I32(at + 4), data.I32(at + 8), data.I32(at + 12)));
            rects.push_back(p_.RegionRect(box));
        }
        // The file's rectangles need be in no order; mapped and rounded, they may even overlap.
        const QRegion region = RegionOfRects(std::move(rects), p_.budget);
        if (!p_.budget.Exceeded())
            p_.Combine(region, mode);
    }

    Player &p_;
    std::unordered_map<uint32_t, Object> objects_;
};

} // namespace

QImage RenderEmf(View f, QString &error, const Progress &progress)
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
        ProgressReport report(progress, f.n);
        qint64 off = headerSize;
        while (off < f.n) {
            report.At(off);
            const uint32_t type = f.U32(off), size = f.U32(off + 4);
            if (!f.Has(off, 8) || size < 8 || size % 4 || size > f.n - off) {
                error = Damaged();
                return {};
            }
            if (type == EmrEof)
                break;
            emf.Record(type, f.Sub(off, size));
            if (player.budget.Exceeded()) {
                error = player.budget.Refusal();
                return {};
            }
            off += size;
        }
        report.At(f.n);
    }
    img.convertTo(QImage::Format_RGBX8888); // in place: a second picture would double the peak
    return img;
}

} // namespace metafile::detail
