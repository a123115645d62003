#include "shell/Calibration.h"
#include "base/NumberForms.h"

#include <cmath>

namespace calibration {

QString KPixText(double kpix, QChar sep)
{
    return numtext::FormatFixed(kpix, 3, 3, sep);
}

int LineLength(int dx, int dy)
{
    const double d = std::sqrt(double(dx) * dx + double(dy) * dy);
    return int(std::nearbyint(d));
}

bool MeasuredKPixText(const QString &realSize, int L, QChar sep, QString &out)
{
    long double size = 0;
    if (!numtext::ReadNumber(realSize, sep, size))
        return false;
    out = numtext::FormatFixed(size / L, 3, 5, sep);
    return true;
}

bool ReadKPix(const QString &text, QChar sep, double &out)
{
    long double v = 0;
    if (!numtext::ReadNumber(text, sep, v) || !std::isfinite(double(v)))
        return false;
    out = double(v);
    return true;
}

} // namespace calibration
