#include "analysis/Fits.h"
#include "analysis/FaultArith.h"
#include "analysis/Laws.h"

#include <cmath>

using namespace fa;

namespace fits {

long double FirstLowerBound(const std::vector<long double> &d)
{
    if (d.size() < 2)
        return 0;
    const long double b = 2 * d[0] - d[1];
    return b > 0 ? b : 0;
}

ClassTable BuildClassTable(const TSampleData &sample, bool byVolume)
{
    int first = 0, last = sample.Count; // [first, last)
    while (last > 0 && sample.N[last - 1] == 0)
        --last;
    while (first < last && sample.N[first] == 0)
        ++first;
    ClassTable t;
    const int n = last - first;
    t.d.resize(size_t(n));
    t.N.resize(size_t(n));
    t.Weight.resize(size_t(n));
    t.Integral.resize(size_t(n));
    t.Diff.resize(size_t(n));
    const long double kVolume = 3.14L / 6; // not π / 6
    for (int i = 0; i < n; ++i) {
        const long double d = sample.Size(first + i);
        const long double count = sample.N[first + i];
        t.d[size_t(i)] = d;
        t.N[size_t(i)] = count;
        t.Weight[size_t(i)] = byVolume ? Mul(Mul(Mul(Mul(kVolume, d), d), d), count) : count;
        t.total = Add(t.total, t.Weight[size_t(i)]);
    }
    t.FirstLowerBound = FirstLowerBound(t.d);
    long double prev = t.FirstLowerBound, cumulative = 0;
    for (int i = 0; i < n; ++i) {
        cumulative = Add(cumulative, t.Weight[size_t(i)]);
        t.Integral[size_t(i)] = Div(cumulative, t.total);
        t.Diff[size_t(i)] = Div(t.Weight[size_t(i)], Mul(Sub(t.d[size_t(i)], prev), t.total));
        prev = t.d[size_t(i)];
    }
    if (n >= 1)
        t.Integral[size_t(n - 1)] = 0.9999L;
    t.LnD.resize(size_t(n));
    for (int i = 0; i < n; ++i)
        t.LnD[size_t(i)] = t.d[size_t(i)] > 0 ? std::log(t.d[size_t(i)]) : NAN;
    return t;
}

namespace {

// ln d of class i, faulting as the logarithm itself would for a size of 0 or below.
long double LnSize(const ClassTable &t, int i)
{
    const long double v = t.LnD[size_t(i)];
    return std::isnan(v) ? Ln(t.d[size_t(i)]) : v;
}

struct Line {
    long double slope, intercept;
};

// Straight-line least squares with equal weights.
template <typename X, typename Y>
Line LeastSquares(int n, X x, Y y)
{
    long double sx = 0, sy = 0, sxy = 0, sxx = 0;
    for (int i = 0; i < n; ++i) {
        const long double xi = x(i), yi = y(i);
        sx = Add(sx, xi);
        sy = Add(sy, yi);
        sxy = Add(sxy, Mul(xi, yi));
        sxx = Add(sxx, Mul(xi, xi));
    }
    Line l;
    l.slope = Div(Sub(Mul(n, sxy), Mul(sx, sy)), Sub(Mul(n, sxx), Mul(sx, sx)));
    l.intercept = Div(Sub(sy, Mul(l.slope, sx)), n);
    return l;
}

long double QOf(const ClassTable &t, laws::Curve integral, long double shape, long double scale)
{
    long double q = 0;
    for (int i = 0; i < t.n(); ++i) {
        const long double e = Sub(t.Integral[size_t(i)], integral(shape, scale, t.d[size_t(i)]));
        q = Add(q, Mul(e, e));
    }
    return q;
}

} // namespace

void FitGaudin(const ClassTable &t, LawFit &out)
{
    const Line line = LeastSquares(
        t.n(), [&](int i) { return LnSize(t, i); }, [&](int i) { return Ln(t.Integral[size_t(i)]); });
    out.Shape = line.slope;
    out.Scale = Exp(Div(Ln(Div(0.8L, Exp(line.intercept))), out.Shape));
    out.Q = QOf(t, laws::IntegralGaudin, out.Shape, out.Scale);
}

void FitRosinRammler(const ClassTable &t, LawFit &out)
{
    const Line line = LeastSquares(
        t.n(), [&](int i) { return LnSize(t, i); },
        [&](int i) { return Ln(-Ln(Sub(1, t.Integral[size_t(i)]))); });
    out.Shape = line.slope;
    out.Scale = Exp(Div(line.intercept, -out.Shape));
    out.Q = QOf(t, laws::IntegralRosinRammler, out.Shape, out.Scale);
}

void FitNormal(const ClassTable &t, LawFit &out)
{
    const int n = t.n();
    long double sum = 0;
    for (int i = 0; i < n; ++i)
        sum = Add(sum, t.d[size_t(i)]);
    out.Scale = Div(sum, n);
    const long double factor = Div(n, n - 1);
    long double s = 0, particles = 0;
    for (int i = 0; i < n; ++i) {
        const long double dd = Sub(t.d[size_t(i)], out.Scale);
        s = Add(s, Mul(Mul(Mul(t.N[size_t(i)], dd), dd), factor));
        particles = Add(particles, t.N[size_t(i)]);
    }
    out.Shape = Sqrt(Div(s, particles));
    out.Q = QOf(t, laws::IntegralNormal, out.Shape, out.Scale);
}

bool FitLogNormal(const ClassTable &t, LawFit &out, std::vector<long double> *quantiles)
{
    const int n = t.n();
    const long double kDensity = 1 / std::sqrt(6.2832L); // 6.2832 = 2 × 3.1416
    bool success = true;
    // The search state carries over from class to class: the targets grow with i.
    long double x = -4.99L, F = 0.00001L;
    long double sx = 0, sy = 0, sxy = 0, syy = 0;
    if (quantiles)
        quantiles->clear();
    for (int i = 0; i < n; ++i) {
        const long double target = t.Integral[size_t(i)];
        long double h = Div(2, n);
        bool reversed = false, converged = false;
        for (int pass = 0; pass < 50; ++pass) {
            if (std::fabs(F - target) < 0.001L) {
                converged = true;
                break;
            }
            if (F > target) {
                h = -std::fabs(h) / 2;
                reversed = true;
            } else if (reversed) {
                h = std::fabs(h) / 2;
            }
            x = Add(x, h);
            const long double mid = Sub(x, h / 2);
            F = Add(F, Mul(Mul(h, kDensity), Exp(-Mul(mid, mid) / 2)));
        }
        if (!converged)
            success = false;
        if (quantiles)
            quantiles->push_back(x);
        const long double y = LnSize(t, i);
        sx = Add(sx, x);
        sy = Add(sy, y);
        sxy = Add(sxy, Mul(x, y));
        syy = Add(syy, Mul(y, y));
    }
    out.Shape = Div(Sub(Mul(n, syy), Mul(sy, sy)), Sub(Mul(n, sxy), Mul(sx, sy)));
    out.Scale = Div(Sub(sy, Mul(out.Shape, sx)), n);
    out.Q = QOf(t, laws::IntegralLogNormal, out.Shape, out.Scale);
    return success;
}

} // namespace fits
