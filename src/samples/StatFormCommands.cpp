// The commands of the sample window's bar: rows, figures, the user function, grouping,
// statistics and the hand-over files.
#include "samples/TStatForm.h"
#include "analysis/Report.h"
#include "analysis/TDlgCaseCalcDistrib.h"
#include "base/Errors.h"
#include "base/Files.h"
#include "base/I18n.h"
#include "samples/Grouping.h"
#include "samples/RtfWriter.h"
#include "samples/SampleGrid.h"
#include "samples/SampleTableModel.h"
#include "samples/TGroupDlg.h"
#include "samples/TableOps.h"
#include "widgets/Messages.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextCursor>
#include <QTextEdit>
#include <memory>

int TStatForm::CurrentRow() const
{
    const QModelIndex i = StringGrid->currentIndex();
    return i.isValid() ? i.row() + 1 : 1;
}

// A command on the sample the table holds. An error that the command does not handle is
// shown with its text, as the application's general handler does.
void TStatForm::OnSample(const std::function<void(TSampleData &)> &command)
{
    try {
        auto d = std::make_unique<TSampleData>();
        GetData(*d);
        command(*d);
    } catch (const GrizalError &e) {
        ShowMessage(e.text());
    }
}

void TStatForm::DelSelClick()
{
    OnSample([this](TSampleData &d) {
        tableops::DeleteRow(d, CurrentRow());
        SetData(d);
    });
}

void TStatForm::AddSelClick()
{
    OnSample([this](TSampleData &d) {
        tableops::InsertRow(d, CurrentRow());
        SetData(d);
    });
}

void TStatForm::CalcSelClick()
{
    QObject *button = sender();
    OnSample([this, button](TSampleData &d) {
        tableops::Figure f = tableops::Figure::Mean;
        if (button == BtnSumSel)
            f = tableops::Figure::Sum;
        else if (button == BtnMinSel)
            f = tableops::Figure::Min;
        else if (button == BtnMaxSel)
            f = tableops::Figure::Max;
        AppendLines(tableops::FigureLines(d, f, Sep()));
    });
}

void TStatForm::FSelClick()
{
    OnSample([this](TSampleData &d) {
        QStringList lines;
        try {
            tableops::UserFunctionLines(d, Sep(), lines);
        } catch (...) {
            AppendLines(lines);
            throw;
        }
        AppendLines(lines);
    });
}

TGroupDlg *TStatForm::GroupDialog()
{
    if (!dialogs_.group)
        dialogs_.group = new TGroupDlg(this);
    return dialogs_.group;
}

void TStatForm::BtnGroupClick()
{
    OnSample([this](TSampleData &d) {
        const grouping::Proposal p = grouping::Propose(d);
        TGroupDlg *dlg = GroupDialog();
        dlg->SpinEdit1->setValue(p.k0);
        dlg->Edit1->setText(grouping::LengthText(p.L0, Sep()));
        dlg->SpinEdit2->setValue(p.P0);
        if (ExecDialog(dlg) != QDialog::Accepted)
            return;
        try {
            const grouping::Mode mode = dlg->RadioButton1->isChecked()   ? grouping::Mode::Intervals
                                        : dlg->RadioButton2->isChecked() ? grouping::Mode::Length
                                                                         : grouping::Mode::Particles;
            grouping::Run(d, mode, dlg->SpinEdit1->value(), grouping::ReadLength(dlg->Edit1->text(), Sep()),
                          dlg->SpinEdit2->value());
        } catch (const GrizalError &) {
            ShowMessage(i18n::Tr("Grouping", grouping::kCannotGroup));
        }
        SetData(d);
    });
}

TDlgCaseCalcDistrib *TStatForm::DistributionDialog()
{
    if (!dialogs_.distribution)
        dialogs_.distribution = new TDlgCaseCalcDistrib(this);
    return dialogs_.distribution;
}

void TStatForm::BtnCalcStatClick()
{
    OnSample([this](TSampleData &d) {
        if (d.Count == 0) {
            ShowMessage(i18n::Tr("Report", report::kNoData));
            return;
        }
        TDlgCaseCalcDistrib *dlg = DistributionDialog();
        if (ExecDialog(dlg) != QDialog::Accepted)
            return;
        report::Options options;
        options.byVolume = dlg->ButtonV->isChecked();
        options.showHistogram = settings_.histogram;
        options.showCurve = settings_.curve;
        int chartLaw = settings_.chartLaw;
        const auto events = report::RunStatistics(d, options, chartLaw, Sep());
        for (const report::Event &e : events) {
            switch (e.kind) {
            case report::Event::Line:
                Memo->append(e.text);
                break;
            case report::Event::Message:
            case report::Event::UnhandledError:
                ShowMessage(e.text);
                break;
            case report::Event::Picture:
                AppendChart(e.picture);
                break;
            }
            if (e.kind == report::Event::UnhandledError)
                return; // the command ends there; the chart law stays as it was
        }
        emit chartLawChosen(chartLaw);
    });
}

void TStatForm::AppendChart(const QImage &picture)
{
    QGuiApplication::clipboard()->setImage(picture);
    Memo->moveCursor(QTextCursor::End);
    InsertPicture(picture);
}

// The hand-over files are written whole: an export that fails leaves the last good file.
void TStatForm::ToExcelClick()
{
    OnSample([this](TSampleData &d) {
        const QString file = exportfiles::SpreadsheetFileName(exportfiles::ProgramDirectory());
        QString error;
        if (!fileio::WriteFileAtomically(file, exportfiles::SpreadsheetText(d, Sep()), error)) {
            ShowMessage(error);
            return;
        }
        StartWith(exportfiles::Target::Spreadsheet, file);
    });
}

// With no program to take the file, the user is told where it is.
void TStatForm::StartWith(exportfiles::Target target, const QString &file)
{
    if (!exportfiles::Start(exportfiles::ChooseLauncher(target, file)))
        ShowMessage(exportfiles::NotStartedText(file));
}

bool TStatForm::SaveMemo(const QString &fileName)
{
    QString error;
    if (fileio::WriteFileAtomically(fileName, RtfFromDocument(*Memo->document()), error))
        return true;
    ShowMessage(error);
    return false;
}

void TStatForm::ToWordClick()
{
    const QString file = exportfiles::ReportFileName(exportfiles::ProgramDirectory());
    if (SaveMemo(file))
        StartWith(exportfiles::Target::WordProcessor, file);
}

void TStatForm::SaveResultsClick()
{
    if (!SaveDialog)
        SaveDialog = MakeFileDialog(this, tr("Сохранить результаты"),
                                    tr("RTF файлы (*.rtf)|*.rtf|Все файлы (*.*)|*.*"), true,
                                    QStringLiteral("rtf"));
    if (ExecDialog(SaveDialog) != QDialog::Accepted || SaveDialog->selectedFiles().isEmpty())
        return;
    SaveMemo(ChosenSaveFile(SaveDialog));
}
