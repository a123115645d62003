// fit: the four laws by maximum likelihood, with bootstrap intervals.
#include "analysis/Bootstrap.h"
#include "analysis/FitOptions.h"
#include "analysis/FitTable.h"
#include "base/NumberForms.h"
#include "cli/Cli.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

// Numbers in JSON: the shortest text that reads back to the same double; null when not finite.
QByteArray Json(double v)
{
    if (!std::isfinite(v))
        return "null";
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return QByteArray(buf, int(res.ptr - buf));
}

QByteArray JsonPair(double a, double b) { return '[' + Json(a) + ", " + Json(b) + ']'; }

QByteArray JsonObject(const mle::Result &r)
{
    QByteArray out = "{\"n\":" + Json(r.particles) + ", \"by\":\"" + (r.byVolume ? "volume" : "number") +
                     "\", \"laws\":[";
    for (int law = 1; law <= mle::kLaws; ++law) {
        const mle::LawResult &l = r.law[law];
        const bool ok = l.fit.ok;
        if (law > 1)
            out += ", ";
        out += "{\"law\":" + QByteArray::number(law) + ", \"name\":\"" + mle::LawName(law) + "\"";
        out += ", \"params\":" + (ok ? JsonPair(l.fit.p[0], l.fit.p[1]) : QByteArray("null"));
        out += ", \"d50\":" + (ok ? Json(l.fit.d50) : QByteArray("null"));
        out += ", \"d50_ci\":" + (l.d50ci.valid() ? JsonPair(l.d50ci.lo, l.d50ci.hi) : QByteArray("null"));
        out += ", \"loglik\":" + Json(l.loglik) + ", \"aic\":" + Json(l.aic) + ", \"ks\":" + Json(l.ks);
        out += ", \"params_ci\":";
        out += l.pci[0].valid() ? '[' + JsonPair(l.pci[0].lo, l.pci[0].hi) + ", " +
                                      JsonPair(l.pci[1].lo, l.pci[1].hi) + ']'
                                : QByteArray("null");
        out += '}';
    }
    out += "], \"best\":" + QByteArray::number(r.best) + ", \"d50_rel_halfwidth\":" + Json(r.relHalfWidth) +
           ", \"n_for_5pct\":" + Json(r.nFor5pct) + ", \"classes\":" + (r.classes ? "true" : "false") +
           ", \"boot\":" + QByteArray::number(r.options.resamples) + ", \"level\":" + Json(r.options.level) +
           ", \"seed\":" + QByteArray::number(qulonglong(r.options.seed)) + "}";
    return out;
}

} // namespace

namespace cli {

bool FitFile(const QString &file, bool byVolume, bool classes, const mle::Options &options, mle::Result &result)
{
    auto data = std::make_unique<TSampleData>();
    if (!OpenSample(file, *data))
        return false;
    try {
        result = mle::FitSample(mle::Prepare(*data, byVolume, classes), options);
    } catch (const mle::FitError &e) {
        Message(e.English());
        return false;
    }
    for (int law = 1; law <= mle::kLaws; ++law) {
        const mle::LawResult &l = result.law[law];
        if (!l.fit.ok)
            Message(l.error.English());
        else if (l.failed > 0)
            Message(QStringLiteral("law %1 (%2): %3 of %4 resamples could not be fitted; %5")
                        .arg(law)
                        .arg(QLatin1String(mle::LawName(law)))
                        .arg(l.failed)
                        .arg(options.resamples)
                        .arg(l.d50ci.valid() ? QStringLiteral("its intervals allow them any value")
                                             : QStringLiteral("too many for an interval")));
    }
    return true;
}

} // namespace cli

int CmdFit(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString by = QStringLiteral("number"), boot = QStringLiteral("1000"), level = QStringLiteral("0.95"),
            seed = QStringLiteral("1");
    cli::TakeOption(args, QStringLiteral("--by"), by);
    cli::TakeOption(args, QStringLiteral("--boot"), boot);
    cli::TakeOption(args, QStringLiteral("--level"), level);
    cli::TakeOption(args, QStringLiteral("--seed"), seed);
    const bool classes = cli::TakeFlag(args, QStringLiteral("--classes"));
    const bool json = cli::TakeFlag(args, QStringLiteral("--json"));
    if (args.size() != 1 || (by != QLatin1String("number") && by != QLatin1String("volume")))
        return cli::UsageError("fit");
    mle::Options options;
    const mle::OptionField wrong = mle::ReadOptions(boot, level, seed, QLatin1Char('.'), options);
    if (wrong != mle::OptionField::None)
        return cli::UsageError("fit", mle::OptionFieldText(wrong, false));
    const bool byVolume = by == QLatin1String("volume");

    mle::Result result;
    if (!cli::FitFile(args[0], byVolume, classes, options, result))
        return 1;
    if (json) {
        const QByteArray out = JsonObject(result) + '\n';
        std::fwrite(out.constData(), 1, size_t(out.size()), stdout);
    } else {
        for (const QString &line : mle::TableLines(result, cli::Sep()))
            cli::Print(line);
    }
    return 0;
}
