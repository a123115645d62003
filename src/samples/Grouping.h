#pragma once
// Grouping a sample into classes: by a number of equal intervals, by an interval length,
// or by a number of particles per class. Each class is one element: its upper boundary
// (or largest size) with the number of particles in it.
#include "samples/SampleData.h"

#include <QCoreApplication>
#include <QString>
#include <optional>

namespace grouping {

struct Proposal {
    int k0 = 0;          // √(total count), rounded
    long double L0 = 0;  // largest size / k0, in the 6-byte form
    int32_t P0 = 0;      // total count / k0, truncated
};

// Raises MathError when the counts add up to 0 (an empty sample included).
Proposal Propose(const TSampleData &d);
// The interval-length field's text of a proposal: 3 significant digits, 2 decimals.
QString LengthText(long double L0, QChar sep);

// Each raises MathError for a parameter of 0 before changing the sample, except by number
// of particles, where the sort has already run.
void ByIntervals(TSampleData &d, int k);
// L is taken in the 6-byte form.
void ByLength(TSampleData &d, long double L);
void ByParticles(TSampleData &d, int32_t P);

enum class Mode { Intervals, Length, Particles };
// The dialog's OK: all three fields are read whatever the mode, so a length that is not a
// number (none) fails every mode with GrizalError; then the chosen mode runs.
void Run(TSampleData &d, Mode mode, int k, std::optional<long double> L, int32_t P);
// The length field's number, none when the text is not one.
std::optional<long double> ReadLength(const QString &text, QChar sep);

// The number-of-intervals field holds 0..100.
constexpr int kMaxIntervals = 100;

// The message of a grouping that fails, in context "Grouping".
inline const char *kCannotGroup = QT_TRANSLATE_NOOP("Grouping", "Невозможно сгруппировать данные");

} // namespace grouping
