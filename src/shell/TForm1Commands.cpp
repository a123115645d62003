// The Edit, Service, Analysis, Window and Information menus.
#include "shell/TForm1.h"
#include "analysis/Laws.h"
#include "base/I18n.h"
#include "base/NumberForms.h"
#include "calculator/TDlgCalc.h"
#include "imaging/TImageForm.h"
#include "samples/Generation.h"
#include "samples/TFormStatDlg.h"
#include "samples/TStatForm.h"
#include "shell/Calibration.h"
#include "shell/Settings.h"
#include "shell/SmallDialogs.h"
#include "shell/TKalibrDlg.h"
#include "shell/TParamDlg.h"
#include "widgets/Messages.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QSpinBox>
#include <memory>

// The undo copy goes back only into the window it was taken from, which becomes the
// active one so that the user sees what was undone; it never lands, stretched, in another.
void TForm1::ItemUndoClick()
{
    for (QMdiSubWindow *w : mdi_->subWindowList()) {
        auto *f = qobject_cast<TImageForm *>(w->widget());
        if (!f || !f->HoldsUndoCopy())
            continue;
        if (mdi_->currentSubWindow() != w)
            mdi_->setActiveSubWindow(w);
        engine_.UndoLast(f->Picture());
        f->PictureChanged();
        break;
    }
    ItemUndo->setEnabled(false);
}

// The Edit commands go to the active child, whichever kind it is.
void TForm1::EditActiveChild(void (TImageForm::*image)(), void (TStatForm::*sample)())
{
    if (ImageFormActive_) {
        if (TImageForm *f = ActiveImageForm())
            (f->*image)();
    } else if (StatFormActive_) {
        if (TStatForm *f = ActiveStatForm())
            (f->*sample)();
    }
}

void TForm1::ItemCutClick() { EditActiveChild(&TImageForm::Cut, &TStatForm::Cut); }
void TForm1::ItemCopyClick() { EditActiveChild(&TImageForm::Copy, &TStatForm::Copy); }
void TForm1::ItemPasteClick() { EditActiveChild(&TImageForm::Paste, &TStatForm::Paste); }

void TForm1::CalcClick()
{
    DlgCalc_->setVisible(!DlgCalc_->isVisible());
    UpdateCommandState();
}

void TForm1::FormStat()
{
    TFormStatDlg *dlg = FormStatDlg_;
    if (ExecDialog(dlg) != QDialog::Accepted)
        return;
    generation::Params p;
    p.points = generation::ClampPoints(dlg->SpinEdit->value());
    if (const char *why = generation::ReadParams(dlg->Edit1->text(), dlg->Edit2->text(), dlg->Edit3->text(),
                                                 dlg->Edit4->text(), numtext::SystemDecimalSeparator(), p)) {
        ShowMessage(i18n::Tr("Generation", why));
        return;
    }
    const generation::DiffCurve curve = dlg->BtnGoden->isChecked()  ? laws::DiffGaudin
                                        : dlg->BtnRosin->isChecked() ? laws::DiffRosinRammler
                                                                     : laws::DiffLogNormal;
    auto data = std::make_unique<TSampleData>();
    if (!generation::Generate(p, curve, *data))
        ShowMessage(i18n::Tr("Generation", generation::kCannotGenerate));
    CreateSttChild(QString(), true)->SetData(*data);
}

void TForm1::ItemParamClick()
{
    // An index outside a list's items selects nothing there.
    auto select = [](QComboBox *box, int i) { box->setCurrentIndex(i >= 0 && i < box->count() ? i : -1); };
    select(ParamDlg_->MesureFunc, SizeFlag_);
    select(ParamDlg_->RasprFunc, ChartLaw_);
    select(ParamDlg_->ListAddFunc, AddFuncFlag_);
    ExecDialog(ParamDlg_);
    // However the dialog was closed, the choices made in it are taken.
    SizeFlag_ = ParamDlg_->MesureFunc->currentIndex();
    ChartLaw_ = ParamDlg_->RasprFunc->currentIndex();
    AddFuncFlag_ = ParamDlg_->ListAddFunc->currentIndex();
    SettingsChanged();
}

void TForm1::Kalibr()
{
    const QChar sep = numtext::SystemDecimalSeparator();
    KalibrDlg_->KPixEdit->setText(calibration::KPixText(KPix_, sep));
    TImageForm *active = ImageFormActive_ ? ActiveImageForm() : nullptr;
    KalibrDlg_->OfferPicture(active ? active->Picture() : QImage());
    const int result = ExecDialog(KalibrDlg_);
    KalibrDlg_->OfferPicture(QImage()); // no second copy of a picture kept
    if (result != QDialog::Accepted)
        return;
    double v = 0;
    if (calibration::ReadKPix(KalibrDlg_->KPixEdit->text(), sep, v))
        SetKPix(v);
    else
        ShowMessage(tr("Неверное значение коэффициента пересчета"));
    RedrawActiveScaleBar();
    UpdateCommandState();
}

// Every window builds its texts once, so the choice is stored and read at the next start;
// the notice is in both languages, for whichever was chosen.
void TForm1::ChooseLanguage(const QString &lang)
{
    QString error;
    if (!WriteLanguage(lang, error)) {
        ShowMessage(error);
        (i18n::Language() == QLatin1String("en") ? ItemLanguageEn : ItemLanguageRu)->setChecked(true);
        return;
    }
    if (lang != i18n::Language())
        ShowMessage(tr("Язык интерфейса сменится при следующем запуске программы.\n"
                       "The interface language changes when the program is started again."));
}

// The fit runs in the sample window, as its tool button does.
void TForm1::ItemFitClick()
{
    if (StatFormActive_)
        if (TStatForm *f = ActiveStatForm())
            f->BtnFitClick();
}

void TForm1::RedrawActiveScaleBar()
{
    if (ImageFormActive_)
        if (TImageForm *f = ActiveImageForm())
            f->DrawCalibrate();
}

void TForm1::ItemCascadeClick()
{
    mdi_->cascadeSubWindows();
}

void TForm1::ItemTileClick()
{
    mdi_->tileSubWindows();
}

void TForm1::ItemInfoClick()
{
    ExecDialog(AboutBox_);
}
