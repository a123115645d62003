#include "base/Files.h"
#include "DialogRecorder.h"
#include <QFileDialog>
#include "imaging/TImageForm.h"
#include "samples/DataFiles.h"
#include "samples/SampleTableModel.h"
#include "samples/TStatForm.h"
#include "shell/Settings.h"
#include "shell/SmallDialogs.h"
#include "shell/TForm1.h"
#include "shell/TParamDlg.h"
#include "widgets/Glyphs.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>
#include <QCoreApplication>
#include <QEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCompleter>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QFileInfo>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class MainWindowTest : public DialogRecorder {
protected:
    void SetUp() override
    {
        DialogRecorder::SetUp();
        ASSERT_TRUE(dir.isValid());
        // The settings live in the folder the test run gives (XDG_CONFIG_HOME); start afresh.
        QFile::remove(SettingsFileName());
    }
    QStringList Captions(TForm1 &f) const
    {
        QStringList out;
        for (QMdiSubWindow *w : f.MdiArea()->subWindowList())
            out << w->windowTitle();
        return out;
    }
    QString WriteGrz(const QString &name, std::initializer_list<std::pair<double, int>> elems)
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
    std::unique_ptr<TSampleData> Read(TStatForm *f)
    {
        auto d = std::make_unique<TSampleData>();
        f->GetData(*d);
        return d;
    }

    QTemporaryDir dir;
};

TEST_F(MainWindowTest, CommandsFollowTheActiveChild)
{
    TForm1 f({});
    for (QAction *a : {f.ItemSave, f.ItemClose, f.ItemCut, f.ItemCopy, f.ItemPaste, f.ItemCascade,
                       f.ItemTile, f.BtnSave, f.BtnCut, f.BtnCopy, f.BtnPaste})
        EXPECT_FALSE(a->isEnabled());
    EXPECT_FALSE(f.ItemUndo->isEnabled());
    f.NewSttFile();
    EXPECT_TRUE(f.StatFormActive());
    EXPECT_TRUE(f.ItemSave->isEnabled());
    EXPECT_TRUE(f.BtnPaste->isEnabled());
    f.ItemCloseClick();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(f.StatFormActive());
    EXPECT_FALSE(f.ItemSave->isEnabled());
}

