#pragma once
// The bootstrap's settings as they are typed: the number of resamples, the confidence level
// and the seed. The fit dialog (with the system's decimal separator) and grizal2-cli fit
// (with a point) read them alike.
#include "analysis/Bootstrap.h"

#include <QString>

namespace mle {

constexpr int kMaxResamples = 1000000;

enum class OptionField { None, Resamples, Level, Seed };

// Reads the three texts into `o` and returns None, or the first field that is not
// acceptable (then `o` is left as it was). Resamples: a whole number 0..kMaxResamples;
// level: a number above 0 and below 1; seed: a whole number 0..2^64-1. Blanks around a
// text are allowed.
OptionField ReadOptions(const QString &resamples, const QString &level, const QString &seed, QChar sep,
                        Options &o);

// What a field must hold: English for the command line, or the windows' text (Russian or
// its translation into the interface language).
QString OptionFieldText(OptionField field, bool shown);

} // namespace mle
