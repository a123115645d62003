#include "image_files/metafile/DrawingState.h"

#include "image_files/Metafile.h"
#include "image_files/metafile/Dib.h"
#include "image_files/metafile/Regions.h"

#include <algorithm>
#include <QCoreApplication>

namespace metafile::detail {

namespace {

// Rows of clip spans the painter may set aside at once; a taller clip is set band by band.
constexpr qint64 kBandSpans = 4'000'000;
// Drawing a scaled bitmap costs about this many fills of the same pixels.
constexpr double kBlitWork = 6;

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

} // namespace

Player::Player(QImage &picture, const QTransform &deviceToPicture, QPointF devicePerMm)
    : picture_(picture), devToPic_(deviceToPicture), devPerMm_(devicePerMm), painter_(&picture)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

QTransform Player::Page() const
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

void Player::Select(const Object &o)
{
    if (o.kind == Kind::Pen)
        s.pen = o.pen;
    else if (o.kind == Kind::Brush)
        s.brush = o.brush;
}

void Player::SelectStock(uint32_t which)
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

void Player::Save()
{
    if (saved_.size() < size_t(kMaxSaved))
        saved_.push_back(s);
}

void Player::Restore(int32_t which)
{
    const int64_t index = which < 0 ? int64_t(saved_.size()) + which : int64_t(which) - 1;
    if (index < 0 || index >= int64_t(saved_.size()))
        return;
    s = saved_[size_t(index)];
    saved_.resize(size_t(index));
    ApplyClip();
}

void Player::Combine(const QRegion &r, uint32_t mode)
{
    const QRegion cur = s.clipped ? s.clip : Whole();
    if (mode >= 1 && mode <= 4 && !budget.Region(CombinedRectsBound(cur, r)))
        return;
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

void Player::ResetClip()
{
    s.clipped = false;
    s.clip = QRegion();
    ApplyClip();
}

QRegion Player::PathRegion(const QPainterPath &path)
{
    QRegion r;
    const QPolygonF near(Near());
    for (const QPolygonF &poly : path.toFillPolygons()) {
        if (!std::all_of(poly.begin(), poly.end(), [](QPointF q) { return std::isfinite(q.x()) && std::isfinite(q.y()); }))
            continue;
        const QPolygon kept = poly.intersected(near).toPolygon();
        // The region of a polygon with long edges is a rectangle for each row they cross.
        if (!budget.Region(PolygonRectsBound(kept)))
            return {};
        const QRegion piece(kept, path.fillRule());
        if (!budget.Region(CombinedRectsBound(r, piece)))
            return {};
        r = path.fillRule() == Qt::OddEvenFill ? r.xored(piece) : r.united(piece);
    }
    return r;
}

void Player::ClipLogicalRect(const QRectF &rect, bool exclude)
{
    QPainterPath p;
    p.addRect(rect.normalized());
    Combine(PathRegion(Full().map(p)), exclude ? 4 : 1);
}

void Player::ApplyClip()
{
    painter_.setTransform(QTransform());
    bands_.clear();
    if (!s.clipped) {
        painter_.setClipping(false);
        return;
    }
    if (!budget.Region(s.clip.rectCount(), RegionSpans(s.clip)))
        return;
    bands_ = Bands(s.clip, kBandSpans);
    if (bands_.empty())
        painter_.setClipRegion(s.clip);
}

template <class Draw>
void Player::Clipped(Draw &&draw)
{
    if (bands_.empty()) {
        draw();
        return;
    }
    for (const QRegion &band : bands_) {
        painter_.setTransform(QTransform());
        painter_.setClipRegion(band);
        draw();
    }
}

void Player::BeginPath()
{
    inPath = true;
    path = QPainterPath();
}

void Player::PaintPath(bool fill, bool stroke)
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

void Player::ClipToPath(uint32_t mode)
{
    inPath = false;
    path.setFillRule(s.fill);
    Combine(PathRegion(path), mode);
    path = QPainterPath();
}

void Player::Shape(QPainterPath logical, bool fill, bool stroke)
{
    if (inPath) {
        if (Finite(Full()))
            path.addPath(Full().map(logical));
        return;
    }
    logical.setFillRule(s.fill);
    Paint(logical, fill, stroke, false);
}

void Player::Polyline(const std::vector<QPointF> &pts, bool closed)
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

void Player::PolyPolyline(const std::vector<QPointF> &pts, const std::vector<uint32_t> &counts, bool closed)
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

void Player::PolyTo(const std::vector<QPointF> &pts, bool bezier)
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

void Player::PolyBezier(const std::vector<QPointF> &pts)
{
    if (pts.size() < 4)
        return;
    QPainterPath p;
    p.moveTo(pts[0]);
    for (size_t i = 1; i + 2 < pts.size(); i += 3)
        p.cubicTo(pts[i], pts[i + 1], pts[i + 2]);
    Shape(p, false, true);
}

void Player::MoveTo(QPointF q)
{
    s.pos = q;
    if (inPath)
        path.moveTo(Full().map(q));
}

void Player::LineTo(QPointF q)
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

void Player::CloseFigure()
{
    if (inPath)
        path.closeSubpath();
}

void Player::Rectangle(const QRectF &box)
{
    QPainterPath p;
    p.addRect(box);
    Shape(p, true, true);
}

void Player::Ellipse(const QRectF &box)
{
    QPainterPath p;
    p.addEllipse(box);
    Shape(p, true, true);
}

void Player::RoundRect(const QRectF &box, double cx, double cy)
{
    QPainterPath p;
    p.addRoundedRect(box, std::abs(cx) / 2, std::abs(cy) / 2);
    Shape(p, true, true);
}

void Player::Arc(const QRectF &box, QPointF start, QPointF end, int kind)
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

void Player::SetPixel(QPointF q, QColor c)
{
    const QPointF d = Full().map(q);
    if (!Near().contains(d) || !budget.Paint(Passes()))
        return;
    Clipped([&] {
        painter_.setTransform(QTransform());
        painter_.fillRect(QRectF(std::floor(d.x()), std::floor(d.y()), 1, 1), c);
    });
}

void Player::PatBlt(const QRectF &rect, uint32_t rop)
{
    const int code = int(rop >> 16 & 0xFF);
    QPainterPath p;
    p.addRect(rect.normalized());
    if (!Finite(Full()))
        return;
    if (code == 0xF0) {
        Paint(p, true, false, true);
        return;
    }
    if (!budget.Paint(FillCost(p, Full())))
        return;
    Clipped([&] {
        painter_.setTransform(Full());
        painter_.setPen(Qt::NoPen);
        switch (code) {
        case 0x00: painter_.fillPath(p, Qt::black); break;
        case 0xFF: painter_.fillPath(p, Qt::white); break;
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
    });
}

void Player::Blit(const QImage &image, QRectF src, QRectF dest, uint32_t rop)
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
    // Drawing a scaled bitmap costs several times a fill per pixel.
    const QRectF covered = t.mapRect(part).intersected(Reach());
    if (!budget.Paint(kBlitWork * covered.width() * covered.height() + Passes() * covered.height()))
        return;
    Clipped([&] {
        painter_.setTransform(t);
        painter_.setCompositionMode(mode);
        painter_.drawImage(part, image, part);
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    });
}

QPen Player::MakePen(const QTransform &t) const
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

QColor Player::RopColor(QColor c) const
{
    if (s.rop2 == 1)
        return Qt::black;
    if (s.rop2 == 16)
        return Qt::white;
    return c;
}

QBrush Player::MakeBrush(const QTransform &t) const
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

QPainter::CompositionMode Player::Rop2Mode() const
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

void Player::Paint(const QPainterPath &logical, bool fill, bool stroke, bool fillOnly)
{
    const QTransform t = Full();
    if (!Finite(t))
        return;
    const QBrush brush = fill || fillOnly ? MakeBrush(t) : QBrush(Qt::NoBrush);
    QPen pen = stroke && !fillOnly ? MakePen(t) : QPen(Qt::NoPen);
    // Dashing a line of millions of pixels would take for ever.
    if (pen.style() != Qt::SolidLine && pen.style() != Qt::NoPen) {
        const QRectF box = t.mapRect(logical.controlPointRect());
        if (box.width() + box.height() > 100000)
            pen.setStyle(Qt::SolidLine);
    }
    const bool filled = brush.style() != Qt::NoBrush, stroked = pen.style() != Qt::NoPen;
    const bool underlay = filled && s.brush.style == kBsHatched && s.bkMode == 2;
    const double cost = (filled ? (underlay ? 2 : 1) * FillCost(logical, t) : 0) + (stroked ? StrokeCost(logical, t, pen) : 0);
    if (!budget.Paint(cost))
        return;
    Clipped([&] {
        painter_.setTransform(t);
        painter_.setCompositionMode(Rop2Mode());
        if (filled) {
            if (underlay)
                painter_.fillPath(logical, s.bkColor);
            painter_.fillPath(logical, brush);
        }
        if (stroked)
            painter_.strokePath(logical, pen);
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    });
}

QImage Player::Bitmap(View info, View bits, bool pattern)
{
    const qint64 pixels = DibPixels(info, bits);
    if (pixels <= 0 || pixels > kMaxPixels) // malformed or too large: skipped, as by the decoder
        return {};
    return budget.Bitmap(pixels, pattern) ? DecodeDibView(info, bits) : QImage();
}

double Player::Passes() const
{
    return double(std::max<size_t>(1, bands_.size()));
}

QRectF Player::Reach() const
{
    const QRectF whole(picture_.rect());
    return s.clipped ? whole.intersected(QRectF(s.clip.boundingRect())) : whole;
}

double Player::FillCost(const QPainterPath &logical, const QTransform &t) const
{
    const QRectF box = t.mapRect(logical.controlPointRect()).adjusted(-1, -1, 1, 1).intersected(Reach());
    if (box.isEmpty())
        return logical.elementCount();
    return box.width() * box.height() + Passes() * (box.height() + ScanCost(logical, t, box));
}

double Player::StrokeCost(const QPainterPath &logical, const QTransform &t, const QPen &pen) const
{
    const double width = pen.isCosmetic() ? 1 : pen.widthF() * std::sqrt(std::abs(t.determinant()));
    const double grow = width + 1;
    const QRectF box = t.mapRect(logical.controlPointRect()).adjusted(-grow, -grow, grow, grow).intersected(Reach());
    const int n = logical.elementCount();
    if (box.isEmpty())
        return n;
    // The outline's length, each piece counted at most across the box.
    const double across = box.width() + box.height();
    double length = 0;
    QPointF last;
    for (int i = 0; i < n; ++i) {
        const QPointF q = t.map(QPointF(logical.elementAt(i)));
        if (i > 0)
            length += std::min(std::abs(q.x() - last.x()) + std::abs(q.y() - last.y()), across);
        last = q;
    }
    const double painted = std::min(box.width() * box.height(), (length + n) * grow);
    // A wide pen's outline, an edge on either side of the line, is filled like a shape.
    return painted + Passes() * (width > 1.5 ? 4 * ScanCost(logical, t, box) + box.height() : n);
}

double Player::ScanCost(const QPainterPath &logical, const QTransform &t, const QRectF &box) const
{
    // Filling keeps the edges that cross a row in order, which costs about the square of
    // their number on every row: counted in bands of rows, the crossings each edge adds.
    constexpr double kBand = 16;
    const size_t bands = size_t(std::ceil(box.height() / kBand)) + 1;
    std::vector<double> starts(bands + 1, 0.0), partial(bands, 0.0);
    const auto edge = [&](QPointF a, QPointF b) {
        const double y0 = std::clamp(std::min(a.y(), b.y()) - box.top(), 0.0, box.height());
        const double y1 = std::clamp(std::max(a.y(), b.y()) - box.top(), 0.0, box.height());
        if (!(y1 > y0))
            return;
        const size_t b0 = size_t(y0 / kBand), b1 = size_t(y1 / kBand);
        if (b0 == b1) {
            partial[b0] += y1 - y0;
            return;
        }
        partial[b0] += double(b0 + 1) * kBand - y0;
        partial[b1] += y1 - double(b1) * kBand;
        starts[b0 + 1] += kBand; // whole bands b0 + 1 .. b1 - 1
        starts[b1] -= kBand;
    };
    const int n = logical.elementCount();
    QPointF first, last;
    for (int i = 0; i < n; ++i) {
        const QPainterPath::Element e = logical.elementAt(i);
        const QPointF q = t.map(QPointF(e));
        if (e.isMoveTo()) {
            if (i > 0)
                edge(last, first);
            first = q;
        } else {
            edge(last, q);
        }
        last = q;
    }
    if (n > 0)
        edge(last, first);
    double cost = 0, whole = 0;
    for (size_t b = 0; b < bands; ++b) {
        whole += starts[b];
        const double crossings = whole + partial[b];
        cost += crossings * crossings / kBand;
    }
    return cost;
}

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

QImage BlankPicture(int64_t w, int64_t h, QString &error)
{
    QImage img(int(w), int(h), QImage::Format_RGB32);
    if (img.isNull()) {
        error = QCoreApplication::translate("Metafile", "недостаточно памяти для изображения %1 x %2 точек").arg(w).arg(h);
        return {};
    }
    img.fill(Qt::white);
    return img;
}

} // namespace metafile::detail