TEST_F(MainWindowTest, HintsReachTheStatusStrip)
{
    TForm1 f({});
    f.ItemSave->showStatusText(f.SubFile);
    EXPECT_EQ(f.Panel1->text(), "Сохранить  файл из активного окна");
    TStatForm *s = f.NewSttFile();
    s->BtnGroup->showStatusText(s->BarSelect);
    EXPECT_EQ(f.Panel1->text(), "Группировка данных");
    QStringList menus;
    for (QAction *a : f.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, QStringList({"&Файл", "П&равка", "&Сервис", "&Анализ", "&Окно", "Ин&формация"}));
    QStringList tips;
    for (QAction *a : f.BarMain->actions())
        tips << a->toolTip();
    EXPECT_EQ(tips.size(), 11);
    EXPECT_EQ(tips.first(), "Создать новый файл");
    // Standard actions show the desktop's pictures of them (here, with no desktop theme,
    // the drawn ones), never a bin for Cut or a check mark for Paste.
    auto picture = [](const QIcon &i) { return i.pixmap(24, 24).toImage(); };
    for (auto [button, name] : {std::pair{f.BtnNew, "document-new"}, {f.BtnCut, "edit-cut"},
                                {f.BtnCopy, "edit-copy"}, {f.BtnPaste, "edit-paste"}}) {
        EXPECT_FALSE(DrawnIcon(name).isNull()) << name;
        EXPECT_EQ(picture(button->icon()), picture(StandardIcon(name))) << name;
    }
    EXPECT_EQ(f.ItemOpen->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(f.ItemExit->shortcut(), QKeySequence("Alt+F4"));
}

// The frame is inactive while a dialog is up; the child made after it must still end up
// active once the frame is active again, and every child lies inside the workspace.
TEST_F(MainWindowTest, NewChildIsActiveAndCascadedInsideTheWorkspace)
{
    TForm1 f({});
    f.resize(900, 700);
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.NewSttFile();
    QDialog dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    TImageForm *image = f.CreateImgChild(QString(), true);
    dialog.hide();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QCoreApplication::processEvents();
    EXPECT_EQ(f.ActiveImageForm(), image);
    EXPECT_TRUE(f.ImageFormActive());

    for (int i = 0; i < 12; ++i)
        f.NewSttFile();
    const QRect area = f.MdiArea()->viewport()->rect();
    QPoint previous(-1, -1);
    for (QMdiSubWindow *w : f.MdiArea()->subWindowList()) {
        EXPECT_TRUE(area.contains(w->geometry())) << w->windowTitle().toStdString();
        EXPECT_NE(w->pos(), previous);
        previous = w->pos();
    }
    f.close();
}

TEST_F(MainWindowTest, DialogsShowTheirCaptionsNameTheirFieldsAndLeaveNoPopUp)
{
    TForm1 f({});
    answer = QDialog::Rejected;
    prepare = [](QDialog *d) {
        d->show();
        EXPECT_GE(d->width(), CaptionWidth(d)) << d->windowTitle().toStdString();
        d->hide();
        if (qobject_cast<QFileDialog *>(d)) {
            // A completion list still up when the dialog is answered (Enter on a name).
            QCompleter *c = d->findChild<QCompleter *>();
            ASSERT_TRUE(c && c->popup());
            c->popup()->show();
            return;
        }
        // And their fields have names; a spin box's is its own, not its editor's.
        for (QWidget *field : d->findChildren<QWidget *>())
            if (field->window() == d
                && (qobject_cast<QAbstractSpinBox *>(field)
                    || (qobject_cast<QLineEdit *>(field) && !qobject_cast<QAbstractSpinBox *>(field->parentWidget()))))
                EXPECT_FALSE(field->accessibleName().isEmpty()) << d->windowTitle().toStdString();
    };
    for (QDialog *d : f.findChildren<QDialog *>()) {
        ExecDialog(d);
        for (QCompleter *c : d->findChildren<QCompleter *>())
            EXPECT_FALSE(c->popup()->isVisible()) << d->windowTitle().toStdString();
    }
    f.NewImgFile(); // "Размеры изображения"
}

// Destroyed while shown, the frame's children signal on their way out; under the sanitizer
// build this is where a slot of the half-destroyed main window would run.
TEST_F(MainWindowTest, DestroyedWhileShownWithChildren)
{
    auto f = std::make_unique<TForm1>(QStringList());
    f->show();
    QPointer<TStatForm> sample = f->NewSttFile();
    QPointer<TImageForm> image = f->CreateImgChild(QString(), true);
    f.reset();
    EXPECT_FALSE(sample);
    EXPECT_FALSE(image);
}

TEST_F(MainWindowTest, NumberingOnlyGrows)
{
    TForm1 f({});
    f.NewSttFile();
    f.NewSttFile();
    f.ItemCloseClick(); // closes Stat2
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    f.NewSttFile();
    EXPECT_EQ(Captions(f), QStringList({"Stat1.grz", "Stat3.grz"}));
}

TEST_F(MainWindowTest, NewDialogChoosesTheKindOfDocument)
{
    TForm1 f({});
    prepare = [](QDialog *d) {
        if (auto *n = qobject_cast<TNewDlg *>(d))
            n->BtnStt->setChecked(true);
    };
    f.NewFile();
    EXPECT_EQ(Captions(f), QStringList({"Stat1.grz"}));
    answer = QDialog::Rejected;
    f.NewFile();
    EXPECT_EQ(Captions(f).size(), 1);
}

TEST_F(MainWindowTest, CommandLineFilesOpenInOrderImagesIgnored)
{
    const QString a = WriteGrz("a.grz", {{1, 1}});
    const QString b = WriteGrz("b.GRZ", {{2, 2}, {3, 3}});
    TForm1 f({b, dir.filePath("photo.png"), a});
    f.show();
    EXPECT_EQ(Captions(f), QStringList({b, a}));
    f.close();
}

TEST_F(MainWindowTest, StartImagesOpenAfterTheSamplesWithTheirFullPath)
{
    const QString a = WriteGrz("a.grz", {{1, 1}});
    QImage img(4, 3, QImage::Format_RGB32);
    img.fill(Qt::white);
    ASSERT_TRUE(img.save(dir.filePath("photo.png")));
    QDir::setCurrent(dir.path());
    TForm1 f({a});
    f.SetStartImages({QStringLiteral("photo.png"), QStringLiteral("missing.png")});
    f.show();
    // The missing one still gets its (empty) window, as File > Open does.
    EXPECT_EQ(Captions(f), QStringList({a, dir.filePath("photo.png"), dir.filePath("missing.png")}));
    EXPECT_EQ(messages, QStringList({QStringLiteral("Файл не найден!")}));
    f.close();
}

TEST_F(MainWindowTest, OpenFileDispatchesByExtension)
{
    TForm1 f({});
    const QString a = WriteGrz("sample.GrZ", {{5, 2}});
    f.OpenFile(dir.filePath("notes.txt"));
    EXPECT_TRUE(Captions(f).isEmpty());
    answer = QDialog::Rejected;
    f.OpenFile(a);
    EXPECT_TRUE(Captions(f).isEmpty());
    answer = QDialog::Accepted;
    f.OpenFile(a); // "Открыть" is checked at first
    ASSERT_EQ(Captions(f), QStringList({a}));
    prepare = [](QDialog *d) {
        if (auto *o = qobject_cast<TOpenDlg *>(d))
            o->RadioButton2->setChecked(true);
    };
    f.OpenFile(a); // "Дописать"
    EXPECT_EQ(Captions(f).size(), 1);
    EXPECT_EQ(Read(f.ActiveStatForm())->Count, 2);
    f.MdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    f.OpenFile(a); // "Дописать" still chosen, but nothing to append to: opened
    ASSERT_EQ(Captions(f), QStringList({a}));
    EXPECT_EQ(Read(f.ActiveStatForm())->Count, 1);
}

TEST_F(MainWindowTest, MergeOfThreeFilesAppendsToTheFirst)
{
    TForm1 f({});
    const QString a = WriteGrz("a.grz", {{1, 1}});
    const QString b = WriteGrz("b.grz", {{2, 2}});
    const QString c = WriteGrz("c.grz", {{3.14159, 3}});
    f.OpenAddFiles({a, b, c});
    ASSERT_EQ(Captions(f), QStringList({a}));
    auto d = Read(f.ActiveStatForm());
    ASSERT_EQ(d->Count, 3);
    EXPECT_EQ(d->N[2], 3);
    EXPECT_EQ(f.ActiveStatForm()->Model()->Table().SizeText(2), "3.142");
}

TEST_F(MainWindowTest, BadFilesAreRefusedWithAMessageNamingThem)
{
    TForm1 f({});
    const QString bad = dir.filePath("bad.grz");
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(100, 'x'));
    file.close();
    EXPECT_FALSE(f.OpenData(bad));
    EXPECT_TRUE(Captions(f).isEmpty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(bad));

    const QString good = WriteGrz("good.grz", {{7, 1}});
    f.OpenAddFiles({bad, good}); // nothing is appended anywhere
    EXPECT_TRUE(Captions(f).isEmpty());

    f.OpenData(good);
    EXPECT_FALSE(f.MergeData(dir.filePath("missing.grz")));
    EXPECT_EQ(Read(f.ActiveStatForm())->Count, 1);
}

