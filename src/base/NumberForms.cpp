#include "base/NumberForms.h"

#include <QLocale>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace numtext {
namespace {

// value = (negative ? -1 : 1) * 0.d1 d2 d3 ... * 10^point; empty digits means zero.
struct Decimal {
    std::string digits;
    int point = 0;
    bool negative = false;
    bool isZero() const { return digits.find_first_not_of('0') == std::string::npos; }
};

// 60 significant digits: far more than an 80-bit value needs for a correct decision at
// any digit we round to, so glibc's own rounding of the 61st digit never matters.
Decimal ExactDigits(long double v)
{
    Decimal d;
    d.negative = std::signbit(v);
    if (v == 0 || !std::isfinite(v))
        return d;
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.60Le", v);
    const char *p = buf;
    if (*p == '-')
        ++p;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    int exp10 = (*p == 'e') ? std::atoi(p + 1) : 0;
    d.point = exp10 + 1;
    return d;
}

void RoundToDigits(Decimal &d, int keep)
{
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (keep >= int(d.digits.size()))
        return;
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (!up)
        return;
    int i = keep - 1;
    while (i >= 0 && d.digits[i] == '9')
        d.digits[i--] = '0';
    if (i >= 0) {
        ++d.digits[i];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        d.digits.resize(keep > 0 ? keep : 1);
        ++d.point;
    }
}

std::string StripTrailingZeros(std::string s)
{
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    return s;
}

QString ExponentForm(const Decimal &d, QChar sep, int minExpDigits)
{
    std::string sig = StripTrailingZeros(d.digits);
    if (sig.empty())
        sig = "0";
    QString out;
    if (d.negative)
        out += QLatin1Char('-');
    out += QLatin1Char(sig[0]);
    if (sig.size() > 1) {
        out += sep;
        out += QString::fromLatin1(sig.data() + 1, int(sig.size() - 1));
    }
    out += QLatin1Char('E');
    const int e = d.point - 1;
    if (e < 0)
        out += QLatin1Char('-');
    QString digits = QString::number(std::abs(e));
    while (digits.size() < minExpDigits)
        digits.prepend(QLatin1Char('0'));
    return out + digits;
}

char DigitAt(const Decimal &d, int i) // i-th digit after the leading "0." position
{
    return (i >= 0 && i < int(d.digits.size())) ? d.digits[i] : '0';
}

} // namespace

QString FormatFixed(long double v, int P, int D, QChar sep)
{
    Decimal d = ExactDigits(v);
    if (!d.isZero())
        RoundToDigits(d, std::min(P, d.point + D));
    if (d.isZero()) {
        QString out = QStringLiteral("0");
        if (D > 0)
            out += sep + QString(D, QLatin1Char('0'));
        return out;
    }
    if (d.point > P)
        return ExponentForm(d, sep, std::min(D, 4));
    QString out;
    if (d.negative)
        out += QLatin1Char('-');
    if (d.point <= 0)
        out += QLatin1Char('0');
    for (int i = 0; i < d.point; ++i)
        out += QLatin1Char(DigitAt(d, i));
    if (D > 0) {
        out += sep;
        for (int i = d.point; i < d.point + D; ++i)
            out += QLatin1Char(DigitAt(d, i));
    }
    return out;
}

QString FormatGeneral(long double v, QChar sep, int precision)
{
    Decimal d = ExactDigits(v);
    if (!d.isZero())
        RoundToDigits(d, precision);
    if (d.isZero())
        return QStringLiteral("0");
    d.digits = StripTrailingZeros(d.digits);
    if (d.point > precision || d.point < -4)
        return ExponentForm(d, sep, 0);
    QString out;
    if (d.negative)
        out += QLatin1Char('-');
    if (d.point <= 0)
        out += QLatin1Char('0');
    for (int i = 0; i < d.point; ++i)
        out += QLatin1Char(DigitAt(d, i));
    const int n = int(d.digits.size());
    if (n > d.point) {
        out += sep;
        for (int i = d.point; i < n; ++i)
            out += QLatin1Char(DigitAt(d, i));
    }
    return out;
}

bool ReadNumber(const QString &text, QChar sep, long double &out)
{
    const int n = int(text.size());
    int i = 0, end = n;
    while (i < end && text[i].unicode() <= ' ')
        ++i;
    while (end > i && text[end - 1].unicode() <= ' ')
        --end;
    if (i == end || end - i > 4000)
        return false;
    std::string s;
    s.reserve(end - i);
    if (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))
        s.push_back(char(text[i++].unicode()));
    int mantissaDigits = 0;
    while (i < end && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
        s.push_back(char(text[i++].unicode()));
        ++mantissaDigits;
    }
    if (i < end && text[i] == sep) {
        s.push_back('.');
        ++i;
        while (i < end && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
            s.push_back(char(text[i++].unicode()));
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < end && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        s.push_back('e');
        ++i;
        if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            s.push_back(char(text[i++].unicode()));
        int expDigits = 0;
        while (i < end && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
            s.push_back(char(text[i++].unicode()));
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != end)
        return false;
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    long double v = strtold_l(s.c_str(), nullptr, cLocale);
    if (!std::isfinite(v))
        return false;
    out = v;
    return true;
}

bool ReadInteger(const QString &text, int32_t &out)
{
    const int n = int(text.size());
    int i = 0;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');
    if (i == n)
        return false;
    int64_t v = 0;
    for (; i < n; ++i) {
        const ushort c = text[i].unicode();
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > int64_t(1) << 31)
            return false;
    }
    if (negative)
        v = -v;
    if (v > INT32_MAX || v < INT32_MIN)
        return false;
    out = int32_t(v);
    return true;
}

QChar SystemDecimalSeparator()
{
    const QString p = QLocale::system().decimalPoint();
    return p.isEmpty() ? QLatin1Char('.') : p.at(0);
}

} // namespace numtext
