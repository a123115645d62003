// The program under load, through its real windows (offscreen under `make bench`): fifty
// windows open, then every pixel command of an image window on a 4096 x 4096 picture and
// every command of a sample window on 10000 elements, with the fifty still open. Each
// command is timed until the window has been repainted, on fresh input every iteration.
// The anchor is the least an undoable command can cost: one copy of the picture.
//
// Counters: peak_MiB is the process's peak resident size so far (getrusage ru_maxrss), and
// rise_MiB how much this benchmark raised it. The first command on the 4096 x 4096 window
// raises it by that window's picture and the engine's one working copy (64 MiB each); the
// commands after it, and every table command, by nothing, however many windows are open.
#include "imaging/TImageForm.h"
#include "samples/Export.h"
#include "samples/SampleData.h"
#include "samples/SampleGrid.h"
#include "samples/SampleTableModel.h"
#include "samples/TGroupDlg.h"
#include "samples/TStatForm.h"
#include "shell/TForm1.h"
#include "widgets/Messages.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextEdit>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <sys/resource.h>

namespace {

constexpr int kSide = 4096;
constexpr int kSmallSide = 1024;
constexpr int kWindows = 50;

double PeakMiB()
{
    rusage u;
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0; // kilobytes on Linux
}

QImage Noise(int side, unsigned seed)
{
    QImage img(side, side, QImage::Format_RGBX8888);
    std::mt19937 rng(seed);
    for (int y = 0; y < side; ++y) {
        auto *row = reinterpret_cast<uint32_t *>(img.scanLine(y));
        for (int x = 0; x < side; ++x)
            row[x] = rng() | 0xFF000000u;
    }
    return img;
}

// Black discs on white, as a black-and-white micrograph is before binary analysis.
QImage Discs(int side, int count)
{
    QImage img(side, side, QImage::Format_RGBX8888);
    img.fill(0xFFFFFFFFu);
    std::mt19937 rng(5);
    for (int k = 0; k < count; ++k) {
        const int r = 10 + int(rng() % 30), cx = r + int(rng() % unsigned(side - 2 * r)),
                  cy = r + int(rng() % unsigned(side - 2 * r));
        for (int y = cy - r; y <= cy + r; ++y) {
            auto *row = reinterpret_cast<uint32_t *>(img.scanLine(y));
            for (int x = cx - r; x <= cx + r; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                    row[x] = 0xFF000000u;
        }
    }
    return img;
}

std::unique_ptr<TSampleData> FullSample()
{
    auto d = std::make_unique<TSampleData>();
    d->Count = TSampleData::Capacity;
    std::mt19937 rng(3);
    for (int k = 0; k < TSampleData::Capacity; ++k) {
        d->SetSize(k, 1.0L + (rng() % 100000) / 1000.0L);
        d->N[k] = uint16_t(1 + rng() % 20);
    }
    return d;
}

// The frame and the windows every benchmark here shares, made by the first one.
struct Workspace {
    TForm1 *frame = nullptr;
    QTemporaryDir dir;
    std::unique_ptr<TSampleData> sample = FullSample();
    QImage noise = Noise(kSide, 1), discs = Discs(kSide, 1000);
    double peakBefore = 0; // at the start of the running benchmark
    QStringList messages;
};

Workspace &Space()
{
    static Workspace w;
    return w;
}

void Settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void CloseNewWindows(int keep)
{
    QList<QMdiSubWindow *> list = Space().frame->MdiArea()->subWindowList(QMdiArea::CreationOrder);
    for (int i = keep; i < list.size(); ++i)
        list[i]->close();
    Settle();
}

void Start() { Space().peakBefore = PeakMiB(); }

void Report(benchmark::State &state)
{
    state.counters["peak_MiB"] = PeakMiB();
    state.counters["rise_MiB"] = PeakMiB() - Space().peakBefore;
}

void BM_FiftyWindowsOpen(benchmark::State &state)
{
    Start();
    Workspace &w = Space();
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        // Half of them pictures, each changed once (so each asked for the undo copy), half
        // samples of 10000 elements.
        for (int i = 0; i < kWindows / 2; ++i) {
            TImageForm *img = w.frame->CreateImgChild(QString(), true);
            img->SetPicture(Noise(kSmallSide, unsigned(10 + i)));
            img->BtnNegativeClick();
            w.frame->CreateSttChild(QString(), true)->SetData(*w.sample);
            Settle();
        }
    }
    state.counters["ms_per_window"] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / kWindows;
    Report(state);
}

// The least an undoable command on the picture does: one copy of it into a buffer kept
// from the last time.
void BM_CopyOfThePicture(benchmark::State &state)
{
    Start();
    const QImage &source = Space().noise;
    QImage copy(source.size(), source.format());
    for (auto _ : state) {
        std::memcpy(copy.bits(), source.constBits(), size_t(source.sizeInBytes()));
        benchmark::DoNotOptimize(copy.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
    Report(state);
}

struct PixelCommand {
    const char *name;
    bool discs; // works on black discs rather than noise
    std::function<void(TImageForm &)> run;
};

void RunPixelCommand(benchmark::State &state, const PixelCommand &command)
{
    Start();
    Workspace &w = Space();
    const int before = int(w.frame->MdiArea()->subWindowList().size());
    TImageForm *img = w.frame->CreateImgChild(QString(), true);
    const QImage &source = command.discs ? w.discs : w.noise;
    for (auto _ : state) {
        state.PauseTiming();
        img->SetPicture(QImage());      // the last one goes first, as a new picture would
        img->SetPicture(source.copy()); // fresh, and the window's own
        CloseNewWindows(before + 1);
        Settle();
        state.ResumeTiming();
        command.run(*img);
        Settle(); // repainted
    }
    state.SetItemsProcessed(state.iterations() * kSide * kSide);
    if (!w.messages.isEmpty())
        state.SetLabel(w.messages.last().left(60).toStdString());
    w.messages.clear();
    Report(state);
    CloseNewWindows(before);
}

struct TableCommand {
    const char *name;
    std::function<void(TStatForm &)> run;
};

void RunTableCommand(benchmark::State &state, const TableCommand &command)
{
    Start();
    Workspace &w = Space();
    const int before = int(w.frame->MdiArea()->subWindowList().size());
    TStatForm *form = w.frame->CreateSttChild(QString(), true);
    for (auto _ : state) {
        state.PauseTiming();
        form->SetData(*w.sample);
        form->Memo->clear();
        form->StringGrid->setCurrentIndex(form->Model()->index(5000, 1));
        Settle();
        state.ResumeTiming();
        command.run(*form);
        Settle();
    }
    if (!w.messages.isEmpty())
        state.SetLabel(w.messages.last().left(60).toStdString());
    w.messages.clear();
    Report(state);
    CloseNewWindows(before);
}

void Register()
{
    benchmark::RegisterBenchmark("BM_FiftyWindowsOpen", BM_FiftyWindowsOpen)->Iterations(1)->Unit(benchmark::kMillisecond);

    static const std::vector<PixelCommand> pixel = {
        {"negative", false, [](TImageForm &f) { f.BtnNegativeClick(); }},
        {"mirror_h", false, [](TImageForm &f) { f.BtnMirrorHClick(); }},
        {"mirror_v", false, [](TImageForm &f) { f.BtnMirrorVClick(); }},
        {"gray", false, [](TImageForm &f) { f.BtnGrayClick(); }},
        {"black_white_40", false,
         [](TImageForm &f) {
             f.EditBright->setValue(40);
             f.BtnBandWApplyClick();
         }},
        {"separate_shades", false, [](TImageForm &f) { f.BtnDiffImageApplyClick(); }},
        {"median_3x3", false,
         [](TImageForm &f) {
             f.EditFiltrX->setValue(3);
             f.EditFiltrY->setValue(3);
             f.BtnFiltrApplyClick();
         }},
        {"median_5x5", false,
         [](TImageForm &f) {
             f.EditFiltrX->setValue(5);
             f.EditFiltrY->setValue(5);
             f.BtnFiltrApplyClick();
         }},
        {"clear_edges", true, [](TImageForm &f) { f.BtnClearRectClick(); }},
        {"mark_colour", false, [](TImageForm &f) { f.BtnAnalis2SelectClick(); }},
        {"user_function", false, [](TImageForm &f) { f.BtnPClick(); }},
        {"binary_analysis_1000_discs", true, [](TImageForm &f) { f.BtnAnalis1Click(); }},
        {"negative_then_undo", false,
         [](TImageForm &f) {
             f.BtnNegativeClick();
             Space().frame->ItemUndoClick();
         }},
    };
    for (const PixelCommand &c : pixel)
        benchmark::RegisterBenchmark((std::string("BM_PixelCommand4096/") + c.name).c_str(), RunPixelCommand, c)
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);

    static const std::vector<TableCommand> table = {
        {"delete_row", [](TStatForm &f) { f.BtnDelSel->trigger(); }},
        {"insert_row", [](TStatForm &f) { f.BtnAddSel->trigger(); }},
        {"mean", [](TStatForm &f) { f.BtnMeanSel->trigger(); }},
        {"sum", [](TStatForm &f) { f.BtnSumSel->trigger(); }},
        {"min", [](TStatForm &f) { f.BtnMinSel->trigger(); }},
        {"max", [](TStatForm &f) { f.BtnMaxSel->trigger(); }},
        {"user_function", [](TStatForm &f) { f.BtnFSel->trigger(); }},
        {"group_10_intervals", [](TStatForm &f) { f.BtnGroup->trigger(); }},
        {"statistics_report", [](TStatForm &f) { f.BtnCalcStat->trigger(); }},
        {"to_spreadsheet", [](TStatForm &f) { f.BtnToExcel->trigger(); }},
        {"to_word", [](TStatForm &f) { f.BtnToWord->trigger(); }},
        {"save_results", [](TStatForm &f) { f.BtnSaveResults->trigger(); }},
        {"copy_all", [](TStatForm &f) {
             Space().frame->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(f.parentWidget()));
             f.StringGrid->selectAll();
             Space().frame->ItemCopyClick();
         }},
        {"paste_all", [](TStatForm &f) {
             f.StringGrid->selectAll();
             f.Copy();
             f.StringGrid->setCurrentIndex(f.Model()->index(0, 1));
             f.Paste();
         }},
    };
    for (const TableCommand &c : table)
        benchmark::RegisterBenchmark((std::string("BM_TableCommand10000/") + c.name).c_str(), RunTableCommand, c)
            ->MinTime(0.3)
            ->Unit(benchmark::kMillisecond);
    // Last, so that its copy does not stand in the commands' peaks.
    benchmark::RegisterBenchmark("BM_CopyOfThePicture4096", BM_CopyOfThePicture)->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Workspace &w = Space();
    // No boxes: messages are kept (the last is the benchmark's label), dialogs are accepted
    // as they stand, except the ones a command needs answered.
    SetMessageSink([&w](const QString &t) { w.messages << t; });
    SetDialogRunner([&w](QDialog *d) {
        if (auto *g = qobject_cast<TGroupDlg *>(d)) {
            g->RadioButton1->setChecked(true);
            g->SpinEdit1->setValue(10);
        }
        if (auto *f = qobject_cast<QFileDialog *>(d))
            f->selectFile(w.dir.filePath("report.rtf"));
        return int(QDialog::Accepted);
    });
    exportfiles::SetStarter([](const exportfiles::Launch &) { return true; });
    TForm1 frame({});
    frame.showMaximized();
    Settle();
    w.frame = &frame;


    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    frame.MdiArea()->closeAllSubWindows();
    Settle();
    return 0;
}
