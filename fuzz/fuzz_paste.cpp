// Clipboard text pasted into a sample table, read into a sample and shown again.
#include "FuzzCommon.h"
#include "base/Errors.h"
#include "samples/TableOps.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QChar sep = data[0] & 1 ? QLatin1Char('.') : QLatin1Char(',');
    static SampleTable table; // ten thousand rows: made once
    table.ClearData();
    tableops::PasteText(table, QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)));
    tableops::CopyText(table);
    TSampleData d;
    try {
        table.GetData(d, sep);
    } catch (const MathError &) {
        return 0;
    }
    table.SetData(d, sep);
    return 0;
}
