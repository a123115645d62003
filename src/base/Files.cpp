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

bool WriteFileAtomically(const QString &fileName, const QByteArray &bytes, QString &error)
{
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        error = QStringLiteral("Не удается записать файл \"%1\"").arg(fileName);
        return false;
    }
    return true;
}

} // namespace fileio
