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

struct Eval {
    double L = 0, g1 = 0, g2 = 0, h11 = 0, h12 = 0, h22 = 0;
};

// The log-likelihood and, with `derivs`, its gradient and Hessian; false where a class gets
// no probability. Neighbouring classes share a bound, so each bound is evaluated once:
// G (or what gives the mass without cancellation in either tail) and g, g'.
bool Evaluate(Family f, Classes &c, double alpha, double beta, bool derivs, Eval &e)
{
    e = Eval();
    if (c.lower.empty())
        return false;
    const size_t nb = size_t(c.lower.back()) + 2;
    c.z.resize(nb);
    c.F.resize(nb);
    c.Fc.resize(nb);
    c.g.resize(nb);
    c.gp.resize(nb);
    for (size_t j = 0; j < nb; ++j) {
        const double z = std::isinf(c.t[j]) ? -kInf : alpha + beta * c.t[j];
        double F, Fc, g, gp;
        switch (f) {
        case Family::Normal: // F = Φ(z), Fc = 1 - Φ(z), each direct where it is small
            if (z > 0) {
                Fc = 0.5 * std::erfc(z * kSqrt1_2);
                F = 1 - Fc;
            } else {
                F = 0.5 * std::erfc(-z * kSqrt1_2);
                Fc = 1 - F;
            }
            g = std::isinf(z) ? 0 : kInvSqrt2Pi * std::exp(-0.5 * z * z);
            gp = g == 0 ? 0 : -z * g;
            break;
        case Family::MinGumbel: // F = e^z, Fc = exp(-e^z), the survival
            F = std::exp(z);
            Fc = std::exp(-F);
            g = F < 745 ? F * Fc : 0;
            gp = g == 0 ? 0 : g * (1 - F);
            break;
        default: // Power: G = g = g' = e^z
            F = Fc = g = gp = std::exp(z);
            break;
        }
        c.z[j] = z;
        c.F[j] = F;
        c.Fc[j] = Fc;
        c.g[j] = g;
        c.gp[j] = gp;
    }
    for (size_t k = 0; k < c.w.size(); ++k) {
        const size_t l = size_t(c.lower[k]), h = l + 1;
        double P;
        switch (f) {
        case Family::Normal:
            P = c.z[l] > 0 ? c.Fc[l] - c.Fc[h] : c.F[h] - c.F[l];
            break;
        case Family::MinGumbel:
            P = std::isinf(c.F[l]) ? 0 : c.Fc[l] * -std::expm1(c.F[l] - c.F[h]);
            break;
        default:
            P = c.F[h] * -std::expm1(c.z[l] - c.z[h]);
            break;
        }
        if (!(P > 0))
            return false;
        const double w = c.w[k];
        e.L += w * std::log(P);
        if (!derivs)
            continue;
        const double th = c.t[h], tl = c.t[l];
        const bool open = std::isinf(tl);
        const double gh = c.g[h], gph = c.gp[h], gl = c.g[l], gpl = c.gp[l];
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

Linear Maximise(int law, Classes &c, Linear x, double tol)
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
    c.t.clear();
    c.lower.clear();
    c.w.clear();
    const double shift = law == 1 ? lna : 0;
    c.t.push_back(law == 3 ? s.lo[0] : s.lnLo[0] - shift);
    for (int i = 0; i < s.cells(); ++i) {
        c.t.push_back(law == 3 ? s.hi[size_t(i)] : s.lnHi[size_t(i)] - shift);
        const double w = counts[i] * s.unit[size_t(i)];
        if (w > 0) {
            c.lower.push_back(i);
            c.w.push_back(w);
        }
    }
}

double LogLikelihood(int law, Classes &c, const Linear &x)
{
    Eval e;
    return Evaluate(FamilyOf(law), c, x.alpha, x.beta, false, e) ? e.L : -kInf;
}

} // namespace mle::censored
