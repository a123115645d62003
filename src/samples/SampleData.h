#pragma once
// One sample: up to 10000 sizes (micrometres, stored as 6-byte reals) with particle counts.
// The layout in memory is the byte image of a ".GRZ" file.
#include "base/Real48.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

struct TSampleData {
    static constexpr int Capacity = 10000;

    uint8_t Reserved1[12] = {};
    uint16_t Count = 0;
    Real48 D[Capacity] = {};   // element k (1-based) is D[k - 1]
    uint16_t N[Capacity] = {}; // element k (1-based) is N[k - 1]
    uint8_t Reserved2[2] = {};

    long double Size(int index0) const { return Real48ToExt(D[index0]); }
    // Stores v in the 6-byte form; raises MathError on overflow.
    void SetSize(int index0, long double v) { D[index0] = ExtToReal48(v); }
};

static_assert(offsetof(TSampleData, Count) == 12, "Count at 12");
static_assert(offsetof(TSampleData, D) == 14, "D at 14");
static_assert(offsetof(TSampleData, N) == 60014, "N at 60014");
static_assert(sizeof(TSampleData) == 80016, "the record is 80016 bytes");

// Appends the elements of `from` after those of `to`, up to the capacity; the rest are dropped.
void AppendSample(TSampleData &to, const TSampleData &from);
