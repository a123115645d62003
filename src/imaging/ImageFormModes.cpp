// The image window's modes: each shows its bar under the command bar.
#include "imaging/TImageForm.h"

#include <QAction>
#include <QToolBar>

void TImageForm::UnMode()
{
    // Leaving manual measurement takes its marks off the picture.
    if (mode_ == Mode::Select) {
        RestoreMarks();
        SelectTools.selection.Clear();
    }
    SelectTools.mouseIsDown = GraphTool.mouseIsDown = MouseIsDown = false;
    for (QToolBar *b : {BarDiffImage, BarFiltrImage, BarBandW, BarBrush, BarPen, BarSelect, BarAnalis2})
        b->hide();
    mode_ = Mode::None;
}

// Leaves the mode there was and shows the new mode's bars.
void TImageForm::EnterMode(Mode mode, std::initializer_list<QToolBar *> bars)
{
    UnMode();
    for (QToolBar *b : bars)
        b->show();
    mode_ = mode;
}

void TImageForm::ModeDiff() { EnterMode(Mode::Diff, {BarDiffImage}); }
void TImageForm::ModeFiltr() { EnterMode(Mode::Filtr, {BarFiltrImage}); }
void TImageForm::ModeBandW() { EnterMode(Mode::BandW, {BarBandW}); }
void TImageForm::ModeAnalis2() { EnterMode(Mode::Analis2, {BarAnalis2}); }

void TImageForm::ModeSelect()
{
    EnterMode(Mode::Select, {BarSelect});
    selectCopyKey_ = 0;
    if (!picture_.isNull()) {
        engine_.SaveUndoCopy(picture_);
        selectCopyKey_ = undoCopyKey_ = engine_.WorkingCopy().cacheKey();
    }
    marksDrawn_ = false;
    BtnSelect0->setChecked(true);
    SelectTools.SetTool(SelectionTools::Segment);
}

void TImageForm::ModeGraph()
{
    EnterMode(Mode::Graph, {BarBrush, BarPen});
    ApplyGraphControls();
}

void TImageForm::BtnGraphClick() { ModeGraph(); }
void TImageForm::BtnFiltrClick() { ModeFiltr(); }
void TImageForm::BtnDiffImageClick() { ModeDiff(); }
void TImageForm::BtnBandWClick() { ModeBandW(); }
void TImageForm::btnAnalis2Click() { ModeAnalis2(); }

void TImageForm::BtnSelectClick()
{
    emit seriesWanted(false);
    ModeSelect();
    setFocus();
}
