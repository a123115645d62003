// The typical analysis from a micrograph to a saved report, once through the windows (the
// real frame and children, driven by their commands) and once through grizal2-cli; both
// doors must end with the same sample and the same report.
#include "../CliRun.h"
#include "../ui/DialogRecorder.h"
#include "analysis/TDlgCaseCalcDistrib.h"
#include "imaging/TImageForm.h"
#include "samples/TGroupDlg.h"
#include "samples/TStatForm.h"
#include "shell/TForm1.h"
#include "shell/TKalibrDlg.h"

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextEdit>

namespace {

const QString kCoins = QStringLiteral(GRIZAL2_TEST_DATA "/imaging/coins.png");

QByteArray Contents(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Road : public DialogRecorder {};

TEST_F(Road, FromTheMicrographToTheReportAsBothDoorsGo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TForm1 f({});
    f.show();

    // File > Open, the picture.
    prepare = [&](QDialog *d) { qobject_cast<QFileDialog *>(d)->selectFile(kCoins); };
    f.Open();
    TImageForm *image = f.ActiveImageForm();
    ASSERT_TRUE(image);
    ASSERT_FALSE(image->Picture().isNull());

    // Calibration: 2.5 micrometres per pixel.
    prepare = [](QDialog *d) { qobject_cast<TKalibrDlg *>(d)->KPixEdit->setText("2.5"); };
    f.Kalibr();
    EXPECT_EQ(f.KPix(), 2.5);

    // Light coins on a dark ground become black particles on white.
    image->BtnNegativeClick();
    image->BtnFiltrClick();
    image->EditFiltrX->setValue(3);
    image->EditFiltrY->setValue(3);
    image->BtnFiltrApplyClick();
    image->BtnBandWClick();
    image->EditBright->setValue(40);
    image->BtnBandWApplyClick();
    image->BtnClearRectClick();
    EXPECT_TRUE(f.ItemUndo->isEnabled());

    image->BtnAnalis1Click();
    TStatForm *sample = f.ActiveStatForm();
    ASSERT_TRUE(sample);
    ASSERT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    auto found = std::make_unique<TSampleData>();
    sample->GetData(*found);
    EXPECT_GT(found->Count, 20);
    EXPECT_EQ(f.Panel1->text(), QStringLiteral("Найдено частиц: %1").arg(found->Count));

    // Five intervals, then the report by number with its chart.
    prepare = [](QDialog *d) {
        auto *g = qobject_cast<TGroupDlg *>(d);
        g->RadioButton1->setChecked(true);
        g->SpinEdit1->setValue(5);
    };
    sample->BtnGroupClick();
    prepare = [](QDialog *d) { qobject_cast<TDlgCaseCalcDistrib *>(d)->ButtonD->setChecked(true); };
    sample->BtnCalcStatClick();
    const QString memo = sample->Memo->toPlainText();
    EXPECT_TRUE(memo.contains(QStringLiteral("Медианный диаметр"))) << memo.toStdString();
    EXPECT_TRUE(memo.contains(QChar(QChar::ObjectReplacementCharacter))); // the chart

    const QString grz = dir.filePath("coins.grz"), rtf = dir.filePath("coins.rtf");
    prepare = [&](QDialog *d) { qobject_cast<QFileDialog *>(d)->selectFile(grz); };
    f.Save();
    prepare = [&](QDialog *d) { qobject_cast<QFileDialog *>(d)->selectFile(rtf); };
    sample->SaveResultsClick();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    const QByteArray grzBytes = Contents(grz), rtfBytes = Contents(rtf);
    EXPECT_EQ(grzBytes.size(), 80016);
    EXPECT_TRUE(rtfBytes.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtfBytes.contains("\\pict"));

    // The other door: the same steps on the file, the same sample and report.
    const QString cliFound = dir.filePath("cli-found.grz"), cliGrouped = dir.filePath("cli-grouped.grz");
    const CliRun analyse = RunCli({"analyse", kCoins, "--negative", "--median", "3x3", "--bw", "40", "--clear-edges",
                                   "--kpix", "2.5", "-o", cliFound});
    ASSERT_EQ(analyse.code, 0) << analyse.err.toStdString();
    EXPECT_EQ(analyse.out.count('\n'), found->Count);
    ASSERT_EQ(RunCli({"group", cliFound, "--intervals", "5", "-o", cliGrouped}).code, 0);
    EXPECT_EQ(Contents(cliGrouped), grzBytes);
    const CliRun stats = RunCli({"stats", cliGrouped, "--by", "number", "--rtf", dir.filePath("cli.rtf")});
    ASSERT_EQ(stats.code, 0) << stats.err.toStdString();
    QString shown = memo;
    shown.remove(QChar(QChar::ObjectReplacementCharacter));
    EXPECT_EQ(shown.trimmed(), stats.out.trimmed());
    EXPECT_EQ(Contents(dir.filePath("cli.rtf")), rtfBytes);
}

} // namespace
