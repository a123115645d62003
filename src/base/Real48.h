#pragma once
// The 6-byte real in which sample sizes are stored: byte 0 is the exponent biased by 129
// (0 means the value 0), bytes 1..5 hold the 39-bit fraction, least significant byte first,
// with the sign in the top bit of byte 5.
#include <cstdint>

struct Real48 {
    uint8_t b[6] = {0, 0, 0, 0, 0, 0};
};
static_assert(sizeof(Real48) == 6, "Real48 must be six bytes");

// Exact.
long double Real48ToExt(const Real48 &r);
// Rounds the fraction to nearest, ties away from zero; magnitudes below 2^-128 give 0;
// 2^127 and up (and non-finite values) raise MathError("Floating point overflow").
Real48 ExtToReal48(long double v);
// The value as a sample keeps it: rounded to the 6-byte form and back; raises as ExtToReal48.
long double StoredValue(long double v);
