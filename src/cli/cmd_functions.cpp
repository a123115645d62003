// grizal2-cli functions and apply-function: the add-on library's user functions.
#include "cli/Cli.h"
#include "imaging/UserFunctions.h"


namespace {

// Loading at start, as the main window does: a missing library is reported and the
// program goes on without functions.
UserFunctions &Library()
{
    UserFunctions &lib = LoadedUserFunctions();
    if (!lib.Loaded() && !lib.Load())
        cli::Message(QCoreApplication::translate("UserFunctions", UserFunctions::NotFoundMessage));
    return lib;
}

} // namespace

int CmdFunctions(const QStringList &args)
{
    if (!args.isEmpty())
        return cli::UsageError("functions", QStringLiteral("unexpected argument %1").arg(args.first()));
    const UserFunctions &lib = Library();
    for (int i = 0; i < lib.Count(); ++i)
        cli::Print(QString::number(i) + QLatin1Char('\t') + lib.Name(i));
    return 0;
}

int CmdApplyFunction(const QStringList &argsIn)
{
    QStringList args = argsIn;
    QString out;
    const bool hasOut = cli::TakeOption(args, QStringLiteral("-o"), out);
    if (args.size() != 2 || (hasOut && out.isEmpty()))
        return cli::UsageError("apply-function");
    bool ok = false;
    const int n = args[1].toInt(&ok);
    if (!ok)
        return cli::UsageError("apply-function", QStringLiteral("not a function number: %1").arg(args[1]));
    QImage picture;
    if (!cli::ReadPicture(args[0], picture))
        return 1;
    const UserFunctions &lib = Library();
    double result = 0;
    if (!lib.Has(n) || !lib.Apply(n, picture, result))
        return cli::UsageError("apply-function", QStringLiteral("no user function %1").arg(args[1]));
    cli::Print(UserFunctionResultText(result, cli::Sep()));
    if (hasOut && !cli::WritePicture(out, picture))
        return 1;
    return 0;
}
