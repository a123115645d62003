// Commands of a subsystem still to come; each reports that it is not available yet.
#include "cli/Cli.h"

int CmdGroup(const QStringList &)
{
    return cli::UsageError("group", QStringLiteral("not available in this build yet"));
}

