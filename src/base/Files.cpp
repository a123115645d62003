#include "base/Files.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>

namespace fileio {

QString UpperExtension(const QString &fileName)
{
    const int dot = int(fileName.lastIndexOf(QLatin1Char('.')));
    return dot < 0 ? QString() : fileName.mid(dot).toUpper();
}

QString FileNamePart(const QString &fileName)
{
    return QFileInfo(fileName).fileName();
}

QString CannotWrite(const QString &fileName)
{
    return QCoreApplication::translate("Files", "Не удается записать файл \"%1\"").arg(fileName);
}

QString CannotRead(const QString &fileName)
{
    return QCoreApplication::translate("Files", "Не удается прочитать изображение \"%1\"").arg(fileName);
}

namespace {
// QSaveFile keeps what is written in its buffer, and commit() does not report a buffer
// that could not be written (a full disk): it would put an empty file in place of the old
// one. So every write and the final flush are checked before the new file takes the old
// one's place. On Linux the new file has no name until it is complete, so a killed program
// leaves neither a half-written file nor a stray temporary one.
bool WriteChecked(const QString &fileName, QIODevice::OpenMode mode,
                  const std::function<bool(QIODevice &)> &write, QString &error)
{
    QSaveFile f(fileName);
    const bool written = f.open(QIODevice::WriteOnly | mode) && write(f) && f.flush()
                         && f.error() == QFileDevice::NoError;
    if (!written)
        f.cancelWriting();
    if (!written || !f.commit()) {
        error = CannotWrite(fileName);
        return false;
    }
    return true;
}
} // namespace

bool WriteFileAtomically(const QString &fileName, const std::function<bool(QIODevice &)> &write, QString &error)
{
    return WriteChecked(fileName, {}, write, error);
}

bool WriteFileAtomically(const QString &fileName, const QByteArray &bytes, QString &error)
{
    // One large write needs no buffer: unbuffered, it goes straight to the file.
    return WriteChecked(
        fileName, QIODevice::Unbuffered, [&bytes](QIODevice &f) { return f.write(bytes) == bytes.size(); }, error);
}

} // namespace fileio
