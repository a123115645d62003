#include "analysis/MaxLikelihood.h"
#include "analysis/CensoredFit.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace mle {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kLnSqrt2Pi = 0.918938533204672741780329736406;
constexpr double kSqrt1_2 = 0.707106781186547524400844362105;

// The laws as the windows' message names them (in Russian, in the genitive).
const char *const kShownLaw[] = {"", QT_TRANSLATE_NOOP("FitError", "Годена-Андреева"),
                                 QT_TRANSLATE_NOOP("FitError", "Розина-Раммлера"),
                                 QT_TRANSLATE_NOOP("FitError", "нормального"),
                                 QT_TRANSLATE_NOOP("FitError", "логарифмически нормального")};

} // namespace

QString FitError::English() const { return Text(false); }
QString FitError::Shown() const { return Text(true); }

QString FitError::Text(bool shown) const
{
    auto T = [shown](const char *en, const char *ru) {
        return shown ? QCoreApplication::translate("FitError", ru) : QString::fromLatin1(en);
    };
    switch (kind) {
    case Empty:
        return T("the sample is empty", QT_TRANSLATE_NOOP("FitError", "Нет данных"));
    case NoParticles:
        return T("the sample has no particles", QT_TRANSLATE_NOOP("FitError", "В выборке нет частиц"));
    case NonPositiveSize:
        return T("row %1: the size is not above 0; the laws need positive sizes",
                 QT_TRANSLATE_NOOP("FitError", "Строка %1: размер должен быть больше 0"))
            .arg(where);
    case OneSize:
        return T("all particles have one size; no law can be fitted",
                 QT_TRANSLATE_NOOP("FitError",
                                   "Все частицы одного размера: законы распределения не подбираются"));
    case OneClass:
        return T("all particles are in one class; no law can be fitted",
                 QT_TRANSLATE_NOOP("FitError",
                                   "Все частицы в одном классе: законы распределения не подбираются"));
    case NotAscending:
        return T("row %1: the class sizes must ascend",
                 QT_TRANSLATE_NOOP("FitError", "Строка %1: размеры классов должны возрастать"))
            .arg(where);
    case NoConvergence:
        if (shown)
            return T("", QT_TRANSLATE_NOOP("FitError",
                                           "Параметры %1 закона не находятся методом максимального правдоподобия"))
                .arg(QCoreApplication::translate("FitError", kShownLaw[where >= 1 && where <= kLaws ? where : 0]));
        return T("law %1 (%2): the maximum-likelihood fit does not converge", "")
            .arg(where)
            .arg(QString::fromLatin1(LawName(where)));
    }
    return QString();
}

Sample Prepare(const std::vector<double> &sizes, const std::vector<double> &counts, bool byVolume,
               bool classes)
{
    const int n = int(std::min(sizes.size(), counts.size()));
    if (n == 0)
        throw FitError(FitError::Empty);
    Sample s;
    s.classes = classes;
    s.byVolume = byVolume;
    for (int i = 0; i < n; ++i)
        if (counts[size_t(i)] > 0)
            s.particles += counts[size_t(i)];
    if (!(s.particles > 0))
        throw FitError(FitError::NoParticles);

    if (!classes) {
        std::vector<std::pair<double, double>> rows;
        for (int i = 0; i < n; ++i) {
            if (!(counts[size_t(i)] > 0))
                continue;
            if (!(sizes[size_t(i)] > 0) || !std::isfinite(sizes[size_t(i)]))
                throw FitError(FitError::NonPositiveSize, i + 1);
            rows.emplace_back(sizes[size_t(i)], counts[size_t(i)]);
        }
        std::sort(rows.begin(), rows.end());
        for (const auto &[size, count] : rows) {
            if (!s.hi.empty() && s.hi.back() == size) {
                s.count.back() += count;
                continue;
            }
            s.hi.push_back(size);
            s.count.push_back(count);
        }
        if (s.hi.size() < 2)
            throw FitError(FitError::OneSize);
    } else {
        if (n < 2)
            throw FitError(FitError::OneClass);
        // A class without particles may be empty, such as a first row of size 0 that only
        // marks where the classes start.
        if (!(sizes[0] >= 0) || (counts[0] > 0 && !(sizes[0] > 0)))
            throw FitError(FitError::NonPositiveSize, 1);
        int filled = 0;
        for (int i = 0; i < n; ++i) {
            const double hi = sizes[size_t(i)], c = std::max(0.0, counts[size_t(i)]);
            const double lo = i == 0 ? std::max(0.0, 2 * sizes[0] - sizes[1]) : sizes[size_t(i - 1)];
            if ((i == 0 ? sizes[1] < sizes[0] : hi < lo) || (c > 0 && !(hi > lo)) || !std::isfinite(hi))
                throw FitError(FitError::NotAscending, i == 0 ? 2 : i + 1);
            s.hi.push_back(hi);
            s.lo.push_back(lo);
            s.count.push_back(c);
            filled += c > 0;
        }
        if (filled < 2)
            throw FitError(FitError::OneClass);
        for (double lo : s.lo)
            s.lnLo.push_back(lo > 0 ? std::log(lo) : -kInf);
    }
    for (double hi : s.hi) {
        s.unit.push_back(byVolume ? hi * hi * hi : 1.0);
        s.lnHi.push_back(std::log(hi));
    }
    return s;
}

