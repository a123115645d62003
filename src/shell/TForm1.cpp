#include "base/Files.h"
#include "shell/TForm1.h"
#include "analysis/TDlgCaseCalcDistrib.h"
#include "analysis/Laws.h"
#include "image_files/MultImage.h"
#include "calculator/TDlgCalc.h"
#include "imaging/ScaleBar.h"
#include "imaging/TImageForm.h"
#include "imaging/TPictureMessage.h"
#include "imaging/UserFunctions.h"
#include "samples/DataFiles.h"
#include "samples/Generation.h"
#include "samples/TFormStatDlg.h"
#include "base/Errors.h"
#include "base/NumberForms.h"
#include "samples/TGroupDlg.h"
#include "samples/TStatForm.h"
#include "shell/Calibration.h"
#include "widgets/Glyphs.h"
#include "widgets/Messages.h"
#include "shell/NewPicture.h"
#include "shell/Scanner.h"
#include "shell/Settings.h"
#include "shell/SmallDialogs.h"
#include "shell/TKalibrDlg.h"
#include "shell/TParamDlg.h"
#include "shell/TSelectSource.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

namespace {

const char *kOpenFilter =
    "Все графические файлы|*.bmp;*.jpg;*.gif;*.emf;*.wmf;*.tif;*.png;*.ico;*.pcx|BMP файлы (*.bmp)|*.bmp|"
    "JPEG файлы (*.jpg)|*.jpg|GIF файлы (*.gif)|*.gif|EMF файлы (*.emf)|*.emf|WMF файлы (*.wmf)|*.wmf|"
    "TIFF файлы (*.tif)|*.tif|PNG файлы (*.png)|*.png|ICON файлы (*.ico)|*.ico|PCX файлы (*.pcx)|*.pcx|"
    "Файлы данных Grizal 2 (*.grz)|*.grz|Файлы данных Grizal 2 (*.dat)|*.dat|Все файлы (*.*)|*.*";
const char *kSaveImageFilter =
    "Windows Bitmap файлы (*.bmp)|*.bmp|JPEG файлы (*.jpg)|*.jpg|Все файлы (*.*)|*.*";
const char *kSaveDataFilter =
    "Файлы данных Grizal 2 (*.grz)|*.grz|Текстовые файлы (*.txt)|*.txt|Все файлы (*.*)|*.*";

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
        ShowMessage(QString::fromUtf8(UserFunctions::NotFoundMessage));

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
    OpenDialog = MakeFileDialog(this, QStringLiteral("Открыть"), QString::fromUtf8(kOpenFilter), false, {});
    SaveImageDialog = MakeFileDialog(this, QStringLiteral("Сохранить файл изображения"),
                                     QString::fromUtf8(kSaveImageFilter), true, QStringLiteral("bmp"));
    SaveDataDialog = MakeFileDialog(this, QStringLiteral("Сохранить файл данных"),
                                    QString::fromUtf8(kSaveDataFilter), true, QStringLiteral("grz"));
    UpdateCommandState();
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
    // The children go after this destructor has ended; what they signal on their way out
    // must not reach the half-destroyed main window.
    disconnect(mdi_, nullptr, this, nullptr);
    if (DlgCalc_)
        disconnect(DlgCalc_, nullptr, this, nullptr);
    // The children work with the engine, a member: they go before it.
    delete mdi_;
}

