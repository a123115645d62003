// The controls of manual measurement and of the graphic editor: the selection tools, the
// measurements and the series they go to, the pen, the brush and the shape.
#include "imaging/TImageForm.h"
#include "base/NumberForms.h"
#include "imaging/Measure.h"
#include "widgets/Messages.h"

#include <QActionGroup>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>

void TImageForm::RestoreMarks()
{
    const QImage &copy = engine_.WorkingCopy();
    if (marksDrawn_ && selectCopyKey_ != 0 && copy.cacheKey() == selectCopyKey_ && copy.size() == picture_.size()
        && copy.format() == picture_.format()) {
        engine_.RestoreFromCopy(picture_);
        PictureChanged();
    }
    marksDrawn_ = false;
}

void TImageForm::StartSelectTool(SelectionTools::Tool tool)
{
    UnselectClick();
    SelectTools.SetTool(tool);
    MouseIsDown = false;
}

void TImageForm::ModeSelect0() { StartSelectTool(SelectionTools::Segment); }
void TImageForm::ModeSelect1() { StartSelectTool(SelectionTools::Rectangle); }
void TImageForm::BtnSelect2Click() { StartSelectTool(SelectionTools::Ellipse); }
void TImageForm::ModeSelect3() { StartSelectTool(SelectionTools::Segments); }
void TImageForm::ModeSelect4() { StartSelectTool(SelectionTools::Freehand); }

void TImageForm::UnselectClick()
{
    RestoreMarks();
    SelectTools.selection.Clear();
}

void TImageForm::SelectCopyClick()
{
    if (SelectTools.selection.Count() < 3 || picture_.isNull())
        return;
    RestoreMarks();
    const QImage part = CopySelection(picture_, SelectTools.selection);
    if (!part.isNull())
        emit newPicture(part);
    BarSelect->hide();
}

void TImageForm::SelectNewClick()
{
    emit seriesWanted(true);
    setFocus();
}

void TImageForm::MesurePerimetrCalcClick()
{
    EditMesure->setText(
        measure::PerimeterText(SelectTools.selection, settings_.kpix, numtext::SystemDecimalSeparator()));
    UnselectClick();
}

void TImageForm::MesureAreaCalcClick()
{
    EditMesure->setText(measure::AreaText(SelectTools.selection, settings_.kpix, numtext::SystemDecimalSeparator()));
    UnselectClick();
}

void TImageForm::BtnMesureSpectrCalcClick()
{
    // Measured with the outline still drawn: its inverted pixels inside count as they are.
    const measure::Densities d = measure::ChannelDensity(picture_, SelectTools.selection);
    emit seriesLines(measure::DensityLines(d, numtext::SystemDecimalSeparator()));
    UnselectClick();
}

void TImageForm::MesureAcceptClick()
{
    long double value = 0;
    // A text that is no number adds nothing.
    if (numtext::ReadNumber(EditMesure->text().trimmed(), numtext::SystemDecimalSeparator(), value))
        emit seriesValueAccepted(value);
}

namespace {
// The shape a button of the shape group draws; the point when none is chosen.
ToolShapeKind ShapeOf(const QAction *button)
{
    return button ? ToolShapeKind(button->data().toInt()) : ShapePoint;
}
} // namespace

void TImageForm::ApplyGraphControls()
{
    const QList<QAction *> brushes = brushGroup_->actions();
    const QList<QAction *> pens = penGroup_->actions();
    GraphTool.toolShape = ShapeOf(shapeGroup_->checkedAction());
    GraphTool.style.brushStyle = BrushStyleOfButton(int(brushes.indexOf(brushGroup_->checkedAction())));
    GraphTool.style.brushColor = BrushColor;
    GraphTool.style.penColor = PenColor;
    GraphTool.style.penWidth = PenWidth->value();
    GraphTool.style.penStyle = PenStyleOfButton(int(pens.indexOf(penGroup_->checkedAction())));
}

void TImageForm::BrushClick(QAction *button)
{
    GraphTool.style.brushStyle = BrushStyleOfButton(int(brushGroup_->actions().indexOf(button)));
}

void TImageForm::PenClick(QAction *button)
{
    GraphTool.style.penStyle = PenStyleOfButton(int(penGroup_->actions().indexOf(button)));
}

void TImageForm::DrawingToolClick(QAction *button)
{
    GraphTool.toolShape = ShapeOf(button);
}

// A colour chosen in the colour dialog, shown on its panel; false when none was.
bool TImageForm::PickPanelColour(QToolButton *panel, QColor &colour)
{
    QColorDialog dialog(colour, this);
    if (ExecDialog(&dialog) != QDialog::Accepted || !dialog.currentColor().isValid())
        return false;
    colour = dialog.currentColor();
    SetPanelColour(panel, colour);
    return true;
}

void TImageForm::BtnBrushColorClick()
{
    if (PickPanelColour(BtnBrushColor, BrushColor))
        GraphTool.style.brushColor = BrushColor;
}

void TImageForm::BtnPenColorClick()
{
    if (PickPanelColour(BtnPenColor, PenColor))
        GraphTool.style.penColor = PenColor;
}

void TImageForm::PenWidthChange()
{
    PenSize->setText(QString::number(PenWidth->value()));
    GraphTool.style.penWidth = PenWidth->value();
}
