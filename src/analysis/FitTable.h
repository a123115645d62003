#pragma once
// The fit as lines of tab-separated fields: what `fit` prints, and what a batch's fit.txt keeps
// after the recipe it was made with.
#include "analysis/Bootstrap.h"

#include <QStringList>

namespace mle {

QStringList TableLines(const Result &result, QChar sep);

} // namespace mle
