#include "cli/Cli.h"
#include "image_files/PictureMemory.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

void PrintUsage(FILE *to)
{
    std::fprintf(to, "usage: grizal2-cli [--lang en|ru] COMMAND [OPTIONS]\n"
                     "       grizal2-cli --help | COMMAND --help\n\n"
                     "--lang en prints reports, messages and chart captions in English, --lang ru\n"
                     "(the default) in Russian; numbers are the same in both. It may stand anywhere.\n"
                     "\ncommands:\n");
    int n = 0;
    const cli::Command *cmds = cli::Commands(n);
    for (int i = 0; i < n; ++i)
        std::fprintf(to, "  %s %s\n", cmds[i].name, cmds[i].usage);
}

} // namespace

// The toolkit's own notices (a missing runtime directory and the like) would mix with the
// command's messages on standard error; only its fatal ones are kept.
void QuietToolkit(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type == QtFatalMsg || type == QtCriticalMsg)
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

int main(int argc, char **argv)
{
    KeepPictureMemory();
    qInstallMessageHandler(QuietToolkit);
    // Pictures with text (charts, stamps) need the font machinery of a GUI application, but
    // never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    // The language is a global option, before or after the command. Without it nothing is
    // translated: the texts are the Russian ones, whatever the locale.
    if (const auto lang = i18n::TakeLanguageOption(args)) {
        if (!i18n::UseLanguage(app, *lang)) {
            std::fprintf(stderr, "grizal2-cli: --lang takes en or ru\n");
            PrintUsage(stderr);
            return 2;
        }
    }
    if (args.isEmpty()) {
        PrintUsage(stderr);
        return 2;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        PrintUsage(stdout);
        return 0;
    }
    const cli::Command *cmd = cli::FindCommand(name);
    if (!cmd) {
        std::fprintf(stderr, "grizal2-cli: unknown command '%s'\n", qPrintable(name));
        PrintUsage(stderr);
        return 2;
    }
    if (args.contains(QLatin1String("--help"))) {
        std::printf("usage: grizal2-cli %s %s\n", cmd->name, cmd->usage);
        if (cmd->help)
            std::printf("\n%s", cmd->help);
        return 0;
    }
    return cmd->run(args);
}
