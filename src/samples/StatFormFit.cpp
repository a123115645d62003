// The laws by maximum likelihood with bootstrap intervals: the dialog, the fit on a worker
// thread, and the section it appends to the report.
#include "analysis/FitReport.h"
#include "analysis/TFitDlg.h"
#include "samples/TStatForm.h"
#include "widgets/Messages.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimer>
#include <atomic>
#include <exception>
#include <thread>

namespace {

QString T(const char *text) { return QCoreApplication::translate("TStatForm", text); }

// The bootstrap of a large sample may take minutes. It runs on a worker thread. For the
// first moments the windows are only painted (what the user does waits, as during an
// engine pass, and a short fit ends unseen); a longer one shows a modal progress window
// whose Cancel stops it. Returns false when cancelled or when the program quits meanwhile:
// the fit is then stopped and its result dropped.
bool FitOffThread(QWidget *owner, const TSampleData &d, bool byVolume, bool classes, mle::Options o, QChar sep,
                  mle::Section &out)
{
    std::atomic<int> done{0};
    std::atomic<bool> stop{false}, finished{false};
    o.done = &done;
    o.stop = &stop;
    std::exception_ptr error;
    QEventLoop loop;
    std::thread worker([&] {
        try {
            out = mle::RunFit(d, byVolume, classes, o, sep);
        } catch (...) {
            error = std::current_exception();
        }
        finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    // Whatever ends the wait, the worker is stopped and joined before its locals go.
    struct Join {
        std::thread &t;
        std::atomic<bool> &stop;
        ~Join()
        {
            stop = true;
            if (t.joinable())
                t.join();
        }
    } join{worker, stop};

    bool quiet = false;
    QTimer::singleShot(300, &loop, [&] {
        quiet = true;
        loop.quit();
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished && !quiet)
        return false; // the program is quitting
    if (!finished) {
        QProgressDialog progress(T(QT_TRANSLATE_NOOP("TStatForm", "Доверительные интервалы (бутстреп)...")),
                                 T(QT_TRANSLATE_NOOP("TStatForm", "Отмена")), 0, 100, owner);
        progress.setWindowTitle(T(QT_TRANSLATE_NOOP("TStatForm", "Статистика (максимальное правдоподобие)")));
        progress.setWindowModality(Qt::ApplicationModal);
        progress.setMinimumDuration(0);
        progress.setAutoReset(false);
        progress.setAutoClose(false);
        FitCaption(&progress);
        QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] {
            stop = true;
            progress.setLabelText(T(QT_TRANSLATE_NOOP("TStatForm", "Остановка...")));
        });
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &progress, [&] {
            if (stop)
                return;
            if (done < o.resamples)
                progress.setValue(int(int64_t(done) * 100 / o.resamples));
            else if (progress.maximum() > 0)
                progress.setRange(0, 0); // the intervals and the chart: busy, no measure
        });
        poll.start(100);
        progress.show();
        if (!finished)
            loop.exec();
        if (!finished || stop)
            return false;
    }
    worker.join();
    if (error)
        std::rethrow_exception(error);
    return true;
}

} // namespace

TFitDlg *TStatForm::FitDialog()
{
    if (!dialogs_.fit)
        dialogs_.fit = new TFitDlg(this);
    return dialogs_.fit;
}

void TStatForm::BtnFitClick()
{
    OnSample([this](TSampleData &d) {
        if (d.Count == 0) {
            ShowMessage(mle::FitError(mle::FitError::Empty).Shown());
            return;
        }
        TFitDlg *dlg = FitDialog();
        if (ExecDialog(dlg) != QDialog::Accepted)
            return;
        mle::Options options;
        const mle::OptionField wrong = dlg->Read(options);
        if (wrong != mle::OptionField::None) {
            ShowMessage(mle::OptionFieldText(wrong, true));
            return;
        }
        mle::Section section;
        if (!FitOffThread(this, d, dlg->ButtonV->isChecked(), dlg->ButtonClasses->isChecked(), options, Sep(),
                          section))
            return;
        if (!section.message.isEmpty()) {
            ShowMessage(section.message);
            return;
        }
        AppendLines(section.lines);
        Memo->append(QString());
        AppendChart(section.picture);
    });
}
