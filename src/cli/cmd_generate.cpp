// generate: the sample-generation dialog's command, saved to a file.
#include "analysis/Laws.h"
#include "cli/Cli.h"
#include "samples/Generation.h"
#include "base/NumberForms.h"

#include <memory>

int CmdGenerate(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString law, a, b, points, from, to, out;
    const bool ok = cli::TakeOption(args, QStringLiteral("--law"), law) &&
                    cli::TakeOption(args, QStringLiteral("--a"), a) &&
                    cli::TakeOption(args, QStringLiteral("--b"), b) &&
                    cli::TakeOption(args, QStringLiteral("--points"), points) &&
                    cli::TakeOption(args, QStringLiteral("--from"), from) &&
                    cli::TakeOption(args, QStringLiteral("--to"), to) &&
                    cli::TakeOption(args, QStringLiteral("-o"), out);
    if (!ok || !args.isEmpty())
        return cli::UsageError("generate");
    generation::DiffCurve curve = nullptr;
    if (law == QLatin1String("gaudin"))
        curve = laws::DiffGaudin;
    else if (law == QLatin1String("rosin"))
        curve = laws::DiffRosinRammler;
    else if (law == QLatin1String("lognormal"))
        curve = laws::DiffLogNormal;
    else
        return cli::UsageError("generate", QStringLiteral("--law takes gaudin, rosin or lognormal"));

    // The number of points is a spin box: other text reads as 1, values are kept in 1..1000.
    generation::Params p;
    int32_t n = 1;
    p.points = generation::ClampPoints(numtext::ReadInteger(points.trimmed(), n) ? n : 1);
    if (const char *why = generation::ReadParams(a, b, from, to, QLatin1Char('.'), p)) {
        cli::Message(QCoreApplication::translate("Generation", why));
        return 1;
    }
    auto data = std::make_unique<TSampleData>();
    if (!generation::Generate(p, curve, *data))
        cli::Message(QCoreApplication::translate("Generation", generation::kCannotGenerate));
    return cli::SaveLikeWindow(*data, out);
}
