#pragma once
// The main window: the frame of the child windows, the menus, the tool bar and the status
// strip. It owns the engine, the progress window and the dialogs, keeps the program-wide
// values, hands each child what it needs when it makes it, listens to the children's
// signals and routes the File and Edit commands to the active child. TForm1.cpp makes it
// and keeps the settings; TForm1Menus.cpp builds the menus and the tool bar,
// TForm1Children.cpp makes the children and answers them, TForm1Files.cpp holds the File
// menu and TForm1Commands.cpp the other menus.
#include "imaging/Pictures.h"
#include "samples/SampleData.h"

#include <QMainWindow>
#include <QRect>
#include <QPointer>
#include <QStringList>
#include <memory>

class QAction;
class QFileDialog;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class TAboutBox;
class TBatchDlg;
class TParticlesDlg;
class TParticlesForm;
namespace particles { struct Recipe; }
class TDlgCaseCalcDistrib;
class TFitDlg;
class TFormStatDlg;
class TGroupDlg;
class TImageForm;
class TKalibrDlg;
class TPictureMessage;
class TStatForm;
struct ImageSettings;
struct ReportSettings;
class TNewDlg;
class TDlgCalc;
class TNewBMPForm;
class TOpenDlg;
class TParamDlg;
class TSelectSource;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(const QStringList &commandLine, QWidget *parent = nullptr);
    ~TForm1() override;
    // Images opened as File > Open does, after the command line's sample files.
    void SetStartImages(const QStringList &images) { startImages_ = images; }

    // The program-wide values; a change reaches every child.
    double KPix() const { return KPix_; }
    void SetKPix(double v);
    int SizeFlag() const { return SizeFlag_; }       // 0 linear size, 1 area, 2 perimeter
    int AddFuncFlag() const { return AddFuncFlag_; } // index of the chosen user function
    int ChartLaw() const { return ChartLaw_; }       // 0 automatic, 1..4 a law

    // Children are made only here, each with the engine, its settings and its signals
    // connected.
    TImageForm *CreateImgChild(const QString &fileName, bool numbered);
    TStatForm *CreateSttChild(const QString &fileName, bool numbered);
    // The particles of an image window's picture in a new "Частицы" window, its outlines on
    // the picture; null when the pass failed (said) or found no picture.
    TParticlesForm *RunParticles(TImageForm *image, const particles::Recipe &recipe);
    // Each image opened at start-up gets the particles analysis with these option words
    // (those of `grizal2-cli particles`); false with `why` when they do not read.
    bool SetStartParticles(const QStringList &words, QString &why);
    TParticlesDlg *ParticlesDlg() const { return ParticlesDlg_; }
    TBatchDlg *BatchDlg() const { return BatchDlg_; }
    // The measurement series and the window that shows it (none when it was closed).
    TSampleData &SeriesData() { return *SeriesData_; }
    TStatForm *SeriesForm() const;

    TStatForm *NewSttFile();
    void OpenFile(const QString &fileName);
    // Each returns false when it showed a failure message.
    bool OpenData(const QString &fileName);
    bool MergeData(const QString &fileName);
    bool SaveData(const QString &fileName);
    void SaveImage(const QString &fileName);
    // The steps of the merge command after its dialog.
    void OpenAddFiles(const QStringList &files);

    bool ImageFormActive() const { return ImageFormActive_; }
    bool StatFormActive() const { return StatFormActive_; }
    TStatForm *ActiveStatForm() const;
    TImageForm *ActiveImageForm() const;
    QMdiArea *MdiArea() const { return mdi_; }
    TParamDlg *ParamDlg() const { return ParamDlg_; }
    TKalibrDlg *KalibrDlg() const { return KalibrDlg_; }

    // Menus and items.
    QMenu *SubFile, *SubRed, *SubService, *SubAnalysis, *SubWin, *SubInfo;
    QAction *ItemNew, *ItemOpen, *ItemOpenAdd, *ItemSave, *ItemClose, *ItemGetImage,
        *ItemSelectTwain, *ItemExit;
    QAction *ItemUndo, *ItemCut, *ItemCopy, *ItemPaste;
    QAction *ItemCalc, *ItemFormStat, *ItemParam, *ItemKalibr;
    QMenu *SubLanguage;
    QAction *ItemLanguageRu, *ItemLanguageEn;
    QAction *ItemFit;
    QAction *ItemParticles, *ItemBatch;
    QAction *ItemCascade, *ItemTile;
    QAction *ItemInfo;
    // The tool bar.
    QToolBar *BarMain;
    QAction *BtnNew, *BtnOpen, *BtnOpenAdd, *BtnSave, *BtnGetImage, *BtnCut, *BtnCopy, *BtnPaste,
        *BtnCalc, *BtnFormStat, *BtnInfo;
    // The status strip.
    QLabel *Panel1;

