#pragma once
// File names as the program compares them, and the one way every file is saved.
#include <QByteArray>
#include <QString>

namespace fileio {

// The extension of a name as the program compares it: from the last point on, in upper
// case (".GRZ"); empty when the name has no point.
QString UpperExtension(const QString &fileName);

// The file name without its directory.
QString FileNamePart(const QString &fileName);

// Writes the whole file or nothing: an existing file is left intact on failure.
bool WriteFileAtomically(const QString &fileName, const QByteArray &bytes, QString &error);

} // namespace fileio
