#pragma once
// The small commands of a sample window: delete and insert rows, the figures of the
// sample, the user function, and the table's clipboard text.
#include "samples/SampleData.h"
#include "samples/SampleTable.h"

#include <QString>
#include <QStringList>

namespace tableops {

// r is the current row, counted from 1.
void DeleteRow(TSampleData &d, int r);
void InsertRow(TSampleData &d, int r);

// The count-weighted mean: products summed in the 6-byte form, rounded after each
// addition; raises MathError when the counts add up to 0.
long double WeightedMean(const TSampleData &d);
long double SumOfSizes(const TSampleData &d);
uint16_t SumOfCounts(const TSampleData &d);
long double MinSize(const TSampleData &d);
long double MaxSize(const TSampleData &d);

enum class Figure { Mean, Sum, Min, Max };
// The memo lines of one figure button.
QStringList FigureLines(const TSampleData &d, Figure f, QChar sep);

// The user function: drops the smallest and the largest size and gives the mean of the
// rest. Lines are appended to `lines` as they are made, so a failing mean leaves the first
// two in place; the failure itself is raised as MathError.
void UserFunctionLines(TSampleData d, QChar sep, QStringList &lines);

// Size TAB count LF per row, from row 1 until the first row with both cells empty.
QString CopyText(const SampleTable &t);

struct PasteResult {
    int rows = 0;              // table rows written
    bool linesLeftOut = false; // the text has lines beyond the table's last row
};
// Fills cells from row 1, column 1: TAB switches column, LF goes to the next row, CR is
// ignored; a line end at the very end of the text closes the last line and writes
// nothing. Reading stops at the table's last row.
PasteResult PasteText(SampleTable &t, QStringView text);

} // namespace tableops
