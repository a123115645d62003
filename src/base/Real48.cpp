#include "base/Real48.h"
#include "base/Errors.h"

#include <cmath>

long double Real48ToExt(const Real48 &r)
{
    if (r.b[0] == 0)
        return 0.0L;
    uint64_t f = 0;
    for (int i = 5; i >= 1; --i)
        f = (f << 8) | r.b[i];
    const bool negative = (f >> 39) & 1;
    f &= (uint64_t(1) << 39) - 1;
    long double m = 1.0L + std::ldexp(static_cast<long double>(f), -39);
    long double v = std::ldexp(m, int(r.b[0]) - 129);
    return negative ? -v : v;
}

Real48 ExtToReal48(long double v)
{
    Real48 r;
    if (!std::isfinite(v))
        throw MathError(mathtext::Overflow);
    const bool negative = std::signbit(v);
    long double a = std::fabs(v);
    if (a < std::ldexp(1.0L, -128))
        return r;
    int exp = 0;
    long double m = std::frexp(a, &exp); // a = m * 2^exp, m in [0.5, 1)
    // a = 2^(exp-1) * (2m); the fraction is (2m - 1) * 2^39, exact in 64 bits.
    long double scaled = std::ldexp(2.0L * m - 1.0L, 39);
    uint64_t f = static_cast<uint64_t>(std::floor(scaled + 0.5L)); // ties away from zero
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
