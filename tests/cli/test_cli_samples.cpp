// grizal2-cli show, txt and merge, run as a user runs them.
#include "../CliRun.h"
#include "base/Files.h"
#include "samples/DataFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

CliRun Cli(const QStringList &args, const char *locale = "C") { return RunCli(args, locale); }

class CliSamples : public ::testing::Test {
protected:
    QString Grz(const QString &name, std::initializer_list<std::pair<double, int>> elems)
    {
        auto d = std::make_unique<TSampleData>();
        for (auto [s, n] : elems) {
            d->SetSize(d->Count, s);
            d->N[d->Count++] = uint16_t(n);
        }
        QString error;
        const QString path = dir.filePath(name);
        EXPECT_TRUE(fileio::WriteFileAtomically(path, datafiles::EncodeGrz(*d), error));
        return path;
    }
    QByteArray Bytes(const QString &name)
    {
        QFile f(name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(CliSamples, ShowInBothLocalesAndRaw)
{
    const QString f = Grz("a.grz", {{12.3456, 2}, {0.12345, 1}, {1234567, 7}});
    EXPECT_EQ(Cli({"show", f}).out, "1\t12.346\t2\n2\t0.123\t1\n3\t1.23457E006\t7\n");
    EXPECT_EQ(Cli({"show", f}, "ru_RU.UTF-8").out, "1\t12,346\t2\n2\t0,123\t1\n3\t1,23457E006\t7\n");
    // Raw: the value read back from the table's text, shortest round-trip form, always '.'.
    const CliRun raw = Cli({"show", "--raw", f}, "ru_RU.UTF-8");
    EXPECT_EQ(raw.code, 0);
    EXPECT_TRUE(raw.out.startsWith("1\t12.346")) << raw.out.toStdString();
    EXPECT_TRUE(raw.out.contains("\n3\t1234570\t7\n")) << raw.out.toStdString();
}

TEST_F(CliSamples, TxtWritesWhatSavingTheOpenedFileWrites)
{
    const QString f = Grz("a.grz", {{12.5, 3}, {12.3456, 1}});
    const QString out = dir.filePath("a.txt");
    ASSERT_EQ(Cli({"txt", f, out}, "ru_RU.UTF-8").code, 0);
    EXPECT_EQ(Bytes(out), QByteArray("12,5\t3\r\n12,346000000005\t1\r\n"));
}

TEST_F(CliSamples, MergeCapsAtTenThousand)
{
    auto big = std::make_unique<TSampleData>();
    big->Count = 7000;
    for (int k = 0; k < 7000; ++k) {
        big->SetSize(k, k + 1);
        big->N[k] = 1;
    }
    QString error;
    const QString a = dir.filePath("a.grz"), b = dir.filePath("b.grz");
    fileio::WriteFileAtomically(a, datafiles::EncodeGrz(*big), error);
    fileio::WriteFileAtomically(b, datafiles::EncodeGrz(*big), error);
    const QString out = dir.filePath("m.grz");
    ASSERT_EQ(Cli({"merge", a, b, b, "-o", out}).code, 0);
    TSampleData m;
    ASSERT_TRUE(datafiles::DecodeGrz(Bytes(out), m));
    EXPECT_EQ(m.Count, 10000);
    EXPECT_EQ(m.Size(9999), 3000.0L);
}

TEST_F(CliSamples, FailuresAndUsage)
{
    const QString bad = dir.filePath("bad.grz");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("broken");
    f.close();
    const CliRun r = Cli({"show", bad});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(bad));
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(Cli({"show"}).code, 2);
    EXPECT_EQ(Cli({"frobnicate"}).code, 2);
    EXPECT_EQ(Cli({"merge", bad}).code, 2); // no -o
    EXPECT_EQ(Cli({"--help"}).code, 0);
    // A failed write leaves the old file as it was.
    const QString good = Grz("g.grz", {{1, 1}});
    EXPECT_EQ(Cli({"txt", good, dir.filePath("no/such/dir/x.txt")}).code, 1);
}

TEST_F(CliSamples, GroupModesAndFailures)
{
    const QString f = Grz("g.grz", {{10, 5}, {20, 6}, {30, 7}});
    const QString out = dir.filePath("out.grz");
    ASSERT_EQ(Cli({"group", f, "--intervals", "2", "-o", out}).code, 0);
    EXPECT_EQ(Cli({"show", out}).out, "1\t20.000\t11\n2\t30.000\t7\n");
    ASSERT_EQ(Cli({"group", f, "--particles", "2", "-o", out}).code, 0);
    EXPECT_EQ(Cli({"show", out}, "ru_RU.UTF-8").out, "1\t20,000\t2\n");
    // A failing mode says so and still saves the sample as it stands.
    const QString uns = Grz("u.grz", {{3, 30}, {1, 10}, {2, 20}});
    const CliRun r = Cli({"group", uns, "--particles", "0", "-o", out});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err.trimmed(), "Невозможно сгруппировать данные");
    EXPECT_EQ(Cli({"show", out}).out, "1\t1.000\t10\n2\t2.000\t20\n3\t3.000\t30\n");
    EXPECT_EQ(Cli({"group", f, "--length", "x", "-o", out}).err.trimmed(), "Невозможно сгруппировать данные");
    // An empty sample cannot get proposed values: the command ends there.
    const QString empty = Grz("e.grz", {});
    const CliRun e = Cli({"group", empty, "--intervals", "2", "-o", dir.filePath("never.grz")});
    EXPECT_EQ(e.code, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("never.grz")));
    EXPECT_EQ(Cli({"group", f, "-o", out}).code, 2);
    EXPECT_EQ(Cli({"group", f, "--intervals", "2", "--particles", "2", "-o", out}).code, 2);
}

