#pragma once
// The section that the maximum-likelihood fit appends to a sample window's report memo:
// per law its parameters, d50 with its interval, log-likelihood, AIC and KS; the best law;
// how many particles would give d50 within ±5 %.
#include "analysis/Bootstrap.h"

#include <QImage>
#include <QStringList>

namespace mle {

QStringList ReportLines(const Result &r, QChar sep);

// The whole command on a window's sample: the memo lines and the chart, or the message of
// a sample that cannot be fitted (then nothing else).
struct Section {
    QString message;
    QStringList lines;
    QImage picture;
};
Section RunFit(const TSampleData &data, bool byVolume, bool classes, const Options &o, QChar sep);

} // namespace mle
