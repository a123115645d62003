// The commands on the whole picture: the engine's operations with their undo copy, the
// binary analysis, the analysis by shades and the user function.
#include "imaging/TImageForm.h"
#include "base/I18n.h"
#include "base/NumberForms.h"
#include "imaging/BinaryAnalysis.h"
#include "imaging/UserFunctions.h"
#include "samples/SampleData.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QRadioButton>
#include <QSpinBox>
#include <memory>

// Each pixel operation enables undo, runs on the picture, then repaints.
void TImageForm::RunOperation(const std::function<void(TPictures &, QImage &)> &op)
{
    if (picture_.isNull())
        return;
    // The selection marks are no part of the picture: they go before the operation.
    if (mode_ == Mode::Select) {
        RestoreMarks();
        SelectTools.selection.Clear();
    }
    emit undoAvailable(true);
    op(engine_, picture_);
    undoCopyKey_ = engine_.WorkingCopy().cacheKey();
    PictureChanged();
    // The command is given: the keyboard goes back from the bar's field to the picture.
    if (isAncestorOf(QApplication::focusWidget()))
        Image->setFocus();
}

bool TImageForm::HoldsUndoCopy() const
{
    const QImage &copy = engine_.WorkingCopy();
    return undoCopyKey_ != 0 && !copy.isNull() && copy.cacheKey() == undoCopyKey_;
}

void TImageForm::BtnFiltrApplyClick()
{
    const int x = EditFiltrX->value(), y = EditFiltrY->value();
    RunOperation([x, y](TPictures &e, QImage &p) { e.MedianFilter(x, y, p); });
}

void TImageForm::BtnNegativeClick()
{
    RunOperation([](TPictures &e, QImage &p) { e.Negative(p); });
}

void TImageForm::BtnMirrorHClick()
{
    RunOperation([](TPictures &e, QImage &p) { e.MirrorHorizontal(p); });
}

void TImageForm::BtnMirrorVClick()
{
    RunOperation([](TPictures &e, QImage &p) { e.MirrorVertical(p); });
}

void TImageForm::BtnDiffImageApplyClick()
{
    const pictures::ShadeRelation relation = RadioButton1->isChecked()   ? pictures::ShadeBelow
                                             : RadioButton2->isChecked() ? pictures::ShadeAtLeast
                                                                         : pictures::ShadeMidpoint;
    const uint32_t c1 = DiffColor1, c2 = DiffColor2;
    RunOperation([=](TPictures &e, QImage &p) { e.SeparateByShades(relation, c1, c2, p); });
}

void TImageForm::BtnBandWApplyClick()
{
    const int b = EditBright->value();
    RunOperation([b](TPictures &e, QImage &p) { e.BlackAndWhite(b, p); });
}

void TImageForm::BtnGrayClick()
{
    RunOperation([](TPictures &e, QImage &p) { e.Grayscale(p); });
}

void TImageForm::BtnClearRectClick()
{
    RunOperation([](TPictures &e, QImage &p) { e.ClearEdges(p); });
}

// The particles of the black-and-white picture become a new numbered sample window; the
// picture shows the marked copy.
void TImageForm::AnalyseInto(QImage &picture)
{
    if (picture.isNull())
        return;
    emit undoAvailable(false);
    auto data = std::make_unique<TSampleData>();
    engine_.AnalyseBinary(*data, settings_.measure, settings_.kpix, picture);
    emit analysisReady(*data);
    const int n = data->Count;
    if (n >= pictures::MaxParticles)
        ShowMessage(tr("Анализ остановлен на %1 частицах: в выборку вошли первые %1")
                        .arg(pictures::MaxParticles));
    else if (n == 0)
        ShowMessage(tr("Частицы не найдены: анализ ищет черные частицы на белом фоне. "
                       "Сначала преобразуйте изображение в черно-белое."));
}

void TImageForm::BtnAnalis1Click()
{
    AnalyseInto(picture_);
    PictureChanged();
}

void TImageForm::BtnAnalis2SelectClick()
{
    const int t = EditGrad->value();
    const uint32_t c = Analis2Color;
    RunOperation([=](TPictures &e, QImage &p) { e.MarkColour(c, t, p); });
}

// The marks become black shapes on white in a new image window, which is then analysed.
void TImageForm::BtnAnalis2CalcClick()
{
    if (!picture_.isNull())
        emit maskForAnalysis(TPictures::MaskToBinary(picture_));
}

// The chosen user function of the add-on library on this picture. It takes no undo copy:
// what the function changes cannot be undone.
void TImageForm::BtnPClick()
{
    UserFunctions &library = LoadedUserFunctions();
    if (!library.Loaded()) {
        // Without the library there is nothing to call; say why instead of doing nothing.
        ShowMessage(i18n::Tr("UserFunctions", UserFunctions::NotFoundMessage));
        return;
    }
    const int i = settings_.userFunction;
    double result = 0;
    if (!library.Apply(i, picture_, result))
        return; // no such function, or no picture
    PictureChanged();
    emit seriesWanted(false);
    emit seriesLines({tr("Функция пользователя: ") + library.Name(i),
                      UserFunctionResultText(result, numtext::SystemDecimalSeparator())});
    setFocus();
}
