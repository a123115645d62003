#pragma once
// Every number the program shows or reads as text goes through here. The decimal
// separator is always passed in: windows pass the system locale's, tests pass both.
//
// Rounding is half away from zero on the exact decimal value of the binary number.
#include <QChar>
#include <QString>
#include <cstdint>

namespace numtext {

// Fixed notation with exactly D decimals after rounding to at most P significant digits
// and at most D decimals. A value with more than P integer digits after rounding is
// written in exponent form: the significant digits without trailing zeros, "E", the power
// of ten with no plus sign and at least min(D, 4) digits.
QString FormatFixed(long double v, int P, int D, QChar sep);

inline QString Fixed6(long double v, QChar sep) { return FormatFixed(v, 6, 3, sep); }
inline QString Fixed3(long double v, QChar sep) { return FormatFixed(v, 3, 3, sep); }

// The general form: at most `precision` significant digits, no trailing zeros; exponent
// form ("1E20", "1,5E-6") when there are more than `precision` integer digits or the
// value is below 0.00001.
QString FormatGeneral(long double v, QChar sep, int precision = 15);

// Optional blanks, optional sign, digits with an optional fraction after `sep`, an
// optional exponent (E and a signed integer), optional blanks. Anything else, the empty
// text included, is not a number; neither is a value beyond the extended range.
bool ReadNumber(const QString &text, QChar sep, long double &out);

// An optional sign and decimal digits, within the 32-bit signed range.
bool ReadInteger(const QString &text, int32_t &out);

// The system locale's decimal separator, which every window uses.
QChar SystemDecimalSeparator();

} // namespace numtext
