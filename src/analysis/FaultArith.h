#pragma once
// Extended-precision arithmetic that reports every fault: a division by zero, a logarithm of
// zero or of a negative number, a root of a negative number, an overflow. Each raises
// MathError with the runtime's own words for it.
#include "base/Errors.h"

#include <cmath>

namespace fa {

inline long double Chk(long double v)
{
    if (!std::isfinite(v))
        throw MathError(std::isnan(v) ? mathtext::Invalid : mathtext::Overflow);
    return v;
}

inline long double Div(long double a, long double b)
{
    if (b == 0)
        throw MathError(a == 0 ? mathtext::Invalid : mathtext::ZeroDivide);
    return Chk(a / b);
}

inline long double Ln(long double x)
{
    if (x == 0)
        throw MathError(mathtext::ZeroDivide);
    if (x < 0 || std::isnan(x))
        throw MathError(mathtext::Invalid);
    return Chk(std::log(x));
}

inline long double Exp(long double x)
{
    return Chk(std::exp(Chk(x)));
}

inline long double Sqrt(long double x)
{
    if (x < 0 || std::isnan(x))
        throw MathError(mathtext::Invalid);
    return Chk(std::sqrt(x));
}

inline long double Mul(long double a, long double b) { return Chk(a * b); }
inline long double Add(long double a, long double b) { return Chk(a + b); }
inline long double Sub(long double a, long double b) { return Chk(a - b); }

} // namespace fa
