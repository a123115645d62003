#include "../CliRun.h"
#include "analysis/Report.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using report::Event;

namespace {

std::unique_ptr<TSampleData> Sample(std::vector<double> d, std::vector<int> n)
{
    auto s = std::make_unique<TSampleData>();
    for (size_t i = 0; i < d.size(); ++i) {
        s->SetSize(int(i), d[i]);
        s->N[i] = uint16_t(n[i]);
    }
    s->Count = uint16_t(d.size());
    return s;
}

QStringList Lines(const std::vector<Event> &events)
{
    QStringList out;
    for (const Event &e : events)
        if (e.kind == Event::Line)
            out << e.text;
    return out;
}

QStringList Kinds(const std::vector<Event> &events)
{
    QStringList out;
    for (const Event &e : events)
        out << QString("LMPU").at(int(e.kind));
    return out;
}

TEST(Report, WorkedExampleLineByLine)
{
    int law = 0;
    const auto events = report::RunStatistics(*Sample({10, 20, 30, 40}, {5, 10, 8, 2}), {}, law, ',');
    const QStringList l = Lines(events);
    ASSERT_EQ(l.size(), 33);
    EXPECT_EQ(l[0], "Паpаметpы pаспpеделения по фоpмуле Годена");
    EXPECT_EQ(l[3], "l=1,200");
    EXPECT_EQ(l[4], "a=29,100");
    EXPECT_EQ(l[5], "Медианный диаметр d50=19,700 мкм");
    EXPECT_EQ(l[6], "Интегральная оценка погрешности Q=0,047");
    EXPECT_EQ(l[7], "");
    EXPECT_EQ(l[10], "P(d)=a/d*(d/b)^a*exp(-(d/b)^a);");
    EXPECT_EQ(l[14], "Интегральная оценка погрешности Q=0,009");
    EXPECT_EQ(l[16], "Паpаметpы pаспpеделения по Hоpмальному закону");
    EXPECT_EQ(l[19], "S=10,400");
    EXPECT_EQ(l[20], "d50=25,000");
    EXPECT_EQ(l[27], "ln(S)=0,392");
    EXPECT_EQ(l[29], "Медианный диаметр d50=15,400 мкм");
    EXPECT_EQ(l[31], "Данные описываются фоpмулой Розина-Раммлеpа");
    EXPECT_EQ(l[32], "");
    EXPECT_EQ(law, 2);
    EXPECT_EQ(Kinds(events).last(), "P");
    EXPECT_EQ(events.back().picture.size(), QSize(600, 350));
}

TEST(Report, ChartLawStaysWhenSet)
{
    int law = 3;
    report::RunStatistics(*Sample({10, 20, 30, 40}, {5, 10, 8, 2}), {}, law, '.');
    EXPECT_EQ(law, 3);
}

TEST(Report, OneClassEndsInTheGeneralHandler)
{
    int law = 0;
    const auto events = report::RunStatistics(*Sample({10}, {5}), {}, law, '.');
    EXPECT_EQ(Kinds(events), QStringList({"M", "L", "L", "L", "L", "L", "U"}));
    EXPECT_EQ(events[0].text, "Невозможно закончить расчет");
    EXPECT_EQ(events[4].text, "l=0.000");
    EXPECT_EQ(events.back().text, "Floating point division by zero");
    EXPECT_EQ(law, 0);
}

TEST(Report, SizeZeroAndEqualSizesFaultWhileFitting)
{
    for (double first : {0.0, 10.0}) {
        int law = 0;
        const auto events = report::RunStatistics(*Sample({first, 10, 20}, {1, 2, 3}), {}, law, '.');
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events[0].kind, Event::Message);
        EXPECT_EQ(events.back().kind, Event::UnhandledError);
    }
}

TEST(Report, LogNormalFaultWithoutVerdict)
{
    // Two classes whose quantile searches end at the same x: the log-normal regression
    // divides by zero while the other three fits succeed.
    auto s = Sample({2, 3}, {65535, 1});
    int law = 0;
    auto events = report::RunStatistics(*s, {}, law, '.');
    QStringList l = Lines(events);
    ASSERT_EQ(l.size(), 32);
    EXPECT_EQ(l[27], "ln(S)=0.000");
    EXPECT_EQ(l[29], "Медианный диаметр d50=1.000 мкм");
    EXPECT_EQ(l[31], ""); // no verdict line
    EXPECT_EQ(Kinds(events).first(), "M");
    EXPECT_EQ(Kinds(events).last(), "M"); // the chart cannot be drawn without a law
    EXPECT_EQ(law, 0);
    law = 1;
    events = report::RunStatistics(*s, {}, law, '.');
    EXPECT_EQ(Kinds(events).last(), "P");
}

TEST(Report, EqualQChoosesTheLowerLaw)
{
    fits::LawFit law[5];
    law[1].Q = 0.5L;
    law[2].Q = 0.1L;
    law[3].Q = 0.1L;
    law[4].Q = 0.2L;
    EXPECT_EQ(report::BestLaw(law), 2);
    for (auto &f : law)
        f.Q = 1.0E34L;
    EXPECT_EQ(report::BestLaw(law), 0);
}

CliRun Stats(const QStringList &args, const char *locale) { return RunCli(QStringList{"stats"} + args, locale); }

TEST(StatsCli, BothSeparatorsAndTheChart)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("w.grz");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    QByteArray b(80016, '\0');
    b[12] = 4;
    const int sizes[] = {10, 20, 30, 40}, counts[] = {5, 10, 8, 2};
    for (int k = 0; k < 4; ++k) {
        const Real48 r = ExtToReal48(sizes[k]);
        for (int i = 0; i < 6; ++i)
            b[14 + 6 * k + i] = char(r.b[i]);
        b[60014 + 2 * k] = char(counts[k]);
    }
    f.write(b);
    f.close();
    const CliRun point = Stats({file, "--chart", dir.filePath("c.png"), "--rtf", dir.filePath("r.rtf")}, "C");
    EXPECT_EQ(point.code, 0);
    // The memo as RTF: a paragraph per report line, then the chart.
    QFile rtf(dir.filePath("r.rtf"));
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    const QByteArray doc = rtf.readAll();
    EXPECT_TRUE(doc.contains("\\par\nb=19.000\\par\n"));
    EXPECT_EQ(doc.count("\\pict"), 1);
    EXPECT_GT(doc.lastIndexOf("\\pict"), doc.lastIndexOf("b=19.000"));
    EXPECT_TRUE(point.out.contains("\nb=19.000\n"));
    EXPECT_EQ(point.err, "");
    EXPECT_EQ(QImage(dir.filePath("c.png")).size(), QSize(600, 350));
    const CliRun comma = Stats({file, "--by", "volume", "--law", "3"}, "ru_RU.UTF-8");
    EXPECT_TRUE(comma.out.contains("\nl=3,310\n")) << comma.out.toStdString();
    EXPECT_EQ(Stats({file, "--by", "mass"}, "C").code, 2);
}

} // namespace