void TForm1::BuildMenus()
{
    auto item = [this](QMenu *menu, const QString &caption, const QString &hint, void (TForm1::*slot)(),
                       const QKeySequence &key = QKeySequence()) {
        QAction *a = menu->addAction(caption);
        a->setStatusTip(hint);
        if (!key.isEmpty())
            a->setShortcut(key);
        if (slot)
            connect(a, &QAction::triggered, this, slot);
        return a;
    };
    auto submenu = [this](const QString &caption, const QString &hint) {
        QMenu *m = menuBar()->addMenu(caption);
        m->menuAction()->setStatusTip(hint);
        return m;
    };

    SubFile = submenu(QStringLiteral("&Файл"), QStringLiteral("Операции с файлами"));
    ItemNew = item(SubFile, QStringLiteral("Создать"), QStringLiteral("Создать новый файл"), &TForm1::NewFile);
    ItemOpen = item(SubFile, QStringLiteral("Открыть"), QStringLiteral("Открыть файл"), &TForm1::Open,
                    QKeySequence(Qt::CTRL | Qt::Key_O));
    ItemOpenAdd = item(SubFile, QStringLiteral("Объединить"), QStringLiteral("Открыть файлы с объединением"),
                       &TForm1::OpenAdd);
    ItemSave = item(SubFile, QStringLiteral("Сохранить"), QStringLiteral("Сохранить  файл из активного окна"),
                    &TForm1::Save, QKeySequence(Qt::CTRL | Qt::Key_S));
    ItemClose = item(SubFile, QStringLiteral("Закрыть"), QStringLiteral("Закрыть файл"), &TForm1::ItemCloseClick);
    SubFile->addSeparator();
    ItemGetImage = item(SubFile, QStringLiteral("Получить"), QStringLiteral("Получить изображение из TWAIN"),
                        &TForm1::GetImage);
    ItemSelectTwain = item(SubFile, QStringLiteral("Выбрать источник"), QStringLiteral("Выбрать источник TWAIN"),
                           &TForm1::SelectTwainClick);
    SubFile->addSeparator();
    ItemExit = item(SubFile, QStringLiteral("Выход"), QStringLiteral("Выход из программы"), &TForm1::ItemExitClick,
                    QKeySequence(Qt::ALT | Qt::Key_F4));

    SubRed = submenu(QStringLiteral("П&равка"), QStringLiteral("Правка"));
    ItemUndo = item(SubRed, QStringLiteral("Отменить"), QStringLiteral("Отменить последнюю операцию"),
                    &TForm1::ItemUndoClick);
    ItemUndo->setEnabled(false);
    SubRed->addSeparator();
    ItemCut = item(SubRed, QStringLiteral("Вырезать"), QStringLiteral("Вырезать"), &TForm1::ItemCutClick,
                   QKeySequence(Qt::CTRL | Qt::Key_X));
    ItemCopy = item(SubRed, QStringLiteral("Копировать"), QStringLiteral("Копировать"), &TForm1::ItemCopyClick,
                    QKeySequence(Qt::CTRL | Qt::Key_C));
    ItemPaste = item(SubRed, QStringLiteral("Вставить"), QStringLiteral("Вставить"), &TForm1::ItemPasteClick,
                     QKeySequence(Qt::CTRL | Qt::Key_V));

    SubService = submenu(QStringLiteral("&Сервис"), QStringLiteral("Сервис"));
    ItemCalc = item(SubService, QStringLiteral("Калькулятор"), QStringLiteral("Калькулятор"), &TForm1::CalcClick);
    ItemCalc->setCheckable(true);
    ItemFormStat = item(SubService, QStringLiteral("Формирование выборки"),
                        QStringLiteral("Формирование выборки с указанными параметрами"), &TForm1::FormStat);
    ItemParam = item(SubService, QStringLiteral("Параметры"), QStringLiteral("Установка параметров системы"),
                     &TForm1::ItemParamClick);
    ItemKalibr = item(SubService, QStringLiteral("Калибровка"), QStringLiteral("Введение калибровочного коэффициента"),
                      &TForm1::Kalibr);

    SubWin = submenu(QStringLiteral("&Окно"), QString());
    ItemCascade = item(SubWin, QStringLiteral("Р&асположить все"), QString(), &TForm1::ItemCascadeClick);
    ItemTile = item(SubWin, QStringLiteral("&Разделить"), QString(), &TForm1::ItemTileClick);
    connect(SubWin, &QMenu::aboutToShow, this, &TForm1::SubWinAboutToShow);

    SubInfo = submenu(QStringLiteral("Ин&формация"), QStringLiteral("Информация"));
    ItemInfo = item(SubInfo, QStringLiteral("О программе"), QStringLiteral("Информация о программе"),
                    &TForm1::ItemInfoClick);
}

