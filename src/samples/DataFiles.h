#pragma once
// The sample data files: the binary ".GRZ" file (read and written) and the text ".TXT"
// file (written only).
#include "samples/SampleData.h"

#include <QString>

namespace datafiles {

// Reads a ".GRZ" file. On failure returns false and puts a message naming the file into
// `error`; `out` is then unchanged.
bool ReadGrz(const QString &fileName, TSampleData &out, QString &error);
// The same check and decoding on bytes already in memory.
bool DecodeGrz(const QByteArray &bytes, TSampleData &out);

// The 80016-byte image of the whole record.
QByteArray EncodeGrz(const TSampleData &data);
// Each element as "size TAB count CR LF", the size in the general form.
QByteArray EncodeTxt(const TSampleData &data, QChar sep);
// What saving a sample writes into `fileName`, by its extension: ".GRZ" the record, ".TXT"
// the text. False for any other extension: such a file is not written.
bool EncodeForFile(const QString &fileName, const TSampleData &data, QChar sep, QByteArray &bytes);

} // namespace datafiles
