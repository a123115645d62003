#pragma once
// The sample data files: the binary ".GRZ" file (read and written) and the text ".TXT"
// file (written only).
#include "samples/SampleData.h"

#include <QString>

namespace datafiles {

// The extension of a name as the program compares it: from the last point on, in upper
// case (".GRZ"); empty when the name has no point.
QString UpperExtension(const QString &fileName);

// The file name without its directory.
QString FileNamePart(const QString &fileName);

// Reads a ".GRZ" file. On failure returns false and puts a message naming the file into
// `error`; `out` is then unchanged.
bool ReadGrz(const QString &fileName, TSampleData &out, QString &error);
// The same check and decoding on bytes already in memory.
bool DecodeGrz(const QByteArray &bytes, TSampleData &out);

// The 80016-byte image of the whole record.
QByteArray EncodeGrz(const TSampleData &data);
// Each element as "size TAB count CR LF", the size in the general form.
QByteArray EncodeTxt(const TSampleData &data, QChar sep);

// Writes the whole file or nothing: an existing file is left intact on failure.
bool WriteFileAtomically(const QString &fileName, const QByteArray &bytes, QString &error);

} // namespace datafiles
