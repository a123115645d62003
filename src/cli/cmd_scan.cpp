// grizal2-cli devices and scan: the scanner, as "Выбрать источник" and "Получить" use it.
#include "cli/Cli.h"
#include "shell/Scanner.h"

int CmdDevices(const QStringList &args)
{
    if (!args.isEmpty())
        return cli::UsageError("devices", QStringLiteral("unexpected argument %1").arg(args.first()));
    for (const scanner::Device &d : scanner::ListDevices())
        cli::Print(d.name + QLatin1Char('\t') + d.description);
    return 0;
}

int CmdScan(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString device, out;
    cli::TakeOption(args, QStringLiteral("--device"), device);
    if (!cli::TakeOption(args, QStringLiteral("-o"), out) || out.isEmpty() || !args.isEmpty())
        return cli::UsageError("scan");
    // Like the window's command, a scan that gives nothing ends silently; the status
    // still tells a batch that no image was written.
    const QImage picture = scanner::Acquire(device);
    if (picture.isNull())
        return 1;
    return cli::WritePicture(out, picture) ? 0 : 1;
}
