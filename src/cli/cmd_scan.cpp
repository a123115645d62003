// Commands of a subsystem still to come; each reports that it is not available yet.
#include "cli/Cli.h"

int CmdDevices(const QStringList &)
{
    return cli::UsageError("devices", QStringLiteral("not available in this build yet"));
}

int CmdScan(const QStringList &)
{
    return cli::UsageError("scan", QStringLiteral("not available in this build yet"));
}

