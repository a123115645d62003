// The child windows: made here with the engine and their settings, their signals answered
// here, and the active one's kind derived here.
#include "shell/TForm1.h"
#include "imaging/TImageForm.h"
#include "samples/TStatForm.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <algorithm>

// Closing the active child also arrives here: first as null while it is still listed, then
// with the child that takes its place, or null once none is left.
void TForm1::SubWindowActivated(QMdiSubWindow *w)
{
    // Null also arrives when the whole program loses the focus; the active child stays.
    if (!w && !mdi_->subWindowList().isEmpty() && mdi_->currentSubWindow())
        return;
    if (w == lastActive_)
        return;
    lastActive_ = w;
    auto *image = w ? qobject_cast<TImageForm *>(w->widget()) : nullptr;
    ImageFormActive_ = image != nullptr;
    StatFormActive_ = w && qobject_cast<TStatForm *>(w->widget());
    if (image)
        image->FormActivate();
    UpdateCommandState();
}

QMdiSubWindow *TForm1::AddChild(QWidget *child, const QString &caption)
{
    child->setWindowTitle(caption);
    QMdiSubWindow *sub = mdi_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setGeometry(CascadePlace(child->size()));
    sub->show();
    mdi_->setActiveSubWindow(sub);
    // After a dialog the frame is not yet active again; without the focus inside the new
    // child, its return would give the child activation back to the previous one.
    sub->setFocus();
    return sub;
}

// Each new child one title bar lower and to the right of the one before, all inside the
// workspace; when the steps reach its edge they start again at the top left.
QRect TForm1::CascadePlace(QSize size) const
{
    const QSize area = mdi_->viewport()->size();
    if (area.isEmpty())
        return QRect(QPoint(0, 0), size);
    size = size.boundedTo(area);
    const int step = std::max(8, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const int steps = std::min((area.width() - size.width()) / step, (area.height() - size.height()) / step) + 1;
    int others = 0;
    for (QMdiSubWindow *w : mdi_->subWindowList())
        others += w->isVisible() && !w->isMinimized();
    const int k = others % std::max(1, steps);
    return QRect(QPoint(k * step, k * step), size);
}

TStatForm *TForm1::CreateSttChild(const QString &fileName, bool numbered)
{
    auto *form = new TStatForm(SampleDialogs{GroupDlg_, CaseCalcDistribDlg_, FitDlg_});
    form->SetSettings(ReportSettingsNow());
    connect(form, &TStatForm::chartLawChosen, this, [this](int law) {
        ChartLaw_ = law;
        SettingsChanged();
    });
    QString caption = fileName;
    if (numbered)
        caption = QStringLiteral("Stat%1.grz").arg(++StatCount);
    AddChild(form, caption);
    return form;
}

TImageForm *TForm1::CreateImgChild(const QString &fileName, bool numbered)
{
    auto *form = new TImageForm(engine_);
    form->SetSettings(ImageSettingsNow());
    connect(form, &TImageForm::undoAvailable, ItemUndo, &QAction::setEnabled);
    connect(form, &TImageForm::analysisReady, this, &TForm1::ShowAnalysis);
    connect(form, &TImageForm::newPicture, this, &TForm1::OpenPicture);
    connect(form, &TImageForm::maskForAnalysis, this, [this](const QImage &mask) { OpenPicture(mask)->BtnAnalis1Click(); });
    connect(form, &TImageForm::seriesWanted, this, [this, form](bool fresh) { ShowSeriesBeside(form, fresh); });
    connect(form, &TImageForm::seriesLines, this, &TForm1::AppendToSeries);
    connect(form, &TImageForm::seriesValueAccepted, this, &TForm1::AcceptSeriesValue);
    connect(form, &TImageForm::calibrationRequested, this, &TForm1::Kalibr);
    QString caption = fileName;
    if (numbered)
        caption = QStringLiteral("Image%1.bmp").arg(++ImageCount);
    form->ZoomFactor = 1.0;
    AddChild(form, caption);
    return form;
}

TStatForm *TForm1::NewSttFile()
{
    return CreateSttChild(QString(), true);
}

// A picture of no file in a new numbered window, at its own size.
TImageForm *TForm1::OpenPicture(const QImage &picture)
{
    TImageForm *form = CreateImgChild(QString(), true);
    form->SetPicture(picture);
    form->ActualSize();
    return form;
}

TStatForm *TForm1::ActiveStatForm() const
{
    QMdiSubWindow *w = mdi_->currentSubWindow();
    return w ? qobject_cast<TStatForm *>(w->widget()) : nullptr;
}

TImageForm *TForm1::ActiveImageForm() const
{
    QMdiSubWindow *w = mdi_->currentSubWindow();
    return w ? qobject_cast<TImageForm *>(w->widget()) : nullptr;
}

void TForm1::SetActiveCaption(const QString &caption)
{
    if (QMdiSubWindow *w = mdi_->currentSubWindow()) {
        w->setWindowTitle(caption);
        if (w->widget())
            w->widget()->setWindowTitle(caption);
    }
}

void TForm1::ShowAnalysis(const TSampleData &sample)
{
    CreateSttChild(QString(), true)->SetData(sample);
    Panel1->setText(tr("Найдено частиц: %1").arg(sample.Count));
}

TStatForm *TForm1::SeriesForm() const
{
    return SeriesForm_.data();
}

// Manual measurement: the image window on the left, the series window on the right.
void TForm1::ShowSeriesBeside(TImageForm *form, bool fresh)
{
    auto *self = qobject_cast<QMdiSubWindow *>(form->parentWidget());
    if (!self)
        return;
    if (fresh || !SeriesForm()) {
        SeriesData_->Count = 0;
        SeriesForm_ = CreateSttChild(QString(), true);
        mdi_->setActiveSubWindow(self);
    }
    const QSize area = mdi_->size();
    self->setGeometry(0, 0, area.width() - 400, area.height() - 100);
    if (auto *series = qobject_cast<QMdiSubWindow *>(SeriesForm()->parentWidget()))
        series->setGeometry(area.width() - 400, 0, area.width() - self->width() - 12, area.height() - 100);
}

void TForm1::AppendToSeries(const QStringList &lines)
{
    if (TStatForm *series = SeriesForm())
        series->AppendLines(lines);
}

// A full series takes no more.
void TForm1::AcceptSeriesValue(long double value)
{
    TStatForm *series = SeriesForm();
    TSampleData &data = *SeriesData_;
    if (!series || data.Count >= TSampleData::Capacity)
        return;
    data.N[data.Count] = 1;
    data.SetSize(data.Count, value);
    ++data.Count;
    series->SetData(data);
}
