// Commands of a subsystem still to come; each reports that it is not available yet.
#include "cli/Cli.h"

int CmdGenerate(const QStringList &)
{
    return cli::UsageError("generate", QStringLiteral("not available in this build yet"));
}

