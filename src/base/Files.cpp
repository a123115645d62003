#include "base/Files.h"

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
    return QStringLiteral("Не удается записать файл \"%1\"").arg(fileName);
}

bool WriteFileAtomically(const QString &fileName, const QByteArray &bytes, QString &error)
{
    // QSaveFile keeps a small file in its buffer until commit(), and commit() does not
    // report a buffer that could not be written (a full disk): it would put an empty file
    // in place of the old one. Unbuffered, every write says at once whether it landed.
    // On Linux the new file has no name until it is complete, so a killed program leaves
    // neither a half-written file nor a stray temporary one.
    QSaveFile f(fileName);
    const bool written = f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                         && f.write(bytes) == bytes.size() && f.flush() && f.error() == QFileDevice::NoError;
    if (!written) {
        f.cancelWriting();
        error = CannotWrite(fileName);
        return false;
    }
    if (!f.commit()) {
        error = CannotWrite(fileName);
        return false;
    }
    return true;
}

} // namespace fileio