Sample Prepare(const TSampleData &data, bool byVolume, bool classes)
{
    std::vector<double> sizes, counts;
    for (int k = 0; k < data.Count; ++k) {
        sizes.push_back(double(data.Size(k)));
        counts.push_back(data.N[k]);
    }
    return Prepare(sizes, counts, byVolume, classes);
}

const char *LawName(int law)
{
    static const char *const names[] = {"", "gaudin", "rosin", "normal", "lognormal"};
    return names[law >= 1 && law <= kLaws ? law : 0];
}

double Cdf(int law, const Params &p, double d)
{
    switch (law) {
    case 1:
        return d >= p[0] ? 1.0 : d > 0 ? std::exp(p[1] * std::log(d / p[0])) : 0.0;
    case 2:
        return d > 0 ? -std::expm1(-std::exp(p[0] * std::log(d / p[1]))) : 0.0;
    case 3:
        return 0.5 * std::erfc(-(d - p[0]) / p[1] * kSqrt1_2);
    case 4:
        return d > 0 ? 0.5 * std::erfc(-(std::log(d) - p[0]) / p[1] * kSqrt1_2) : 0.0;
    }
    return 0;
}

double Median(int law, const Params &p)
{
    switch (law) {
    case 1:
        return p[0] * std::exp(-M_LN2 / p[1]);
    case 2:
        return p[1] * std::exp(std::log(M_LN2) / p[0]);
    case 3:
        return p[0];
    case 4:
        return std::exp(p[0]);
    }
    return 0;
}

