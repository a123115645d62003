#pragma once
// The row scan of binary analysis in the processor's widest vectors: the positions x in
// [x, xHi] where a black pixel lies above a white one, appended as y * W + x. The vector
// build (AVX2) does eight pixels at a time and returns where it stopped; the caller does
// the rest.
#include <cstdint>
#include <vector>

namespace analysisscan {
int RowAvx2(const uint32_t *above, const uint32_t *row, int x, int xHi, uint64_t base,
            std::vector<uint64_t> &out);
} // namespace analysisscan
