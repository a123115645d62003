// Many micrographs with one recipe. 12 pictures of 2048 x 2048 measured by the batch runner
// with one job and with two, next to what a user would otherwise run: the particles command
// once per picture, one or two at a time (a shell loop, `xargs -P 2`). Then the memory goal:
// grizal2-cli batch over 200 pictures of 4096 x 4096 against the same over 4, peak resident
// memory of the process as /usr/bin/time -v reports it (wait4's ru_maxrss).
//
// The machine is shared: wall times move with the other users' load, so every figure comes
// with the CPU time it took (process CPU for the runner, the children's for commands). Linux
// shares the processor between sessions first, so a loaded machine gives this process about
// one core however many threads it runs; a wall-time comparison of jobs needs the cores, e.g.
//   setsid sh -c 'echo -20 > /proc/self/autogroup; bench_batch --benchmark_filter=-Memory'
// Every iteration reads the files afresh. The 200 pictures take minutes of CPU.
#include "imaging/ParticleBatch.h"

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <ctime>
#include <fcntl.h>
#include <random>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

const char kRecipe[] = "--median 3x3\n--fill-holes --exclude-border --min-area 20\n--separate\n";

// A grey micrograph: a lit ground with a slow fall-off and grain noise, dark grains of many
// sizes, some touching, their edges soft.
QImage Micrograph(int side, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> u(0, 1);
    std::vector<float> dark(size_t(side) * size_t(side), 0.f);
    const int grains = side * side / 3000;
    for (int g = 0; g < grains; ++g) {
        const double cx = u(rng) * side, cy = u(rng) * side, r = 5 + 25 * u(rng) * u(rng);
        const double e = 0.7 + 0.3 * u(rng), t = M_PI * u(rng), c = std::cos(t), s = std::sin(t);
        for (int y = std::max(0, int(cy - r - 2)); y <= std::min(side - 1, int(cy + r + 2)); ++y)
            for (int x = std::max(0, int(cx - r - 2)); x <= std::min(side - 1, int(cx + r + 2)); ++x) {
                const double dx = x - cx, dy = y - cy, a = dx * c + dy * s, b = (-dx * s + dy * c) / e;
                const double edge = r - std::sqrt(a * a + b * b); // > 0 inside
                float &d = dark[size_t(y) * size_t(side) + size_t(x)];
                d = std::max(d, float(std::clamp(edge / 1.5 + 0.5, 0.0, 1.0)));
            }
    }
    std::normal_distribution<float> noise(0, 9);
    QImage img(side, side, QImage::Format_Grayscale8);
    for (int y = 0; y < side; ++y) {
        uchar *row = img.scanLine(y);
        for (int x = 0; x < side; ++x) {
            const double rx = double(x) / side - 0.5, ry = double(y) / side - 0.5;
            const double ground = 200 - 40 * (rx * rx + ry * ry);
            const double v = ground + (70 - ground) * dark[size_t(y) * size_t(side) + size_t(x)] + noise(rng);
            row[x] = uchar(std::clamp(int(std::lround(v)), 0, 255));
        }
    }
    return img;
}

// GRIZAL2_BENCH_DIR keeps the pictures there for another run or a look.
struct Place {
    QTemporaryDir temporary;
    QString kept = qEnvironmentVariable("GRIZAL2_BENCH_DIR");
    QString filePath(const QString &name) const
    {
        return kept.isEmpty() ? temporary.filePath(name) : QDir(kept).filePath(name);
    }
};

Place &Root()
{
    static Place root;
    return root;
}

// A folder of `count` pictures of side x side; only `distinct` of them are made, the rest are
// links to them (200 distinct pictures of 4096 x 4096 would take gigabytes of disk).
QString Folder(int side, int count, int distinct)
{
    const QString dir = Root().filePath(QStringLiteral("%1x%2").arg(side).arg(count));
    if (QDir(dir).exists())
        return dir;
    QDir().mkpath(dir);
    for (int k = 0; k < count; ++k) {
        const QString name = QStringLiteral("%1/m%2.png").arg(dir).arg(k, 3, 10, QLatin1Char('0'));
        if (k < distinct)
            Micrograph(side, unsigned(k + 1)).save(name);
        else
            QFile::link(QStringLiteral("%1/m%2.png").arg(dir).arg(k % distinct, 3, 10, QLatin1Char('0')), name);
    }
    return dir;
}

particles::Recipe Recipe()
{
    particles::Recipe r;
    QString error;
    particles::ReadRecipe(QString::fromLatin1(kRecipe), r, error);
    return r;
}

