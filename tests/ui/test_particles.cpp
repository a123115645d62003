// The Analysis menu driven as a user drives it, each result checked against what
// grizal2-cli makes of the same picture and recipe.
#include "../CliRun.h"
#include "DialogRecorder.h"
#include "imaging/TBatchDlg.h"
#include "imaging/TImageForm.h"
#include "imaging/TParticlesDlg.h"
#include "imaging/TParticlesForm.h"
#include "samples/DataFiles.h"
#include "samples/TStatForm.h"
#include "shell/TForm1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

const QString kCoins = QStringLiteral(GRIZAL2_TEST_DATA "/../../examples/coins.png");
const QStringList kCoinWords = {"--objects", "light", "--fill-holes", "--exclude-border", "--min-area", "50"};

QByteArray ReadAll(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing " + file.toUtf8() + ")");
}

template <class T> QList<T *> Children(TForm1 &f)
{
    QList<T *> out;
    for (QMdiSubWindow *w : f.MdiArea()->subWindowList())
        if (auto *t = qobject_cast<T *>(w->widget()))
            out << t;
    return out;
}

class ParticlesWindowTest : public DialogRecorder {
protected:
    // The coins' settings, as a user sets them in the dialog.
    static void SetCoinOptions(TParticlesDlg *d)
    {
        d->ComboObjects->setCurrentIndex(1);
        d->CheckFill->setChecked(true);
        d->CheckBorder->setChecked(true);
        d->EditMinArea->setValue(50);
        d->ComboMeasure->setCurrentIndex(3); // Feret maximum
    }
    QTemporaryDir dir;
};

