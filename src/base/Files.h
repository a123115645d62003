#pragma once
// File names as the program compares them, and the one way every file is saved.
#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

namespace fileio {

// The extension of a name as the program compares it: from the last point on, in upper
// case (".GRZ"); empty when the name has no point.
QString UpperExtension(const QString &fileName);

// The file name without its directory.
QString FileNamePart(const QString &fileName);

// The message of a file that could not be written; it names the file.
QString CannotWrite(const QString &fileName);
// The message of a picture file that could not be read; it names the file.
QString CannotRead(const QString &fileName);

// Writes the whole file or nothing: an existing file is left intact on failure, a full
// disk included, and `error` names the file.
bool WriteFileAtomically(const QString &fileName, const QByteArray &bytes, QString &error);
// The same for content written straight to the file by `write`, which returns false when
// it fails; large files need not be held in memory first.
bool WriteFileAtomically(const QString &fileName, const std::function<bool(QIODevice &)> &write, QString &error);

} // namespace fileio
