#include "shell/TForm1.h"
#include "analysis/TDlgCaseCalcDistrib.h"
#include "analysis/TFitDlg.h"
#include "base/I18n.h"
#include "base/NumberForms.h"
#include "calculator/TDlgCalc.h"
#include "imaging/TBatchDlg.h"
#include "imaging/TImageForm.h"
#include "imaging/TParticlesDlg.h"
#include "imaging/TPictureMessage.h"
#include "imaging/UserFunctions.h"
#include "samples/TFormStatDlg.h"
#include "samples/TGroupDlg.h"
#include "samples/TStatForm.h"
#include "shell/Settings.h"
#include "shell/SmallDialogs.h"
#include "shell/TKalibrDlg.h"
#include "shell/TParamDlg.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

namespace {

const char *kOpenFilter = QT_TRANSLATE_NOOP("TForm1",
    "Все графические файлы|*.bmp;*.jpg;*.gif;*.emf;*.wmf;*.tif;*.png;*.ico;*.pcx|BMP файлы (*.bmp)|*.bmp|"
    "JPEG файлы (*.jpg)|*.jpg|GIF файлы (*.gif)|*.gif|EMF файлы (*.emf)|*.emf|WMF файлы (*.wmf)|*.wmf|"
    "TIFF файлы (*.tif)|*.tif|PNG файлы (*.png)|*.png|ICON файлы (*.ico)|*.ico|PCX файлы (*.pcx)|*.pcx|"
    "Файлы данных Grizal 2 (*.grz)|*.grz|Файлы данных Grizal 2 (*.dat)|*.dat|Все файлы (*.*)|*.*");
const char *kSaveImageFilter = QT_TRANSLATE_NOOP("TForm1",
    "Windows Bitmap файлы (*.bmp)|*.bmp|JPEG файлы (*.jpg)|*.jpg|Все файлы (*.*)|*.*");
const char *kSaveDataFilter = QT_TRANSLATE_NOOP("TForm1",
    "Файлы данных Grizal 2 (*.grz)|*.grz|Текстовые файлы (*.txt)|*.txt|Все файлы (*.*)|*.*");

} // namespace

TForm1::TForm1(const QStringList &commandLine, QWidget *parent)
    : QMainWindow(parent), commandLine_(commandLine), SeriesData_(std::make_unique<TSampleData>())
{
    setWindowTitle(QStringLiteral("Grizal 2"));
    progress_ = new TPictureMessage(this);
    engine_.SetProgress(progress_);
    qApp->installEventFilter(this);
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &TForm1::SubWindowActivated);

    Panel1 = new QLabel(this);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addWidget(Panel1, 1);
    statusBar()->setSizeGripEnabled(false);

    BuildMenus();
    BuildToolBar();

    ChartLaw_ = 0;
    ImageCount = 0;
    StatCount = 0;
    LaunchedWithFiles = !commandLine_.isEmpty();
    const StoredSettings s = ReadSettings(numtext::SystemDecimalSeparator());
    KPix_ = s.KPix;
    SizeFlag_ = s.SizeFlag;
    AddFuncFlag_ = s.AddFuncFlag;
    if (!LoadedUserFunctions().Load())
        ShowMessage(i18n::Tr("UserFunctions", UserFunctions::NotFoundMessage));

    // The dialogs live from start to end and keep their controls' states between uses.
    KalibrDlg_ = new TKalibrDlg(this);
    NewBMPForm_ = new TNewBMPForm(this);
    AboutBox_ = new TAboutBox(this);
    GroupDlg_ = new TGroupDlg(this);
    FormStatDlg_ = new TFormStatDlg(this);
    OpenDlg_ = new TOpenDlg(this);
    ParamDlg_ = new TParamDlg(this);
    NewDlg_ = new TNewDlg(this);
    DlgCalc_ = new TDlgCalc(this);
    connect(DlgCalc_, &TDlgCalc::VisibilityChanged, this, [this] { UpdateCommandState(); });
    CaseCalcDistribDlg_ = new TDlgCaseCalcDistrib(this);
    ParticlesDlg_ = new TParticlesDlg(this);
    BatchDlg_ = new TBatchDlg(this);
    FitDlg_ = new TFitDlg(this);
    OpenDialog = MakeFileDialog(this, tr("Открыть"), tr(kOpenFilter), false, {});
    SaveImageDialog = MakeFileDialog(this, tr("Сохранить файл изображения"),
                                     tr(kSaveImageFilter), true, QStringLiteral("bmp"));
    SaveDataDialog = MakeFileDialog(this, tr("Сохранить файл данных"),
                                    tr(kSaveDataFilter), true, QStringLiteral("grz"));
    UpdateCommandState();
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    // What the children and the calculator signal on their way out must not reach the
    // half-destroyed main window. The children work with the engine, a member, so they go
    // first, with the workspace.
    disconnect(mdi_, nullptr, this, nullptr);
    if (DlgCalc_)
        disconnect(DlgCalc_, nullptr, this, nullptr);
    delete mdi_;
}

