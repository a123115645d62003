#include "DialogRecorder.h"
#include "base/NumberForms.h"
#include "image_files/PcxCodec.h"
#include "imaging/Pictures.h"
#include "imaging/TImageForm.h"
#include "shell/SmallDialogs.h"
#include "samples/TStatForm.h"
#include "shell/TForm1.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QToolBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ImageWindow : public DialogRecorder {
protected:
};

TEST_F(ImageWindow, ZoomCutPasteAndModes)
{
    TPictures engine;
    TImageForm f(engine);
    QImage img(100, 80, QImage::Format_RGBX8888);
    img.fill(Qt::red);
    f.SetPicture(img);
    f.ActualSize();
    EXPECT_EQ(f.ZoomFactor, 1.0);
    f.ZoomIn();
    f.ZoomIn();
    EXPECT_EQ(f.DisplaySize(), QSize(400, 320));
    EXPECT_EQ(f.ZoomFactor, 4.0);
    EXPECT_EQ(f.ToPicture(QPoint(41, 41)), QPoint(10, 10));
    f.ActualSize();
    f.Cut();
    EXPECT_EQ(f.Picture().pixel(50, 50) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(QGuiApplication::clipboard()->image().pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
    f.Paste();
    EXPECT_EQ(f.Picture().pixel(50, 50) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(f.Picture().size(), QSize(100, 80));
    f.ModeBandW();
    EXPECT_FALSE(f.BarBandW->isHidden());
    f.ModeDiff();
    EXPECT_TRUE(f.BarBandW->isHidden());
    EXPECT_FALSE(f.BarDiffImage->isHidden());
    EXPECT_EQ(f.BarImage->actions().size(), 13);
    // Every field of the bars is found by its label.
    for (QWidget *field : f.findChildren<QWidget *>())
        if (qobject_cast<QAbstractSpinBox *>(field) || field == f.PenWidth
            || (qobject_cast<QLineEdit *>(field) && !qobject_cast<QAbstractSpinBox *>(field->parent())))
            EXPECT_FALSE(field->accessibleName().isEmpty()) << field->metaObject()->className();
    EXPECT_EQ(f.EditBright->accessibleName(), "Яркость, % =");
}

// Made without a main window, the window works with the engine and settings it is given
// and asks for everything else by signals.
TEST_F(ImageWindow, ReportsBySignalsWithoutAMainWindow)
{
    TPictures engine;
    TImageForm f(engine);
    ImageSettings settings;
    settings.kpix = 0.5;
    settings.measure = pictures::MeasureArea;
    f.SetSettings(settings);
    QImage img(40, 30, QImage::Format_RGBX8888);
    img.fill(Qt::white);
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x)
            img.setPixel(x, y, 0xFF000000u);
    f.SetPicture(img);
    f.ActualSize();

    QList<bool> undo;
    QList<int> counts;
    QList<bool> fresh;
    QList<long double> sizes, accepted;
    QStringList lines;
    QList<QSize> pictures, masks;
    int calibrations = 0;
    QObject::connect(&f, &TImageForm::undoAvailable, [&](bool on) { undo << on; });
    QObject::connect(&f, &TImageForm::analysisReady, [&](const TSampleData &d) {
        counts << d.Count;
        sizes << d.Size(0);
    });
    QObject::connect(&f, &TImageForm::seriesWanted, [&](bool on) { fresh << on; });
    QObject::connect(&f, &TImageForm::seriesLines, [&](const QStringList &l) { lines << l; });
    QObject::connect(&f, &TImageForm::seriesValueAccepted, [&](long double v) { accepted << v; });
    QObject::connect(&f, &TImageForm::newPicture, [&](const QImage &p) { pictures << p.size(); });
    QObject::connect(&f, &TImageForm::maskForAnalysis, [&](const QImage &p) { masks << p.size(); });
    QObject::connect(&f, &TImageForm::calibrationRequested, [&] { ++calibrations; });

    f.BtnGrayClick();
    f.BtnAnalis1Click();
    EXPECT_EQ(undo, QList<bool>({true, false}));
    ASSERT_EQ(counts, QList<int>({1}));
    TSampleData expected;
    QImage same = img.copy();
    TPictures().AnalyseBinary(expected, pictures::MeasureArea, 0.5L, same);
    EXPECT_EQ(sizes[0], expected.Size(0)); // by the measure and coefficient given

    f.SetPicture(img);
    f.BtnSelectClick();
    f.BtnSelect1->trigger();
    f.ImageMouseDown(QPoint(10, 10), Qt::LeftButton);
    f.ImageMouseMove(QPoint(20, 30));
    f.ImageMouseUp(QPoint(20, 30));
    f.BtnMesureAreaCalc->trigger();
    EXPECT_EQ(f.EditMesure->text(), QString("50") + numtext::SystemDecimalSeparator() + "000");
    f.BtnMesureAccept->trigger();
    f.BtnSelectNew->trigger();
    EXPECT_EQ(fresh, QList<bool>({false, true}));
    ASSERT_EQ(accepted.size(), 1);
    EXPECT_EQ(double(accepted[0]), 50.0) << double(accepted[0] - 50);
    f.BtnSelect1->trigger();
    f.ImageMouseDown(QPoint(10, 10), Qt::LeftButton);
    f.ImageMouseMove(QPoint(20, 30));
    f.ImageMouseUp(QPoint(20, 30));
    f.BtnMesureSpectrCalc->trigger();
    EXPECT_EQ(lines.size(), 3);
    f.ImageMouseDown(QPoint(10, 10), Qt::LeftButton);
    f.ImageMouseMove(QPoint(20, 30));
    f.ImageMouseUp(QPoint(20, 30));
    f.BtnSelectCopy->trigger();
    EXPECT_EQ(pictures, QList<QSize>({QSize(10, 20)}));
    f.BtnAnalis2CalcClick();
    EXPECT_EQ(masks, QList<QSize>({QSize(40, 30)}));
    QMouseEvent click(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(f.ImageCalibrate, &click);
    EXPECT_EQ(calibrations, 1);
}

TEST_F(ImageWindow, NewSaveWithStampAndCommands)
{
    QTemporaryDir dir;
    TForm1 main({});
    prepare = [](QDialog *d) {
        if (auto *n = qobject_cast<TNewBMPForm *>(d)) {
            n->WidthEdit->setText("320");
            n->HeightEdit->setText("60");
        }
    };
    main.NewImgFile();
    TImageForm *f = main.ActiveImageForm();
    ASSERT_TRUE(f);
    EXPECT_TRUE(main.ImageFormActive());
    EXPECT_TRUE(main.ItemSave->isEnabled());
    EXPECT_EQ(main.MdiArea()->currentSubWindow()->windowTitle(), "Image1.bmp");
    main.SaveImage(dir.filePath("a.png")); // not served: nothing written, and said
    EXPECT_FALSE(QFile::exists(dir.filePath("a.png")));
    EXPECT_EQ(main.MdiArea()->currentSubWindow()->windowTitle(), "Image1.bmp");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.takeFirst().contains(dir.filePath("a.png")));
    const QString bmp = dir.filePath("stamped.bmp");
    main.SaveImage(bmp);
    EXPECT_TRUE(QFile::exists(bmp));
    EXPECT_EQ(main.MdiArea()->currentSubWindow()->windowTitle(), bmp);
    EXPECT_EQ(f->Picture().pixel(11, 50) & 0xFFFFFF, 0u); // the bar stamped at the bottom left
    f->CheckBoxSave->setChecked(false);
    f->Picture().fill(Qt::white);
    main.SaveImage(dir.filePath("plain.bmp"));
    EXPECT_EQ(f->Picture().pixel(11, 50) & 0xFFFFFF, 0xFFFFFFu);
    main.OpenFile(dir.filePath("missing.png"));
    EXPECT_EQ(messages, QStringList({"Файл не найден!"}));
    main.OpenFile(bmp);
    EXPECT_EQ(main.ActiveImageForm()->Picture().size(), QSize(320, 60));
}

TEST_F(ImageWindow, OperationsUndoAndAnalysis)
{
    TForm1 main({});
    TImageForm *f = main.CreateImgChild(QString(), true);
    QImage img(40, 30, QImage::Format_RGBX8888);
    img.fill(Qt::white);
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x)
            img.setPixel(x, y, 0xFF000000u);
    f->SetPicture(img);
    f->BtnNegativeClick();
    EXPECT_TRUE(main.ItemUndo->isEnabled());
    EXPECT_EQ(f->Picture().pixel(0, 0) & 0xFFFFFF, 0u);
    main.ItemUndoClick();
    EXPECT_FALSE(main.ItemUndo->isEnabled());
    EXPECT_EQ(f->Picture().pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    f->BtnAnalis1Click(); // one black square: one particle in a new sample window
    EXPECT_FALSE(main.ItemUndo->isEnabled());
    TStatForm *s = main.ActiveStatForm();
    ASSERT_TRUE(s);
    TSampleData d;
    s->GetData(d);
    EXPECT_EQ(d.Count, 1);
    EXPECT_EQ(main.Panel1->text(), "Найдено частиц: 1");
    EXPECT_TRUE(messages.isEmpty());
    // A grey picture holds no black particle on white: said, not an empty sample in silence.
    QImage grey(40, 30, QImage::Format_RGBX8888);
    grey.fill(QColor(90, 90, 90));
    f->SetPicture(grey);
    f->BtnAnalis1Click();
    EXPECT_EQ(main.Panel1->text(), "Найдено частиц: 0");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Частицы не найдены"));
    // More particles than the analysis takes: the stop is said too.
    QImage dots(140, 140, QImage::Format_RGBX8888);
    dots.fill(Qt::white);
    for (int y = 6; y < 134; y += 4)
        for (int x = 6; x < 134; x += 4)
            dots.setPixel(x, y, 0xFF000000u);
    f->SetPicture(dots);
    f->BtnAnalis1Click();
    EXPECT_EQ(main.Panel1->text(), "Найдено частиц: 1000");
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], "Анализ остановлен на 1000 частицах: в выборку вошли первые 1000");
}

