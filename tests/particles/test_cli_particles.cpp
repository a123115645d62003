// grizal2-cli particles, run as a user runs it.
#include "../CliRun.h"
#include "Shapes.h"
#include "samples/DataFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

CliRun Cli(const QStringList &args, const char *locale = "C") { return RunCli(QStringList{"particles"} + args, locale); }

class CliParticles : public ::testing::Test {
protected:
    void SetUp() override
    {
        QImage img = WhitePicture(120, 80);
        Shape{30, 30, 12, 12}.Draw(img);
        Shape{80, 40, 20, 10}.Draw(img);
        Shape{2, 70, 6, 6}.Draw(img); // on the left edge
        picture = dir.filePath("p.png");
        ASSERT_TRUE(img.save(picture));
    }
    QByteArray Bytes(const QString &name)
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
    QString picture;
};

} // namespace

TEST_F(CliParticles, CsvRowsInEitherLocale)
{
    const CliRun run = Cli({picture, "--kpix", "0.5", "--csv", dir.filePath("a.csv")}, "ru_RU.UTF-8");
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    const QList<QByteArray> lines = Bytes("a.csv").split('\n');
    ASSERT_EQ(lines.size(), 5); // header, three rows, nothing after the last CRLF
    EXPECT_EQ(lines[0], "id,x,y,area_px,area,ecd,perimeter,feret_max,feret_min,feret_angle,aspect,circularity,"
                        "touches_border\r");
    EXPECT_TRUE(lines[4].isEmpty());
    for (int k = 1; k <= 3; ++k) {
        const QList<QByteArray> f = lines[k].chopped(1).split(',');
        ASSERT_EQ(f.size(), 13) << lines[k].toStdString();
        EXPECT_EQ(f[0].toInt(), k);
        EXPECT_DOUBLE_EQ(f[4].toDouble(), f[3].toDouble() * 0.25);
        const double ecd = f[5].toDouble(), perimeter = f[6].toDouble();
        EXPECT_NEAR(ecd * ecd * M_PI / 4, f[4].toDouble(), 1e-6);
        EXPECT_NEAR(f[11].toDouble(), 4 * M_PI * f[4].toDouble() / (perimeter * perimeter), 1e-6);
        EXPECT_NEAR(f[10].toDouble(), f[7].toDouble() / f[8].toDouble(), 1e-6);
        EXPECT_EQ(f[12], k == 3 ? "1" : "0");
    }
    // The wide ellipse: its largest width lies along the x axis and is about 40 px, 20 µm.
    const QList<QByteArray> e = lines[2].chopped(1).split(',');
    EXPECT_NEAR(e[7].toDouble(), 20, 0.5);
    EXPECT_NEAR(e[10].toDouble(), 2, 0.1);
    EXPECT_TRUE(e[9].toDouble() < 2 || e[9].toDouble() > 178) << e[9].toStdString();
}

TEST_F(CliParticles, SummarySampleAndOverlay)
{
    const QStringList args = {picture, "--exclude-border", "--sample", dir.filePath("s.grz"), "--measure", "area",
                              "--overlay", dir.filePath("o.png")};
    const CliRun c = Cli(args), ru = Cli(args, "ru_RU.UTF-8");
    ASSERT_EQ(c.code, 0) << c.err.toStdString();
    const QStringList lines = c.out.split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "particles\t2");
    EXPECT_TRUE(lines[1].startsWith("d10\t") && lines[2].startsWith("d50\t") && lines[3].startsWith("d90\t"));
    EXPECT_EQ(QString(ru.out).replace(',', '.'), c.out);
    EXPECT_NE(ru.out, c.out);

    auto sample = std::make_unique<TSampleData>();
    ASSERT_TRUE(datafiles::DecodeGrz(Bytes("s.grz"), *sample));
    ASSERT_EQ(sample->Count, 2);
    EXPECT_LT(sample->Size(0), sample->Size(1));
    EXPECT_EQ(sample->N[0] + sample->N[1], 2);

    const QImage overlay(dir.filePath("o.png"));
    ASSERT_EQ(overlay.size(), QSize(120, 80));
    EXPECT_EQ(overlay.pixel(30, 18), qRgb(255, 0, 0)); // the top of the disc's outline
    EXPECT_EQ(overlay.pixel(2, 70), qRgb(0, 0, 0));    // the excluded one is left as it was
}

TEST_F(CliParticles, UsageAndUnreadableFiles)
{
    for (const QStringList &bad : {QStringList{picture, "--split", "2"}, {picture, "--threshold", "101"},
                                    {picture, "--measure", "ecd"}, {picture, "--connectivity", "6"},
                                    {picture, "--min-area", "-1"}, {picture, "--objects", "grey"}})
        EXPECT_EQ(Cli(bad).code, 2) << bad.join(' ').toStdString();
    const CliRun missing = Cli({dir.filePath("none.png")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_FALSE(missing.err.isEmpty());
}