public slots:
    void NewFile();
    void NewImgFile();
    void Open();
    void OpenAdd();
    void Save();
    void ItemCloseClick();
    void GetImage();
    void SelectTwainClick();
    void ItemExitClick();
    void ItemUndoClick();
    void ItemCutClick();
    void ItemCopyClick();
    void ItemPasteClick();
    void CalcClick();
    void FormStat();
    void ItemParamClick();
    void ItemCascadeClick();
    void ItemTileClick();
    void ItemInfoClick();
    void Kalibr();
    void ItemFitClick();
    void ParticlesClick();
    void BatchClick();

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void BuildMenus();
    void BuildToolBar();
    void ChooseLanguage(const QString &lang);
    void SubWinAboutToShow();
    // Derives the active child's kind and the commands' states: the one place they change.
    void SubWindowActivated(QMdiSubWindow *w);
    void UpdateCommandState();
    QMdiSubWindow *AddChild(QWidget *child, const QString &caption);
    QRect CascadePlace(QSize size) const;
    void SetActiveCaption(const QString &caption);
    TStatForm *ReadActiveSample(TSampleData &data);
    void RedrawActiveScaleBar();
    void EditActiveChild(void (TImageForm::*image)(), void (TStatForm::*sample)());
    // The settings each kind of child reads, and handing them to every child after a change.
    ImageSettings ImageSettingsNow() const;
    ReportSettings ReportSettingsNow() const;
    void SettingsChanged();
    // What the children's signals ask for.
    TImageForm *OpenPicture(const QImage &picture);
    void ShowAnalysis(const TSampleData &sample);
    void ShowSeriesBeside(TImageForm *form, bool fresh);
    void AppendToSeries(const QStringList &lines);
    void AcceptSeriesValue(long double value);
    void StartParticles();

    TPictures engine_;
    TPictureMessage *progress_ = nullptr;
    QMdiArea *mdi_ = nullptr;
    QStringList commandLine_;
    QStringList startImages_;
    bool LaunchedWithFiles = false;
    bool shownOnce_ = false;
    bool closed_ = false;

    double KPix_ = 1.0;
    int ChartLaw_ = 0;
    int SizeFlag_ = 0;
    int AddFuncFlag_ = 0;
    bool ImageFormActive_ = false;
    bool StatFormActive_ = false;
    int ImageCount = 0;
    int StatCount = 0;
    QPointer<TStatForm> SeriesForm_; // cleared when it closes
    std::unique_ptr<TSampleData> SeriesData_;
    QPointer<QMdiSubWindow> lastActive_;

    TKalibrDlg *KalibrDlg_ = nullptr;
    TNewDlg *NewDlg_ = nullptr;
    TDlgCalc *DlgCalc_ = nullptr;
    TNewBMPForm *NewBMPForm_ = nullptr;
    TOpenDlg *OpenDlg_ = nullptr;
    TParamDlg *ParamDlg_ = nullptr;
    TSelectSource *SelectSource_ = nullptr; // made on first use
    TAboutBox *AboutBox_ = nullptr;
    TGroupDlg *GroupDlg_ = nullptr;
    TFormStatDlg *FormStatDlg_ = nullptr;
    TParticlesDlg *ParticlesDlg_ = nullptr;
    TBatchDlg *BatchDlg_ = nullptr;
    int ParticlesCount = 0;
    QStringList startParticles_;
    TDlgCaseCalcDistrib *CaseCalcDistribDlg_ = nullptr;
    TFitDlg *FitDlg_ = nullptr;
    QFileDialog *OpenDialog = nullptr;
    QFileDialog *SaveImageDialog = nullptr;
    QFileDialog *SaveDataDialog = nullptr;
};
