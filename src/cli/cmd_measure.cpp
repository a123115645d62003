// Commands of a subsystem still to come; each reports that it is not available yet.
#include "cli/Cli.h"

int CmdMeasure(const QStringList &)
{
    return cli::UsageError("measure", QStringLiteral("not available in this build yet"));
}

