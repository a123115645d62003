// particles: every particle of a picture, measured without bias, touching ones split.
#include "base/Errors.h"
#include "base/NumberForms.h"
#include "cli/Cli.h"
#include "imaging/ParticleReport.h"
#include "imaging/Particles.h"
#include "imaging/Pictures.h"
#include "samples/DataFiles.h"
#include "samples/SampleData.h"

#include <cmath>
#include <memory>
#include <new>

namespace {

bool ParseCount(const QString &text, long long lo, long long hi, long long &out)
{
    bool ok = false;
    const long long v = text.toLongLong(&ok);
    if (!ok || v < lo || v > hi)
        return false;
    out = v;
    return true;
}

} // namespace

int CmdParticles(const QStringList &argsIn)
{
    const char *cmd = "particles";
    QStringList args = argsIn;
    QString threshold, objects, minArea, split, connectivity, kpixText, csv, overlay, sample, measure;
    const bool hasThreshold = cli::TakeOption(args, QStringLiteral("--threshold"), threshold);
    const bool hasObjects = cli::TakeOption(args, QStringLiteral("--objects"), objects);
    const bool hasMinArea = cli::TakeOption(args, QStringLiteral("--min-area"), minArea);
    const bool hasSplit = cli::TakeOption(args, QStringLiteral("--split"), split);
    const bool hasConnectivity = cli::TakeOption(args, QStringLiteral("--connectivity"), connectivity);
    const bool hasKpix = cli::TakeOption(args, QStringLiteral("--kpix"), kpixText);
    const bool hasCsv = cli::TakeOption(args, QStringLiteral("--csv"), csv);
    const bool hasOverlay = cli::TakeOption(args, QStringLiteral("--overlay"), overlay);
    const bool hasSample = cli::TakeOption(args, QStringLiteral("--sample"), sample);
    const bool hasMeasure = cli::TakeOption(args, QStringLiteral("--measure"), measure);
    particles::Options o;
    o.fillHoles = cli::TakeFlag(args, QStringLiteral("--fill-holes"));
    o.excludeBorder = cli::TakeFlag(args, QStringLiteral("--exclude-border"));
    o.separate = cli::TakeFlag(args, QStringLiteral("--separate"));
    if (args.isEmpty() || args[0].startsWith(QLatin1String("--")))
        return cli::UsageError(cmd);

    if (hasThreshold && threshold != QLatin1String("otsu")) {
        long long p = 0;
        if (!ParseCount(threshold, pictures::BrightMin, pictures::BrightMax, p))
            return cli::UsageError(cmd, QStringLiteral("--threshold takes otsu or a percentage from 0 to 100"));
        o.thresholdPercent = int(p);
    }
    if (hasObjects) {
        if (objects == QLatin1String("light"))
            o.objects = particles::Objects::Light;
        else if (objects != QLatin1String("dark"))
            return cli::UsageError(cmd, QStringLiteral("--objects takes dark or light"));
    }
    if (hasMinArea && !ParseCount(minArea, 0, 1LL << 40, o.minArea))
        return cli::UsageError(cmd, QStringLiteral("--min-area takes a number of pixels"));
    if (hasSplit) {
        if (!o.separate)
            return cli::UsageError(cmd, QStringLiteral("--split needs --separate"));
        if (!cli::ParseCliNumber(split, o.splitDepth) || !(o.splitDepth > 0) || !std::isfinite(o.splitDepth))
            return cli::UsageError(cmd, QStringLiteral("--split takes a positive depth in pixels"));
    }
    if (hasConnectivity) {
        if (connectivity != QLatin1String("4") && connectivity != QLatin1String("8"))
            return cli::UsageError(cmd, QStringLiteral("--connectivity takes 4 or 8"));
        o.connectivity = connectivity.toInt();
    }
    double kpix = 1;
    if (hasKpix && (!cli::ParseCliNumber(kpixText, kpix) || !(kpix > 0) || !std::isfinite(kpix)))
        return cli::UsageError(cmd, QStringLiteral("--kpix takes a positive number"));
    particles::Measure m = particles::Measure::Ecd;
    if (hasMeasure) {
        if (!hasSample)
            return cli::UsageError(cmd, QStringLiteral("--measure needs --sample"));
        const QStringList names = {"ecd", "area", "perimeter", "feret-max", "feret-min"};
        const int k = int(names.indexOf(measure));
        if (k < 0)
            return cli::UsageError(cmd, QStringLiteral("--measure takes ecd, area, perimeter, feret-max or feret-min"));
        m = particles::Measure(k);
    }
    std::vector<cli::Op> ops;
    QString why;
    if (!cli::ParseOps(args.mid(1), ops, why))
        return cli::UsageError(cmd, why);

    QImage picture;
    TPictures engine;
    if (!cli::ReadAndApply(args[0], ops, engine, picture))
        return 1;
    particles::Finder finder;
    particles::Result result;
    QImage outlined;
    try {
        finder.Find(picture, o, result);
        if (hasOverlay)
            outlined = particles::Overlay(picture, result);
    } catch (const std::bad_alloc &) {
        cli::Message(QStringLiteral("not enough memory for the particles of \"%1\"").arg(args[0]));
        return 1;
    } catch (const std::exception &e) { // OpenCV's own failures
        cli::Message(QStringLiteral("cannot find the particles of \"%1\": %2").arg(args[0], QString::fromUtf8(e.what())));
        return 1;
    }

    if (hasCsv && !cli::WriteOutput(csv, particles::Csv(result.particles, kpix)))
        return 1;
    if (hasOverlay && !cli::WritePicture(overlay, outlined))
        return 1;
    if (!hasCsv) {
        const QChar sep = cli::Sep();
        cli::Print(QStringLiteral("particles\t%1").arg(result.particles.size()));
        if (!result.particles.empty()) {
            const particles::Percentiles d = particles::EcdPercentiles(result.particles, kpix);
            cli::Print(QStringLiteral("d10\t") + numtext::Fixed6(d.d10, sep));
            cli::Print(QStringLiteral("d50\t") + numtext::Fixed6(d.d50, sep));
            cli::Print(QStringLiteral("d90\t") + numtext::Fixed6(d.d90, sep));
        }
    }
    if (hasSample) {
        auto data = std::make_unique<TSampleData>();
        int rows = 0;
        try {
            rows = particles::ToSample(result.particles, m, kpix, *data);
        } catch (const GrizalError &e) {
            cli::Message(e.text());
            return 1;
        }
        if (rows > TSampleData::Capacity) {
            cli::Message(QStringLiteral("%1 distinct values are more than a sample holds (%2); the sample is not written")
                             .arg(rows)
                             .arg(TSampleData::Capacity));
            return 1;
        }
        if (!cli::WriteOutput(sample, datafiles::EncodeGrz(*data)))
            return 1;
    }
    return 0;
}
