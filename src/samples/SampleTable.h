#pragma once
// The texts of a sample window's table: 10000 rows of a size text and a count text.
// The table is the only store of a sample; GetData and SetData convert to and from
// the record.
#include "samples/SampleData.h"

#include <QString>
#include <vector>

class SampleTable {
public:
    static constexpr int Rows = TSampleData::Capacity;

    SampleTable();

    const QString &SizeText(int row0) const { return sizes_[size_t(row0)]; }
    const QString &CountText(int row0) const { return counts_[size_t(row0)]; }
    void SetSizeText(int row0, const QString &t) { sizes_[size_t(row0)] = t; }
    void SetCountText(int row0, const QString &t) { counts_[size_t(row0)] = t; }

    // Empties the size and count cells of every row.
    void ClearData();
    // Count is the number of leading rows whose size cell holds a number; a count cell that
    // is not an integer means one particle. Only Count and elements 1..Count are written.
    // Raises MathError when a size is too large for the 6-byte form.
    void GetData(TSampleData &data, QChar sep) const;
    // Clears the table and writes elements 1..Count: sizes in Fixed6, counts as integers.
    void SetData(const TSampleData &data, QChar sep);

private:
    std::vector<QString> sizes_;
    std::vector<QString> counts_;
};
