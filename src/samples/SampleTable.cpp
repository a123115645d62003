#include "samples/SampleTable.h"
#include "base/Errors.h"
#include "base/NumberForms.h"

SampleTable::SampleTable() : sizes_(Rows), counts_(Rows) {}

void SampleTable::ClearData()
{
    for (int r = 0; r < Rows; ++r) {
        sizes_[size_t(r)].clear();
        counts_[size_t(r)].clear();
    }
}

bool CountOutOfRange(const QString &text)
{
    int i = 0;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    if (i == text.size())
        return false;
    for (int k = i; k < text.size(); ++k)
        if (text[k] < QLatin1Char('0') || text[k] > QLatin1Char('9'))
            return false;
    int32_t n = 0;
    return !numtext::ReadInteger(text, n) || n < 0 || n > 65535;
}

SampleEnd SampleTable::Read(TSampleData *data, QChar sep) const
{
    SampleEnd end;
    end.reason = SampleEnd::Full;
    end.row0 = Rows;
    for (int r = 0; r < Rows; ++r) {
        const QString &size = sizes_[size_t(r)];
        const QString &count = counts_[size_t(r)];
        long double v = 0;
        Real48 stored;
        SampleEnd::Reason why = SampleEnd::Full;
        if (!numtext::ReadNumber(size, sep, v)) {
            why = size.trimmed().isEmpty() ? SampleEnd::NoSize : SampleEnd::NotANumber;
        } else {
            try {
                stored = ExtToReal48(v);
            } catch (const MathError &) {
                if (data)
                    throw;
                why = SampleEnd::TooLarge;
            }
            if (why == SampleEnd::Full && CountOutOfRange(count))
                why = SampleEnd::CountOutOfRange;
        }
        if (why != SampleEnd::Full) {
            end.row0 = r;
            end.reason = why;
            break;
        }
        if (data) {
            data->D[r] = stored;
            int32_t n = 0;
            data->N[r] = numtext::ReadInteger(count, n) ? uint16_t(n) : 1;
        }
    }
    if (data)
        data->Count = uint16_t(end.row0);
    for (int r = Rows - 1; r >= end.row0 && !end.leavesRows; --r)
        end.leavesRows = !sizes_[size_t(r)].trimmed().isEmpty() || !counts_[size_t(r)].trimmed().isEmpty();
    return end;
}

void SampleTable::GetData(TSampleData &data, QChar sep) const
{
    Read(&data, sep);
}

SampleEnd SampleTable::FindEnd(QChar sep) const
{
    return Read(nullptr, sep);
}

void SampleTable::SetData(const TSampleData &data, QChar sep)
{
    ClearData();
    const int count = std::min<int>(data.Count, Rows);
    for (int r = 0; r < count; ++r) {
        sizes_[size_t(r)] = numtext::Fixed6(data.Size(r), sep);
        counts_[size_t(r)] = QString::number(data.N[r]);
    }
}