void TForm1::BuildToolBar()
{
    BarMain = addToolBar(QStringLiteral("BarMain"));
    BarMain->setObjectName(QStringLiteral("BarMain"));
    BarMain->setMovable(false);
    BarMain->setIconSize(QSize(19, 19));
    auto button = [this](const char *icon, const QString &tip, void (TForm1::*slot)()) {
        QAction *a = BarMain->addAction(StandardIcon(QLatin1String(icon)), tip);
        a->setToolTip(tip);
        a->setStatusTip(tip);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    BtnNew = button("document-new", QStringLiteral("Создать новый файл"), &TForm1::NewFile);
    BtnOpen = button("document-open", QStringLiteral("Открыть"), &TForm1::Open);
    BtnOpenAdd = button("grizal-open-add", QStringLiteral("Объединить"), &TForm1::OpenAdd);
    BtnSave = button("document-save", QStringLiteral("Сохранить"), &TForm1::Save);
    BtnGetImage = button("scanner", QStringLiteral("Получить"), &TForm1::GetImage);
    BtnCut = button("edit-cut", QStringLiteral("Вырезать"), &TForm1::ItemCutClick);
    BtnCopy = button("edit-copy", QStringLiteral("Копировать"), &TForm1::ItemCopyClick);
    BtnPaste = button("edit-paste", QStringLiteral("Вставить"), &TForm1::ItemPasteClick);
    BtnCalc = button("accessories-calculator", QStringLiteral("Калькулятор"), &TForm1::CalcClick);
    BtnCalc->setCheckable(true);
    BtnFormStat = button("grizal-generate", QStringLiteral("Формирование выборки с указанными параметрами"),
                         &TForm1::FormStat);
    BtnInfo = button("help-about", QStringLiteral("О программе"), &TForm1::ItemInfoClick);
    // The menu items of the same commands show the same pictures.
    const std::pair<QAction *, QAction *> twins[] = {
        {ItemNew, BtnNew},           {ItemOpen, BtnOpen}, {ItemOpenAdd, BtnOpenAdd}, {ItemSave, BtnSave},
        {ItemGetImage, BtnGetImage}, {ItemCut, BtnCut},   {ItemCopy, BtnCopy},       {ItemPaste, BtnPaste},
        {ItemFormStat, BtnFormStat}, {ItemInfo, BtnInfo}};
    for (const auto &[item, btn] : twins)
        item->setIcon(btn->icon());
    ItemUndo->setIcon(StandardIcon(QStringLiteral("edit-undo")));
    ItemExit->setIcon(StandardIcon(QStringLiteral("application-exit")));
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

TStatForm *TForm1::SeriesForm() const
{
    return SeriesForm_.data();
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

void TForm1::UpdateCommandState()
{
    const bool child = ImageFormActive_ || StatFormActive_;
    for (QAction *a : {ItemSave, ItemClose, ItemCut, ItemCopy, ItemPaste, ItemCascade, ItemTile, BtnSave,
                       BtnCut, BtnCopy, BtnPaste})
        a->setEnabled(child);
    const bool calc = DlgCalc_ && DlgCalc_->isVisible();
    ItemCalc->setChecked(calc);
    BtnCalc->setChecked(calc);
}

void TForm1::SubWinAboutToShow()
{
    // The menu ends with the list of open child windows.
    const QList<QAction *> actions = SubWin->actions();
    for (QAction *a : actions)
        if (a != ItemCascade && a != ItemTile) {
            SubWin->removeAction(a);
            a->deleteLater();
        }
    const QList<QMdiSubWindow *> windows = mdi_->subWindowList();
    if (windows.isEmpty())
        return;
    SubWin->addSeparator();
    int n = 0;
    for (QMdiSubWindow *w : windows) {
        QAction *a = SubWin->addAction(QStringLiteral("&%1 %2").arg(++n).arg(w->windowTitle()));
        a->setCheckable(true);
        a->setChecked(w == mdi_->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, w = QPointer<QMdiSubWindow>(w)] {
            if (w)
                mdi_->setActiveSubWindow(w);
        });
    }
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
    auto *form = new TStatForm(SampleDialogs{GroupDlg_, CaseCalcDistribDlg_});
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

void TForm1::ShowAnalysis(const TSampleData &sample)
{
    CreateSttChild(QString(), true)->SetData(sample);
    Panel1->setText(QStringLiteral("Найдено частиц: %1").arg(sample.Count));
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

void TForm1::NewFile()
{
    if (ExecDialog(NewDlg_) != QDialog::Accepted)
        return;
    if (NewDlg_->BtnImg->isChecked())
        NewImgFile();
    else if (NewDlg_->BtnStt->isChecked())
        NewSttFile();
}

void TForm1::NewImgFile()
{
    // Only the size is taken from a clipboard picture, never its content.
    const QImage clip = QGuiApplication::clipboard()->image();
    NewBMPForm_->WidthEdit->setText(QString::number(clip.isNull() ? 0 : clip.width()));
    NewBMPForm_->HeightEdit->setText(QString::number(clip.isNull() ? 0 : clip.height()));
    if (ExecDialog(NewBMPForm_) != QDialog::Accepted)
        return;
    QImage blank;
    QString error;
    if (!MakeBlankPicture(NewBMPForm_->WidthEdit->text(), NewBMPForm_->HeightEdit->text(), blank, error)) {
        ShowMessage(error);
        return;
    }
    OpenPicture(blank);
}

void TForm1::Open()
{
    OpenDialog->setFileMode(QFileDialog::ExistingFile);
    if (ExecDialog(OpenDialog) != QDialog::Accepted || OpenDialog->selectedFiles().isEmpty())
        return;
    OpenFile(OpenDialog->selectedFiles().first());
}

void TForm1::OpenAdd()
{
    OpenDialog->setFileMode(QFileDialog::ExistingFiles);
    const int result = ExecDialog(OpenDialog);
    const QStringList files = OpenDialog->selectedFiles();
    OpenDialog->setFileMode(QFileDialog::ExistingFile);
    if (result == QDialog::Accepted)
        OpenAddFiles(files);
}

void TForm1::OpenAddFiles(const QStringList &files)
{
    if (files.isEmpty())
        return;
    // A first file that cannot be opened ends the command, so that the others are never
    // appended to some other window.
    if (!OpenData(files.first()))
        return;
    for (int i = 1; i < files.size(); ++i)
        if (!MergeData(files[i]))
            return;
}

void TForm1::OpenFile(const QString &fileName)
{
    const QString ext = fileio::UpperExtension(fileName);
    if (TMultImage::IsReadableExtension(ext)) {
        TImageForm *form = CreateImgChild(fileName, false);
        QImage picture;
        QString message;
        if (!TMultImage::LoadPicture(fileName, picture, message))
            ShowMessage(message);
        form->SetPicture(picture);
        form->ActualSize();
        return;
    }
    if (ext == QLatin1String(".GRZ") || ext == QLatin1String(".DAT")) {
        if (ExecDialog(OpenDlg_) != QDialog::Accepted)
            return;
        // With no sample window to append to, "Дописать" opens the file as "Открыть" does.
        if (OpenDlg_->RadioButton1->isChecked() || !ActiveStatForm())
            OpenData(fileName);
        else
            MergeData(fileName);
    }
}

bool TForm1::OpenData(const QString &fileName)
{
    if (fileio::UpperExtension(fileName) != QLatin1String(".GRZ"))
        return true;
    auto data = std::make_unique<TSampleData>();
    QString error;
    if (!datafiles::ReadGrz(fileName, *data, error)) {
        ShowMessage(error);
        return false;
    }
    CreateSttChild(fileName, false)->SetData(*data);
    return true;
}

bool TForm1::MergeData(const QString &fileName)
{
    if (fileio::UpperExtension(fileName) != QLatin1String(".GRZ"))
        return true;
    TStatForm *form = ActiveStatForm();
    if (!form)
        return false; // nothing to append to
    auto window = std::make_unique<TSampleData>();
    auto file = std::make_unique<TSampleData>();
    try {
        form->GetData(*window);
    } catch (const GrizalError &e) {
        ShowMessage(e.text());
        return false;
    }
    QString error;
    if (!datafiles::ReadGrz(fileName, *file, error)) {
        ShowMessage(error);
        return false;
    }
    AppendSample(*window, *file);
    form->SetData(*window);
    return true;
}

bool TForm1::SaveData(const QString &fileName)
{
    TStatForm *form = ActiveStatForm();
    if (!form)
        return false;
    auto data = std::make_unique<TSampleData>();
    try {
        form->GetData(*data);
    } catch (const GrizalError &e) {
        ShowMessage(e.text());
        return false;
    }
    QByteArray bytes;
    if (!datafiles::EncodeForFile(fileName, *data, numtext::SystemDecimalSeparator(), bytes)) {
        ShowMessage(QStringLiteral("Файл %1 не сохранен: выборка записывается только в файлы .grz и .txt.")
                        .arg(QDir::toNativeSeparators(fileName)));
        return false;
    }
    QString error;
    if (!fileio::WriteFileAtomically(fileName, bytes, error)) {
        ShowMessage(error);
        return false;
    }
    SetActiveCaption(fileName);
    return true;
}

void TForm1::SaveImage(const QString &fileName)
{
    TImageForm *form = ActiveImageForm();
    const QString ext = fileio::UpperExtension(fileName);
    if (!form)
        return;
    if (ext != QLatin1String(".BMP") && ext != QLatin1String(".JPG")) {
        // Nothing is written; better said than a caption that claims a saved file.
        ShowMessage(QStringLiteral("Файл \"%1\" не записан: изображение сохраняется в форматах BMP (.bmp) "
                                   "и JPEG (.jpg)")
                        .arg(fileName));
        return;
    }
    if (form->CheckBoxSave->isChecked() && !form->Picture().isNull()) {
        scalebar::Stamp(form->Picture(), scalebar::DrawCalibrate(KPix_, numtext::SystemDecimalSeparator()),
                        form->LabelDate->text(), fileio::FileNamePart(fileName));
        form->PictureChanged();
    }
    int quality = 100;
    if (ext == QLatin1String(".JPG")) {
        QInputDialog box(this);
        box.setWindowTitle(QStringLiteral("JPEG компрессия"));
        box.setLabelText(QStringLiteral("Сжатие, % = "));
        box.setTextValue(QStringLiteral("100"));
        const bool ok = ExecDialog(&box) == QDialog::Accepted;
        quality = TMultImage::JpegQualityFromText(ok ? box.textValue() : QStringLiteral("100"));
    }
    QString message;
    if (!TMultImage::SavePicture(fileName, form->Picture(), quality, message)) {
        ShowMessage(message);
        return;
    }
    SetActiveCaption(fileName);
}

void TForm1::Save()
{
    QMdiSubWindow *w = mdi_->currentSubWindow();
    if (!w)
        return;
    const QString proposed = fileio::FileNamePart(w->windowTitle());
    if (ImageFormActive_) {
        SaveImageDialog->selectFile(proposed);
        if (ExecDialog(SaveImageDialog) == QDialog::Accepted && !SaveImageDialog->selectedFiles().isEmpty())
            SaveImage(ChosenSaveFile(SaveImageDialog));
    } else if (StatFormActive_) {
        SaveDataDialog->selectFile(proposed);
        if (ExecDialog(SaveDataDialog) == QDialog::Accepted && !SaveDataDialog->selectedFiles().isEmpty())
            SaveData(ChosenSaveFile(SaveDataDialog));
    }
}

void TForm1::ItemCloseClick()
{
    if ((ImageFormActive_ || StatFormActive_) && mdi_->currentSubWindow())
        mdi_->currentSubWindow()->close();
}

void TForm1::ItemExitClick()
{
    close();
}

void TForm1::ItemCutClick()
{
    if (ImageFormActive_) {
        if (TImageForm *f = ActiveImageForm())
            f->Cut();
    } else if (StatFormActive_) {
        if (TStatForm *f = ActiveStatForm())
            f->Cut();
    }
}

void TForm1::ItemCopyClick()
{
    if (ImageFormActive_) {
        if (TImageForm *f = ActiveImageForm())
            f->Copy();
    } else if (StatFormActive_) {
        if (TStatForm *f = ActiveStatForm())
            f->Copy();
    }
}

void TForm1::ItemPasteClick()
{
    if (ImageFormActive_) {
        if (TImageForm *f = ActiveImageForm())
            f->Paste();
    } else if (StatFormActive_) {
        if (TStatForm *f = ActiveStatForm())
            f->Paste();
    }
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
        ShowMessage(QStringLiteral("Неверное значение коэффициента пересчета"));
    RedrawActiveScaleBar();
    UpdateCommandState();
}

void TForm1::RedrawActiveScaleBar()
{
    if (ImageFormActive_)
        if (TImageForm *f = ActiveImageForm())
            f->DrawCalibrate();
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
        ShowMessage(QString::fromUtf8(why));
        return;
    }
    const generation::DiffCurve curve = dlg->BtnGoden->isChecked()  ? laws::DiffGaudin
                                        : dlg->BtnRosin->isChecked() ? laws::DiffRosinRammler
                                                                     : laws::DiffLogNormal;
    auto data = std::make_unique<TSampleData>();
    if (!generation::Generate(p, curve, *data))
        ShowMessage(QString::fromUtf8(generation::kCannotGenerate));
    CreateSttChild(QString(), true)->SetData(*data);
}

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

// Commands whose parts come later.
// A scanner that is missing, busy or cancelled ends the command without a word and
// without a window.
void TForm1::GetImage()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const QImage scanned = scanner::Acquire();
    QGuiApplication::restoreOverrideCursor();
    if (scanned.isNull())
        return;
    OpenPicture(scanned);
}

void TForm1::SelectTwainClick()
{
    if (!SelectSource_)
        SelectSource_ = new TSelectSource(this);
    SelectSource_->Execute();
}
void TForm1::CalcClick()
{
    DlgCalc_->setVisible(!DlgCalc_->isVisible());
    UpdateCommandState();
}
