// Typed numbers and integers, in both decimal-separator locales. Every number the program
// writes it must be able to read back.
#include "FuzzCommon.h"
#include "base/NumberForms.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QChar sep : {QLatin1Char(','), QLatin1Char('.')}) {
        long double v = 0;
        if (!numtext::ReadNumber(text, sep, v))
            continue;
        FUZZ_CHECK(std::isfinite(v));
        if (std::fabs(v) > 1e4931L) // rounding may carry the text past the largest value
            continue;
        long double back = 0;
        FUZZ_CHECK(numtext::ReadNumber(numtext::FormatGeneral(v, sep), sep, back));
        FUZZ_CHECK(numtext::ReadNumber(numtext::Fixed6(v, sep), sep, back));
        FUZZ_CHECK(numtext::ReadNumber(numtext::FormatFixed(v, 3, 5, sep), sep, back));
    }
    int32_t n = 0;
    if (numtext::ReadInteger(text, n)) {
        int32_t back = 0;
        FUZZ_CHECK(numtext::ReadInteger(QString::number(n), back) && back == n);
    }
    return 0;
}
