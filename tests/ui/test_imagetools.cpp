// Manual measurement and the graphic editor of the image window, driven by the mouse.
#include "DialogRecorder.h"
#include "imaging/TImageForm.h"
#include "base/NumberForms.h"
#include "samples/SampleData.h"
#include "samples/TStatForm.h"
#include "shell/TForm1.h"

#include <QAction>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

QString Num(const char *text)
{
    return QString::fromLatin1(text).replace(QLatin1Char(','), numtext::SystemDecimalSeparator());
}

QImage Filled(int w, int h, QRgb colour)
{
    QImage img(w, h, QImage::Format_RGBX8888);
    img.fill(colour);
    return img;
}

class ImageTools : public DialogRecorder {
protected:
    void SetUp() override
    {
        DialogRecorder::SetUp();
        main = std::make_unique<TForm1>(QStringList());
        form = main->CreateImgChild(QString(), true);
        form->SetPicture(Filled(40, 40, qRgb(100, 100, 100)));
        form->ActualSize();
    }
    void TearDown() override
    {
        main.reset();
        DialogRecorder::TearDown();
    }
    // A drag on the display, in display coordinates, through the window's handlers.
    void Drag(QPoint from, std::initializer_list<QPoint> moves, QPoint to)
    {
        form->ImageMouseDown(from, Qt::LeftButton);
        for (QPoint p : moves)
            form->ImageMouseMove(p);
        form->ImageMouseUp(to);
    }
    void RectangleSelection(QPoint a, QPoint b)
    {
        form->BtnSelect1->trigger();
        Drag(a, {b}, b);
    }
    TSampleData Series()
    {
        TSampleData d;
        main->SeriesForm()->GetData(d);
        return d;
    }

    std::unique_ptr<TForm1> main;
    TImageForm *form = nullptr;
};

