#pragma once
// The section that the maximum-likelihood fit appends to a sample window's report memo:
// per law its parameters, d50 with its interval, log-likelihood, AIC and KS; the best law;
// how many particles would give d50 within ±5 %.
#include "analysis/Bootstrap.h"

#include <QStringList>

namespace mle {

QStringList ReportLines(const Result &r, QChar sep);

} // namespace mle
