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

bool WriteFileAtomically(const QString &fileName, const std::function<bool(QIODevice &)> &write, QString &error)
{
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || !write(f) || !f.commit()) {
        error = QStringLiteral("Не удается записать файл \"%1\"").arg(fileName);
        return false;
    }
    return true;
}

bool WriteFileAtomically(const QString &fileName, const QByteArray &bytes, QString &error)
{
    return WriteFileAtomically(
        fileName, [&bytes](QIODevice &f) { return f.write(bytes) == bytes.size(); }, error);
}

} // namespace fileio
