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

Launch ChooseLauncher(Target target, const QString &file, const QString &libreOffice, const QString &opener)
{
    if (!libreOffice.isEmpty())
        return {libreOffice,
                {target == Target::Spreadsheet ? QStringLiteral("--calc") : QStringLiteral("--writer"), file}};
    return {opener, {file}};
}

Launch ChooseLauncher(Target target, const QString &file)
{
    return ChooseLauncher(target, file, QStandardPaths::findExecutable(QStringLiteral("libreoffice")),
                          QStandardPaths::findExecutable(QStringLiteral("xdg-open")));
}

QString NotStartedText(const QString &file)
{
    return QCoreApplication::translate("Export", "Файл записан: %1\nПрограмма, которая его откроет, не найдена "
                                                 "(нет ни LibreOffice, ни xdg-open).")
        .arg(QDir::toNativeSeparators(file));
}

namespace {
std::function<bool(const Launch &)> &Starter()
{
    static std::function<bool(const Launch &)> starter;
    return starter;
}
} // namespace

void SetStarter(std::function<bool(const Launch &)> starter)
{
    Starter() = std::move(starter);
}

bool Start(const Launch &launch)
{
    if (Starter())
        return Starter()(launch);
    return !launch.program.isEmpty() && QProcess::startDetached(launch.program, launch.arguments);
}

} // namespace exportfiles
