#include "analysis/CensoredFit.h"

#include <cmath>
#include <limits>

namespace mle::censored {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kInvSqrt2Pi = 0.398942280401432677939946059934;
constexpr double kSqrt1_2 = 0.707106781186547524400844362105;

enum class Family { Normal, MinGumbel, Power };

Family FamilyOf(int law)
{
    return law == 1 ? Family::Power : law == 2 ? Family::MinGumbel : Family::Normal;
}

// The density g(z) and its derivative.
inline void Density(Family f, double z, double &g, double &gp)
{
    switch (f) {
    case Family::Normal:
        g = kInvSqrt2Pi * std::exp(-0.5 * z * z);
        gp = -z * g;
        return;
    case Family::MinGumbel: {
        const double e = std::exp(z);
        g = e < 745 ? e * std::exp(-e) : 0;
        gp = g * (1 - e);
        return;
    }
    case Family::Power:
        g = gp = std::exp(z);
        return;
    }
}

// G(zh) - G(zl), without cancellation in either tail; zl of -inf is the bound 0.
inline double Mass(Family f, double zl, double zh)
{
    switch (f) {
    case Family::Normal:
        if (zl > 0)
            return 0.5 * (std::erfc(zl * kSqrt1_2) - std::erfc(zh * kSqrt1_2));
        return 0.5 * (std::erfc(-zh * kSqrt1_2) - std::erfc(-zl * kSqrt1_2));
    case Family::MinGumbel: {
        const double el = std::exp(zl), eh = std::exp(zh);
        if (std::isinf(el))
            return 0;
        return std::exp(-el) * -std::expm1(el - eh);
    }
    case Family::Power:
        return std::exp(zh) * -std::expm1(zl - zh);
    }
    return 0;
}

struct Eval {
    double L = 0, g1 = 0, g2 = 0, h11 = 0, h12 = 0, h22 = 0;
};

// The log-likelihood and, with `derivs`, its gradient and Hessian; false where a class gets
// no probability.
bool Evaluate(Family f, const Classes &c, double alpha, double beta, bool derivs, Eval &e)
{
    e = Eval();
    for (size_t i = 0; i < c.w.size(); ++i) {
        const double th = c.th[i], tl = c.tl[i];
        const bool open = std::isinf(tl);
        const double zh = alpha + beta * th, zl = open ? -kInf : alpha + beta * tl;
        const double P = Mass(f, zl, zh);
        if (!(P > 0))
            return false;
        const double w = c.w[i];
        e.L += w * std::log(P);
        if (!derivs)
            continue;
        double gh, gph, gl = 0, gpl = 0;
        Density(f, zh, gh, gph);
        if (!open)
            Density(f, zl, gl, gpl);
        const double tgl = open ? 0 : tl * gl, tgpl = open ? 0 : tl * gpl, ttgpl = open ? 0 : tl * tgpl;
        const double A = (gh - gl) / P, B = (th * gh - tgl) / P;
        e.g1 += w * A;
        e.g2 += w * B;
        e.h11 += w * ((gph - gpl) / P - A * A);
        e.h12 += w * ((th * gph - tgpl) / P - A * B);
        e.h22 += w * ((th * th * gph - ttgpl) / P - B * B);
    }
    return std::isfinite(e.L) && std::isfinite(e.g1) && std::isfinite(e.g2) && std::isfinite(e.h11) &&
           std::isfinite(e.h12) && std::isfinite(e.h22);
}

} // namespace

Linear Maximise(int law, const Classes &c, Linear x, double tol)
{
    const Family f = FamilyOf(law);
    const bool fixAlpha = law == 1;
    Eval e;
    if (!Evaluate(f, c, x.alpha, x.beta, true, e))
        throw FitError(FitError::NoConvergence, law);
    for (int it = 0; it < 200; ++it) {
        double da = 0, db;
        const double det = e.h11 * e.h22 - e.h12 * e.h12;
        if (fixAlpha) {
            db = e.h22 < 0 ? -e.g2 / e.h22 : (e.g2 > 0 ? x.beta : -0.5 * x.beta);
        } else if (e.h11 < 0 && det > 0) {
            da = -(e.h22 * e.g1 - e.h12 * e.g2) / det;
            db = -(e.h11 * e.g2 - e.h12 * e.g1) / det;
        } else { // not concave here in floating point: a scaled gradient step
            da = e.g1 / std::max(std::fabs(e.h11), 1e-300);
            db = e.g2 / std::max(std::fabs(e.h22), 1e-300);
        }
        if (std::fabs(da) <= tol * (1 + std::fabs(x.alpha)) && std::fabs(db) <= tol * x.beta) {
            x.alpha += da; // the error of a Newton step's end is about the square of the step
            x.beta += db;
            return x;
        }
        double t = 1;
        while (x.beta + t * db <= 0.1 * x.beta)
            t *= 0.5;
        Eval ne;
        bool taken = false;
        for (; t > 1e-14; t *= 0.5) {
            if (Evaluate(f, c, x.alpha + t * da, x.beta + t * db, true, ne) &&
                ne.L >= e.L - 1e-14 * std::fabs(e.L)) {
                taken = true;
                break;
            }
        }
        if (!taken)
            break;
        x.alpha += t * da;
        x.beta += t * db;
        e = ne;
    }
    throw FitError(FitError::NoConvergence, law);
}

void Load(const Sample &s, const double *counts, int law, double lna, Classes &c)
{
    c.clear();
    for (int i = 0; i < s.cells(); ++i) {
        const double w = counts[i] * s.unit[size_t(i)];
        if (!(w > 0))
            continue;
        if (law == 3) {
            c.tl.push_back(s.lo[size_t(i)]);
            c.th.push_back(s.hi[size_t(i)]);
        } else {
            const double shift = law == 1 ? lna : 0;
            c.tl.push_back(s.lnLo[size_t(i)] - shift);
            c.th.push_back(s.lnHi[size_t(i)] - shift);
        }
        c.w.push_back(w);
    }
}

double LogLikelihood(int law, const Classes &c, const Linear &x)
{
    Eval e;
    return Evaluate(FamilyOf(law), c, x.alpha, x.beta, false, e) ? e.L : -kInf;
}

} // namespace mle::censored
