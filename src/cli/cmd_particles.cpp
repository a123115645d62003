// particles: every particle of a picture, measured without bias, touching ones split.
#include "base/Errors.h"
#include "base/NumberForms.h"
#include "cli/Cli.h"
#include "imaging/ParticleBatch.h"
#include "samples/DataFiles.h"
#include "samples/SampleData.h"

#include <memory>
#include <new>

int CmdParticles(const QStringList &argsIn)
{
    const char *cmd = "particles";
    QStringList args = argsIn;
    QString csv, overlay, sample;
    const bool hasCsv = cli::TakeOption(args, QStringLiteral("--csv"), csv);
    const bool hasOverlay = cli::TakeOption(args, QStringLiteral("--overlay"), overlay);
    const bool hasSample = cli::TakeOption(args, QStringLiteral("--sample"), sample);
    if (!hasSample && args.contains(QLatin1String("--measure")))
        return cli::UsageError(cmd, QStringLiteral("--measure needs --sample"));
    particles::Recipe recipe;
    QStringList rest;
    QString why;
    int at = 0;
    if (!particles::ParseRecipe(args, recipe, rest, why, at))
        return cli::UsageError(cmd, why);
    if (rest.size() != 1)
        return cli::UsageError(cmd);
    const QString &image = rest[0];
    const double kpix = recipe.kpix;

    particles::Workbench bench;
    QImage picture;
    particles::Result result;
    QString error;
    if (!particles::MeasureFile(image, recipe, bench, picture, result, error)) {
        cli::Message(error);
        return 1;
    }
    QImage outlined;
    try {
        if (hasOverlay)
            outlined = particles::Overlay(picture, result);
    } catch (const std::bad_alloc &) {
        cli::Message(QStringLiteral("not enough memory for the overlay of \"%1\"").arg(image));
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
            rows = particles::ToSample(result.particles, recipe.measure, kpix, *data);
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
