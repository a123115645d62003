#pragma once
// The four particle-size distribution laws: integral curves D(d), differential curves P(d),
// medians. Law numbers: 1 Gaudin-Andreev, 2 Rosin-Rammler, 3 normal, 4 log-normal.
// Every function raises MathError on an arithmetic fault.

namespace laws {

using Curve = long double (*)(long double shape, long double scale, long double d);

long double IntegralGaudin(long double l, long double a, long double d);
long double DiffGaudin(long double l, long double a, long double d);
long double IntegralRosinRammler(long double a, long double b, long double d);
long double DiffRosinRammler(long double a, long double b, long double d);
long double IntegralNormal(long double S, long double d50, long double d);
long double DiffNormal(long double S, long double d50, long double d);
long double IntegralLogNormal(long double lnS, long double lnd50, long double d);
long double DiffLogNormal(long double lnS, long double lnd50, long double d);

long double MedianGaudin(long double l, long double a);
long double MedianRosinRammler(long double a, long double b);

// The normal distribution function by the polynomial approximation 26.2.19 of Abramowitz
// and Stegun.
long double NormalTail(long double r);

struct LawCurves {
    Curve integral;
    Curve differential;
};
// The curves of law 1..4; both null for any other number.
LawCurves LawTable(int law);

} // namespace laws