TEST_F(ParticlesWindowTest, ParticlesOfAPictureEqualTheCommandLines)
{
    TForm1 f({});
    f.OpenFile(kCoins);
    TImageForm *image = Children<TImageForm>(f).value(0);
    ASSERT_TRUE(image && !image->Picture().isNull());
    ASSERT_TRUE(f.ItemParticles->isEnabled());

    int previewLevel = -2;
    prepare = [&](QDialog *d) {
        auto *dlg = qobject_cast<TParticlesDlg *>(d);
        ASSERT_TRUE(dlg);
        SetCoinOptions(dlg);
        dlg->RadioPercent->setChecked(true);
        dlg->EditPercent->setValue(40);
        QTest::qWait(200); // the preview follows the threshold
        previewLevel = dlg->PreviewLevel();
        dlg->RadioOtsu->setChecked(true);
    };
    f.ParticlesClick();
    EXPECT_EQ(previewLevel, particles::PercentLevel(40));
    ASSERT_EQ(Children<TParticlesForm>(f).size(), 1);
    TParticlesForm *form = Children<TParticlesForm>(f).value(0);
    EXPECT_EQ(form->windowTitle(), "Частицы 1");
    EXPECT_FALSE(image->Marks().isNull());

    const QString csv = dir.filePath("cli.csv"), grz = dir.filePath("cli.grz");
    const CliRun summary = RunCli(QStringList{"particles", kCoins} + kCoinWords);
    const CliRun files = RunCli(QStringList{"particles", kCoins, "--csv", csv, "--sample", grz, "--measure",
                                            "feret-max"} + kCoinWords);
    ASSERT_EQ(summary.code, 0) << summary.err.toStdString();
    ASSERT_EQ(files.code, 0) << files.err.toStdString();
    // "particles 23 / d10 37.951 / ..." and the window's line hold the same numbers.
    const QStringList lines = summary.out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(form->SummaryText().startsWith("Частиц: " + lines[0].section('\t', 1))) << form->SummaryText().toStdString();
    for (int k = 1; k < 4; ++k)
        EXPECT_TRUE(form->SummaryText().contains(lines[k].section('\t', 0, 0) + " = " + lines[k].section('\t', 1)));
    EXPECT_EQ(form->Csv(), ReadAll(csv));

    // The sample button opens a sample window of the chosen measure: the same as the file
    // --sample writes, opened in a sample window.
    form->BtnSample->click();
    ASSERT_TRUE(f.OpenData(grz));
    const QList<TStatForm *> stats = Children<TStatForm>(f);
    ASSERT_EQ(stats.size(), 2);
    auto shown = std::make_unique<TSampleData>(), cli = std::make_unique<TSampleData>();
    stats[0]->GetData(*shown);
    stats[1]->GetData(*cli);
    EXPECT_EQ(shown->Count, 23);
    EXPECT_EQ(datafiles::EncodeGrz(*shown), datafiles::EncodeGrz(*cli));

    // Sorted by area, largest first; choosing the first row highlights that particle.
    const int areaColumn = 4;
    form->Table->sortByColumn(areaColumn, Qt::DescendingOrder);
    long long largest = 0;
    for (const particles::Particle &p : form->List())
        largest = std::max(largest, p.area);
    EXPECT_EQ(form->Table->model()->index(0, areaColumn).data().toString(), QString::number(largest));
    form->Table->setCurrentIndex(form->Table->model()->index(0, 1));
    const int id = form->Table->model()->index(0, 1).data().toInt();
    const particles::Particle &p = form->List()[size_t(id - 1)];
    EXPECT_EQ(image->HighlightAt(), QPoint(p.left, p.top));
    EXPECT_EQ(image->HighlightPiece().size(), QSize(p.right - p.left + 1, p.bottom - p.top + 1));

    // A change of the picture takes the outlines away: they would no longer match it.
    image->BtnNegativeClick();
    EXPECT_TRUE(image->Marks().isNull());
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(ParticlesWindowTest, BatchWritesTheCommandLinesFilesAndOpensItsWindows)
{
    const QString in = dir.filePath("in");
    QDir().mkpath(in);
    QFile::copy(kCoins, in + "/a.png");
    QFile::copy(kCoins, in + "/b.png");
    QFile bad(in + "/c.png");
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();

    TForm1 f({});
    SetCoinOptions(f.ParticlesDlg());
    const QString recipe = dir.filePath("recipe.txt"), out = dir.filePath("gui"), cliOut = dir.filePath("cli");
    prepare = [&](QDialog *d) {
        if (auto *fd = qobject_cast<QFileDialog *>(d)) {
            fd->selectFile(recipe);
            return;
        }
        auto *b = qobject_cast<TBatchDlg *>(d);
        ASSERT_TRUE(b);
        b->EditInput->setText(in);
        b->EditOut->setText(out);
        b->EditJobs->setValue(2);
        b->SaveRecipeClick();
        b->Run();
    };
    f.BatchClick();
    // The unreadable picture is named and skipped.
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("c.png"));

    const CliRun run = RunCli({"batch", "--recipe", recipe, "--jobs", "1", "-o", cliOut, in});
    EXPECT_EQ(run.code, 1) << run.err.toStdString(); // the skipped picture
    for (const char *name : {"particles.csv", "summary.csv", "sample.grz"})
        EXPECT_EQ(ReadAll(out + '/' + name), ReadAll(cliOut + '/' + name)) << name;
    // fit.txt differs only in the program that made it.
    QList<QByteArray> gui = ReadAll(out + "/fit.txt").split('\n'), cli = ReadAll(cliOut + "/fit.txt").split('\n');
    ASSERT_GT(gui.size(), 3);
    EXPECT_TRUE(gui[0].startsWith("version\tgrizal2 "));
    EXPECT_EQ(gui.mid(1), cli.mid(1));

    // The particles of both pictures in one window, and the batch's sample beside it.
    TParticlesForm *form = Children<TParticlesForm>(f).value(0);
    ASSERT_TRUE(form);
    EXPECT_EQ(form->List().size(), 46u);
    EXPECT_EQ(form->Csv(), ReadAll(out + "/particles.csv"));
    ASSERT_EQ(Children<TStatForm>(f).size(), 1);

    // A run cancelled as soon as it starts, long before its twenty pictures are done, leaves
    // nothing in its folder.
    const QString many = dir.filePath("many"), fresh = dir.filePath("cancelled");
    QDir().mkpath(many);
    for (int k = 0; k < 20; ++k)
        QFile::copy(kCoins, many + QStringLiteral("/%1.png").arg(k, 2, 10, QLatin1Char('0')));
    messages.clear();
    prepare = [&](QDialog *d) {
        auto *b = qobject_cast<TBatchDlg *>(d);
        b->EditInput->setText(many);
        b->EditOut->setText(fresh);
        QMetaObject::invokeMethod(b, [b] { b->reject(); }, Qt::QueuedConnection); // the button, mid-run
        b->Run();
    };
    f.BatchClick();
    EXPECT_TRUE(f.BatchDlg()->Status->text().startsWith("Отменено"));
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    EXPECT_TRUE(QDir(fresh).entryList(QDir::Files).isEmpty());
    EXPECT_EQ(Children<TParticlesForm>(f).size(), 1);
}

} // namespace
