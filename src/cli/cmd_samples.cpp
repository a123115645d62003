// show, txt, merge: the sample data files.
#include "cli/Cli.h"
#include "samples/DataFiles.h"
#include "base/Errors.h"
#include "samples/SampleTable.h"

#include <memory>


int CmdShow(const QStringList &argsIn)
{
    QStringList args = argsIn;
    const bool raw = cli::TakeFlag(args, QStringLiteral("--raw"));
    if (args.size() != 1)
        return cli::UsageError("show");
    auto data = std::make_unique<TSampleData>();
    if (!cli::OpenSample(args[0], *data))
        return 1;
    cli::PrintSample(*data, raw);
    return 0;
}

int CmdTxt(const QStringList &args)
{
    if (args.size() != 2)
        return cli::UsageError("txt");
    auto data = std::make_unique<TSampleData>();
    if (!cli::OpenSample(args[0], *data))
        return 1;
    return cli::WriteOutput(args[1], datafiles::EncodeTxt(*data, cli::Sep())) ? 0 : 1;
}

int CmdMerge(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString out;
    if (!cli::TakeOption(args, QStringLiteral("-o"), out) || args.isEmpty())
        return cli::UsageError("merge");
    auto window = std::make_unique<TSampleData>();
    if (!cli::OpenSample(args[0], *window))
        return 1;
    for (int i = 1; i < args.size(); ++i) {
        auto file = std::make_unique<TSampleData>();
        QString error;
        if (!datafiles::ReadGrz(args[i], *file, error)) {
            cli::Message(error);
            return 1;
        }
        AppendSample(*window, *file);
        // The window shows the merged record as texts; the next append reads them back.
        auto table = std::make_unique<SampleTable>();
        table->SetData(*window, cli::Sep());
        try {
            table->GetData(*window, cli::Sep());
        } catch (const GrizalError &e) {
            cli::Message(e.text());
            return 1;
        }
    }
    return cli::SaveLikeWindow(*window, out);
}
