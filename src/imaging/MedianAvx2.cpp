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

// Lane i becomes its clamp applied after that of lane i - shift; the first lanes (the set
// bits of `Lanes`), which have no such lane, compose with the clamp that changes nothing.
template <int Lanes>
inline void Compose(__m256i shift, __m256i &lo, __m256i &hi)
{
    const Avx2Ops o;
    const __m256i plo = _mm256_blend_epi32(_mm256_permutevar8x32_epi32(lo, shift), _mm256_setzero_si256(), Lanes);
    const __m256i phi = _mm256_blend_epi32(_mm256_permutevar8x32_epi32(hi, shift), _mm256_set1_epi32(-1), Lanes);
    const __m256i nlo = o.min(o.max(plo, lo), hi);
    hi = o.min(o.max(phi, lo), hi);
    lo = nlo;
}

// Each median is the last one clamped between its window's bounds, a chain from window to
// window. Clamps compose into clamps (g after f is the clamp between g(lo f) and g(hi f)),
// so the eight of a block are first composed in three doubling steps, and the block then
// needs the chain's last value only once.
int ColumnAvx2(const uint32_t *c0, uint32_t *c1, const uint32_t *c2, int windows)
{
    const Avx2Ops o;
    const __m256i by1 = _mm256_setr_epi32(0, 0, 1, 2, 3, 4, 5, 6);
    const __m256i by2 = _mm256_setr_epi32(0, 0, 0, 1, 2, 3, 4, 5);
    const __m256i by4 = _mm256_setr_epi32(0, 0, 0, 0, 0, 1, 2, 3);
    const __m256i last = _mm256_set1_epi32(7);
    __m256i v = _mm256_set1_epi32(int(c1[0]));
    int y = 0;
    for (; y + 8 <= windows; y += 8) {
        __m256i lo, hi;
        Bounds(o, At(c0 + y), At(c2 + y), At(c0 + y + 1), At(c1 + y + 1), At(c2 + y + 1), At(c0 + y + 2),
               At(c1 + y + 2), At(c2 + y + 2), lo, hi);
        Compose<0x01>(by1, lo, hi);
        Compose<0x03>(by2, lo, hi);
        Compose<0x0F>(by4, lo, hi);
        v = o.min(o.max(v, lo), hi);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(c1 + y + 1), v);
        v = _mm256_permutevar8x32_epi32(v, last);
    }
    return y;
}

} // namespace median3

#include "imaging/MedianWindow.h"

namespace medianwindow {
namespace {
inline __m256i Load(const int32_t *p) { return _mm256_load_si256(reinterpret_cast<const __m256i *>(p)); }
inline int Sum(__m256i v)
{
    __m128i s = _mm_add_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    s = _mm_add_epi32(s, _mm_shuffle_epi32(s, 0x4E));
    s = _mm_add_epi32(s, _mm_shuffle_epi32(s, 0xB1));
    return _mm_cvtsi128_si32(s);
}
template <bool Least>
inline int32_t Extreme(__m256i v)
{
    __m128i s = Least ? _mm_min_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1))
                      : _mm_max_epi32(_mm256_castsi256_si128(v), _mm256_extracti128_si256(v, 1));
    const __m128i a = _mm_shuffle_epi32(s, 0x4E);
    s = Least ? _mm_min_epi32(s, a) : _mm_max_epi32(s, a);
    const __m128i b = _mm_shuffle_epi32(s, 0xB1);
    s = Least ? _mm_min_epi32(s, b) : _mm_max_epi32(s, b);
    return _mm_cvtsi128_si32(s);
}

struct Avx2Ops {
    static constexpr int Lanes = 8;
    static void Count(const int32_t *w, int vectors, int32_t m, int &lt, int &le)
    {
        const __m256i vm = _mm256_set1_epi32(m);
        __m256i below = _mm256_setzero_si256(), above = _mm256_setzero_si256();
        for (int i = 0; i < vectors; ++i) {
            const __m256i v = Load(w + 8 * i);
            below = _mm256_sub_epi32(below, _mm256_cmpgt_epi32(vm, v));
            above = _mm256_sub_epi32(above, _mm256_cmpgt_epi32(v, vm));
        }
        lt = Sum(below);
        le = 8 * vectors - Sum(above);
    }
    // Each lane keeps its least (or greatest) value beyond m and how often it came; the
    // lanes are then joined.
    template <bool Up>
    static void Beyond(const int32_t *w, int vectors, int32_t m, int32_t &found, int &count)
    {
        const __m256i vm = _mm256_set1_epi32(m), one = _mm256_set1_epi32(1);
        __m256i best = _mm256_set1_epi32(Up ? INT32_MAX : INT32_MIN), times = _mm256_setzero_si256();
        for (int i = 0; i < vectors; ++i) {
            const __m256i v = Load(w + 8 * i);
            const __m256i beyond = Up ? _mm256_cmpgt_epi32(v, vm) : _mm256_cmpgt_epi32(vm, v);
            const __m256i better = _mm256_and_si256(beyond, Up ? _mm256_cmpgt_epi32(best, v) : _mm256_cmpgt_epi32(v, best));
            const __m256i same = _mm256_and_si256(beyond, _mm256_cmpeq_epi32(v, best));
            best = _mm256_blendv_epi8(best, v, better);
            times = _mm256_blendv_epi8(_mm256_sub_epi32(times, same), one, better);
        }
        found = Extreme<Up>(best);
        count = Sum(_mm256_and_si256(times, _mm256_cmpeq_epi32(best, _mm256_set1_epi32(found))));
    }
    static void Above(const int32_t *w, int vectors, int32_t m, int32_t &next, int &count)
    {
        Beyond<true>(w, vectors, m, next, count);
    }
    static void Below(const int32_t *w, int vectors, int32_t m, int32_t &prev, int &count)
    {
        Beyond<false>(w, vectors, m, prev, count);
    }
};
} // namespace

void PassAvx2(uint32_t *const *column, int X, int Y, int windows, int32_t *win)
{
    Pass(Avx2Ops(), column, X, Y, windows, win);
}

} // namespace medianwindow
