#pragma once
// The sample window: a tool strip, the 10000-row table that is the only store of the
// sample, and the report memo. It reports to whoever made it by signals. The commands of
// its bar are in StatFormCommands.cpp, the maximum-likelihood fit in StatFormFit.cpp.
#include "samples/Export.h"
#include "samples/SampleData.h"

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <functional>

class QAction;
class QFileDialog;
class QLabel;
class QSplitter;
class QStatusBar;
class QTextEdit;
class QToolBar;
class SampleGrid;
class SampleTableModel;
class TDlgCaseCalcDistrib;
class TFitDlg;
class TGroupDlg;
struct SampleEnd;

// What a sample window reads of the program-wide settings; its maker hands it a fresh copy
// whenever they change.
struct ReportSettings {
    int chartLaw = 0;       // 0 automatic, 1..4 a law
    bool histogram = true;  // "Гистограмма" of the parameters dialog
    bool curve = true;      // "Расчетная кривая"
};

// The dialogs a sample window runs. The main window shares one of each among all its
// windows, so that they keep the user's last choices; a window given none makes its own.
struct SampleDialogs {
    TGroupDlg *group = nullptr;
    TDlgCaseCalcDistrib *distribution = nullptr;
    TFitDlg *fit = nullptr;
};

class TStatForm : public QWidget {
    Q_OBJECT
public:
    explicit TStatForm(const SampleDialogs &dialogs = {}, QWidget *parent = nullptr);
    ~TStatForm() override;

    void SetSettings(const ReportSettings &settings) { settings_ = settings; }
    const ReportSettings &Settings() const { return settings_; }

    void ClearData();
    // Reads the table into `data`; raises MathError when a size is too large to store.
    void GetData(TSampleData &data) const;
    void SetData(const TSampleData &data);

    // Puts a picture into the memo at its caret.
    void InsertPicture(const QImage &picture);

    void Cut();
    void Copy();
    void Paste();
    // Paste of a given text rather than the clipboard's.
    void PasteText(const QString &text);
    // Lines at the end of the report.
    void AppendLines(const QStringList &lines);

    SampleTableModel *Model() const { return model_; }

    QToolBar *BarSelect;
    QAction *BtnDelSel, *BtnAddSel, *BtnMeanSel, *BtnSumSel, *BtnMinSel, *BtnMaxSel, *BtnFSel,
        *BtnGroup, *BtnCalcStat, *BtnToExcel, *BtnToWord, *BtnSaveResults;
    // After the bar's own commands: the laws by maximum likelihood, with intervals.
    QAction *BtnFit;
    QWidget *Panel1;
    QLabel *Label3, *Label4, *Label5;
    SampleGrid *StringGrid;
    QTextEdit *Memo;
    // The table above, the report below; the user moves the border.
    QSplitter *Splitter;
    // Says how many elements the sample has, or where and why it ends before the last
    // filled row.
    QStatusBar *StatusBar;
    QFileDialog *SaveDialog = nullptr; // made on first use

signals:
    // The statistics command chose the law of the chart (from "automatic", a law).
    void chartLawChosen(int law);

public slots:
    void DelSelClick();
    void AddSelClick();
    void CalcSelClick();
    void FSelClick();
    void BtnGroupClick();
    void BtnCalcStatClick();
    void ToExcelClick();
    void ToWordClick();
    void SaveResultsClick();
    void BtnFitClick();

private:
    void UpdateSampleEnd();
    QString SampleEndText(const SampleEnd &end) const;
    void PlaceColumnLabels();
    QChar Sep() const;
    int CurrentRow() const;
    void ResetKeepingCurrentCell();
    TGroupDlg *GroupDialog();
    TDlgCaseCalcDistrib *DistributionDialog();
    TFitDlg *FitDialog();
    // A chart after the report it belongs to, wherever the caret was; the clipboard keeps it.
    void AppendChart(const QImage &picture);
    void OnSample(const std::function<void(TSampleData &)> &command);
    // The memo as RTF into the file; false after the message.
    bool SaveMemo(const QString &fileName);
    void StartWith(exportfiles::Target target, const QString &file);
    SampleTableModel *model_;
    SampleDialogs dialogs_;
    ReportSettings settings_;
};
