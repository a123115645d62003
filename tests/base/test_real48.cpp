#include "base/Errors.h"
#include "base/Real48.h"

#include <gtest/gtest.h>
#include <cmath>

namespace {

Real48 Bytes(uint8_t e, uint64_t frac, bool neg = false)
{
    Real48 r;
    r.b[0] = e;
    if (neg)
        frac |= uint64_t(1) << 39;
    for (int i = 1; i <= 5; ++i) {
        r.b[i] = uint8_t(frac & 0xFF);
        frac >>= 8;
    }
    return r;
}

bool Same(const Real48 &a, const Real48 &b)
{
    for (int i = 0; i < 6; ++i)
        if (a.b[i] != b.b[i])
            return false;
    return true;
}

TEST(Real48, EncodesKnownValuesByteForByte)
{
    EXPECT_TRUE(Same(ExtToReal48(1.0L), Bytes(129, 0)));
    EXPECT_TRUE(Same(ExtToReal48(-2.0L), Bytes(130, 0, true)));
    EXPECT_TRUE(Same(ExtToReal48(1.5L), Bytes(129, uint64_t(1) << 38)));
    EXPECT_TRUE(Same(ExtToReal48(0.0L), Bytes(0, 0)));
    EXPECT_TRUE(Same(ExtToReal48(-0.0L), Bytes(0, 0)));
}

TEST(Real48, ZeroExponentMeansZeroWhateverTheFraction)
{
    EXPECT_EQ(Real48ToExt(Bytes(0, 0x7FFFFFFFFFULL, true)), 0.0L);
}

TEST(Real48, RoundsFractionToNearestTiesAwayFromZero)
{
    const long double ulp = std::ldexp(1.0L, -39);
    // Exactly half an ulp above 1: tie, rounds up (away from zero).
    EXPECT_TRUE(Same(ExtToReal48(1.0L + ulp / 2), Bytes(129, 1)));
    EXPECT_TRUE(Same(ExtToReal48(-(1.0L + ulp / 2)), Bytes(129, 1, true)));
    // Just below half: down. Just above: up.
    EXPECT_TRUE(Same(ExtToReal48(1.0L + ulp / 2 - ulp / 1024), Bytes(129, 0)));
    EXPECT_TRUE(Same(ExtToReal48(1.0L + ulp / 2 + ulp / 1024), Bytes(129, 1)));
    // A carry out of the fraction moves to the next power of two.
    EXPECT_TRUE(Same(ExtToReal48(2.0L - ulp / 2), Bytes(130, 0)));
}

TEST(Real48, RangeLimits)
{
    // Smallest: 2^-128 is held, anything below becomes 0.
    EXPECT_EQ(Real48ToExt(ExtToReal48(std::ldexp(1.0L, -128))), std::ldexp(1.0L, -128));
    EXPECT_EQ(Real48ToExt(ExtToReal48(std::ldexp(1.0L, -128) * 0.999L)), 0.0L);
    // Largest: just under 2^127 is held; 2^127, rounding up to it, and infinities overflow.
    const long double largest = std::ldexp(2.0L - std::ldexp(1.0L, -39), 126);
    EXPECT_EQ(Real48ToExt(ExtToReal48(largest)), largest);
    EXPECT_THROW(ExtToReal48(std::ldexp(1.0L, 127)), MathError);
    EXPECT_THROW(ExtToReal48(std::ldexp(2.0L - std::ldexp(1.0L, -41), 126)), MathError);
    EXPECT_THROW(ExtToReal48(INFINITY), MathError);
    EXPECT_THROW(ExtToReal48(NAN), MathError);
}

TEST(Real48, ValuesTheFormHoldsRoundTripExactly)
{
    const long double values[] = {1.0L, 0.5L, 12.5L, -3.25L, 1234567.0L, std::ldexp(1.0L, 100),
                                  std::ldexp(1.0L + std::ldexp(1.0L, -39), -100)};
    for (long double v : values)
        EXPECT_EQ(Real48ToExt(ExtToReal48(v)), v);
    // And every pattern decodes to a value that encodes back to the same bytes.
    for (uint64_t f : {uint64_t(0), uint64_t(1), uint64_t(0x5555555555), uint64_t(0x7FFFFFFFFF)})
        for (int e : {1, 100, 129, 255}) {
            Real48 r = Bytes(uint8_t(e), f, f & 1);
            EXPECT_TRUE(Same(ExtToReal48(Real48ToExt(r)), r));
        }
}

TEST(Real48, TwelveSignificantDigitsOfPrecision)
{
    // 12.346 is not held exactly: the stored value differs in the 14th digit.
    const long double v = Real48ToExt(ExtToReal48(12.346L));
    EXPECT_NE(v, 12.346L);
    EXPECT_NEAR(double(v), 12.346, 1e-11);
}

} // namespace
