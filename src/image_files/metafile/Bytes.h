#pragma once
// Bounded little-endian access to the bytes of a metafile, shared by its readers.
#include <QColor>
#include <QPointF>
#include <QString>
#include <QTransform>
#include <QtGlobal>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>
#include <QCoreApplication>

namespace metafile::detail {

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
inline bool Finite(const QTransform &t)
{
    const double v[] = {t.m11(), t.m12(), t.m13(), t.m21(), t.m22(), t.m23(), t.m31(), t.m32(), t.m33()};
    for (double x : v)
        if (!std::isfinite(x) || std::abs(x) > 1e12)
            return false;
    return std::isfinite(t.determinant());
}

inline QColor ColorRef(uint32_t c)
{
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF));
}

inline QString Damaged() { return QCoreApplication::translate("Metafile", "файл повреждён"); }

// Points of a record: `count` pairs of 32-bit or 16-bit coordinates at `off`.
inline bool ReadPoints(View r, qint64 off, uint32_t count, bool small, std::vector<QPointF> &out)
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

} // namespace metafile::detail
