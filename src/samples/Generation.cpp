#include "samples/Generation.h"
#include "base/Errors.h"
#include "base/NumberForms.h"

#include <algorithm>
#include <cmath>

namespace generation {

namespace {

// Rounding to an integer, halves to even; a value beyond the 64-bit range cannot be rounded.
int64_t RoundInt(long double v)
{
    const long double r = std::nearbyint(v);
    if (!std::isfinite(r) || std::fabs(r) >= 9.2233720368547758e18L)
        throw MathError(mathtext::Invalid);
    return int64_t(r);
}

} // namespace

int ClampPoints(long long n)
{
    return int(std::clamp<long long>(n, kMinPoints, kMaxPoints));
}

const char *ReadParams(const QString &a, const QString &b, const QString &from, const QString &to, QChar sep,
                       Params &p)
{
    const QString *texts[] = {&a, &b, &from, &to};
    long double *fields[] = {&p.a, &p.b, &p.d1, &p.d2};
    for (int i = 0; i < 4; ++i) {
        long double v = 0;
        if (!numtext::ReadNumber(*texts[i], sep, v))
            return kBadParams;
        try {
            *fields[i] = StoredValue(v);
        } catch (const GrizalError &) {
            return kBadParams;
        }
    }
    return p.d1 < p.d2 ? nullptr : kBadRange;
}

bool Generate(const Params &p, DiffCurve f, TSampleData &out)
{
    out.Count = 0;
    try {
        const int n = p.points;
        const int m = int(std::nearbyint(std::sqrt(static_cast<long double>(n))));
        if (m == 0)
            throw MathError(mathtext::ZeroDivide);
        const long double h = StoredValue((p.d2 - p.d1) / m);
        const long double x0 = p.d1 - h > 0 ? StoredValue(p.d1 - h) : 0.0L;
        for (int k = 1; k <= m && k <= TSampleData::Capacity; ++k) {
            out.SetSize(k - 1, x0 + k * h);
            const long double v = f(p.a, p.b, out.Size(k - 1)) * h * n;
            if (!std::isfinite(v))
                throw MathError(mathtext::Overflow);
            out.N[k - 1] = uint16_t(uint64_t(RoundInt(v)) & 0xFFFF);
            out.Count = uint16_t(k);
        }
    } catch (const GrizalError &) {
        return false;
    }
    return true;
}

} // namespace generation