double ProcessCpu()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

double Wall()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

QString Cli()
{
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    return QFileInfo(QString::fromLocal8Bit(self, int(std::max<ssize_t>(n, 0)))).dir().filePath("grizal2-cli");
}

// Starts grizal2-cli with `args`, its output thrown away.
pid_t Spawn(const QStringList &args)
{
    std::vector<QByteArray> bytes{Cli().toLocal8Bit()};
    for (const QString &a : args)
        bytes.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t io;
    posix_spawn_file_actions_init(&io);
    posix_spawn_file_actions_addopen(&io, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&io, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    posix_spawn(&pid, argv[0], &io, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&io);
    return pid;
}

double Seconds(const timeval &t) { return double(t.tv_sec) + 1e-6 * double(t.tv_usec); }

// The batch runner in this process.
void BM_Batch(benchmark::State &state)
{
    const QStringList files = particles::ImagesInFolder(Folder(2048, 12, 12));
    const particles::Recipe recipe = Recipe();
    long long found = 0;
    for (auto _ : state) {
        particles::Batch batch;
        found = 0;
        batch.Run(files, recipe, int(state.range(0)), [&](particles::Measured &m) { found += m.particles.size(); });
    }
    state.counters["pictures"] = double(files.size());
    state.counters["particles"] = double(found);
}

// One job against two, in turns within each iteration so that both see the same load.
void BM_BatchTwoJobsAgainstOne(benchmark::State &state)
{
    const QStringList files = particles::ImagesInFolder(Folder(2048, 12, 12));
    const particles::Recipe recipe = Recipe();
    double wall[3] = {}, cpu[3] = {};
    for (auto _ : state)
        for (int jobs : {1, 2}) {
            particles::Batch batch;
            const double w = Wall(), c = ProcessCpu();
            batch.Run(files, recipe, jobs, [](particles::Measured &) {});
            wall[jobs] += Wall() - w;
            cpu[jobs] += ProcessCpu() - c;
        }
    const double n = double(state.iterations());
    state.counters["wall_1job_s"] = wall[1] / n;
    state.counters["wall_2jobs_s"] = wall[2] / n;
    state.counters["cpu_1job_s"] = cpu[1] / n;
    state.counters["cpu_2jobs_s"] = cpu[2] / n;
    state.counters["speedup"] = wall[1] / wall[2];
}

// What a user would run without batch: the particles command per picture, `jobs` at a time.
void BM_ParticlesCommandPerPicture(benchmark::State &state)
{
    const QStringList files = particles::ImagesInFolder(Folder(2048, 12, 12));
    const QStringList options = QString::fromLatin1(kRecipe).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    double childCpu = 0;
    for (auto _ : state) {
        int running = 0;
        for (int k = 0; k <= files.size(); ++k) {
            while (running > 0 && (running >= state.range(0) || k == files.size())) {
                int status = 0;
                rusage use{};
                wait4(-1, &status, 0, &use);
                childCpu += Seconds(use.ru_utime) + Seconds(use.ru_stime);
                --running;
            }
            if (k < files.size() && Spawn(QStringList{"particles", files[k]} + options) > 0)
                ++running;
        }
    }
    state.counters["child_cpu_s"] = childCpu / double(state.iterations());
}

// grizal2-cli batch over `count` pictures of 4096 x 4096 with two jobs: its peak memory.
void BM_BatchCommandMemory(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QString folder = Folder(4096, count, 4);
    const QString recipe = Root().filePath("recipe.txt");
    QFile f(recipe);
    f.open(QIODevice::WriteOnly);
    f.write(kRecipe);
    f.close();
    rusage use{};
    for (auto _ : state) {
        const pid_t pid = Spawn({"batch", "--recipe", recipe, "--jobs", "2", "-o", Root().filePath("out"), folder});
        int status = 0;
        wait4(pid, &status, 0, &use);
    }
    state.counters["pictures"] = count;
    state.counters["peak_rss_MB"] = double(use.ru_maxrss) / 1024;
    state.counters["picture_MB"] = 4096.0 * 4096 * 4 / (1 << 20);
    state.counters["child_cpu_s"] = Seconds(use.ru_utime) + Seconds(use.ru_stime);
}

} // namespace

BENCHMARK(BM_Batch)->Arg(1)->Arg(2)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_BatchTwoJobsAgainstOne)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_ParticlesCommandPerPicture)->Arg(1)->Arg(2)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BatchCommandMemory)->Arg(4)->Arg(200)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