bool TForm1::event(QEvent *e)
{
    if (e->type() == QEvent::StatusTip)
        return true; // shown by the filter below, not in the status bar's message area
    return QMainWindow::event(e);
}

// The hint of the highlighted item or of the control under the pointer, wherever it comes
// from: menus, the tool bar, child windows and their controls.
bool TForm1::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::StatusTip)
        Panel1->setText(static_cast<QStatusTipEvent *>(e)->tip());
    return QMainWindow::eventFilter(watched, e);
}

void TForm1::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    ParamDlg_->ListAddFunc->clear();
    ParamDlg_->ListAddFunc->addItems(LoadedUserFunctions().Names());
    if (LaunchedWithFiles)
        for (const QString &f : commandLine_)
            OpenData(f);
    for (const QString &f : startImages_)
        OpenFile(QFileInfo(f).absoluteFilePath()); // as the open dialog gives it
    // Once the workspace has its final size, so that the results go beside the pictures.
    QTimer::singleShot(0, this, &TForm1::StartParticles);
}

void TForm1::closeEvent(QCloseEvent *e)
{
    if (!closed_) {
        closed_ = true;
        StoredSettings s;
        s.KPix = KPix_;
        s.SizeFlag = SizeFlag_;
        s.AddFuncFlag = AddFuncFlag_;
        QString dir = QCoreApplication::applicationDirPath();
        if (!dir.endsWith(QLatin1Char('/')))
            dir += QLatin1Char('/');
        QString error;
        if (!WriteSettings(s, dir, numtext::SystemDecimalSeparator(), error))
            ShowMessage(error);
        LoadedUserFunctions().Unload();
    }
    e->accept();
}

void TForm1::SetKPix(double v)
{
    KPix_ = v;
    SettingsChanged();
}

ImageSettings TForm1::ImageSettingsNow() const
{
    ImageSettings s;
    s.kpix = KPix_;
    s.measure = pictures::SizeMeasureOf(SizeFlag_);
    s.userFunction = AddFuncFlag_;
    return s;
}

ReportSettings TForm1::ReportSettingsNow() const
{
    ReportSettings s;
    s.chartLaw = ChartLaw_;
    s.histogram = ParamDlg_->CheckBox1->isChecked();
    s.curve = ParamDlg_->CheckBox2->isChecked();
    return s;
}

void TForm1::SettingsChanged()
{
    const ImageSettings image = ImageSettingsNow();
    const ReportSettings report = ReportSettingsNow();
    for (QMdiSubWindow *w : mdi_->subWindowList()) {
        if (auto *i = qobject_cast<TImageForm *>(w->widget()))
            i->SetSettings(image);
        else if (auto *s = qobject_cast<TStatForm *>(w->widget()))
            s->SetSettings(report);
    }
}