TEST_F(MainWindowTest, SaveByExtensionAndCaption)
{
    TForm1 f({});
    TStatForm *s = f.NewSttFile();
    s->Model()->setData(s->Model()->index(0, 1), "12.5", Qt::EditRole);
    s->Model()->setData(s->Model()->index(0, 2), "3", Qt::EditRole);

    const QString txt = dir.filePath("out.TXT");
    ASSERT_TRUE(f.SaveData(txt));
    QFile t(txt);
    ASSERT_TRUE(t.open(QIODevice::ReadOnly));
    EXPECT_EQ(t.readAll(), QByteArray("12.5\t3\r\n"));
    EXPECT_EQ(Captions(f), QStringList({txt}));

    // A name whose extension is not written is said so; the caption stays.
    const QString dat = dir.filePath("out.dat");
    EXPECT_FALSE(f.SaveData(dat));
    EXPECT_FALSE(QFile::exists(dat));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(dat));
    EXPECT_EQ(Captions(f), QStringList({txt}));

    const QString grz = dir.filePath("out.grz");
    ASSERT_TRUE(f.SaveData(grz));
    EXPECT_EQ(QFile(grz).size(), 80016);

    EXPECT_FALSE(f.SaveData(dir.filePath("no/dir/x.grz")));
    EXPECT_EQ(messages.size(), 2);
    EXPECT_EQ(Captions(f), QStringList({grz}));

    // A bare name typed under the text filter is saved as text.
    prepare = [&](QDialog *d) {
        auto *fd = qobject_cast<QFileDialog *>(d);
        fd->selectNameFilter("Текстовые файлы (*.txt)");
        fd->selectFile(dir.filePath("bare"));
    };
    f.Save();
    EXPECT_EQ(Captions(f), QStringList({dir.filePath("bare.txt")}));
    EXPECT_EQ(QFile(dir.filePath("bare.txt")).size(), 8);
}

