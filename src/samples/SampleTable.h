#pragma once
// The texts of a sample window's table: 10000 rows of a size text and a count text.
// The table is the only store of a sample; GetData and SetData convert to and from
// the record.
#include "samples/SampleData.h"

#include <QString>
#include <vector>

// Where and why the sample read from a table stops.
struct SampleEnd {
    enum Reason {
        Full,         // all rows are elements
        NoSize,       // the size cell of the row is empty
        NotANumber,   // the size cell holds a text that is not a number
        TooLarge,     // the size is too large to store
        CountOutOfRange // the count cell holds an integer outside 0..65535
    };
    int row0 = 0;       // the first row that is not an element: the element count
    Reason reason = NoSize;
    // A filled cell in that row or below it: rows the sample leaves out.
    bool leavesRows = false;
    int column() const { return reason == CountOutOfRange ? 2 : 1; }
};

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
    // Count is the number of leading rows whose size cell holds a number and whose count
    // cell holds no integer outside 0..65535; a count cell that is not an integer means
    // one particle. Only Count and elements 1..Count are written.
    // Raises MathError when a size is too large for the 6-byte form.
    void GetData(TSampleData &data, QChar sep) const;
    // Where GetData stops, and why; never raises.
    SampleEnd FindEnd(QChar sep) const;
    // Clears the table and writes elements 1..Count: sizes in Fixed6, counts as integers.
    void SetData(const TSampleData &data, QChar sep);

private:
    // Reads rows until one is not an element; `data` may be null.
    SampleEnd Read(TSampleData *data, QChar sep) const;
    std::vector<QString> sizes_;
    std::vector<QString> counts_;
};

// A text of an optional sign and digits whose value lies outside 0..65535: a count that a
// 16-bit count cannot hold.
bool CountOutOfRange(const QString &text);
