#include "samples/TableOps.h"
#include "base/Errors.h"
#include "base/NumberForms.h"

#include <QCoreApplication>

#include <algorithm>

namespace tableops {

namespace {

void RemoveAt(TSampleData &d, int i0)
{
    for (int k = i0; k + 1 < d.Count; ++k) {
        d.D[k] = d.D[k + 1];
        d.N[k] = d.N[k + 1];
    }
    --d.Count;
}

long double Divide(long double a, long double b)
{
    if (b == 0)
        throw MathError(a == 0 ? mathtext::Invalid : mathtext::ZeroDivide);
    return a / b;
}

int MinIndex(const TSampleData &d)
{
    int best = 0;
    for (int k = 1; k < d.Count; ++k)
        if (d.Size(k) < d.Size(best))
            best = k;
    return best;
}

int MaxIndex(const TSampleData &d)
{
    int best = 0;
    for (int k = 1; k < d.Count; ++k)
        if (d.Size(k) > d.Size(best))
            best = k;
    return best;
}

void RequireElements(const TSampleData &d)
{
    if (d.Count == 0)
        throw MathError(mathtext::Invalid);
}

} // namespace

void DeleteRow(TSampleData &d, int r)
{
    if (d.Count == 0)
        return;
    if (r >= 1 && r < d.Count)
        for (int k = r - 1; k + 1 < d.Count; ++k) {
            d.D[k] = d.D[k + 1];
            d.N[k] = d.N[k + 1];
        }
    d.D[d.Count - 1] = Real48();
    d.N[d.Count - 1] = 0;
    --d.Count;
}

void InsertRow(TSampleData &d, int r)
{
    if (d.Count >= TSampleData::Capacity)
        return;
    // A row further below than just after the last element appends at the end.
    const int at = std::clamp(r, 1, d.Count + 1) - 1;
    for (int k = d.Count; k > at; --k) {
        d.D[k] = d.D[k - 1];
        d.N[k] = d.N[k - 1];
    }
    d.D[at] = Real48();
    d.N[at] = 0;
    ++d.Count;
}

long double WeightedMean(const TSampleData &d)
{
    long double sum = 0;
    int32_t total = 0;
    for (int k = 0; k < d.Count; ++k) {
        sum = StoredValue(sum + d.Size(k) * d.N[k]);
        total += d.N[k];
    }
    return static_cast<double>(Divide(sum, total));
}

long double SumOfSizes(const TSampleData &d)
{
    long double sum = 0;
    for (int k = 0; k < d.Count; ++k)
        sum = StoredValue(sum + d.Size(k));
    return sum;
}

uint16_t SumOfCounts(const TSampleData &d)
{
    uint16_t sum = 0;
    for (int k = 0; k < d.Count; ++k)
        sum = uint16_t(sum + d.N[k]);
    return sum;
}

long double MinSize(const TSampleData &d)
{
    RequireElements(d);
    return d.Size(MinIndex(d));
}

long double MaxSize(const TSampleData &d)
{
    RequireElements(d);
    return d.Size(MaxIndex(d));
}

QStringList FigureLines(const TSampleData &d, Figure f, QChar sep)
{
    switch (f) {
    case Figure::Mean:
        return {QCoreApplication::translate("TableOps", "Среднее значение: ") + numtext::Fixed6(WeightedMean(d), sep)};
    case Figure::Sum:
        return {QCoreApplication::translate("TableOps", "Сумма значений: ") + numtext::Fixed6(SumOfSizes(d), sep),
                QCoreApplication::translate("TableOps", "Сумма количеств: ") + QString::number(SumOfCounts(d))};
    case Figure::Min:
        return {QCoreApplication::translate("TableOps", "Минимальное значение: ") + numtext::Fixed6(MinSize(d), sep)};
    case Figure::Max:
        return {QCoreApplication::translate("TableOps", "Максимальное значение: ") + numtext::Fixed6(MaxSize(d), sep)};
    }
    return {};
}

void UserFunctionLines(TSampleData d, QChar sep, QStringList &lines)
{
    const QString removed = QCoreApplication::translate("TableOps", " удалено");
    RequireElements(d);
    int i = MinIndex(d);
    const double smallest = double(d.Size(i));
    RemoveAt(d, i);
    lines << QCoreApplication::translate("TableOps", "Минимальное значение: ") + numtext::Fixed6(smallest, sep) +
                 removed;
    RequireElements(d);
    i = MaxIndex(d);
    const double largest = double(d.Size(i));
    RemoveAt(d, i);
    lines << QCoreApplication::translate("TableOps", "Максимальное значение: ") + numtext::Fixed6(largest, sep) +
                 removed;
    lines << QCoreApplication::translate("TableOps", "Среднее значение оставшихся: ") +
                 numtext::Fixed6(WeightedMean(d), sep);
}

QString CopyText(const SampleTable &t)
{
    QString out;
    for (int r = 0; r < SampleTable::Rows; ++r) {
        const QString &s = t.SizeText(r);
        const QString &n = t.CountText(r);
        if (s.isEmpty() && n.isEmpty())
            break;
        out += s;
        out += QLatin1Char('\t');
        out += n;
        out += QLatin1Char('\n');
    }
    return out;
}

PasteResult PasteText(SampleTable &t, QStringView text)
{
    PasteResult result;
    int row = 0, col = 1;
    bool afterLineEnd = false;
    QString collected;
    auto put = [&] {
        if (col == 1)
            t.SetSizeText(row, collected);
        else
            t.SetCountText(row, collected);
        collected.clear();
        result.rows = row + 1;
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u == 13)
            continue;
        if (u == 9) {
            put();
            col = col == 1 ? 2 : 1;
        } else if (u == 10) {
            put();
            col = 1;
            afterLineEnd = true;
            if (++row == SampleTable::Rows) {
                // Line ends alone (CRs, a last LF) are no lines left out.
                for (qsizetype k = i + 1; k < n && !result.linesLeftOut; ++k)
                    result.linesLeftOut = text[k] != QLatin1Char('\r') && text[k] != QLatin1Char('\n');
                return result;
            }
            continue;
        } else {
            collected += QChar(u);
        }
        afterLineEnd = false;
    }
    // The line end that closes the last line starts no new one.
    if (!afterLineEnd)
        put();
    return result;
}

} // namespace tableops
