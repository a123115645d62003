#pragma once
// The main window: the frame of the child windows, the menus, the tool bar and the status
// strip; it keeps the program-wide values and routes the File and Edit commands to the
// active child.
#include "samples/SampleData.h"
#include "shell/MainWindowApi.h"

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
class TKalibrDlg;
class TNewDlg;
class TDlgCalc;
class TNewBMPForm;
class TOpenDlg;
class TParamDlg;
class TSelectSource;

class TForm1 : public QMainWindow, public IMainWindow {
    Q_OBJECT
public:
    explicit TForm1(const QStringList &commandLine, QWidget *parent = nullptr);
    ~TForm1() override;
    // Images opened as File > Open does, after the command line's sample files.
    void SetStartImages(const QStringList &images) { startImages_ = images; }

    // IMainWindow
    double KPix() const override { return KPix_; }
    void SetKPix(double v) override { KPix_ = v; }
    int SizeFlag() const override { return SizeFlag_; }
    int AddFuncFlag() const override { return AddFuncFlag_; }
    int ChartLaw() const override { return ChartLaw_; }
    void SetChartLaw(int law) override { ChartLaw_ = law; }
    bool HistogramChecked() const override;
    bool CurveChecked() const override;
    void SetImageFormActive(bool active) override;
    void SetStatFormActive(bool active) override;
    void SetUndoEnabled(bool enabled) override;
    TImageForm *CreateImgChild(const QString &fileName, bool numbered) override;
    TStatForm *CreateSttChild(const QString &fileName, bool numbered) override;
    void Kalibr() override;
    void ShowStatus(const QString &text) override;
    TSampleData &SeriesData() override { return *SeriesData_; }
    TStatForm *SeriesForm() const override;
    void SetSeriesForm(TStatForm *form) override;

    TStatForm *NewSttFile();
    void OpenFile(const QString &fileName);
    // Each returns false when it showed a failure message.
    bool OpenData(const QString &fileName);
    bool MergeData(const QString &fileName);
    bool SaveData(const QString &fileName);
    void SaveImage(const QString &fileName);
    // The steps of the merge command after its dialog.
    void OpenAddFiles(const QStringList &files);
    void UpdateCommandState();

    bool ImageFormActive() const { return ImageFormActive_; }
    bool StatFormActive() const { return StatFormActive_; }
    TStatForm *ActiveStatForm() const;
    TImageForm *ActiveImageForm() const;
    QMdiArea *MdiArea() const { return mdi_; }
    TParamDlg *ParamDlg() const { return ParamDlg_; }
    TKalibrDlg *KalibrDlg() const { return KalibrDlg_; }

    // Menus and items.
    QMenu *SubFile, *SubRed, *SubService, *SubWin, *SubInfo;
    QAction *ItemNew, *ItemOpen, *ItemOpenAdd, *ItemSave, *ItemClose, *ItemGetImage,
        *ItemSelectTwain, *ItemExit;
    QAction *ItemUndo, *ItemCut, *ItemCopy, *ItemPaste;
    QAction *ItemCalc, *ItemFormStat, *ItemParam, *ItemKalibr;
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

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void BuildMenus();
    void BuildToolBar();
    void SubWinAboutToShow();
    void SubWindowActivated(QMdiSubWindow *w);
    QMdiSubWindow *AddChild(QWidget *child, const QString &caption);
    QRect CascadePlace(QSize size) const;
    void SetActiveCaption(const QString &caption);
    void RedrawActiveScaleBar();

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
    QPointer<QWidget> SeriesForm_; // a TStatForm; cleared when it closes
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
    QFileDialog *OpenDialog = nullptr;
    QFileDialog *SaveImageDialog = nullptr;
    QFileDialog *SaveDataDialog = nullptr;
};
