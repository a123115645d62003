// The maximum-likelihood fit in the sample window: the same numbers as grizal2-cli fit, into
// the memo and its RTF; a long bootstrap can be cancelled.
#include "../CliRun.h"
#include "DialogRecorder.h"
#include "analysis/TFitDlg.h"
#include "base/Files.h"
#include "base/NumberForms.h"
#include "samples/DataFiles.h"
#include "samples/SampleTableModel.h"
#include "samples/TStatForm.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

class FitWindow : public DialogRecorder {
protected:
    void SetUp() override
    {
        DialogRecorder::SetUp();
        // A skewed sample of 40 sizes, some repeated.
        for (int k = 0; k < 40; ++k) {
            f.Model()->Table().SetSizeText(k, numtext::Fixed3(20 * std::sqrt(-std::log1p(-(k + 0.5) / 40)), sep));
            f.Model()->Table().SetCountText(k, QString::number(1 + k % 3));
        }
        f.Model()->TableReset();
    }
    // Runs the command with these dialog settings; the file dialog of "Сохранить результаты"
    // gets `saveTo`.
    void Fit(bool volume, bool classes, const QString &boot, const QString &seed)
    {
        prepare = [=, this](QDialog *d) {
            if (auto *dlg = qobject_cast<TFitDlg *>(d)) {
                (volume ? dlg->ButtonV : dlg->ButtonD)->setChecked(true);
                (classes ? dlg->ButtonClasses : dlg->ButtonRows)->setChecked(true);
                dlg->EditBoot->setText(boot);
                dlg->EditSeed->setText(seed);
            } else if (auto *files = qobject_cast<QFileDialog *>(d)) {
                files->selectFile(saveTo);
            }
        };
        f.BtnFit->trigger();
    }
    QTemporaryDir dir;
    QString saveTo;
    TStatForm f;
    const QChar sep = numtext::SystemDecimalSeparator();
};

TEST_F(FitWindow, MemoAndRtfHoldTheNumbersOfTheCommandLine)
{
    auto d = std::make_unique<TSampleData>();
    f.GetData(*d);
    QString error;
    const QString grz = dir.filePath("s.grz");
    ASSERT_TRUE(fileio::WriteFileAtomically(grz, datafiles::EncodeGrz(*d), error));
    const CliRun cli = RunCli({"fit", grz, "--by", "volume", "--classes", "--boot", "300", "--seed", "7", "--json"});
    ASSERT_EQ(cli.code, 0) << cli.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(cli.out.toUtf8()).object();

    Fit(true, true, " 300", "7");
    ASSERT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    const QStringList memo = f.Memo->toPlainText().split('\n');
    auto V = [this](const QJsonValue &v) { return numtext::Fixed3(v.toDouble(), sep); };
    auto F = [this](const QJsonValue &v) { return numtext::FormatFixed(v.toDouble(), 7, 1, sep); };
    EXPECT_EQ(memo.value(1), "По объему частиц, по классам, n=" + QString::number(o["n"].toInt()));
    EXPECT_EQ(memo.value(2), "Доверительные интервалы 95 % по 300 выборкам бутстрепа");
    int law = 0;
    for (int i = 0; i < memo.size(); ++i) {
        if (!memo[i].startsWith("ln L="))
            continue;
        const QJsonObject l = o["laws"].toArray()[law++].toObject();
        const QJsonArray p = l["params"].toArray(), ci = l["d50_ci"].toArray();
        int m = i; // a line on resamples that failed may stand between
        while (m > 0 && !memo[m].startsWith("Медианный"))
            --m;
        EXPECT_TRUE(memo[m - 2].endsWith("=" + V(p[0])) && memo[m - 1].endsWith("=" + V(p[1]))) << law;
        EXPECT_EQ(memo[m], QString("Медианный диаметр d50=%1 мкм, интервал от %2 до %3 мкм")
                                   .arg(V(l["d50"]), V(ci[0]), V(ci[1])));
        EXPECT_EQ(memo[i], "ln L=" + F(l["loglik"]) + ", AIC=" + F(l["aic"]) + ", KS=" + V(l["ks"]));
    }
    EXPECT_EQ(law, 4);
    EXPECT_TRUE(memo.contains(QString("для d50 с точностью ±5 % нужно около %1 частиц")
                                  .arg(qlonglong(o["n_for_5pct"].toDouble()))));

    saveTo = dir.filePath("report.rtf");
    f.SaveResultsClick();
    QFile rtf(saveTo);
    ASSERT_TRUE(rtf.open(QIODevice::ReadOnly));
    const QByteArray doc = rtf.readAll();
    EXPECT_EQ(doc.count("ln L="), 4);
    EXPECT_TRUE(doc.contains(V(o["laws"].toArray()[1].toObject()["d50"]).toLatin1()));
    EXPECT_EQ(doc.count("\\pict"), 1);
}

// A field that cannot be read keeps the dialog open and is said; nothing runs.
TEST_F(FitWindow, AWrongFieldIsSaid)
{
    TFitDlg dlg;
    dlg.EditLevel->setText("1");
    dlg.accept();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    Fit(false, false, "1e3", "1");
    EXPECT_EQ(messages, QStringList({"Доверительная вероятность должна быть числом больше 0 и меньше 1",
                                     "Число выборок бутстрепа должно быть целым от 0 до 1000000"}));
    EXPECT_TRUE(f.Memo->toPlainText().isEmpty());
}

// A bootstrap of a million resamples, cancelled from its progress window: nothing is added,
// nothing said, and the window is free at once.
TEST_F(FitWindow, CancelDropsTheFit)
{
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *p = qobject_cast<QProgressDialog *>(w); p && p->isVisible() && !seen) {
                seen = true;
                p->findChild<QPushButton *>()->click();
            }
    });
    poll.start(50);
    Fit(false, false, "1000000", "1");
    EXPECT_TRUE(seen);
    EXPECT_TRUE(f.Memo->toPlainText().isEmpty());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

} // namespace