TEST_F(CliSamples, GenerateAsTheDialogDoes)
{
    const QString out = dir.filePath("gen.grz");
    const QStringList defaults = {"generate", "--law", "rosin", "--a", "3.26", "--b", "176", "--points", "1000",
                                  "--from", "0", "--to", "300", "-o", out};
    ASSERT_EQ(Cli(defaults).code, 0);
    const QStringList rows = Cli({"show", out}, "ru_RU.UTF-8").out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 32);
    EXPECT_EQ(rows[0], "1\t9,375\t0");
    EXPECT_EQ(rows[31], "32\t300,000\t2");
    QStringList bad = defaults;
    bad[12] = "0"; // end equal to start
    CliRun r = Cli(bad);
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.trimmed(), "Минимальный диаметр частиц должен быть меньше максимального");
    bad = defaults;
    bad[4] = "x";
    EXPECT_EQ(Cli(bad).err.trimmed(), "Неверно указаны параметры распределения");
    // A fault while computing still makes the (empty) sample.
    r = Cli({"generate", "--law", "lognormal", "--a", "0", "--b", "3", "--points", "100", "--from", "0", "--to",
             "30", "-o", out});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err.trimmed(), "Невозможно сформировать выборку при указанных параметрах");
    EXPECT_EQ(Cli({"show", out}).out, "");
}

TEST(GrzFuzz, RandomAndMutatedBytesNeverCrash)
{
    auto d = std::make_unique<TSampleData>();
    d->Count = 3;
    QByteArray base = datafiles::EncodeGrz(*d);
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int i = 0; i < 2000; ++i) {
        QByteArray b = base.left(int(16 + 8 * (next() % 10002)));
        for (int m = 0; m < 8; ++m)
            if (!b.isEmpty())
                b[int(next() % uint32_t(b.size()))] = char(next());
        TSampleData out;
        if (datafiles::DecodeGrz(b, out)) {
            EXPECT_LE(out.Count, (b.size() - 16) / 8);
        }
    }
}

} // namespace
