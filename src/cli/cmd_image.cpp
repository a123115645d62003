// Commands of a subsystem still to come; each reports that it is not available yet.
#include "cli/Cli.h"

int CmdImage(const QStringList &)
{
    return cli::UsageError("image", QStringLiteral("not available in this build yet"));
}

int CmdAnalyse(const QStringList &)
{
    return cli::UsageError("analyse", QStringLiteral("not available in this build yet"));
}

