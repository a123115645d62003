// measure: the hand measurements of manual-measurement mode on a file.
#include "cli/Cli.h"
#include "imaging/Measure.h"

#include <QRegularExpression>
#include <cmath>

namespace {

// Farther points make the row-by-row area pass needlessly long; no picture is this big.
constexpr int kCoordLimit = 100000;

bool ParseCoord(const QString &text, int &out)
{
    double v = 0;
    if (!cli::ParseCliNumber(text, v) || v != std::floor(v) || std::abs(v) > kCoordLimit)
        return false;
    out = int(v);
    return true;
}

bool ParsePoint(const QString &text, QPoint &p)
{
    const QStringList xy = text.split(QLatin1Char(','));
    int x, y;
    if (xy.size() != 2 || !ParseCoord(xy[0], x) || !ParseCoord(xy[1], y))
        return false;
    p = QPoint(x, y);
    return true;
}

} // namespace

int CmdMeasure(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString segment, polygon, kpixText;
    const bool hasSegment = cli::TakeOption(args, QStringLiteral("--segment"), segment);
    const bool hasPolygon = cli::TakeOption(args, QStringLiteral("--polygon"), polygon);
    const bool hasKpix = cli::TakeOption(args, QStringLiteral("--kpix"), kpixText);
    if (args.size() != 1 || hasSegment == hasPolygon)
        return cli::UsageError("measure");
    double kpix = 1;
    if (hasKpix && (!cli::ParseCliNumber(kpixText, kpix) || !(kpix > 0) || !std::isfinite(kpix)))
        return cli::UsageError("measure", QStringLiteral("--kpix needs a positive number"));

    if (hasSegment) {
        const QStringList v = segment.split(QLatin1Char(','));
        int c[4];
        if (v.size() != 4)
            return cli::UsageError("measure", QStringLiteral("--segment needs X1,Y1,X2,Y2"));
        for (int i = 0; i < 4; ++i)
            if (!ParseCoord(v[i], c[i]))
                return cli::UsageError("measure", QStringLiteral("bad coordinate: ") + v[i]);
        QImage picture;
        if (!cli::ReadPicture(args[0], picture))
            return 1;
        cli::Print(measure::LinearSizeText({c[0], c[1]}, {c[2], c[3]}, kpix, cli::Sep()));
        return 0;
    }

    Selection s;
    const QStringList pts = polygon.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (pts.isEmpty() || pts.size() > Selection::Capacity)
        return cli::UsageError("measure", QStringLiteral("--polygon needs 1 to 1000 points X,Y"));
    for (const QString &t : pts) {
        QPoint p;
        if (!ParsePoint(t, p))
            return cli::UsageError("measure", QStringLiteral("bad point: ") + t);
        s.Append(p);
    }
    QImage picture;
    if (!cli::ReadPicture(args[0], picture))
        return 1;
    const QChar sep = cli::Sep();
    cli::Print(measure::PerimeterText(s, kpix, sep));
    cli::Print(measure::AreaText(s, kpix, sep));
    for (const QString &line : measure::DensityLines(measure::ChannelDensity(picture, s), sep))
        cli::Print(line);
    return 0;
}
