// grizal2-cli functions and apply-function with the example library beside the tool.
#include "../CliRun.h"

#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

CliRun Cli(const QString &program, const QStringList &args, const char *locale = "C")
{
    return RunProgram(program, args, CliEnvironment(locale));
}

const QString kCli = kCliProgram;

class CliFunctions : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(QStringLiteral(GRIZAL2_BIN_DIR "/libG2AddFunctions.so")))
            GTEST_SKIP() << "the example library is not built";
        QImage img(4, 2, QImage::Format_RGB888);
        img.fill(QColor(10, 20, 30));
        img.setPixelColor(0, 0, QColor(0, 0, 0));
        input = dir.filePath("in.png");
        ASSERT_TRUE(img.save(input));
    }
    QTemporaryDir dir;
    QString input;
};

} // namespace

TEST_F(CliFunctions, ListsTheLibrarysFunctions)
{
    const CliRun r = Cli(kCli, {"functions"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith(QString::fromUtf8("0\tСредняя яркость\n1\t"))) << r.out.toStdString();
    EXPECT_EQ(r.out.count('\n'), 4);
    EXPECT_EQ(r.err, "");
}

TEST_F(CliFunctions, AppliesAndWritesTheChangedImage)
{
    // Mean brightness: 7 pixels of 20 and one of 0.
    EXPECT_EQ(Cli(kCli, {"apply-function", input, "0"}, "ru_RU.UTF-8").out, "17,5\n");
    EXPECT_EQ(Cli(kCli, {"apply-function", input, "0"}).out, "17.5\n");
    const QString out = dir.filePath("neg.png");
    const CliRun r = Cli(kCli, {"apply-function", input, "3", "-o", out});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "8\n");
    QImage back(out);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(back.pixel(3, 1), qRgb(245, 235, 225));
}

TEST_F(CliFunctions, BadInputsFailCleanly)
{
    EXPECT_EQ(Cli(kCli, {"apply-function", input, "4"}).code, 2);
    EXPECT_EQ(Cli(kCli, {"apply-function", input, "-1"}).code, 2);
    EXPECT_EQ(Cli(kCli, {"apply-function", input, "x"}).code, 2);
    EXPECT_EQ(Cli(kCli, {"apply-function", input}).code, 2);
    const CliRun missing = Cli(kCli, {"apply-function", dir.filePath("none.png"), "0"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, QString::fromUtf8("Файл не найден!\n"));
    const QString junk = dir.filePath("junk.png");
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("garbage");
    f.close();
    EXPECT_EQ(Cli(kCli, {"apply-function", junk, "0"}).code, 1);
    // An output type that cannot be written leaves no file.
    EXPECT_EQ(Cli(kCli, {"apply-function", input, "0", "-o", dir.filePath("x.emf")}).code, 1);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("x.emf")));
}

TEST_F(CliFunctions, WithoutTheLibraryThereAreNoFunctions)
{
    // A copy of the tool in a folder without the library.
    QTemporaryDir lone;
    const QString copy = lone.filePath("grizal2-cli");
    ASSERT_TRUE(QFile::copy(kCli, copy));
    const CliRun list = Cli(copy, {"functions"});
    EXPECT_EQ(list.code, 0);
    EXPECT_EQ(list.out, "");
    EXPECT_EQ(list.err, QString::fromUtf8("Не удается найти G2AddFunctions.dll\n"));
    EXPECT_EQ(Cli(copy, {"apply-function", input, "0"}).code, 2);
}
