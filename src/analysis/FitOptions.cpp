#include "analysis/FitOptions.h"
#include "base/NumberForms.h"

#include <QCoreApplication>
#include <limits>

namespace mle {

namespace {

// Decimal digits only, within `limit`.
bool ReadWhole(const QString &text, uint64_t limit, uint64_t &out)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    uint64_t v = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        const uint64_t digit = uint64_t(c.unicode() - '0');
        if (v > (limit - digit) / 10)
            return false;
        v = v * 10 + digit;
    }
    out = v;
    return true;
}

} // namespace

OptionField ReadOptions(const QString &resamples, const QString &level, const QString &seed, QChar sep,
                        Options &o)
{
    uint64_t boot = 0, s = 0;
    if (!ReadWhole(resamples, kMaxResamples, boot))
        return OptionField::Resamples;
    long double lv = 0;
    if (!numtext::ReadNumber(level, sep, lv) || !(lv > 0 && lv < 1))
        return OptionField::Level;
    if (!ReadWhole(seed, std::numeric_limits<uint64_t>::max(), s))
        return OptionField::Seed;
    o.resamples = int(boot);
    o.level = double(lv);
    o.seed = s;
    return OptionField::None;
}

QString OptionFieldText(OptionField field, bool shown)
{
    auto T = [shown](const char *en, const char *ru) {
        return shown ? QCoreApplication::translate("FitOptions", ru) : QString::fromLatin1(en);
    };
    switch (field) {
    case OptionField::None:
        break;
    case OptionField::Resamples:
        return T("--boot takes a whole number from 0 to 1000000",
                 QT_TRANSLATE_NOOP("FitOptions", "Число выборок бутстрепа должно быть целым от 0 до 1000000"));
    case OptionField::Level:
        return T("--level takes a number between 0 and 1",
                 QT_TRANSLATE_NOOP("FitOptions", "Доверительная вероятность должна быть числом больше 0 и меньше 1"));
    case OptionField::Seed:
        return T("--seed takes a whole number from 0 to 2^64-1",
                 QT_TRANSLATE_NOOP("FitOptions",
                                   "Начальное число генератора должно быть целым от 0 до 18446744073709551615"));
    }
    return QString();
}

} // namespace mle