namespace {

// ---- Fits on weighted points: the rows of a sample, or the centres of its classes ----

struct Points {
    std::vector<double> x, lnx, w; // only points of positive weight, ascending
    double W = 0;
    size_t size() const { return x.size(); }
};

// The mean and the standard deviation (divided by the total weight) of v, in one pass about
// the middle point, which keeps the deviations' sum free of cancellation.
void Moments(const Points &pt, const std::vector<double> &v, double &mean, double &sd)
{
    const size_t n = pt.size();
    const double c = v[n / 2];
    double s = 0, q = 0;
    for (size_t i = 0; i < n; ++i) {
        const double dv = v[i] - c;
        s += pt.w[i] * dv;
        q += pt.w[i] * dv * dv;
    }
    const double m = s / pt.W;
    mean = c + m;
    sd = std::sqrt(std::max(0.0, q / pt.W - m * m));
    if (!(sd > 0) || !std::isfinite(sd))
        throw FitError(FitError::OneSize);
}

Linear FitGaudinPoints(const Points &pt)
{
    const double lna = pt.lnx.back();
    double s = 0;
    for (size_t i = 0; i < pt.size(); ++i)
        s += pt.w[i] * (lna - pt.lnx[i]);
    if (!(s > 0))
        throw FitError(FitError::OneSize);
    return {0, pt.W / s, pt.x.back()};
}

// The shape by Newton's method on the profile equation, whose left side grows with the
// shape: Σw·d^a·ln d / Σw·d^a - 1/a - mean(ln d) = 0; the scale follows from the shape.
// Sizes are taken relative to the largest, so d^a never overflows. Newton's error squares
// at every step, so once a step is below `tol` of the shape, the shape after it and the
// scale corrected to first order are exact to about tol².
Linear FitRosinPoints(const Points &pt, const Linear *start, double tol)
{
    thread_local std::vector<double> u;
    const size_t n = pt.size();
    const double lmax = pt.lnx.back();
    u.resize(n);
    double ybar = 0;
    for (size_t i = 0; i < n; ++i) {
        u[i] = pt.lnx[i] - lmax;
        ybar += pt.w[i] * u[i];
    }
    ybar /= pt.W;
    if (!(ybar < 0))
        throw FitError(FitError::OneSize);
    double a;
    if (start && start->beta > 0) {
        a = start->beta;
    } else {
        double m, sd;
        Moments(pt, pt.lnx, m, sd);
        a = 1.2825498301618641 / sd; // π/√6 over the deviation of ln d, exact for this law
    }
    double lo = 0, hi = kInf;
    for (int it = 0; it < 200; ++it) {
        double s0 = 0, s1 = 0, s2 = 0;
        for (size_t i = 0; i < n; ++i) {
            const double e = pt.w[i] * std::exp(a * u[i]);
            s0 += e;
            s1 += e * u[i];
            s2 += e * u[i] * u[i];
        }
        const double m1 = s1 / s0;
        const double g = m1 - 1 / a - ybar;
        const double gp = s2 / s0 - m1 * m1 + 1 / (a * a);
        if (!std::isfinite(g) || !(gp > 0))
            break;
        const double step = g / gp;
        if (std::fabs(step) <= tol * a) {
            const double lnS = std::log(s0 / pt.W);
            const double lnb = lmax + lnS / a + step * (lnS / (a * a) - m1 / a);
            a -= step;
            return {-a * lnb, a, 0};
        }
        (g < 0 ? lo : hi) = a;
        double next = a - step;
        if (!(next > lo && next < hi))
            next = std::isinf(hi) ? 2 * a : 0.5 * (lo + hi);
        a = next;
    }
    throw FitError(FitError::NoConvergence, 2);
}

Linear FitNormalPoints(const Points &pt, bool logs)
{
    double m, sd;
    Moments(pt, logs ? pt.lnx : pt.x, m, sd);
    return {-m / sd, 1 / sd, 0};
}

Params ToParams(int law, const Linear &x)
{
    switch (law) {
    case 1:
        return {x.a, x.beta};
    case 2:
        return {x.beta, std::exp(-x.alpha / x.beta)};
    default:
        return {-x.alpha / x.beta, 1 / x.beta};
    }
}

Linear ToLinear(int law, const Params &p)
{
    switch (law) {
    case 1:
        return {0, p[1], p[0]};
    case 2:
        return {-p[0] * std::log(p[1]), p[0], 0};
    default:
        return {-p[0] / p[1], 1 / p[1], 0};
    }
}

// A fit that starts from a nearby sample's serves a resample, where 1e-8 of the parameters
// is far below the spread of the bootstrap; the sample's own fit is exact to rounding.
double Tolerance(const Linear *start) { return start ? 1e-4 : 1e-7; }

Linear FitPoints(const Points &pt, int law, const Linear *start)
{
    switch (law) {
    case 1:
        return FitGaudinPoints(pt);
    case 2:
        return FitRosinPoints(pt, start, Tolerance(start));
    default:
        return FitNormalPoints(pt, law == 4);
    }
}

} // namespace

struct Fitter::Work {
    const Sample *s = nullptr;
    const double *counts = nullptr;
    Points rows;     // the rows with particles
    int filled = 0;  // cells with particles
    double a = 0;    // the largest size with particles
    censored::Classes censored;
};

Fitter::Fitter() : w_(std::make_unique<Work>()) {}
Fitter::~Fitter() = default;

void Fitter::Load(const Sample &s, const double *counts)
{
    Work &k = *w_;
    k.s = &s;
    k.counts = counts;
    int filled = 0;
    double a = 0;
    if (s.classes) {
        for (int i = 0; i < s.cells(); ++i)
            if (counts[i] > 0) {
                ++filled;
                a = s.hi[size_t(i)];
            }
        k.filled = filled;
        k.a = a;
        return;
    }
    // Without branches: whether a row was drawn is a coin toss in a resample. Rows ascend.
    Points &pt = k.rows;
    const size_t n = size_t(s.cells());
    pt.x.resize(n);
    pt.lnx.resize(n);
    pt.w.resize(n);
    double W = 0;
    size_t m = 0;
    for (size_t i = 0; i < n; ++i) {
        const double w = counts[i] * s.unit[i];
        pt.x[m] = s.hi[i];
        pt.lnx[m] = s.lnHi[i];
        pt.w[m] = w;
        W += w;
        m += w > 0;
    }
    pt.W = W;
    pt.x.resize(m);
    pt.lnx.resize(m);
    pt.w.resize(m);
    k.filled = int(m);
    k.a = m ? pt.x[m - 1] : 0;
}

