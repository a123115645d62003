#include "samples/SampleTable.h"
#include "base/NumberForms.h"

SampleTable::SampleTable() : sizes_(Rows), counts_(Rows) {}

void SampleTable::ClearData()
{
    for (int r = 0; r < Rows; ++r) {
        sizes_[size_t(r)].clear();
        counts_[size_t(r)].clear();
    }
}

void SampleTable::GetData(TSampleData &data, QChar sep) const
{
    for (int r = 0; r < Rows; ++r) {
        long double v = 0;
        if (!numtext::ReadNumber(sizes_[size_t(r)], sep, v)) {
            data.Count = uint16_t(r);
            return;
        }
        data.SetSize(r, v);
        int32_t n = 0;
        data.N[r] = numtext::ReadInteger(counts_[size_t(r)], n) ? uint16_t(uint32_t(n) & 0xFFFF) : 1;
    }
    data.Count = Rows;
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
