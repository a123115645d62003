#include "image_files/metafile/Dib.h"
#include "image_files/metafile/DrawingState.h"
#include "image_files/metafile/Players.h"

#include <set>
#include <unordered_map>

namespace metafile::detail {

namespace {

QImage PackedBitmap(Player &p, View dib, bool pattern = false)
{
    View info, bits;
    return SplitPacked(dib, info, bits) ? p.Bitmap(info, bits, pattern) : QImage();
}

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
                o.brush.pattern = PackedBitmap(p_, r.From(10), true);
            Create(o);
            return;
        }
        case 0x00F7: case 0x01F9: case 0x02FB: case 0x06FF: Create(Object()); return; // unplayed, but they hold a slot
        case 0x0F43: { // STRETCHDIB
            if (!need(11) || r.U16(10) != 0)
                return;
            const View dib = r.From(28);
            const QImage img = PackedBitmap(p_, dib);
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
            const QImage img = PackedBitmap(p_, r.From(26));
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
            const QImage img = PackedBitmap(p_, r.From(22));
            const int w = P(r, 5), h = P(r, 4);
            p_.Blit(img, QRectF(P(r, 3), P(r, 2), w, h), QRectF(P(r, 7), P(r, 6), w, h), r.U32(6));
            return;
        }
        case 0x0D33: { // SETDIBTODEV
            if (!need(9) || r.U16(6) != 0)
                return;
            const View dib = r.From(24);
            const QImage img = PackedBitmap(p_, dib);
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

} // namespace

QImage RenderWmf(View f, QString &error, const Progress &progress)
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
        ProgressReport report(progress, f.n);
        const bool sound = walk([&](uint16_t func, View r) {
            report.At(r.p - f.p);
            wmf.Record(func, r);
            return !player.budget.Exceeded();
        });
        if (!sound) {
            error = Damaged();
            return {};
        }
        if (player.budget.Exceeded()) {
            error = player.budget.Refusal();
            return {};
        }
        report.At(f.n);
    }
    img.convertTo(QImage::Format_RGBX8888); // in place: a second picture would double the peak
    return img;
}

} // namespace metafile::detail
