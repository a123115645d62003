// Commands of a subsystem still to come; each reports that it is not available yet.
#include "cli/Cli.h"

int CmdStats(const QStringList &)
{
    return cli::UsageError("stats", QStringLiteral("not available in this build yet"));
}

