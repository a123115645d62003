#include "base/Real48.h"
#include "base/Errors.h"

#include <array>
#include <cmath>
#include <limits>

long double Real48ToExt(const Real48 &r)
{
    if (r.b[0] == 0)
        return 0.0L;
    uint64_t f = 0;
    for (int i = 5; i >= 1; --i)
        f = (f << 8) | r.b[i];
    const bool negative = (f >> 39) & 1;
    f &= (uint64_t(1) << 39) - 1;
    // Powers of two by table and multiplication, both exact: no library call per value.
    static const auto scale = [] {
        std::array<long double, 256> p{};
        for (int e = 0; e < 256; ++e)
            p[size_t(e)] = std::ldexp(1.0L, e - 129);
        return p;
    }();
    long double m = 1.0L + static_cast<long double>(f) * 0x1p-39L;
    long double v = m * scale[r.b[0]];
    return negative ? -v : v;
}

Real48 ExtToReal48(long double v)
{
    Real48 r;
    if (!std::isfinite(v))
        throw MathError(mathtext::Overflow);
    const bool negative = std::signbit(v);
    long double a = std::fabs(v);
    if (a < 0x1p-128L)
        return r;
    int exp = 0;
    long double m = std::frexp(a, &exp); // a = m * 2^exp, m in [0.5, 1)
    // a = 2^(exp-1) * (2m); the fraction is (2m - 1) * 2^39 rounded, ties away from zero.
    uint64_t f;
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        // The 64 mantissa bits as an integer, its top bit the leading 1: integer steps
        // instead of library calls, as a table of 10000 sizes is read on every command.
        const uint64_t bits = static_cast<uint64_t>(m * 0x1p64L) - (uint64_t(1) << 63);
        f = (bits + (uint64_t(1) << 23)) >> 24;
    } else {
        const long double scaled = std::ldexp(2.0L * m - 1.0L, 39);
        f = static_cast<uint64_t>(std::floor(scaled + 0.5L));
    }
    int e = exp + 128;
    if (f == (uint64_t(1) << 39)) {
        f = 0;
        ++e;
    }
    if (e > 255)
        throw MathError(mathtext::Overflow);
    r.b[0] = static_cast<uint8_t>(e);
    if (negative)
        f |= uint64_t(1) << 39;
    for (int i = 1; i <= 5; ++i) {
        r.b[i] = static_cast<uint8_t>(f & 0xFF);
        f >>= 8;
    }
    return r;
}

long double StoredValue(long double v)
{
    return Real48ToExt(ExtToReal48(v));
}
