// The English translation: complete, faithful to its placeholders, and laid over the Russian
// texts only when asked for.
#include "../CliRun.h"
#include "analysis/Report.h"
#include "base/I18n.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

const QString kSource = QStringLiteral(GRIZAL2_SOURCE_DIR);

struct Message {
    QString context, source, translation;
    bool finished = true;
};

std::vector<Message> ReadTs()
{
    QFile f(kSource + "/resources/translations/grizal2_en.ts");
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    std::vector<Message> out;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            out.push_back({context, xml.readElementText(), {}, true});
        } else if (xml.name() == u"translation" && !out.empty()) {
            out.back().finished = xml.attributes().value("type").isEmpty();
            out.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return out;
}

QSet<QString> Placeholders(const QString &text)
{
    QSet<QString> out;
    for (const auto &m : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
        out.insert(m.captured());
    return out;
}

TEST(Translation, EveryTextIsTranslatedWithItsPlaceholders)
{
    const auto messages = ReadTs();
    ASSERT_GT(messages.size(), 250u);
    for (const Message &m : messages) {
        const std::string where = (m.context + ": " + m.source).toStdString();
        EXPECT_TRUE(m.finished && !m.translation.isEmpty()) << where;
        EXPECT_EQ(Placeholders(m.source), Placeholders(m.translation)) << where;
        EXPECT_EQ(m.source.count('&'), m.translation.count('&')) << where; // menu accelerators
    }
}

// The project's shared documents (../shared/*.md) quote the interface's texts exactly.
TEST(Translation, EveryQuotedTextOfTheSharedDocumentsIsASourceText)
{
    const QDir shared(kSource + "/../shared");
    const QStringList documents = shared.entryList({QStringLiteral("*.md")}, QDir::Files);
    if (documents.isEmpty())
        GTEST_SKIP() << "no shared documents beside the source";
    // Quoted words that only point at their Latin letters, and a file filter the calibration
    // dialog writes in the toolkit's own form.
    const QSet<QString> exceptions = {
        QStringLiteral("Hоpмальному"), QStringLiteral("Паpаметpы"),
        QStringLiteral("Графические файлы (*.bmp;*.gif;*.jpg;*.tif;*.pcx)|*.bmp;*.gif;*.jpg;*.tif;*.pcx|Windows "
                       "Bitmap Files (*.bmp)|*.bmp|GIF Files(*.gif)|*.gif|JPEG Files (*.jpg)|*.jpg|TIFF Files "
                       "(*.tif)|*.tif|PCX Files (*.pcx)|*.pcx|All Files (*.*)|*.*")};
    QSet<QString> sources;
    for (const Message &m : ReadTs())
        if (m.finished && !m.translation.isEmpty())
            sources.insert(m.source);
    int quoted = 0;
    for (const QString &name : documents) {
        QFile document(shared.filePath(name));
        ASSERT_TRUE(document.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString text = QString::fromUtf8(document.readAll());
        for (const auto &m : QRegularExpression(QStringLiteral("\"([^\"\\n]*[А-Яа-яЁё][^\"\\n]*)\"")).globalMatch(text)) {
            ++quoted;
            if (!exceptions.contains(m.captured(1)))
                EXPECT_TRUE(sources.contains(m.captured(1))) << name.toStdString() << ": " << m.captured(1).toStdString();
        }
    }
    EXPECT_GT(quoted, 150);
}

TEST(Translation, InstalledOnlyWhenAskedFor)
{
    auto noData = [] { return QCoreApplication::translate("Report", report::kNoData); };
    EXPECT_EQ(noData(), QStringLiteral("Нет данных"));
    EXPECT_FALSE(i18n::UseLanguage(*QCoreApplication::instance(), QStringLiteral("de")));
    ASSERT_TRUE(i18n::UseLanguage(*QCoreApplication::instance(), QStringLiteral("en")));
    EXPECT_EQ(noData(), QStringLiteral("No data"));
    // Switching back removes the English texts.
    ASSERT_TRUE(i18n::UseLanguage(*QCoreApplication::instance(), QStringLiteral("ru")));
    EXPECT_EQ(noData(), QStringLiteral("Нет данных"));
}

const QString kGrains = kSource + "/examples/grains.grz";

// The numbers of a report, with their separators, apart from its words.
QStringList Numbers(const QString &text)
{
    QStringList out;
    for (const auto &m : QRegularExpression(QStringLiteral("-?\\d+([.,]\\d+)?(E\\d+)?")).globalMatch(text))
        out << m.captured();
    return out;
}

TEST(CliLanguage, RussianByDefaultWhateverTheLocale)
{
    const char *expected =
        "Паpаметpы pаспpеделения по фоpмуле Годена\n"
        "дифференциальная кривая описывается формулой\n"
        "P(d)=0.8*l/a^l*d^(l-1)\nl=1.850\na=40.300\n"
        "Медианный диаметр d50=31.300 мкм\nИнтегральная оценка погрешности Q=0.813\n\n"
        "Паpаметpы pаспpеделения по фоpмуле Розина-Раммлеpа\n"
        "дифференциальная кривая описывается формулой\n"
        "P(d)=a/d*(d/b)^a*exp(-(d/b)^a);\na=2.640\nb=29.000\n"
        "Медианный диаметр d50=25.300 мкм\nИнтегральная оценка погрешности Q=0.001\n\n"
        "Паpаметpы pаспpеделения по Hоpмальному закону\n"
        "дифференциальная кривая описывается формулой\n"
        "P(d)=1/(Sqr(2*Pi)*S)*exp(-(d-d50)^2/(2*S^2))\nS=12.000\nd50=32.500\n"
        "Медианный диаметр d50=32.500 мкм\nИнтегральная оценка погрешности Q=0.244\n\n"
        "Паpаметpы pаспpеделения по Логаpифмически Hоpмальному закону\n"
        "дифференциальная кривая описывается формулой\n"
        "P(d)=1/(Sqr(2*Pi)*d*ln(S))*exp(-(ln(d)-ln(d50))^2/(2*(ln(S))^2))\nln(S)=0.470\nln(d50)=3.030\n"
        "Медианный диаметр d50=20.700 мкм\nИнтегральная оценка погрешности Q=0.076\n"
        "Данные описываются фоpмулой Розина-Раммлеpа\n\n";
    EXPECT_EQ(RunCli({"stats", kGrains}).out, QString::fromUtf8(expected));
    QProcessEnvironment english = CliEnvironment("en_US.UTF-8");
    english.insert("LANGUAGE", "en");
    EXPECT_EQ(RunProgram(kCliProgram, {"stats", kGrains}, english).out, QString::fromUtf8(expected));
    EXPECT_EQ(RunCli({"--lang", "ru", "stats", kGrains}).out, QString::fromUtf8(expected));
}

// The typical road in English: find the particles of a micrograph, group their sizes, then
// the report.
TEST(CliLanguage, EnglishRoadFromMicrographToReport)
{
    QTemporaryDir dir;
    const QString sample = dir.filePath("coins.grz");
    const QString coins = kSource + "/examples/coins.png";
    ASSERT_EQ(RunCli({"--lang", "en", "analyse", coins, "--negative", "--median", "3x3", "--bw", "40",
                      "--clear-edges", "--measure", "area", "-o", sample})
                  .code,
              0);
    ASSERT_EQ(RunCli({"--lang", "en", "group", sample, "--intervals", "8", "-o", sample}).code, 0);
    for (const char *locale : {"C", "ru_RU.UTF-8"}) {
        const CliRun en = RunCli({"stats", sample, "--lang=en", "--chart", dir.filePath("c.png")}, locale);
        const CliRun ru = RunCli({"stats", sample}, locale);
        ASSERT_EQ(en.code, 0) << en.err.toStdString();
        EXPECT_TRUE(en.out.startsWith("Gaudin-Andreev-Schuhmann distribution parameters\n")) << en.out.toStdString();
        EXPECT_TRUE(en.out.contains("\nMedian diameter d50=")) << en.out.toStdString();
        EXPECT_TRUE(en.out.contains("\nIntegral error estimate Q=")) << en.out.toStdString();
        EXPECT_FALSE(en.out.contains(QRegularExpression(QStringLiteral("[А-Яа-я]")))) << en.out.toStdString();
        EXPECT_EQ(Numbers(en.out), Numbers(ru.out));
        EXPECT_EQ(en.out.count('\n'), ru.out.count('\n'));
    }
    // Messages too; a language that is not there is a usage error.
    const CliRun grouped = RunCli({"group", sample, "--length", "x", "-o", dir.filePath("g.grz"), "--lang", "en"});
    EXPECT_EQ(grouped.err, "The data cannot be grouped\n");
    EXPECT_EQ(RunCli({"--lang", "en", "show", dir.filePath("none.grz")}).err,
              "Cannot open the file \"" + dir.filePath("none.grz") + "\"\n");
    EXPECT_EQ(RunCli({"--lang", "de", "show", sample}).code, 2);
    EXPECT_EQ(RunCli({"show", sample, "--lang"}).code, 2);
}

} // namespace