TEST_F(ImageWindow, UndoGoesBackOnlyIntoTheWindowItCameFrom)
{
    TForm1 main({});
    QImage white(6, 4, QImage::Format_RGBX8888);
    white.fill(Qt::white);
    TImageForm *a = main.CreateImgChild(QString(), true);
    a->SetPicture(white);
    TImageForm *b = main.CreateImgChild(QString(), true);
    b->SetPicture(QImage(9, 9, QImage::Format_RGBX8888)); // another size: no stretching
    b->Picture().fill(Qt::white);
    a->BtnNegativeClick();
    b->BtnNegativeClick(); // the undo copy is now b's picture before its negative
    main.MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(a->parentWidget()));
    main.ItemUndoClick();
    EXPECT_EQ(main.ActiveImageForm(), b); // b comes forward with its picture restored
    EXPECT_EQ(b->Picture().size(), QSize(9, 9));
    EXPECT_EQ(b->Picture().pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(a->Picture().size(), QSize(6, 4));
    EXPECT_EQ(a->Picture().pixel(1, 1) & 0xFFFFFF, 0u); // a's negative stays
    EXPECT_FALSE(main.ItemUndo->isEnabled());
    // With the window of the copy closed there is nothing to undo into.
    b->BtnNegativeClick();
    b->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main.ItemUndoClick();
    EXPECT_EQ(a->Picture().pixel(1, 1) & 0xFFFFFF, 0u);
}

