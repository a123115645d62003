#include "analysis/Bootstrap.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <thread>

namespace mle {

namespace {

uint64_t SplitMix(uint64_t &x)
{
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

inline uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

// ln k! minus its Stirling approximation (k + 1/2)·ln(k + 1) - (k + 1) + ln √(2π).
double StirlingTail(double k)
{
    static const double small[] = {0.0810614667953272,  0.0413406959554092,  0.0276779256849983,
                                   0.02079067210376509, 0.0166446911898211,  0.0138761288230707,
                                   0.0118967099458917,  0.0104112652619720,  0.00925546218271273,
                                   0.00833056343336287};
    if (k <= 9)
        return small[int(k)];
    const double k1 = 1 / (k + 1), k2 = k1 * k1;
    return (1.0 / 12 - (1.0 / 360 - k2 / 1260) * k2) * k1;
}

} // namespace

Rng::Rng(uint64_t seed, uint64_t stream)
{
    uint64_t x = seed;
    const uint64_t mixed = SplitMix(x) ^ (stream * 0xD1B54A32D192ED03ull);
    x = mixed;
    for (uint64_t &s : s_)
        s = SplitMix(x);
}

uint64_t Rng::Next()
{
    const uint64_t result = Rotl(s_[1] * 5, 7) * 9;
    const uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotl(s_[3], 45);
    return result;
}

double Rng::Uniform() { return double(Next() >> 11) * 0x1.0p-53; }

uint64_t Rng::Below(uint64_t n)
{
    // Lemire's multiply-and-reject.
    unsigned __int128 m = (unsigned __int128)Next() * n;
    uint64_t low = uint64_t(m);
    if (low < n) {
        const uint64_t floor = (0 - n) % n;
        while (low < floor) {
            m = (unsigned __int128)Next() * n;
            low = uint64_t(m);
        }
    }
    return uint64_t(m >> 64);
}

// Inversion by geometric waiting times for a small mean, otherwise Hörmann's transformed
// rejection with squeeze (BTRS).
int64_t Rng::Binomial(int64_t n, double p)
{
    if (n <= 0 || !(p > 0))
        return 0;
    if (p >= 1)
        return n;
    const bool flip = p > 0.5;
    if (flip)
        p = 1 - p;
    const double dn = double(n);
    int64_t k = 0;
    if (dn * p < 10) {
        const double lq = std::log1p(-p);
        double waited = 0;
        for (;;) {
            waited += std::max(1.0, std::ceil(std::log(1 - Uniform()) / lq));
            if (waited > dn)
                break;
            ++k;
        }
    } else {
        const double q = 1 - p, sd = std::sqrt(dn * p * q);
        const double b = 1.15 + 2.53 * sd, a = -0.0873 + 0.0248 * b + 0.01 * p, c = dn * p + 0.5;
        const double alpha = (2.83 + 5.1 / b) * sd, vr = 0.92 - 4.2 / b, r = p / q;
        const double m = std::floor((dn + 1) * p);
        double atMode = NAN; // the terms of the mode in the bound below, once needed
        for (;;) {
            const double u = Uniform() - 0.5;
            double v = Uniform();
            const double us = 0.5 - std::fabs(u);
            const double kk = std::floor((2 * a / us + b) * u + c);
            if (kk < 0 || kk > dn)
                continue;
            if (us >= 0.07 && v <= vr) {
                k = int64_t(kk);
                break;
            }
            v = std::log(v * alpha / (a / (us * us) + b));
            if (std::isnan(atMode))
                atMode = (m + 0.5) * std::log((m + 1) / (r * (dn - m + 1))) + StirlingTail(m) + StirlingTail(dn - m);
            const double bound = atMode + (dn + 1) * std::log((dn - m + 1) / (dn - kk + 1)) +
                                 (kk + 0.5) * std::log(r * (dn - kk + 1) / (kk + 1)) - StirlingTail(kk) -
                                 StirlingTail(dn - kk);
            if (v <= bound) {
                k = int64_t(kk);
                break;
            }
        }
    }
    return flip ? n - k : k;
}

namespace {

// Draws the particles of one resample. A sample of few particles per cell draws them one by
// one from a table; one with many draws each cell's count from a binomial law given the
// cells before it.
class Multinomial {
public:
    explicit Multinomial(const Sample &s)
    {
        for (double c : s.count)
            counts_.push_back(int64_t(c));
        for (int64_t c : counts_)
            n_ += c;
        if (n_ <= 8 * int64_t(counts_.size()) + 64)
            for (size_t i = 0; i < counts_.size(); ++i)
                table_.insert(table_.end(), size_t(counts_[i]), uint32_t(i));
    }
    void Draw(Rng &rng, std::vector<double> &out) const
    {
        out.assign(counts_.size(), 0.0);
        if (!table_.empty()) {
            for (int64_t j = 0; j < n_; ++j)
                out[table_[size_t(rng.Below(uint64_t(n_)))]] += 1;
            return;
        }
        int64_t left = n_, rest = n_;
        for (size_t i = 0; i < counts_.size() && left > 0; ++i) {
            if (counts_[i] == 0)
                continue;
            const int64_t k = rng.Binomial(left, double(counts_[i]) / double(rest));
            out[i] = double(k);
            left -= k;
            rest -= counts_[i];
        }
    }

private:
    std::vector<int64_t> counts_;
    std::vector<uint32_t> table_;
    int64_t n_ = 0;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

} // namespace

void Resample(const Sample &s, uint64_t seed, uint64_t index, std::vector<double> &counts)
{
    Rng rng(seed, index);
    Multinomial(s).Draw(rng, counts);
}

double Percentile(std::vector<double> v, double p)
{
    v.erase(std::remove_if(v.begin(), v.end(), [](double x) { return !std::isfinite(x); }), v.end());
    if (v.empty())
        return kNaN;
    // Two order statistics without sorting: the chart asks for them at every column.
    const double h = (double(v.size()) - 1) * p;
    const size_t i = std::min(size_t(std::floor(h)), v.size() - 1);
    std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(i), v.end());
    if (i + 1 >= v.size())
        return v[i];
    const double next = *std::min_element(v.begin() + std::ptrdiff_t(i) + 1, v.end());
    return v[i] + (h - double(i)) * (next - v[i]);
}

Interval PercentileInterval(std::vector<double> v, double level)
{
    const size_t B = v.size();
    v.erase(std::remove_if(v.begin(), v.end(), [](double x) { return !std::isfinite(x); }), v.end());
    const size_t failed = B - v.size();
    std::sort(v.begin(), v.end());
    auto at = [&](double p, bool low) { // the failures at the far end of this side
        const double h = (double(B) - 1) * p;
        const size_t i = size_t(std::floor(h)), j = std::min(i + 1, B - 1);
        auto value = [&](size_t k) {
            if (low)
                return k < failed ? -kInf : v[k - failed];
            return k >= v.size() ? kInf : v[k];
        };
        const double a = value(i), b = value(j);
        return i == j || h == double(i) ? a : a + (h - double(i)) * (b - a);
    };
    if (B == 0)
        return {};
    Interval r{at((1 - level) / 2, true), at((1 + level) / 2, false)};
    if (!r.valid())
        return {};
    return r;
}

Result FitSample(const Sample &s, const Options &o)
{
    Result r;
    r.options = o;
    r.byVolume = s.byVolume;
    r.classes = s.classes;
    r.particles = s.particles;
    bool any = false;
    for (int law = 1; law <= kLaws; ++law) {
        LawResult &l = r.law[law];
        try {
            l.fit = FitLaw(s, s.count.data(), law);
            l.loglik = LogLikelihood(s, law, l.fit.p);
            l.aic = 2 * 2 - 2 * l.loglik;
            l.ks = KsDistance(s, law, l.fit.p);
            any = true;
        } catch (const FitError &e) {
            l.error = e;
        }
    }
    if (!any)
        throw r.law[1].error;
    for (int law = 1; law <= kLaws; ++law)
        if (r.law[law].fit.ok && (r.best == 0 || r.law[law].aic < r.law[r.best].aic))
            r.best = law;

    const int B = std::max(0, o.resamples);
    if (B == 0)
        return r;
    for (int law = 1; law <= kLaws; ++law)
        r.law[law].boot.assign(size_t(B), Params{kNaN, kNaN});
    const Multinomial draw(s);
    auto work = [&](int from, int to) {
        std::vector<double> counts;
        Fitter fitter;
        for (int b = from; b < to; ++b) {
            if (o.stop && o.stop->load(std::memory_order_relaxed))
                return;
            Rng rng(o.seed, uint64_t(b));
            draw.Draw(rng, counts);
            fitter.Load(s, counts.data());
            for (int law = 1; law <= kLaws; ++law) {
                const LawFit &full = r.law[law].fit;
                if (!full.ok)
                    continue;
                try {
                    r.law[law].boot[size_t(b)] = fitter.Fit(law, &full.lin).p;
                } catch (const FitError &) {
                }
            }
            if (o.done)
                o.done->fetch_add(1, std::memory_order_relaxed);
        }
    };
    int threads = o.threads > 0 ? o.threads : int(std::thread::hardware_concurrency());
    threads = std::clamp(threads, 1, B);
    std::vector<std::thread> pool;
    std::vector<std::exception_ptr> errors(static_cast<size_t>(threads));
    for (int t = 1; t < threads; ++t)
        pool.emplace_back([&, t] {
            try {
                work(int(int64_t(B) * t / threads), int(int64_t(B) * (t + 1) / threads));
            } catch (...) {
                errors[size_t(t)] = std::current_exception();
            }
        });
    try {
        work(0, B / threads);
    } catch (...) {
        errors[0] = std::current_exception();
    }
    for (std::thread &t : pool)
        t.join();
    for (const std::exception_ptr &e : errors)
        if (e)
            std::rethrow_exception(e);
    if (o.stop && o.stop->load())
        return r; // incomplete; the caller drops it

    for (int law = 1; law <= kLaws; ++law) {
        LawResult &l = r.law[law];
        if (!l.fit.ok)
            continue;
        std::vector<double> d50, p0, p1;
        for (const Params &p : l.boot) {
            l.failed += !std::isfinite(p[0]);
            d50.push_back(std::isfinite(p[0]) ? Median(law, p) : kNaN);
            p0.push_back(p[0]);
            p1.push_back(p[1]);
        }
        l.d50ci = PercentileInterval(d50, o.level);
        l.pci[0] = PercentileInterval(p0, o.level);
        l.pci[1] = PercentileInterval(p1, o.level);
    }
    const LawResult &best = r.law[r.best];
    if (best.d50ci.valid()) {
        r.relHalfWidth = (best.d50ci.hi - best.d50ci.lo) / 2 / best.fit.d50;
        r.nFor5pct = std::ceil(s.particles * (r.relHalfWidth / 0.05) * (r.relHalfWidth / 0.05));
    }
    return r;
}

} // namespace mle
