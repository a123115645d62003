// The vector build of the 3 x 3 median network; this file alone is compiled for AVX2.
#include "imaging/MedianNetwork.h"

#include <immintrin.h>

namespace median3 {
namespace {
struct Avx2Ops {
    static __m256i min(__m256i a, __m256i b) { return _mm256_min_epu32(a, b); }
    static __m256i max(__m256i a, __m256i b) { return _mm256_max_epu32(a, b); }
};
inline __m256i At(const uint32_t *p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p)); }
} // namespace

int BoundsAvx2(const uint32_t *c0, const uint32_t *c1, const uint32_t *c2, int windows, uint32_t *k3,
               uint32_t *k4)
{
    const Avx2Ops o;
    int y = 0;
    for (; y + 8 <= windows; y += 8) {
        __m256i l, h;
        Bounds(o, At(c0 + y), At(c2 + y), At(c0 + y + 1), At(c1 + y + 1), At(c2 + y + 1), At(c0 + y + 2),
               At(c1 + y + 2), At(c2 + y + 2), l, h);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(k3 + y), l);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(k4 + y), h);
    }
    return y;
}

} // namespace median3