TEST_F(ImageTools, SegmentThroughMouseEventsAtTwoZooms)
{
    form->BtnSelectClick();
    ASSERT_FALSE(form->BarSelect->isHidden());
    EXPECT_TRUE(form->BtnSelect0->isChecked());
    EXPECT_EQ(form->EditMesure->text(), "0,0");
    EXPECT_EQ(form->BtnSelect3->toolTip(), "Выделение отрезками");
    EXPECT_EQ(form->BtnMesureSpectrCalc->toolTip(), "Вычисление спектральной плотности");
    const QImage before = form->Picture().copy();
    main->show();

    // Zoom 1: real mouse events on the view; the rubber line leaves no trace.
    QTest::mousePress(form->Image, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(form->Image, QPoint(12, 12));
    EXPECT_NE(form->Picture(), before); // the rubber line is shown while dragging
    QTest::mouseMove(form->Image, QPoint(13, 14));
    QTest::mouseRelease(form->Image, Qt::LeftButton, {}, QPoint(13, 14));
    EXPECT_EQ(form->EditMesure->text(), Num("5,000"));
    EXPECT_EQ(form->Picture(), before);
    EXPECT_FALSE(form->MouseIsDown);

    // Zoom 2 with 2.5 µm per pixel: display (0,0)-(6,8) is picture (0,0)-(3,4). The
    // measured end is the last position dragged to, not where the button was let go.
    form->ZoomIn();
    ASSERT_EQ(form->ZoomFactor, 2.0);
    main->SetKPix(2.5);
    Drag(QPoint(0, 0), {QPoint(2, 2), QPoint(6, 8)}, QPoint(60, 70));
    EXPECT_EQ(form->EditMesure->text(), Num("12,500"));
    EXPECT_EQ(form->Picture(), before);
    EXPECT_TRUE(form->CurrentSelection().IsEmpty()); // the segment is no polygon
}

TEST_F(ImageTools, RectangleMeasuresReachTheSeriesWindow)
{
    form->BtnSelectClick();
    TStatForm *series = main->SeriesForm();
    ASSERT_TRUE(series);
    const QImage before = form->Picture().copy();
    main->SetKPix(0.5);

    // Dragged the other way round: the same rectangle x 10..20, y 10..30.
    RectangleSelection(QPoint(20, 30), QPoint(10, 10));
    ASSERT_EQ(form->CurrentSelection().Count(), 4);
    EXPECT_EQ(form->CurrentSelection().Point(1), QPoint(10, 30));
    EXPECT_NE(form->Picture(), before); // its outline stays until measured
    form->BtnMesurePerimetrCalc->trigger();
    EXPECT_EQ(form->EditMesure->text(), Num("30,000"));
    EXPECT_EQ(form->Picture(), before);
    EXPECT_TRUE(form->CurrentSelection().IsEmpty());
    form->BtnMesureAccept->trigger();
    form->BtnMesureAccept->trigger(); // the same value twice

    RectangleSelection(QPoint(10, 10), QPoint(20, 30));
    form->BtnMesureAreaCalc->trigger();
    EXPECT_EQ(form->EditMesure->text(), Num("50,000"));
    EXPECT_EQ(form->Picture(), before);
    form->BtnMesureAccept->trigger();
    TSampleData d = Series();
    ASSERT_EQ(d.Count, 3);
    EXPECT_DOUBLE_EQ(double(d.Size(0)), 30.0);
    EXPECT_DOUBLE_EQ(double(d.Size(1)), 30.0);
    EXPECT_DOUBLE_EQ(double(d.Size(2)), 50.0);
    EXPECT_EQ(d.N[2], 1);

    // Densities with the outline still drawn: the 29 outline pixels inside (top row and
    // left column) count inverted, 155 instead of 100, over a box of 10 x 20:
    // (29 * 155 + 171 * 100) / 200 = 107.975, three digits 108.
    RectangleSelection(QPoint(10, 10), QPoint(20, 30));
    form->BtnMesureSpectrCalc->trigger();
    const QString memo = series->Memo->toPlainText();
    EXPECT_TRUE(memo.contains("Средняя плотность по каналу R = " + Num("108,000"))) << memo.toStdString();
    EXPECT_TRUE(memo.contains("Средняя плотность по каналу G = " + Num("108,000")));
    EXPECT_TRUE(memo.contains("Средняя плотность по каналу B = " + Num("108,000")));
    EXPECT_EQ(form->Picture(), before);

    // A typed text that is no number adds nothing; a new series starts empty.
    form->EditMesure->setText("abc");
    form->MesureAcceptClick();
    EXPECT_EQ(Series().Count, 3);
    form->BtnSelectNew->trigger();
    ASSERT_TRUE(main->SeriesForm());
    EXPECT_NE(main->SeriesForm(), series);
    EXPECT_EQ(main->SeriesData().Count, 0);
    form->EditMesure->setText(Num("1,5"));
    form->MesureAcceptClick();
    EXPECT_EQ(Series().Count, 1);
    // With the series window closed, accepting and densities do nothing and do not fail.
    main->SeriesForm()->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    form->MesureAcceptClick();
    RectangleSelection(QPoint(1, 1), QPoint(5, 5));
    form->BtnMesureSpectrCalcClick();
    EXPECT_EQ(form->Picture(), before);
}

TEST_F(ImageTools, ToolChangesAndLeavingTakeTheMarksAway)
{
    form->BtnSelectClick();
    const QImage before = form->Picture().copy();

    RectangleSelection(QPoint(5, 5), QPoint(15, 15));
    EXPECT_NE(form->Picture(), before);
    form->BtnSelect3->trigger(); // segments
    EXPECT_EQ(form->Picture(), before);
    EXPECT_TRUE(form->CurrentSelection().IsEmpty());
    for (QPoint p : {QPoint(0, 0), QPoint(10, 0), QPoint(0, 10)})
        form->ImageMouseDown(p, Qt::LeftButton);
    EXPECT_EQ(form->CurrentSelection().Count(), 3);
    EXPECT_NE(form->Picture(), before);
    form->BtnMesureAreaCalc->trigger();
    EXPECT_EQ(form->EditMesure->text(), Num("55,000")); // the triangle
    EXPECT_EQ(form->Picture(), before);

    // Freehand: each position inverts its pixel; revisiting restores it.
    form->BtnSelect4->trigger();
    Drag(QPoint(3, 3), {QPoint(4, 3), QPoint(3, 3)}, QPoint(3, 3));
    EXPECT_EQ(form->CurrentSelection().Count(), 3);
    EXPECT_EQ(form->Picture().pixel(3, 3) & 0xFFFFFF, 0x646464u);
    EXPECT_EQ(form->Picture().pixel(4, 3) & 0xFFFFFF, 0x9B9B9Bu);
    form->BtnUnselect->trigger();
    EXPECT_EQ(form->Picture(), before);

    // A click on the bar's free area goes back to the linear measurement.
    form->BtnSelect2->trigger();
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(500, 5), QPointF(500, 5), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form->BarSelect, &release);
    EXPECT_TRUE(form->BtnSelect0->isChecked());
    EXPECT_EQ(form->SelectTools.CurrentTool(), SelectionTools::Segment);

    // The ellipse outline goes when the window leaves manual measurement.
    form->BtnSelect2->trigger();
    Drag(QPoint(5, 5), {QPoint(25, 15)}, QPoint(25, 15));
    EXPECT_NE(form->Picture(), before);
    form->BtnGraphClick();
    EXPECT_EQ(form->Picture(), before);
}

TEST_F(ImageTools, AnotherWindowsUndoCopyIsNeverWrittenBack)
{
    form->BtnSelectClick();
    RectangleSelection(QPoint(5, 5), QPoint(15, 15));
    const QImage marked = form->Picture().copy();
    TImageForm *other = main->CreateImgChild(QString(), true);
    other->SetPicture(Filled(40, 40, qRgb(0, 200, 0)));
    other->BtnNegativeClick(); // takes the one undo copy for itself
    form->BtnUnselect->trigger();
    EXPECT_EQ(form->Picture(), marked);
}

