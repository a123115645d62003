#include "base/NumberForms.h"

#include <QLocale>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <limits>
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

// FormatFixed without the decimal expansion, where the rounded value fits 64 bits: the
// value is M * 2^-s exactly, so M * 10^k is rounded half away from zero by one shift.
// A table of 10000 sizes is written in a sample window's every SetData, and printing 60
// digits of each dominated opening a file. Returns false where the general way is needed.
bool FastFixed(long double v, int P, int D, QChar sep, QString &out)
{
    if (!std::isfinite(v) || D > 18 || P > 18 || P < 1 || std::numeric_limits<long double>::digits != 64)
        return false;
    const long double a = std::fabs(v);
    if (a >= 1e18L)
        return false;
    int e2 = 0;
    const long double frac = std::frexp(a, &e2); // a = frac * 2^e2, frac in [0.5, 1)
    using U128 = unsigned __int128;
    const uint64_t m = uint64_t(frac * 0x1p64L); // exact: 64 mantissa bits
    const int s = 64 - e2;                               // a = m * 2^-s, s > 0 here
    if (a != 0 && s >= 128)
        return false; // below 2^-64: rare, left to the general way
    // point: the number of integer digits, or <= 0 below 1
    uint64_t whole = a == 0 ? 0 : (s >= 64 ? 0 : m >> s);
    int point = 0;
    for (uint64_t w = whole; w; w /= 10)
        ++point;
    if (point == 0 && D > P)
        return false; // the leading zeros after the point would count
    if (point > P)
        return false; // exponent form
    const int k = std::min(D, P - point);
    U128 pow10k = 1;
    for (int i = 0; i < k; ++i)
        pow10k *= 10;
    uint64_t r = 0;
    if (a != 0) {
        const U128 n = U128(m) * pow10k;
        const U128 q = n >> s;
        const U128 rem = n - (q << s);
        r = uint64_t(q) + (rem >= (U128(1) << (s - 1)) ? 1 : 0);
    }
    U128 limit = pow10k; // rounding up to 10^P integer digits becomes the exponent form
    for (int i = 0; i < P; ++i)
        limit *= 10;
    if (r >= limit)
        return false;
    char digits[24];
    int n = 0;
    for (uint64_t t = r; t; t /= 10)
        digits[n++] = char('0' + t % 10); // least significant first
    while (n <= k)
        digits[n++] = '0'; // at least one integer digit
    char16_t text[48];
    int len = 0;
    if (r != 0 && std::signbit(v))
        text[len++] = u'-';
    for (int i = n - 1; i >= k; --i)
        text[len++] = char16_t(digits[i]);
    if (D > 0) {
        text[len++] = sep.unicode();
        for (int i = k - 1; i >= 0; --i)
            text[len++] = char16_t(digits[i]);
        for (int i = k; i < D; ++i)
            text[len++] = u'0';
    }
    out = QString(reinterpret_cast<const QChar *>(text), len);
    return true;
}

} // namespace

QString FormatFixed(long double v, int P, int D, QChar sep)
{
    QString fast;
    if (FastFixed(v, P, D, sep, fast))
        return fast;
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
    const bool negative = text[i] == QLatin1Char('-');
    if (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))
        s.push_back(char(text[i++].unicode()));
    int mantissaDigits = 0, fractionDigits = 0;
    uint64_t mantissa = 0;
    bool exact = true; // the digits, read as one integer, fit 64 bits
    const auto digit = [&](QChar c) {
        s.push_back(char(c.unicode()));
        ++mantissaDigits;
        if (mantissa > (UINT64_MAX - 9) / 10)
            exact = false;
        else
            mantissa = mantissa * 10 + (c.unicode() - '0');
    };
    while (i < end && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
        digit(text[i++]);
    if (i < end && text[i] == sep) {
        s.push_back('.');
        ++i;
        while (i < end && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
            digit(text[i++]);
            ++fractionDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    // A table's "12,345": an integer and a power of ten both exact in the extended format,
    // so one division rounds once, exactly as strtold does, at a fraction of its cost.
    if (i == end && exact && fractionDigits <= 27 && std::numeric_limits<long double>::digits >= 64) {
        long double pow10 = 1;
        for (int k = 0; k < fractionDigits; ++k)
            pow10 *= 10;
        const long double v = static_cast<long double>(mantissa) / pow10;
        out = negative ? -v : v;
        return true;
    }
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
