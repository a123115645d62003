#include "samples/Grouping.h"
#include "base/Errors.h"
#include "base/NumberForms.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace grouping {

namespace {

long double Divide(long double a, long double b)
{
    if (b == 0)
        throw MathError(a == 0 ? mathtext::Invalid : mathtext::ZeroDivide);
    const long double q = a / b;
    if (!std::isfinite(q))
        throw MathError(mathtext::Overflow);
    return q;
}

void Range(const TSampleData &d, long double &mn, long double &mx)
{
    if (d.Count == 0)
        throw MathError(mathtext::Invalid);
    mn = mx = d.Size(0);
    for (int k = 1; k < d.Count; ++k) {
        const long double s = d.Size(k);
        if (s < mn)
            mn = s;
        if (s > mx)
            mx = s;
    }
}

// Classes (lower, D[j]] with D[j] = mn + j × width, each boundary stored in the 6-byte form.
// Counts are summed with prefix sums over the sorted sizes; 16-bit sums wrap, and so do
// their differences.
void MakeClasses(TSampleData &d, long double mn, long double width, long double lower, int k)
{
    const int n = d.Count;
    std::vector<std::pair<long double, uint16_t>> sorted(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        sorted[size_t(i)] = {d.Size(i), d.N[i]};
    std::sort(sorted.begin(), sorted.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<uint16_t> prefix(size_t(n) + 1, 0);
    for (int i = 0; i < n; ++i)
        prefix[size_t(i) + 1] = uint16_t(prefix[size_t(i)] + sorted[size_t(i)].second);
    auto upTo = [&](long double x) { // Σ counts of sizes <= x
        auto it = std::upper_bound(sorted.begin(), sorted.end(), x,
                                   [](long double v, const auto &e) { return v < e.first; });
        return prefix[size_t(it - sorted.begin())];
    };
    d.Count = 0;
    k = std::min(k, TSampleData::Capacity);
    for (int j = 1; j <= k; ++j) {
        d.SetSize(j - 1, mn + j * width);
        const long double upper = d.Size(j - 1);
        d.N[j - 1] = upper > lower ? uint16_t(upTo(upper) - upTo(lower)) : 0;
        d.Count = uint16_t(j);
        lower = upper;
    }
}

} // namespace

Proposal Propose(const TSampleData &d)
{
    int32_t total = 0;
    long double mx = 0;
    for (int k = 0; k < d.Count; ++k) {
        total += d.N[k];
        mx = std::max(mx, d.Size(k));
    }
    Proposal p;
    p.k0 = int(std::nearbyint(std::sqrt(static_cast<long double>(total))));
    p.L0 = StoredValue(Divide(mx, p.k0));
    p.P0 = total / p.k0;
    return p;
}

QString LengthText(long double L0, QChar sep)
{
    return numtext::FormatFixed(L0, 3, 2, sep);
}

void ByIntervals(TSampleData &d, int k)
{
    long double mn, mx;
    Range(d, mn, mx);
    // The width is held in the 6-byte form like every boundary, so mn + k × h can fall
    // just short of mx.
    const long double h = StoredValue(Divide(mx - mn, k));
    const long double lower = mn - h > 0 ? StoredValue(mn - h) : 0;
    if (k < 1) {
        d.Count = 0;
        return;
    }
    MakeClasses(d, mn, h, lower, k);
}

void ByLength(TSampleData &d, long double L)
{
    L = StoredValue(L);
    long double mn, mx;
    Range(d, mn, mx);
    const long double q = Divide(mx, L);
    // Far more classes than a sample holds are cut to its capacity.
    const long double kr = std::nearbyint(std::clamp(q, -1.0L, static_cast<long double>(TSampleData::Capacity)));
    const int k = int(kr);
    const long double lower = mn - L > 0 ? StoredValue(mn - L) : 0;
    if (k < 1) {
        d.Count = 0;
        return;
    }
    MakeClasses(d, mn, L, lower, k);
}

namespace {

// The exchange sort the command has always used: for i, for j, exchange when D[i] < D[j].
// Only the order of equal sizes with different counts depends on it; that is visible only
// when the grouping then fails, so the quadratic walk runs only in that case.
void ExchangeSort(TSampleData &d)
{
    const int n = d.Count;
    std::vector<long double> v(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        v[size_t(k)] = d.Size(k);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (v[size_t(i)] < v[size_t(j)]) {
                std::swap(v[size_t(i)], v[size_t(j)]);
                std::swap(d.D[i], d.D[j]);
                std::swap(d.N[i], d.N[j]);
            }
}

} // namespace

void ByParticles(TSampleData &d, int32_t P)
{
    if (P == 0) {
        ExchangeSort(d);
        throw MathError(QStringLiteral("Division by zero"));
    }
    // Sizes alone decide the classes, so any ascending sort gives the same result.
    const int n = d.Count;
    std::vector<long double> v(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k)
        v[size_t(k)] = d.Size(k);
    std::sort(v.begin(), v.end());
    const int k = P > 0 ? n / P : 0; // a negative count of particles makes no class
    for (int j = 1; j <= k; ++j) {
        d.SetSize(j - 1, v[size_t(j * P - 1)]);
        d.N[j - 1] = uint16_t(uint32_t(P) & 0xFFFF);
    }
    d.Count = uint16_t(k);
}

std::optional<long double> ReadLength(const QString &text, QChar sep)
{
    long double L = 0;
    if (!numtext::ReadNumber(text, sep, L))
        return std::nullopt;
    return L;
}

void Run(TSampleData &d, Mode mode, int k, std::optional<long double> L, int32_t P)
{
    if (!L)
        throw GrizalError(QStringLiteral("not a number"));
    switch (mode) {
    case Mode::Intervals: ByIntervals(d, k); break;
    case Mode::Length: ByLength(d, *L); break;
    case Mode::Particles: ByParticles(d, P); break;
    }
}

} // namespace grouping
