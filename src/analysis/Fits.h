#pragma once
// The class table of a sample and the fits of the four laws to it.
#include "samples/SampleData.h"

#include <vector>

namespace fits {

struct ClassTable {
    std::vector<long double> d;        // class sizes (upper bounds), micrometres
    std::vector<long double> N;        // counts
    std::vector<long double> Weight;   // counts, or volumes by volume
    std::vector<long double> Integral; // cumulative fractions; the last is 0.9999
    std::vector<long double> Diff;     // fractions per micrometre
    std::vector<long double> LnD;      // ln d, shared by three fits; NaN where d <= 0
    long double total = 0;
    long double FirstLowerBound = 0;
    int n() const { return int(d.size()); }
};

// Trims zero-count classes at both ends and computes the integral and differential values.
// Raises MathError on an arithmetic fault (a zero total, a zero class width).
ClassTable BuildClassTable(const TSampleData &sample, bool byVolume);
// 2 d[1] - d[2] when positive, else 0 (0 with fewer than two classes).
long double FirstLowerBound(const std::vector<long double> &d);

struct LawFit {
    long double Shape = 0, Scale = 0, Q = 0;
};

// Each stores its results as they are computed, so those computed before a fault stand;
// the fault itself is raised as MathError.
void FitGaudin(const ClassTable &t, LawFit &out);
void FitRosinRammler(const ClassTable &t, LawFit &out);
void FitNormal(const ClassTable &t, LawFit &out);
// Returns false when the quantile search of some class ran all its passes.
bool FitLogNormal(const ClassTable &t, LawFit &out, std::vector<long double> *quantiles = nullptr);

} // namespace fits
