#include "samples/Export.h"
#include "base/NumberForms.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace exportfiles {

QString ProgramDirectory()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString SpreadsheetFileName(const QString &programDir) { return programDir + QStringLiteral("TempFile.txt"); }
QString ReportFileName(const QString &programDir) { return programDir + QStringLiteral("TempFile.rtf"); }

QByteArray SpreadsheetText(const TSampleData &data, QChar sep)
{
    QByteArray out;
    for (int k = 0; k < data.Count; ++k) {
        out += numtext::Fixed6(data.Size(k), sep).toLatin1();
        out += '\t';
        out += QByteArray::number(data.N[k]);
        out += "\r\n";
    }
    return out;
}

Launch ChooseLauncher(Target target, const QString &file, const QString &libreOffice)
{
    if (!libreOffice.isEmpty())
        return {libreOffice,
                {target == Target::Spreadsheet ? QStringLiteral("--calc") : QStringLiteral("--writer"), file}};
    return {QStringLiteral("xdg-open"), {file}};
}

Launch ChooseLauncher(Target target, const QString &file)
{
    return ChooseLauncher(target, file, QStandardPaths::findExecutable(QStringLiteral("libreoffice")));
}

namespace {
std::function<void(const Launch &)> &Starter()
{
    static std::function<void(const Launch &)> starter;
    return starter;
}
} // namespace

void SetStarter(std::function<void(const Launch &)> starter)
{
    Starter() = std::move(starter);
}

void Start(const Launch &launch)
{
    if (Starter()) {
        Starter()(launch);
        return;
    }
    QProcess::startDetached(launch.program, launch.arguments);
}

} // namespace exportfiles