TEST_F(MainWindowTest, SettingsDefaultsAndPersistence)
{
    {
        TForm1 f({});
        EXPECT_EQ(f.KPix(), 1.0);
        EXPECT_EQ(f.SizeFlag(), 0);
        EXPECT_EQ(f.AddFuncFlag(), 0);
        f.SetKPix(0.125);
        prepare = [](QDialog *d) {
            if (auto *p = qobject_cast<TParamDlg *>(d)) {
                p->MesureFunc->setCurrentIndex(1);
                p->RasprFunc->setCurrentIndex(2);
            }
        };
        answer = QDialog::Rejected; // the close box keeps the choices too
        f.ItemParamClick();
        EXPECT_EQ(f.SizeFlag(), 1);
        EXPECT_EQ(f.ChartLaw(), 2);
        EXPECT_EQ(f.AddFuncFlag(), -1); // no user functions in the list
        f.close();
    }
    QSettings ini(SettingsFileName(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("Options/KPix").toString(), "0.125");
    EXPECT_EQ(ini.value("Options/SizeFlag").toString(), "1");
    EXPECT_TRUE(ini.value("Options/Grizal2Directory").toString().endsWith('/'));
    prepare = {};
    TForm1 again({});
    EXPECT_EQ(again.KPix(), 0.125);
    EXPECT_EQ(again.SizeFlag(), 1);
    EXPECT_EQ(again.ChartLaw(), 0); // never stored
}

// Every child gets the settings it reads when it is made and again whenever they change.
TEST_F(MainWindowTest, SettingsReachEveryChild)
{
    TForm1 f({});
    TStatForm *sample = f.NewSttFile();
    TImageForm *image = f.CreateImgChild(QString(), true);
    f.SetKPix(0.25);
    prepare = [](QDialog *d) {
        if (auto *p = qobject_cast<TParamDlg *>(d)) {
            p->MesureFunc->setCurrentIndex(2);
            p->RasprFunc->setCurrentIndex(3);
            p->CheckBox1->setChecked(false);
        }
    };
    f.ItemParamClick();
    EXPECT_EQ(image->Settings().kpix, 0.25);
    EXPECT_EQ(image->Settings().measure, pictures::MeasurePerimeter);
    EXPECT_EQ(sample->Settings().chartLaw, 3);
    EXPECT_FALSE(sample->Settings().histogram);
    EXPECT_TRUE(sample->Settings().curve);
    TStatForm *later = f.NewSttFile();
    EXPECT_EQ(later->Settings().chartLaw, 3);
    emit sample->chartLawChosen(1); // as its statistics command does
    EXPECT_EQ(f.ChartLaw(), 1);
    EXPECT_EQ(later->Settings().chartLaw, 1);
}

TEST_F(MainWindowTest, FailedSettingsWriteSaysSoAndKeepsTheFile)
{
    const QString folder = QFileInfo(SettingsFileName()).absolutePath();
    QDir(folder).removeRecursively();
    QFile blocker(folder); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    struct Restore {
        QString folder;
        ~Restore()
        {
            QFile::remove(folder);
            QDir().mkpath(folder);
        }
    } restore{folder};
    {
        TForm1 f({});
        f.close();
    }
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(SettingsFileName())) << messages[0].toStdString();
}

TEST_F(MainWindowTest, UserFunctionOfTheImageWindowReportsToTheSeries)
{
    // The example library lands beside the programs, this test among them.
    TForm1 f({});
    f.show();
    ASSERT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    QComboBox *list = f.ParamDlg()->ListAddFunc;
    ASSERT_EQ(list->count(), 4);
    prepare = [](QDialog *d) {
        if (auto *p = qobject_cast<TParamDlg *>(d))
            p->ListAddFunc->setCurrentIndex(3); // the negative, returning the pixel count
    };
    f.ItemParamClick();
    TImageForm *image = f.CreateImgChild(QStringLiteral("x"), true);
    QImage img(5, 4, QImage::Format_RGBX8888);
    img.fill(Qt::black);
    image->SetPicture(img);
    image->BtnPClick();
    EXPECT_EQ(image->Picture().pixel(2, 2) & 0xFFFFFF, 0xFFFFFFu);
    ASSERT_TRUE(f.SeriesForm());
    EXPECT_EQ(f.SeriesForm()->Memo->toPlainText(), list->itemText(3).prepend("Функция пользователя: ") + "\n20");
    f.close();
}

TEST_F(MainWindowTest, ScannedImageOpensInANumberedWindow)
{
    if (!QFile::exists(QStringLiteral("/usr/lib/x86_64-linux-gnu/sane/libsane-test.so.1")))
        GTEST_SKIP() << "SANE's test backend is not installed";
    // The scanner library reads its configuration once per process: SANE's test backend only.
    QTemporaryDir sane;
    auto write = [&](const char *name, const QByteArray &text) {
        QFile f(QDir(sane.path()).filePath(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write("dll.conf", "test\n");
    write("test.conf", "number_of_devices 1\nresolution 50\nbr_x 40.0\nbr_y 30.0\n");
    qputenv("SANE_CONFIG_DIR", QFile::encodeName(sane.path()));
    TForm1 f({});
    f.GetImage();
    ASSERT_EQ(f.MdiArea()->subWindowList().size(), 1);
    TImageForm *image = f.ActiveImageForm();
    ASSERT_TRUE(image);
    EXPECT_FALSE(image->Picture().isNull());
    EXPECT_GT(image->Picture().width(), image->Picture().height()); // 40 by 30 mm
    EXPECT_TRUE(messages.isEmpty());
    f.close();
    qunsetenv("SANE_CONFIG_DIR");
}

} // namespace
