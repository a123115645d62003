// Commands of a subsystem still to come; each reports that it is not available yet.
#include "cli/Cli.h"

int CmdFunctions(const QStringList &)
{
    return cli::UsageError("functions", QStringLiteral("not available in this build yet"));
}

int CmdApplyFunction(const QStringList &)
{
    return cli::UsageError("apply-function", QStringLiteral("not available in this build yet"));
}

