// The hand-over files and the choice of the program that opens them.
#include "samples/Export.h"

#include <gtest/gtest.h>
#include <memory>

using namespace exportfiles;

TEST(Export, SpreadsheetText)
{
    auto d = std::make_unique<TSampleData>();
    EXPECT_TRUE(SpreadsheetText(*d, ',').isEmpty());
    d->SetSize(0, 12.5L);
    d->N[0] = 3;
    d->SetSize(1, 7);
    d->N[1] = 1;
    d->Count = 2;
    EXPECT_EQ(SpreadsheetText(*d, ','), QByteArray("12,500\t3\r\n7,000\t1\r\n"));
    EXPECT_EQ(SpreadsheetText(*d, '.'), QByteArray("12.500\t3\r\n7.000\t1\r\n"));
    d->SetSize(0, 1234567);
    d->N[0] = 65535;
    d->Count = 1;
    EXPECT_EQ(SpreadsheetText(*d, ','), QByteArray("1,23457E006\t65535\r\n"));
}

TEST(Export, FileNamesAndLaunchers)
{
    const QString dir = QStringLiteral("/opt/my programs/grizal2/");
    EXPECT_EQ(SpreadsheetFileName(dir), dir + "TempFile.txt");
    EXPECT_EQ(ReportFileName(dir), dir + "TempFile.rtf");
    const QString file = ReportFileName(dir);
    Launch l = ChooseLauncher(Target::WordProcessor, file, "/usr/bin/libreoffice", "/usr/bin/xdg-open");
    EXPECT_EQ(l.program, "/usr/bin/libreoffice");
    EXPECT_EQ(l.arguments, (QStringList{"--writer", file})); // the blank stays inside one argument
    l = ChooseLauncher(Target::Spreadsheet, SpreadsheetFileName(dir), "/usr/bin/libreoffice", QString());
    EXPECT_EQ(l.arguments, (QStringList{"--calc", SpreadsheetFileName(dir)}));
    l = ChooseLauncher(Target::Spreadsheet, file, QString(), "/usr/bin/xdg-open");
    EXPECT_EQ(l.program, "/usr/bin/xdg-open");
    EXPECT_EQ(l.arguments, QStringList{file});
    l = ChooseLauncher(Target::Spreadsheet, file, QString(), QString());
    EXPECT_FALSE(Start(l)); // nothing to start: the window says where the file is
    EXPECT_EQ(l.arguments, QStringList{file});
}
