// The fit's report section, its chart, and grizal2-cli fit, as a user runs it.
#include "../CliRun.h"
#include "analysis/FitChart.h"
#include "analysis/FitReport.h"
#include "base/Files.h"
#include "base/NumberForms.h"
#include "samples/DataFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

mle::Sample Rosin(bool classes)
{
    std::vector<double> sizes, counts;
    for (int k = 0; k < 40; ++k) {
        sizes.push_back(classes ? 2.0 * (k + 1) : 20 * std::sqrt(-std::log1p(-(k + 0.5) / 40)));
        const double x = 2.0 * (k + 1) / 20;
        counts.push_back(classes ? std::round(30 * x * std::exp(-x * x)) : 1);
    }
    return mle::Prepare(sizes, counts, false, classes);
}

TEST(FitReport, LinesInBothSeparators)
{
    const mle::Result r = mle::FitSample(Rosin(false), {});
    const QStringList l = mle::ReportLines(r, ',');
    ASSERT_EQ(l.size(), 31);
    EXPECT_EQ(l[1], "По числу частиц, n=40");
    EXPECT_EQ(l[2], "Доверительные интервалы 95 % по 1000 выборкам бутстрепа");
    EXPECT_EQ(l[10], "Закон Розина-Раммлера F(d)=1-exp(-(d/b)^a)");
    EXPECT_TRUE(l[13].startsWith("Медианный диаметр d50=16,") && l[13].contains(", интервал от ")) << l[13].toStdString();
    EXPECT_EQ(l[28], "Наименьший AIC: " + QString(r.best == 2 ? "закон Розина-Раммлера" : "?"));
    EXPECT_EQ(l[30], QString("для d50 с точностью ±5 % нужно около %1 частиц").arg(qlonglong(r.nFor5pct)));
    EXPECT_TRUE(mle::ReportLines(r, '.')[29].contains('.'));
    // Without resamples there is no interval and no advice.
    mle::Options none;
    none.resamples = 0;
    const QStringList bare = mle::ReportLines(mle::FitSample(Rosin(false), none), '.');
    EXPECT_EQ(bare.size(), 28);
    EXPECT_EQ(bare[12], "Медианный диаметр d50=" + numtext::Fixed3(r.law[2].fit.d50, '.') + " мкм");
}

TEST(FitReport, TheWindowsCommandOnATableSample)
{
    auto d = std::make_unique<TSampleData>();
    const mle::Section empty = mle::RunFit(*d, false, false, {}, ',');
    EXPECT_EQ(empty.message, "Нет данных");
    EXPECT_TRUE(empty.lines.isEmpty() && empty.picture.isNull());
    for (int k = 0; k < 3; ++k) {
        d->SetSize(k, 10 + k);
        d->N[k] = uint16_t(5 - k);
    }
    d->Count = 3;
    const mle::Section s = mle::RunFit(*d, true, true, {}, ',');
    EXPECT_TRUE(s.message.isEmpty()) << s.message.toStdString();
    EXPECT_EQ(s.lines.value(1), "По объему частиц, по классам, n=12");
    EXPECT_EQ(s.picture.size(), QSize(600, 350));
}

int Count(const QImage &img, QRgb color)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
    return n;
}

TEST(FitChart, SampleCurvesAndTheBestLawsBand)
{
    for (bool classes : {false, true}) {
        const mle::Sample s = Rosin(classes);
        const mle::Result r = mle::FitSample(s, {});
        const QImage img = mle::DrawFitChart(s, r, ',');
        ASSERT_EQ(img.size(), QSize(600, 350));
        EXPECT_GT(Count(img, mle::kSampleColor), 300) << classes;
        for (int law = 1; law <= mle::kLaws; ++law)
            EXPECT_GT(Count(img, mle::LawColor(law)), 100) << classes << law;
        EXPECT_GT(Count(img, mle::BandColor(r.best)), 2000) << classes;
        EXPECT_EQ(img.pixel(70, 200) & 0xFFFFFF, 0u); // the frame
        mle::Options none;
        none.resamples = 0;
        EXPECT_EQ(Count(mle::DrawFitChart(s, mle::FitSample(s, none), ','), mle::BandColor(r.best)), 0);
    }
}

