#pragma once
// Handing a sample or the report to another program through a file in the program's
// directory, and the choice of the program that opens it.
#include "samples/SampleData.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <functional>

namespace exportfiles {

// The directory of the running executable, with a trailing separator.
QString ProgramDirectory();
// dir + "TempFile.txt", dir + "TempFile.rtf".
QString SpreadsheetFileName(const QString &programDir);
QString ReportFileName(const QString &programDir);

// One line per element: the size in the table's form (Fixed6), TAB, the count, CR LF.
// An empty sample gives an empty text.
QByteArray SpreadsheetText(const TSampleData &data, QChar sep);

enum class Target { Spreadsheet, WordProcessor };

struct Launch {
    QString program;
    QStringList arguments; // each one argument, so blanks in the path need no quoting
};

// LibreOffice ("--calc" or "--writer" FILE) when `libreOffice` names it (found on PATH),
// otherwise the desktop's opener `opener` (xdg-open FILE); no program when both are empty.
Launch ChooseLauncher(Target target, const QString &file, const QString &libreOffice, const QString &opener);
// The same with PATH searched for "libreoffice" and "xdg-open".
Launch ChooseLauncher(Target target, const QString &file);

// Starts the program without waiting for it; false when there is none or it could not be
// started (what it does with the file is not examined). Tests install a starter that
// records the launch instead.
bool Start(const Launch &launch);
void SetStarter(std::function<bool(const Launch &)> starter);

// The message when no program took the hand-over file.
QString NotStartedText(const QString &file);

} // namespace exportfiles
