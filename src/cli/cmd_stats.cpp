// stats: the statistics command of the sample window on a sample file.
#include "analysis/Report.h"
#include "cli/Cli.h"
#include "samples/RtfWriter.h"

#include <QBuffer>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

int CmdStats(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString by = QStringLiteral("number"), law = QStringLiteral("auto"), chartFile, rtfFile;
    cli::TakeOption(args, QStringLiteral("--by"), by);
    cli::TakeOption(args, QStringLiteral("--law"), law);
    const bool hasChart = cli::TakeOption(args, QStringLiteral("--chart"), chartFile);
    const bool hasRtf = cli::TakeOption(args, QStringLiteral("--rtf"), rtfFile);
    report::Options options;
    options.showHistogram = !cli::TakeFlag(args, QStringLiteral("--no-histogram"));
    options.showCurve = !cli::TakeFlag(args, QStringLiteral("--no-curve"));
    if (args.size() != 1 || (by != QLatin1String("number") && by != QLatin1String("volume")))
        return cli::UsageError("stats");
    static const QStringList laws = {"auto", "1", "2", "3", "4"};
    int chartLaw = int(laws.indexOf(law));
    if (chartLaw < 0)
        return cli::UsageError("stats", QStringLiteral("--law takes auto, 1, 2, 3 or 4"));
    options.byVolume = by == QLatin1String("volume");

    auto data = std::make_unique<TSampleData>();
    if (!cli::OpenSample(args[0], *data))
        return 1;
    if (data->Count == 0) {
        cli::Message(QCoreApplication::translate("Report", report::kNoData));
        return 1;
    }
    const auto events = report::RunStatistics(*data, options, chartLaw, cli::Sep());
    QImage picture;
    int status = 0;
    // The memo of a freshly opened window: one paragraph per line, the chart after them.
    QTextDocument memo;
    QTextCursor cursor(&memo);
    bool firstLine = true;
    for (const report::Event &e : events) {
        switch (e.kind) {
        case report::Event::Line:
            cli::Print(e.text);
            if (!firstLine)
                cursor.insertBlock();
            cursor.insertText(e.text);
            firstLine = false;
            break;
        case report::Event::Message:
            std::fflush(stdout);
            cli::Message(e.text);
            break;
        case report::Event::Picture:
            picture = e.picture;
            InsertMemoPicture(cursor, picture);
            break;
        case report::Event::UnhandledError:
            std::fflush(stdout);
            cli::Message(e.text);
            status = 1;
            break;
        }
    }
    // A message as the last step ends the command there.
    if (!events.empty() && events.back().kind == report::Event::Message)
        status = 1;
    if (hasChart && !picture.isNull()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture.save(&buffer, "PNG");
        if (!cli::WriteOutput(chartFile, png))
            return 1;
    }
    if (hasRtf && !cli::WriteOutput(rtfFile, RtfFromDocument(memo)))
        return 1;
    return status;
}