TEST_F(ImageTools, AnOperationInManualMeasurementWorksOnTheUnmarkedPicture)
{
    form->BtnSelectClick();
    const QImage before = form->Picture().copy();
    RectangleSelection(QPoint(5, 5), QPoint(15, 15));
    form->BtnNegativeClick();
    EXPECT_TRUE(form->CurrentSelection().IsEmpty());
    EXPECT_EQ(form->Picture(), Filled(40, 40, qRgb(155, 155, 155)));
    form->BtnSelect1->trigger(); // the operation's own undo copy is not written back
    EXPECT_EQ(form->Picture(), Filled(40, 40, qRgb(155, 155, 155)));
    main->ItemUndoClick();
    EXPECT_EQ(form->Picture(), before);
}

TEST_F(ImageTools, CopyOfTheSelectionOpensAWindow)
{
    QImage img = Filled(40, 40, qRgb(255, 255, 255));
    img.setPixel(10, 10, qRgb(1, 2, 3));
    img.setPixel(19, 29, qRgb(4, 5, 6));
    form->SetPicture(img);
    form->BtnSelectClick();
    form->BtnSelectCopy->trigger(); // nothing selected: nothing happens
    EXPECT_EQ(main->ActiveImageForm(), form);
    RectangleSelection(QPoint(10, 10), QPoint(20, 30));
    form->BtnSelectCopy->trigger();
    EXPECT_TRUE(form->BarSelect->isHidden());
    EXPECT_EQ(form->Picture(), img.convertToFormat(QImage::Format_RGBX8888));
    TImageForm *copy = main->ActiveImageForm();
    ASSERT_TRUE(copy && copy != form);
    ASSERT_EQ(copy->Picture().size(), QSize(10, 20));
    EXPECT_EQ(copy->Picture().pixel(0, 0) & 0xFFFFFF, 0x010203u);
    EXPECT_EQ(copy->Picture().pixel(9, 19) & 0xFFFFFF, 0x040506u);
}

TEST_F(ImageTools, DrawingAFilledRectangle)
{
    QImage white = Filled(40, 40, qRgb(255, 255, 255));
    form->SetPicture(white);
    form->BtnGraphClick();
    ASSERT_FALSE(form->BarBrush->isHidden());
    ASSERT_FALSE(form->BarPen->isHidden());
    EXPECT_TRUE(form->SolidBrush->isChecked());
    EXPECT_TRUE(form->PointButton->isChecked());
    EXPECT_EQ(form->PenSize->text(), "1");
    EXPECT_EQ(form->RoundRectButton->toolTip(), "Элипс");

    prepare = [](QDialog *d) {
        if (auto *c = qobject_cast<QColorDialog *>(d))
            c->setCurrentColor(QColor(255, 0, 0));
    };
    form->BtnBrushColorClick();
    EXPECT_EQ(form->BrushColor, QColor(255, 0, 0));
    form->RectangleButton->trigger();
    // The rubber rectangles on the way leave no trace; the final one is drawn in the pen
    // and brush.
    Drag(QPoint(2, 2), {QPoint(30, 30), QPoint(8, 25), QPoint(15, 12)}, QPoint(15, 12));
    const QImage &p = form->Picture();
    EXPECT_EQ(p.pixel(2, 2) & 0xFFFFFF, 0x000000u);   // outline
    EXPECT_EQ(p.pixel(15, 12) & 0xFFFFFF, 0x000000u); // the other corner is covered
    EXPECT_EQ(p.pixel(8, 7) & 0xFFFFFF, 0xFF0000u);   // inside
    EXPECT_EQ(p.pixel(20, 20) & 0xFFFFFF, 0xFFFFFFu); // outside, crossed by rubber shapes
    EXPECT_EQ(p.pixel(30, 30) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_FALSE(main->ItemUndo->isEnabled()); // drawing takes no undo copy

    // A wider pen in a new colour, with the clear brush: only the outline changes.
    form->SetPicture(white);
    form->PenWidth->setValue(3);
    EXPECT_EQ(form->PenSize->text(), "3");
    prepare = [](QDialog *d) {
        if (auto *c = qobject_cast<QColorDialog *>(d))
            c->setCurrentColor(QColor(0, 0, 255));
    };
    form->BtnPenColorClick();
    form->ClearBrush->trigger();
    Drag(QPoint(10, 10), {QPoint(30, 30)}, QPoint(30, 30));
    EXPECT_EQ(form->Picture().pixel(20, 20) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(form->Picture().pixel(10, 20) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(form->Picture().pixel(11, 20) & 0xFFFFFF, 0x0000FFu); // 3 pixels wide

    // The point tool leaves a dot at every position reported.
    form->SetPicture(white);
    form->PointButton->trigger();
    Drag(QPoint(5, 5), {QPoint(6, 30), QPoint(35, 2)}, QPoint(35, 2));
    EXPECT_EQ(form->Picture().pixel(6, 30) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(form->Picture().pixel(35, 2) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(form->Picture().pixel(20, 20) & 0xFFFFFF, 0xFFFFFFu);
}

} // namespace