TEST_F(ImageWindow, EditShortcutsActOnThePictureUnlessAFieldIsTypedInto)
{
    TForm1 main({});
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    TImageForm *f = main.CreateImgChild(QString(), true);
    QImage img(8, 6, QImage::Format_RGBX8888);
    img.fill(Qt::green);
    f->SetPicture(img);
    f->ModeFiltr();
    QLineEdit *field = f->EditFiltrX->findChild<QLineEdit *>();
    field->setFocus();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(8, 6));
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier); // selecting in the field
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "3");
    f->BtnFiltrApplyClick(); // the command given, the keyboard is the picture's again
    EXPECT_FALSE(field->hasFocus());
    main.close();
}

TEST_F(ImageWindow, ClipboardCarriesAPcxImageBesideTheBitmap)
{
    TForm1 main({});
    TImageForm *f = main.CreateImgChild(QString(), true);
    QImage img(5, 3, QImage::Format_RGBX8888);
    img.fill(QColor(10, 200, 30));
    f->SetPicture(img);
    f->Copy();
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime->hasFormat("image/x-pcx"));
    EXPECT_EQ(pcx::Decode(mime->data("image/x-pcx")), img);
    // A PCX stream alone is pasted too.
    auto *only = new QMimeData;
    QImage red(2, 2, QImage::Format_RGBX8888);
    red.fill(Qt::red);
    only->setData("image/x-pcx", pcx::Encode(red));
    QGuiApplication::clipboard()->setMimeData(only);
    f->Paste();
    EXPECT_EQ(f->Picture().pixel(1, 1) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(f->Picture().pixel(3, 1) & 0xFFFFFF, 0x0AC81Eu);
}

} // namespace
