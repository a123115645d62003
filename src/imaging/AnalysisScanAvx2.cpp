// This file alone of the analysis is compiled for AVX2; it is called only where the
// processor has it.
#include "imaging/AnalysisScan.h"

#include <immintrin.h>

namespace analysisscan {

int RowAvx2(const uint32_t *above, const uint32_t *row, int x, int xHi, uint64_t base, std::vector<uint64_t> &out)
{
    const __m256i colour = _mm256_set1_epi32(0xFFFFFF);
    const __m256i zero = _mm256_setzero_si256();
    for (; x + 8 <= xHi + 1; x += 8) {
        const __m256i a = _mm256_and_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(above + x)), colour);
        const __m256i r = _mm256_and_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i *>(row + x)), colour);
        unsigned bits = unsigned(_mm256_movemask_ps(
            _mm256_castsi256_ps(_mm256_and_si256(_mm256_cmpeq_epi32(a, zero), _mm256_cmpeq_epi32(r, colour)))));
        while (bits) {
            const int i = __builtin_ctz(bits);
            bits &= bits - 1;
            out.push_back(base + uint64_t(x + i));
        }
    }
    return x;
}

} // namespace analysisscan
