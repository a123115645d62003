// Commands of a subsystem still to come; each reports that it is not available yet.
#include "cli/Cli.h"

int CmdConvert(const QStringList &)
{
    return cli::UsageError("convert", QStringLiteral("not available in this build yet"));
}

