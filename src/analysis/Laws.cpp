#include "analysis/Laws.h"
#include "analysis/FaultArith.h"

#include <cmath>

using namespace fa;

namespace laws {

namespace {
// √(2 × 3.14) in the normal law and √(2 × 3.1416) in the log-normal law, not √(2π).
const long double kSqrt2Pi314 = std::sqrt(2 * 3.14L);
const long double kSqrt2Pi31416 = std::sqrt(2 * 3.1416L);
} // namespace

long double IntegralGaudin(long double l, long double a, long double d)
{
    return Mul(0.8L, Exp(Mul(l, Ln(Div(d, a)))));
}

long double DiffGaudin(long double l, long double a, long double d)
{
    return Mul(Div(Mul(0.8L, l), Exp(Mul(l, Ln(a)))), Exp(Mul(l - 1, Ln(d))));
}

long double IntegralRosinRammler(long double a, long double b, long double d)
{
    const long double x = Exp(Mul(a, Ln(Div(d, b))));
    return Sub(1, Exp(-x));
}

long double DiffRosinRammler(long double a, long double b, long double d)
{
    const long double x = Exp(Mul(a, Ln(Div(d, b))));
    return Mul(Mul(Div(a, d), x), Exp(-x));
}

long double NormalTail(long double r)
{
    const long double u = std::fabs(r);
    const long double t = Chk(1 + 0.049867347L * u + 0.021141006L * u * u + 0.003277626L * u * u * u +
                              0.000038004L * u * u * u * u + 0.000048891L * u * u * u * u * u +
                              0.000005383L * u * u * u * u * u * u);
    const long double p = Exp(Mul(-16, Ln(t)));
    return r >= 0 ? 1 - 0.5L * p : 0.5L * p;
}

long double IntegralNormal(long double S, long double d50, long double d)
{
    return NormalTail(Div(Sub(d, d50), S));
}

long double DiffNormal(long double S, long double d50, long double d)
{
    const long double dd = Sub(d, d50);
    return Mul(Div(1, Mul(S, kSqrt2Pi314)), Exp(Div(-Mul(dd, dd), Mul(Mul(2, S), S))));
}

long double IntegralLogNormal(long double lnS, long double lnd50, long double d)
{
    return NormalTail(Div(Sub(Ln(d), lnd50), lnS));
}

long double DiffLogNormal(long double lnS, long double lnd50, long double d)
{
    const long double dd = Sub(Ln(d), lnd50);
    return Mul(Div(Div(1, Mul(lnS, kSqrt2Pi31416)), d), Exp(Div(-Mul(dd, dd), Mul(Mul(2, lnS), lnS))));
}

long double MedianGaudin(long double l, long double a)
{
    return Exp(Div(Ln(Div(Mul(Exp(Mul(l, Ln(a))), 0.5L), 0.8L)), l));
}

long double MedianRosinRammler(long double a, long double b)
{
    return Exp(Div(Ln(Mul(-Ln(0.5L), Exp(Mul(a, Ln(b))))), a));
}

LawCurves LawTable(int law)
{
    switch (law) {
    case 1: return {IntegralGaudin, DiffGaudin};
    case 2: return {IntegralRosinRammler, DiffRosinRammler};
    case 3: return {IntegralNormal, DiffNormal};
    case 4: return {IntegralLogNormal, DiffLogNormal};
    }
    return {nullptr, nullptr};
}

} // namespace laws