LawFit Fitter::Fit(int law, const Linear *start)
{
    Work &k = *w_;
    const Sample &s = *k.s;
    Linear x;
    if (!s.classes) {
        if (k.filled < 2)
            throw FitError(FitError::OneSize);
        x = FitPoints(k.rows, law, start);
    } else {
        if (k.filled < 2)
            throw FitError(FitError::OneClass);
        Linear from;
        if (start) {
            from = *start;
        } else { // the fit to the classes' centres
            Points mid;
            for (int i = 0; i < s.cells(); ++i) {
                const double w = k.counts[i] * s.unit[size_t(i)];
                const double c = 0.5 * (s.lo[size_t(i)] + s.hi[size_t(i)]);
                if (w > 0) {
                    mid.x.push_back(c);
                    mid.lnx.push_back(std::log(c));
                    mid.w.push_back(w);
                    mid.W += w;
                }
            }
            from = FitPoints(mid, law, nullptr);
        }
        if (law == 1)
            from.alpha = 0;
        censored::Load(s, k.counts, law, std::log(k.a), k.censored);
        x = censored::Maximise(law, k.censored, from, Tolerance(start));
        x.a = k.a;
    }
    LawFit fit;
    fit.lin = x;
    fit.p = ToParams(law, x);
    fit.d50 = Median(law, fit.p);
    if (!std::isfinite(fit.p[0]) || !std::isfinite(fit.p[1]) || !std::isfinite(fit.d50))
        throw FitError(FitError::NoConvergence, law);
    fit.ok = true;
    return fit;
}

LawFit FitLaw(const Sample &s, const double *counts, int law, const Linear *start)
{
    Fitter f;
    f.Load(s, counts);
    return f.Fit(law, start);
}

namespace {

double LogDensity(int law, const Params &p, double d, double lnd)
{
    switch (law) {
    case 1:
        return d <= p[0] ? std::log(p[1]) - std::log(p[0]) + (p[1] - 1) * (lnd - std::log(p[0])) : -kInf;
    case 2: {
        const double u = lnd - std::log(p[1]);
        return std::log(p[0]) - std::log(p[1]) + (p[0] - 1) * u - std::exp(p[0] * u);
    }
    case 3: {
        const double z = (d - p[0]) / p[1];
        return -kLnSqrt2Pi - std::log(p[1]) - 0.5 * z * z;
    }
    case 4: {
        const double z = (lnd - p[0]) / p[1];
        return -lnd - kLnSqrt2Pi - std::log(p[1]) - 0.5 * z * z;
    }
    }
    return 0;
}

// Weights of the sample's own counts, scaled to sum to the number of particles.
std::vector<double> OwnWeights(const Sample &s)
{
    std::vector<double> w(size_t(s.cells()));
    double W = 0;
    for (int i = 0; i < s.cells(); ++i)
        W += w[size_t(i)] = s.count[size_t(i)] * s.unit[size_t(i)];
    for (double &v : w)
        v *= s.particles / W;
    return w;
}

} // namespace

double LogLikelihood(const Sample &s, int law, const Params &p)
{
    const std::vector<double> w = OwnWeights(s);
    double L = 0;
    if (!s.classes) {
        for (int i = 0; i < s.cells(); ++i)
            L += w[size_t(i)] * LogDensity(law, p, s.hi[size_t(i)], s.lnHi[size_t(i)]);
        return L;
    }
    const Linear x = ToLinear(law, p);
    censored::Classes c;
    censored::Load(s, s.count.data(), law, law == 1 ? std::log(p[0]) : 0.0, c);
    return censored::LogLikelihood(law, c, x) * s.particles / std::accumulate(c.w.begin(), c.w.end(), 0.0);
}

double KsDistance(const Sample &s, int law, const Params &p)
{
    const std::vector<double> w = OwnWeights(s);
    double cum = 0, ks = 0;
    if (s.classes)
        ks = Cdf(law, p, s.lo[0]);
    for (int i = 0; i < s.cells(); ++i) {
        const double F = Cdf(law, p, s.hi[size_t(i)]);
        if (!s.classes)
            ks = std::max(ks, std::fabs(F - cum / s.particles));
        cum += w[size_t(i)];
        ks = std::max(ks, std::fabs(F - std::min(1.0, cum / s.particles)));
    }
    return ks;
}

} // namespace mle