CliRun Cli(const QStringList &args, const char *locale = "C") { return RunCli(QStringList{"fit"} + args, locale); }

QString Grz(const QTemporaryDir &dir, const QString &name, const std::vector<std::pair<double, int>> &rows)
{
    auto d = std::make_unique<TSampleData>();
    for (auto [size, n] : rows) {
        d->SetSize(d->Count, size);
        d->N[d->Count++] = uint16_t(n);
    }
    QString error;
    EXPECT_TRUE(fileio::WriteFileAtomically(dir.filePath(name), datafiles::EncodeGrz(*d), error));
    return dir.filePath(name);
}

TEST(FitCli, JsonAndTextOfTheOpenedSample)
{
    QTemporaryDir dir;
    // 12.3456 is fitted as the table shows it: 12.346.
    const QString f = Grz(dir, "a.grz", {{3.5, 2}, {7.25, 5}, {9.125, 4}, {12.3456, 1}});
    const CliRun json = Cli({f, "--json", "--boot", "300", "--seed", "5", "--by", "volume"}, "ru_RU.UTF-8");
    ASSERT_EQ(json.code, 0) << json.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o["n"].toInt(), 12);
    EXPECT_EQ(o["by"].toString(), "volume");
    const QJsonArray laws = o["laws"].toArray();
    ASSERT_EQ(laws.size(), 4);
    EXPECT_EQ(laws[0]["name"].toString(), "gaudin");
    EXPECT_NEAR(laws[0]["params"][0].toDouble(), 12.346, 1e-9);
    EXPECT_EQ(laws[3]["d50_ci"].toArray().size(), 2);

    const CliRun text = Cli({f, "--boot", "300", "--seed", "5", "--by", "volume"}, "ru_RU.UTF-8");
    ASSERT_EQ(text.code, 0);
    const QStringList lines = text.out.split('\n');
    EXPECT_EQ(lines[0], "n\t12");
    EXPECT_TRUE(lines[4].startsWith("1\tgaudin\t12,346")) << lines[4].toStdString();
    EXPECT_EQ(lines[8], QString("best\t%1\t%2").arg(o["best"].toInt()).arg(laws[o["best"].toInt() - 1]["name"].toString()));
    EXPECT_NEAR(lines[9].section('\t', 1).replace(',', '.').toDouble(), o["d50_rel_halfwidth"].toDouble(), 1e-9);
}

TEST(FitCli, FaultsAndUsage)
{
    QTemporaryDir dir;
    const CliRun one = Cli({Grz(dir, "one.grz", {{5, 3}, {5, 4}})});
    EXPECT_EQ(one.code, 1);
    EXPECT_EQ(one.out, "");
    EXPECT_EQ(one.err, "all particles have one size; no law can be fitted\n");
    EXPECT_EQ(Cli({Grz(dir, "zero.grz", {{0, 3}, {5, 4}})}).err, "row 1: the size is not above 0; the laws need positive sizes\n");
    EXPECT_EQ(Cli({Grz(dir, "b.grz", {{4, 3}, {5, 4}}), "--level", "1"}).code, 2);
    EXPECT_EQ(Cli({dir.filePath("missing.grz")}).code, 1);
    // Two particles: half the resamples hold one size only, too many for an interval.
    const CliRun two = Cli({Grz(dir, "two.grz", {{5, 1}, {7, 1}}), "--json"});
    EXPECT_EQ(two.code, 0);
    EXPECT_TRUE(two.err.startsWith("law 1 (gaudin): ") && two.err.contains("could not be fitted; too many for an interval\n"))
        << two.err.toStdString();
    EXPECT_TRUE(two.out.contains("\"d50_ci\":null") && two.out.contains("\"n_for_5pct\":null"));
}

} // namespace
