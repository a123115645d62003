#pragma once
// The 3 x 3 median filter's selection network, shared by the plain and the vector build of
// the pixel engine. Everything here has internal linkage: the two translation units are
// compiled for different processors and must never share a definition.
#include <cstdint>

namespace median3 {
namespace {

// One column pass works on the transposed picture: c0, c1, c2 are image columns
// x0 .. x0 + 2, each running down the image. Of the nine values of window y only one is
// unknown before the pass reaches it: c1[y], which window y - 1 has just written (window 0
// sees the original). The median of nine is then that value clamped between the 4th and
// 5th smallest of the other eight: a0, a2 beside it, row y + 1 (b) and row y + 2 (d).
template <class V, class Ops>
inline void Bounds(const Ops &o, V a0, V a2, V b0, V b1, V b2, V d0, V d1, V d2, V &k3, V &k4)
{
    V t;
    t = o.min(b0, b1), b1 = o.max(b0, b1), b0 = t;
    t = o.min(b1, b2), b2 = o.max(b1, b2), b1 = t;
    t = o.min(b0, b1), b1 = o.max(b0, b1), b0 = t;
    t = o.min(d0, d1), d1 = o.max(d0, d1), d0 = t;
    t = o.min(d1, d2), d2 = o.max(d1, d2), d1 = t;
    t = o.min(d0, d1), d1 = o.max(d0, d1), d0 = t;
    const V p = o.min(a0, a2), q = o.max(a0, a2);
    // 2nd .. 5th smallest of the six (the k-th of two sorted lists is the least of the
    // pairwise maxima that take k elements in all), then the 4th and 5th with the pair.
    const V s1 = o.min(o.min(b1, d1), o.max(b0, d0));
    const V s2 = o.min(o.min(b2, d2), o.min(o.max(b1, d0), o.max(b0, d1)));
    const V s3 = o.min(o.max(b2, d0), o.min(o.max(b1, d1), o.max(b0, d2)));
    const V s4 = o.min(o.max(b2, d1), o.max(b1, d2));
    k3 = o.min(s3, o.min(o.max(s2, p), o.max(s1, q)));
    k4 = o.min(s4, o.min(o.max(s3, p), o.max(s2, q)));
}

struct ScalarOps {
    // Selects, so that the compiler has no branch to mispredict on noisy pictures.
    static uint32_t min(uint32_t a, uint32_t b) { return b < a ? b : a; }
    static uint32_t max(uint32_t a, uint32_t b) { return a < b ? b : a; }
};

} // namespace

// The whole column pass, eight windows at a time from window 0: c1[y + 1] becomes the
// median of window y. Returns how many windows it did (a multiple of eight). Only called
// where the processor has AVX2.
int ColumnAvx2(const uint32_t *c0, uint32_t *c1, const uint32_t *c2, int windows);

} // namespace median3
