// grizal2-cli measure, run as a user runs it.
#include "../CliRun.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

CliRun Cli(const QStringList &args, const char *locale = "C")
{
    return RunCli(QStringList{"measure"} + args, locale);
}

} // namespace

TEST(CliMeasure, SegmentPolygonAndFailures)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("grey.png");
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(QColor(100, 50, 200));
    ASSERT_TRUE(img.save(png));

    CliRun r = Cli({png, "--segment", "0,0,3,4", "--kpix", "2.5"}, "ru_RU.UTF-8");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "12,500\n");
    EXPECT_EQ(Cli({png, "--segment", "0,0,3,4"}).out, "5.000\n");

    r = Cli({png, "--polygon", "10,10 20,10  20,30 10,30", "--kpix", "0.5"}, "ru_RU.UTF-8");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, QStringLiteral("30,000\n50,000\n"
                                    "Средняя плотность по каналу R = 100,000\n"
                                    "Средняя плотность по каналу G = 50,000\n"
                                    "Средняя плотность по каналу B = 200,000\n"));

    r = Cli({dir.filePath("none.png"), "--segment", "0,0,1,1"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.trimmed(), QStringLiteral("Файл не найден!"));
    EXPECT_EQ(Cli({png}).code, 2);
    EXPECT_EQ(Cli({png, "--segment", "0,0,1"}).code, 2);
    EXPECT_EQ(Cli({png, "--segment", "0,0,1,1", "--polygon", "0,0"}).code, 2);
    EXPECT_EQ(Cli({png, "--polygon", "1,2 x,3"}).code, 2);
    EXPECT_EQ(Cli({png, "--polygon", "1,2 1e9,3"}).code, 2);
    EXPECT_EQ(Cli({png, "--segment", "0,0,3,4", "--kpix", "0"}).code, 2);
}
