// grizal2-cli batch, run as a user runs it.
#include "../CliRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CliBatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Large and small pictures by turns, so that threads finish them out of order; a file
        // of another type is not a picture of the folder.
        const QString coins = GRIZAL2_TEST_DATA "/imaging/coins.png", gravel = GRIZAL2_TEST_DATA "/particles/gravel.png";
        ASSERT_TRUE(QDir().mkpath(dir.filePath("in")));
        int k = 0;
        for (const QString &from : {gravel, coins, gravel, coins, gravel})
            ASSERT_TRUE(QFile::copy(from, In(QStringLiteral("%1 grain, %2.png").arg(k++).arg(from == coins ? "c" : "g"))));
        Put(In("notes.txt"), "not a picture");
        Put(Recipe(), "# touching grains split\n--median 3x3\n--separate --min-area 20 # no specks\n--kpix 0.25\n");
    }
    QString In(const QString &name) const { return dir.filePath("in/" + name); }
    QString Recipe() const { return dir.filePath("recipe.txt"); }
    static void Put(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray Bytes(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }
    CliRun Batch(const QString &out, const QStringList &more = {}, const char *locale = "C")
    {
        return RunCli(QStringList{"batch", "--recipe", Recipe(), "-o", dir.filePath(out)} + more, locale);
    }
    QTemporaryDir dir;
};

TEST_F(CliBatch, FourOutputsAsParticlesAndFitMakeThem)
{
    const CliRun run = Batch("out", {dir.filePath("in")}, "ru_RU.UTF-8");
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith("[1/5] 0 grain, g.png: ")) << run.err.toStdString();
    EXPECT_EQ(run.err.count('\n'), 5);

    // Every picture's rows are those of `particles` with the same options, after its name.
    const QList<QByteArray> summary = Bytes(dir.filePath("out/summary.csv")).split('\n');
    ASSERT_EQ(summary.size(), 7);
    EXPECT_EQ(summary[0], "file,particles,d10,d50,d90\r");
    QByteArray rows;
    int total = 0;
    for (int k = 0; k < 5; ++k) {
        const QString name = QStringLiteral("%1 grain, %2.png").arg(k).arg(k % 2 ? "c" : "g");
        const CliRun one = RunCli({"particles", In(name), "--median", "3x3", "--separate", "--min-area", "20",
                                   "--kpix", "0.25", "--csv", dir.filePath("one.csv")});
        ASSERT_EQ(one.code, 0) << one.err.toStdString();
        const QList<QByteArray> own = Bytes(dir.filePath("one.csv")).split('\n');
        for (int i = 1; i + 1 < own.size(); ++i)
            rows += '"' + name.toUtf8() + "\"," + own[i] + '\n';
        EXPECT_TRUE(summary[k + 1].startsWith('"' + name.toUtf8() + "\"," + QByteArray::number(own.size() - 2) + ','))
            << summary[k + 1].toStdString();
        total += int(own.size()) - 2;
    }
    EXPECT_EQ(Bytes(dir.filePath("out/particles.csv")),
              "file,id,x,y,area_px,area,ecd,perimeter,feret_max,feret_min,feret_angle,aspect,circularity,"
              "touches_border\r\n" + rows);

    // fit.txt: how it was made, then what `fit` prints of sample.grz.
    const CliRun fit = RunCli({"fit", dir.filePath("out/sample.grz")}, "ru_RU.UTF-8");
    ASSERT_EQ(fit.code, 0) << fit.err.toStdString();
    EXPECT_TRUE(fit.out.startsWith(QStringLiteral("n\t%1\n").arg(total))) << fit.out.toStdString();
    EXPECT_EQ(QString::fromUtf8(Bytes(dir.filePath("out/fit.txt"))),
              "version\tgrizal2-cli " GRIZAL2_VERSION "\n"
              "recipe\t--median 3x3 --threshold otsu --objects dark --min-area 20 --separate --split 1 "
              "--connectivity 8 --kpix 0.25 --measure ecd\nimages\t5\n" + fit.out);
}

TEST_F(CliBatch, SameBytesWithAnyNumberOfJobs)
{
    QStringList images;
    for (const QString &name : QDir(dir.filePath("in")).entryList({"*.png"}))
        images << In(name) << In(name); // a picture named twice is measured twice
    ASSERT_EQ(Batch("one", QStringList{"--jobs", "1"} + images).code, 0);
    ASSERT_EQ(Batch("two", QStringList{"--jobs", "2"} + images).code, 0);
    ASSERT_EQ(Batch("three", QStringList{"--jobs", "3"} + images).code, 0);
    for (const char *name : {"particles.csv", "summary.csv", "sample.grz", "fit.txt"}) {
        const QByteArray one = Bytes(dir.filePath(QStringLiteral("one/") + name));
        EXPECT_GT(one.size(), 100) << name;
        EXPECT_EQ(Bytes(dir.filePath(QStringLiteral("two/") + name)), one) << name;
        EXPECT_EQ(Bytes(dir.filePath(QStringLiteral("three/") + name)), one) << name;
    }
}

TEST_F(CliBatch, UnreadablePicturesAreNamedAndSkipped)
{
    Put(In("1b broken.png"), "\x89PNG but no more");
    const CliRun run = Batch("out", {dir.filePath("in")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains("skipped \"1b broken.png\": ")) << run.err.toStdString();
    const QList<QByteArray> summary = Bytes(dir.filePath("out/summary.csv")).split('\n');
    ASSERT_EQ(summary.size(), 7); // the five pictures that were read
    EXPECT_TRUE(summary[2].startsWith("\"1 grain, c.png\",")) << summary[2].toStdString();
    EXPECT_TRUE(Bytes(dir.filePath("out/fit.txt")).contains("images\t5\n"));

    // Nothing measured: no sample to fit, and the fit of an earlier run is not left to pass for this one's.
    const CliRun none = Batch("out", {In("1b broken.png"), In("missing.png")});
    EXPECT_EQ(none.code, 1);
    EXPECT_TRUE(none.err.contains("skipped \"" + In("missing.png") + "\": ")) << none.err.toStdString();
    EXPECT_EQ(Bytes(dir.filePath("out/summary.csv")), "file,particles,d10,d50,d90\r\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("out/fit.txt")));
}

TEST_F(CliBatch, BadRecipesAndArguments)
{
    Put(Recipe(), "--median 3x3\n--negative --threshold 120\n");
    const CliRun bad = Batch("out", {dir.filePath("in")});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.err.contains("recipe.txt, line 2, word 2: --threshold takes otsu or a percentage from 0 to 100"))
        << bad.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("out")));
    Put(Recipe(), "--negative\n");
    EXPECT_EQ(Batch("out", {dir.filePath("in"), "--jobs", "0"}).code, 2);
    EXPECT_EQ(Batch("out", {}).code, 2);
    EXPECT_EQ(RunCli({"batch", "--recipe", dir.filePath("none.txt"), "-o", dir.filePath("out"), dir.filePath("in")}).code, 1);
    EXPECT_EQ(Batch("out", {dir.filePath("out-of-nothing")}).code, 1); // neither a folder nor a picture
}

} // namespace
