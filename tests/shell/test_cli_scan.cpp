// grizal2-cli devices and scan against SANE's test backend.
#include "../CliRun.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CliScan : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(QStringLiteral("/usr/lib/x86_64-linux-gnu/sane/libsane-test.so.1")))
            GTEST_SKIP() << "SANE's test backend is not installed";
        QFile dll(QDir(dir.path()).filePath("dll.conf"));
        ASSERT_TRUE(dll.open(QIODevice::WriteOnly));
        dll.write("test\n");
        QFile conf(QDir(dir.path()).filePath("test.conf"));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write("number_of_devices 1\nresolution 50\nbr_x 20.0\nbr_y 10.0\n");
    }
    CliRun Cli(const QStringList &args)
    {
        QProcessEnvironment env = CliEnvironment();
        env.insert("SANE_CONFIG_DIR", dir.path());
        return RunProgram(kCliProgram, args, env);
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(CliScan, ListsAndScans)
{
    const CliRun list = Cli({"devices"});
    EXPECT_EQ(list.code, 0);
    EXPECT_TRUE(list.out.startsWith("test:0\tNoname frontend-tester")) << list.out.toStdString();
    EXPECT_EQ(list.out.count('\n'), 1);

    const QString out = QDir(dir.path()).filePath("scan.png");
    const CliRun scan = Cli({"scan", "--device", "test:0", "-o", out});
    EXPECT_EQ(scan.code, 0) << scan.err.toStdString();
    EXPECT_EQ(QImage(out).size(), QSize(39, 19));
}

TEST_F(CliScan, FailuresAreSilentButNotSuccess)
{
    const QString out = QDir(dir.path()).filePath("none.png");
    const CliRun r = Cli({"scan", "--device", "test:9", "-o", out});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "");
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(Cli({"scan"}).code, 2);
    EXPECT_EQ(Cli({"devices", "extra"}).code, 2);
}
