// The maximum-likelihood fits on a random sample: either a clear refusal, or finite results
// whose intervals hold their own estimates' order.
#include "FuzzCommon.h"
#include "analysis/Bootstrap.h"

#include <cmath>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const bool byVolume = data[0] & 1, classes = data[0] & 2;
    data += 1;
    size -= 1;
    std::vector<double> sizes, counts;
    // Each row: a size from 2 bytes (0.001 .. 65.5, with zero and repeats possible) and a
    // count of 0..15.
    for (size_t i = 0; i + 2 < size && sizes.size() < 64; i += 3) {
        sizes.push_back((data[i] | data[i + 1] << 8) / 1000.0);
        counts.push_back(data[i + 2] % 16);
    }
    mle::Options o;
    o.resamples = 20;
    o.threads = 1;
    try {
        const mle::Result r = mle::FitSample(mle::Prepare(sizes, counts, byVolume, classes), o);
        FUZZ_CHECK(r.best >= 1 && r.best <= mle::kLaws && r.law[r.best].fit.ok);
        for (int law = 1; law <= mle::kLaws; ++law) {
            const mle::LawResult &l = r.law[law];
            if (!l.fit.ok)
                continue;
            FUZZ_CHECK(std::isfinite(l.fit.d50) && std::isfinite(l.aic));
            FUZZ_CHECK(!(l.ks < 0) && !(l.ks > 1 + 1e-12));
            if (l.d50ci.valid())
                FUZZ_CHECK(l.d50ci.lo <= l.d50ci.hi);
        }
    } catch (const mle::FitError &) {
    }
    return 0;
}
