#pragma once
// The median filter's column pass for any window, shared by the plain and the vector build
// of the pixel engine (internal linkage: the two are compiled for different processors).
//
// The pass runs down one strip of X columns of the transposed picture. The window's X x Y
// values live in a flat array, each column's Y values in a ring that the row entering
// overwrites where the row leaving was, and the result is written into both the picture
// and the window, so later windows read it as the filter requires. The median is followed
// from window to window rather than found anew: the counts of values below and up to the
// last median are kept up to date with each value that enters or leaves, and the median
// then moves up or down over the values present, one distinct value per step, until its
// rank is reached. Between two windows it moves by at most the 2X + 1 values that changed,
// and by one or two on a noisy picture; a step is one pass over the array.
#include <cstdint>

namespace medianwindow {
namespace {

// The array holds 24-bit colours as non-negative integers; padding up to whole vectors is
// -1, below every colour, so that it only shifts the ranks.
constexpr int Capacity = 104; // 100 values and padding to a multiple of 8

// Ops: Lanes (values per vector) and, over the array win[0 .. vectors * Lanes):
//   Count(win, vectors, m, lt, le):     lt = #(w < m), le = #(w <= m)
//   Above(win, vectors, m, next, n):    next = least w > m, n = how many equal it
//   Below(win, vectors, m, prev, n):    prev = greatest w < m, n = how many equal it
template <class Ops>
void Pass(const Ops &o, uint32_t *const *column, int X, int Y, int windows, int32_t *win)
{
    const int n = X * Y;
    const int vectors = (n + Ops::Lanes - 1) / Ops::Lanes;
    const int K = n / 2 + (vectors * Ops::Lanes - n); // the rank sought, counted with the padding
    for (int i = n; i < vectors * Ops::Lanes; ++i)
        win[i] = -1;
    for (int dx = 0; dx < X; ++dx)
        for (int dy = 0; dy < Y; ++dy)
            win[dx * Y + dy] = int32_t(column[dx][dy] & 0xFFFFFF);
    int32_t m = win[0];
    int lt = 0, le = 0;
    o.Count(win, vectors, m, lt, le);
    const int cx = X / 2, cy = Y / 2;
    uint32_t *centre = column[cx] + cy;
    int leaving = 0;           // ring slot of the top row of the window
    int written = cy;          // ring slot of the centre row
    for (int y0 = 0; y0 < windows; ++y0) {
        while (K >= le) {
            int32_t next;
            int count;
            o.Above(win, vectors, m, next, count);
            m = next;
            lt = le;
            le += count;
        }
        while (K < lt) {
            int32_t prev;
            int count;
            o.Below(win, vectors, m, prev, count);
            m = prev;
            le = lt;
            lt -= count;
        }
        // The result goes back into the picture and into the window at once.
        int32_t &c = win[cx * Y + written];
        lt -= c < m;
        le += 1 - (c <= m);
        c = m;
        centre[y0] = uint32_t(m) | 0xFF000000u;
        if (y0 + 1 == windows)
            break;
        for (int dx = 0; dx < X; ++dx) {
            int32_t &slot = win[dx * Y + leaving];
            const int32_t v = int32_t(column[dx][y0 + Y] & 0xFFFFFF);
            lt += (v < m) - (slot < m);
            le += (v <= m) - (slot <= m);
            slot = v;
        }
        if (++leaving == Y)
            leaving = 0;
        if (++written == Y)
            written = 0;
    }
}

struct ScalarOps {
    static constexpr int Lanes = 1;
    static void Count(const int32_t *w, int vectors, int32_t m, int &lt, int &le)
    {
        lt = le = 0;
        for (int i = 0; i < vectors; ++i) {
            lt += w[i] < m;
            le += w[i] <= m;
        }
    }
    static void Above(const int32_t *w, int vectors, int32_t m, int32_t &next, int &count)
    {
        next = INT32_MAX;
        count = 0;
        for (int i = 0; i < vectors; ++i)
            if (w[i] > m) {
                if (w[i] < next) {
                    next = w[i];
                    count = 1;
                } else if (w[i] == next) {
                    ++count;
                }
            }
    }
    static void Below(const int32_t *w, int vectors, int32_t m, int32_t &prev, int &count)
    {
        prev = INT32_MIN;
        count = 0;
        for (int i = 0; i < vectors; ++i)
            if (w[i] < m) {
                if (w[i] > prev) {
                    prev = w[i];
                    count = 1;
                } else if (w[i] == prev) {
                    ++count;
                }
            }
    }
};

} // namespace

// The pass with eight lanes; only called where the processor has AVX2. `win` holds
// Capacity values, aligned to 32 bytes.
void PassAvx2(uint32_t *const *column, int X, int Y, int windows, int32_t *win);

} // namespace medianwindow
