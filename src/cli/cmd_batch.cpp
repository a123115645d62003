// batch: a folder of micrographs into one table of particles, one sample and one fit.
#include "base/Files.h"
#include "cli/Cli.h"
#include "imaging/ParticleBatchFiles.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <unistd.h>

namespace {

const char *const kCmd = "batch";

// Progress on standard error: a bar redrawn in place on a terminal, a line per picture in a log.
class ProgressView {
public:
    explicit ProgressView(int total) : Total(total), Terminal(isatty(fileno(stderr)))
    {
        Clock.start();
        if (Terminal)
            Draw(0);
    }
    void Done(int done, const QString &file, const QString &note)
    {
        if (Terminal) {
            Draw(done);
        } else {
            std::fprintf(stderr, "[%d/%d] %s: %s\n", done, Total, file.toUtf8().constData(), note.toUtf8().constData());
            std::fflush(stderr);
        }
    }
    // A message between redraws of the bar.
    void Message(const QString &text)
    {
        if (Terminal)
            std::fputs("\r\033[K", stderr);
        cli::Message(text);
    }
    void Finish()
    {
        if (Terminal) {
            std::fputc('\n', stderr);
            std::fflush(stderr);
        }
    }

private:
    void Draw(int done)
    {
        constexpr int Width = 30;
        const int filled = Total > 0 ? done * Width / Total : Width;
        QByteArray bar = "\r[" + QByteArray(filled, '#') + QByteArray(Width - filled, '.') + "] "
                         + QByteArray::number(done) + '/' + QByteArray::number(Total);
        if (done > 0 && done < Total) {
            const qint64 left = Clock.elapsed() * (Total - done) / done / 1000;
            bar += QStringLiteral("  %1:%2:%3 left")
                       .arg(left / 3600)
                       .arg(left / 60 % 60, 2, 10, QLatin1Char('0'))
                       .arg(left % 60, 2, 10, QLatin1Char('0'))
                       .toLatin1();
        }
        bar += "\033[K";
        std::fputs(bar.constData(), stderr);
        std::fflush(stderr);
    }

    int Total;
    bool Terminal;
    QElapsedTimer Clock;
};


} // namespace

int CmdBatch(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString recipeFile, jobsText, outDir;
    const bool hasRecipe = cli::TakeOption(args, QStringLiteral("--recipe"), recipeFile);
    const bool hasOut = cli::TakeOption(args, QStringLiteral("-o"), outDir);
    const bool hasJobs = cli::TakeOption(args, QStringLiteral("--jobs"), jobsText);
    if (!hasRecipe || !hasOut || args.isEmpty())
        return cli::UsageError(kCmd);
    for (const QString &a : args)
        if (a.startsWith(QLatin1String("--")))
            return cli::UsageError(kCmd, QStringLiteral("unknown option ") + a);
    int jobs = 0;
    if (hasJobs) {
        bool ok = false;
        jobs = jobsText.toInt(&ok);
        if (!ok || jobs < 1 || jobs > 1024)
            return cli::UsageError(kCmd, QStringLiteral("--jobs takes a whole number from 1 to 1024"));
    }

    particles::Recipe recipe;
    {
        QFile f(recipeFile);
        if (!f.open(QIODevice::ReadOnly) || f.size() > (1 << 20)) {
            cli::Message(QStringLiteral("cannot read the recipe \"%1\"").arg(recipeFile));
            return 1;
        }
        QString error;
        if (!particles::ReadRecipe(QString::fromUtf8(f.readAll()), recipe, error))
            return cli::UsageError(kCmd, recipeFile + QStringLiteral(", ") + error);
    }

    // A folder gives its pictures by name and they are called by their names alone; files
    // named one by one are called as they were given.
    QStringList files = args, names = args;
    if (args.size() == 1 && QFileInfo(args[0]).isDir()) {
        files = particles::ImagesInFolder(args[0]);
        names.clear();
        for (const QString &f : files)
            names << QFileInfo(f).fileName();
        if (files.isEmpty()) {
            cli::Message(QStringLiteral("no pictures in \"%1\"").arg(args[0]));
            return 1;
        }
    }
    particles::BatchFiles outputs(outDir, recipe, [](particles::BatchFiles::Problem problem, const QString &detail) {
        using P = particles::BatchFiles::Problem;
        switch (problem) {
        case P::CannotMakeFolder:
            cli::Message(QStringLiteral("cannot make the folder \"%1\"").arg(detail));
            break;
        case P::CannotWrite:
            cli::Message(fileio::CannotWrite(detail));
            break;
        case P::Value:
            cli::Message(detail);
            break;
        case P::TooManyValues:
            cli::Message(QStringLiteral("the particles have more distinct values than a sample holds (%1); "
                                        "the sample and its fit are not written")
                             .arg(TSampleData::Capacity));
            break;
        case P::Stale:
            cli::Message(QStringLiteral("\"%1\" is left from an earlier run and could not be removed").arg(detail));
            break;
        }
    });
    if (!outputs.Start())
        return 1;
    int skipped = 0;
    QString note;

    ProgressView view(int(files.size()));
    auto deliver = [&](particles::Measured &m) {
        const QString &name = names[m.index];
        if (!m.error.isEmpty()) {
            view.Message(QStringLiteral("skipped \"%1\": %2").arg(name, m.error));
            note = QStringLiteral("skipped");
            ++skipped;
            return;
        }
        note = QStringLiteral("%1 particles").arg(m.particles.size());
        outputs.Add(m, name);
    };
    particles::Batch batch;
    batch.Run(files, recipe, jobs, deliver, [&](int done, int, const QString &) {
        view.Done(done, names[done - 1], note);
        return true;
    });
    view.Finish();

    const bool written = outputs.Finish(
        [](const QString &sample, mle::Result &fit) { return cli::FitFile(sample, false, false, mle::Options(), fit); },
        QStringLiteral("grizal2-cli " GRIZAL2_VERSION), cli::Sep());
    return written && skipped == 0 ? 0 : 1;
}
