#pragma once
// The number texts and the arithmetic of the calibration dialog.
#include <QChar>
#include <QString>

namespace calibration {

// The coefficient as the dialog shows it before every showing: 3 significant digits, 3 decimals.
QString KPixText(double kpix, QChar sep);
// The length of a drawn line in whole pixels: √(dx² + dy²) rounded, halves to even.
int LineLength(int dx, int dy);
// The coefficient measured from a real size over a line of L pixels: 3 significant digits,
// 5 decimals. False when the real size is not a number.
bool MeasuredKPixText(const QString &realSize, int L, QChar sep, QString &out);
// The typed coefficient, as OK takes it.
bool ReadKPix(const QString &text, QChar sep, double &out);

} // namespace calibration
