// image and analyse: the image window's pixel operations and binary analysis on files.
#include "base/Files.h"
#include "cli/Cli.h"
#include "imaging/Pictures.h"
#include "samples/DataFiles.h"
#include "base/Errors.h"
#include "samples/SampleTable.h"

#include <cmath>
#include <memory>

namespace cli {

bool ReadAndApply(const QString &file, const std::vector<pictures::Operation> &ops, TPictures &engine, QImage &picture)
{
    engine.SetUndoKept(false); // there is no Undo here
    if (!cli::ReadPicture(file, picture))
        return false;
    for (const pictures::Operation &op : ops)
        pictures::Apply(op, engine, picture);
    return true;
}

} // namespace cli

using cli::ReadAndApply;
using pictures::ParseOperations;

int CmdImage(const QStringList &args)
{
    if (args.size() < 2)
        return cli::UsageError("image");
    std::vector<pictures::Operation> ops;
    QString why;
    if (!ParseOperations(args.mid(2), ops, why))
        return cli::UsageError("image", why);
    QImage picture;
    TPictures engine;
    if (!ReadAndApply(args[0], ops, engine, picture))
        return 1;
    return cli::WritePicture(args[1], picture) ? 0 : 1;
}

int CmdAnalyse(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString measureText, kpixText, out, marked;
    const bool hasMeasure = cli::TakeOption(args, QStringLiteral("--measure"), measureText);
    const bool hasKpix = cli::TakeOption(args, QStringLiteral("--kpix"), kpixText);
    const bool hasOut = cli::TakeOption(args, QStringLiteral("-o"), out);
    const bool hasMarked = cli::TakeOption(args, QStringLiteral("--marked"), marked);
    const bool raw = cli::TakeFlag(args, QStringLiteral("--raw"));
    if (args.isEmpty())
        return cli::UsageError("analyse");
    pictures::SizeMeasure measure = pictures::MeasureLinear;
    if (hasMeasure) {
        if (measureText == QLatin1String("linear"))
            measure = pictures::MeasureLinear;
        else if (measureText == QLatin1String("area"))
            measure = pictures::MeasureArea;
        else if (measureText == QLatin1String("perimeter"))
            measure = pictures::MeasurePerimeter;
        else
            return cli::UsageError("analyse", QStringLiteral("--measure takes linear, area or perimeter"));
    }
    double kpix = 1;
    if (hasKpix && (!cli::ParseCliNumber(kpixText, kpix) || !(kpix > 0) || !std::isfinite(kpix)))
        return cli::UsageError("analyse", QStringLiteral("--kpix takes a positive number"));
    std::vector<pictures::Operation> ops;
    QString why;
    if (!ParseOperations(args.mid(1), ops, why))
        return cli::UsageError("analyse", why);
    QImage picture;
    TPictures engine;
    if (!ReadAndApply(args[0], ops, engine, picture))
        return 1;
    auto data = std::make_unique<TSampleData>();
    try {
        engine.AnalyseBinary(*data, measure, (long double)kpix, picture);
    } catch (const GrizalError &e) {
        cli::Message(e.text());
        return 1;
    }
    cli::PrintSample(*data, raw);
    if (hasMarked && !cli::WritePicture(marked, picture))
        return 1;
    return hasOut ? cli::SaveLikeWindow(*data, out) : 0;
}
