#pragma once
// Interval-censored maximum likelihood. Every law is F(d) = G(alpha + beta·t(d)) with a
// log-concave density g = G' (t = d, ln d or ln(d/a); G normal, smallest extreme value or
// e^z), so the log-likelihood Σ w·ln(G(z_hi) - G(z_lo)) is concave in (alpha, beta) and
// Newton's method with step halving finds its maximum.
#include "analysis/MaxLikelihood.h"

#include <vector>

namespace mle::censored {

struct Classes {
    std::vector<double> t;  // transformed bounds: the first class's lower, then every upper;
                            // -inf for a bound of 0 on a log scale
    std::vector<int> lower; // per class with particles: the index of its lower bound in t
    std::vector<double> w;
    std::vector<double> z, F, Fc, g, gp; // per bound, for one evaluation
};

// The bounds of the classes with particles, transformed for law `law`; `lna` is ln a of the
// Gaudin-Andreev law.
void Load(const Sample &s, const double *counts, int law, double lna, Classes &c);
// The Gaudin-Andreev law keeps alpha at 0: only l is free once a is the largest size. The
// last Newton step below `tol` is taken. Raises FitError when there is no maximum.
Linear Maximise(int law, Classes &c, Linear x, double tol);
// Σ w·ln(F(hi) - F(lo)); -inf when a class gets no probability.
double LogLikelihood(int law, Classes &c, const Linear &x);

} // namespace mle::censored
