#pragma once
// The sample window: a tool strip, the 10000-row table that is the only store of the
// sample, and the report memo.
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
struct SampleEnd;

class TStatForm : public QWidget {
    Q_OBJECT
public:
    explicit TStatForm(QWidget *parent = nullptr);
    ~TStatForm() override;

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

    // Called by the main window when this window becomes or stops being the active child.
    void FormActivate();
    void FormDeactivate();

    SampleTableModel *Model() const { return model_; }

    QToolBar *BarSelect;
    QAction *BtnDelSel, *BtnAddSel, *BtnMeanSel, *BtnSumSel, *BtnMinSel, *BtnMaxSel, *BtnFSel,
        *BtnGroup, *BtnCalcStat, *BtnToExcel, *BtnToWord, *BtnSaveResults;
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

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void UpdateSampleEnd();
    QString SampleEndText(const SampleEnd &end) const;
    void PlaceColumnLabels();
    QChar Sep() const;
    int CurrentRow() const;
    void ResetKeepingCurrentCell();
    void AppendLines(const QStringList &lines);
    void Guarded(const std::function<void()> &command);
    // The memo as RTF into the file; false after the message.
    bool SaveMemo(const QString &fileName);
    void StartWith(exportfiles::Target target, const QString &file);
    SampleTableModel *model_;
};
