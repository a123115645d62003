// generate: the sample-generation dialog's command, saved to a file.
#include "analysis/Laws.h"
#include "cli/Cli.h"
#include "base/Errors.h"
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
    long double *fields[] = {&p.a, &p.b, &p.d1, &p.d2};
    const QString *texts[] = {&a, &b, &from, &to};
    for (int i = 0; i < 4; ++i) {
        long double v = 0;
        if (!numtext::ReadNumber(*texts[i], QLatin1Char('.'), v)) {
            cli::Message(QCoreApplication::translate("Generation", generation::kBadParams));
            return 1;
        }
        try {
            *fields[i] = Real48ToExt(ExtToReal48(v));
        } catch (const GrizalError &) {
            cli::Message(QCoreApplication::translate("Generation", generation::kBadParams));
            return 1;
        }
    }
    if (!(p.d1 < p.d2)) {
        cli::Message(QCoreApplication::translate("Generation", generation::kBadRange));
        return 1;
    }
    auto data = std::make_unique<TSampleData>();
    if (!generation::Generate(p, curve, *data))
        cli::Message(QCoreApplication::translate("Generation", generation::kCannotGenerate));
    return cli::SaveLikeWindow(*data, out);
}
