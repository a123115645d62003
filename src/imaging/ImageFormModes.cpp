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

void TImageForm::ModeDiff()
{
    UnMode();
    BarDiffImage->show();
    mode_ = Mode::Diff;
}

void TImageForm::ModeFiltr()
{
    UnMode();
    BarFiltrImage->show();
    mode_ = Mode::Filtr;
}

void TImageForm::ModeBandW()
{
    UnMode();
    BarBandW->show();
    mode_ = Mode::BandW;
}

void TImageForm::ModeSelect()
{
    UnMode();
    BarSelect->show();
    mode_ = Mode::Select;
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
    UnMode();
    BarBrush->show();
    BarPen->show();
    mode_ = Mode::Graph;
    ApplyGraphControls();
}

void TImageForm::ModeAnalis2()
{
    UnMode();
    BarAnalis2->show();
    mode_ = Mode::Analis2;
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
