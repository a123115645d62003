// The waits a user feels in the windows, each beside its anchor in the same run:
// - the main window on screen after start, against a bare Qt main window started the same
//   way; every iteration is a new process (this program, run again as the child), timed
//   from just before it is spawned to the end of the main window's first paint;
// - a 10000-element .GRZ file opened into a sample window of the shown main window, as
//   File > Open does, until the window is painted, against reading the file alone.
// The display's platform is the environment's (offscreen under `make bench`, xcb under a
// display). Children report their own CPU time, shown as the cpu_ms counter.
#include "base/Files.h"
#include "samples/DataFiles.h"
#include "samples/SampleData.h"
#include "shell/Application.h"
#include "shell/TForm1.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

int64_t NowNs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// ---- the child: reports when its main window has been painted, then leaves at once

int64_t spawnedAt = 0; // nonzero in a child

class ShownProbe : public QObject {
protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && qobject_cast<QMainWindow *>(watched) && !reported_) {
            reported_ = true;
            // After this paint and the rest of the window's, on the next turn of the loop.
            QTimer::singleShot(0, [] {
                rusage u;
                getrusage(RUSAGE_SELF, &u);
                const int64_t cpu = (int64_t(u.ru_utime.tv_sec) + u.ru_stime.tv_sec) * 1000000000 +
                                    (int64_t(u.ru_utime.tv_usec) + u.ru_stime.tv_usec) * 1000;
                std::printf("%lld %lld\n", static_cast<long long>(NowNs() - spawnedAt), static_cast<long long>(cpu));
                std::fflush(stdout);
                _exit(0); // what follows the first paint is not start-up
            });
        }
        return false;
    }

private:
    bool reported_ = false;
};

void InstallShownProbe()
{
    if (spawnedAt)
        qApp->installEventFilter(new ShownProbe);
}
Q_COREAPP_STARTUP_FUNCTION(InstallShownProbe)

int RunBareWindow(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("bare"));
    w.showMaximized();
    return app.exec();
}

// ---- the parent

struct ChildTimes {
    double wallMs = 0, cpuMs = 0;
    bool ok = false;
};

ChildTimes RunChild(const char *self, const char *kind)
{
    ChildTimes out;
    int fds[2];
    if (pipe(fds) != 0)
        return out;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, fds[1], 1);
    posix_spawn_file_actions_addclose(&fa, fds[0]);
    const std::string t0 = std::to_string(NowNs());
    char *argv[] = {const_cast<char *>(self), const_cast<char *>("--child"), const_cast<char *>(kind),
                    const_cast<char *>(t0.c_str()), nullptr};
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, self, &fa, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&fa);
    close(fds[1]);
    std::string text;
    char buf[256];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0)
        text.append(buf, size_t(n));
    close(fds[0]);
    if (rc != 0)
        return out;
    int status = 0;
    waitpid(pid, &status, 0);
    long long wall = 0, cpu = 0;
    if (std::sscanf(text.c_str(), "%lld %lld", &wall, &cpu) == 2) {
        out.wallMs = wall / 1e6;
        out.cpuMs = cpu / 1e6;
        out.ok = true;
    }
    return out;
}

std::string selfPath;

void StartUp(benchmark::State &state, const char *kind)
{
    double cpu = 0;
    for (auto _ : state) {
        const ChildTimes t = RunChild(selfPath.c_str(), kind);
        if (!t.ok) {
            state.SkipWithError("the child did not report");
            return;
        }
        state.SetIterationTime(t.wallMs / 1000);
        cpu += t.cpuMs;
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu / double(state.iterations()));
}

void BM_StartBareMainWindow(benchmark::State &state) { StartUp(state, "bare"); }
void BM_StartGrizal2(benchmark::State &state) { StartUp(state, "grizal2"); }
BENCHMARK(BM_StartBareMainWindow)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartGrizal2)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// ---- opening a .GRZ file

QString FullGrz()
{
    static QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("full.grz"));
    if (!QFile::exists(file)) {
        auto d = std::make_unique<TSampleData>();
        d->Count = TSampleData::Capacity;
        for (int k = 0; k < TSampleData::Capacity; ++k) {
            d->SetSize(k, 0.5L + k * 0.0137L);
            d->N[k] = uint16_t(k % 50 + 1);
        }
        QString error;
        fileio::WriteFileAtomically(file, datafiles::EncodeGrz(*d), error);
    }
    return file;
}

void BM_ReadGrzAlone(benchmark::State &state)
{
    const QString file = FullGrz();
    QString error;
    for (auto _ : state) {
        auto data = std::make_unique<TSampleData>();
        benchmark::DoNotOptimize(datafiles::ReadGrz(file, *data, error));
    }
}
BENCHMARK(BM_ReadGrzAlone)->Unit(benchmark::kMillisecond);

void BM_OpenGrzIntoWindow(benchmark::State &state)
{
    const QString file = FullGrz();
    TForm1 frame({});
    frame.showMaximized();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        frame.OpenData(file);
        QCoreApplication::processEvents(); // the new window is laid out and painted
        state.PauseTiming();
        frame.MdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenGrzIntoWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 4 && !std::strcmp(argv[1], "--child")) {
        spawnedAt = std::atoll(argv[3]);
        char *childArgv[] = {argv[0], nullptr};
        int childArgc = 1;
        return !std::strcmp(argv[2], "bare") ? RunBareWindow(childArgc, childArgv) : RunGrizal2(childArgc, childArgv);
    }
    selfPath = argv[0];
    if (selfPath.find('/') == std::string::npos)
        selfPath = "/proc/self/exe"; // started through the search path
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
