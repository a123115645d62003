#include "shell/Application.h"
#include "image_files/PictureMemory.h"
#include "base/Errors.h"
#include "base/I18n.h"
#include "shell/Settings.h"
#include "widgets/Messages.h"
#include "shell/TForm1.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {

// An error that no command handles is shown with its text; the program keeps running.
class TApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &e) {
            ShowMessage(QString::fromUtf8(e.what()));
        } catch (...) {
            ShowMessage(QStringLiteral("Unknown error"));
        }
        return false;
    }
};

} // namespace

namespace {
const char kUsage[] =
    "Usage: grizal2 [--lang en|ru] [SAMPLE.grz ...] [--open-image IMAGE ...]\n"
    "  --lang en|ru        the interface language for this run; without it, the one chosen\n"
    "                      in Tools > Language, else Russian\n"
    "  SAMPLE.grz          sample files, each opened in its own sample window, in order\n"
    "  --open-image IMAGE  opens IMAGE as File > Open does, after the sample files (repeatable)\n"
    "  --particles OPTIONS then finds the particles of each such image with the options of\n"
    "                      grizal2-cli particles, in one argument (\"--objects light --min-area 50\")\n"
    "  -h, --help          prints this text\n";
} // namespace

QString StartLanguage(const std::optional<QString> &asked)
{
    if (asked && i18n::IsLanguage(*asked))
        return *asked;
    const QString stored = ReadLanguage();
    return i18n::IsLanguage(stored) ? stored : QStringLiteral("ru");
}

int RunGrizal2(int argc, char **argv)
{
    KeepPictureMemory();
    // Before the application object exists, so that --help works without a display.
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }

    TApplication app(argc, argv);
    // Plain names are sample files; images come with --open-image and open after them.
    QStringList samples, images, particleWords;
    bool particles = false;
    QStringList args = app.arguments().mid(1); // Qt's own options are taken out
    const std::optional<QString> lang = i18n::TakeLanguageOption(args);
    if (lang && !i18n::IsLanguage(*lang)) {
        std::fputs("grizal2: --lang takes en or ru\n", stderr);
        std::fputs(kUsage, stderr);
        return 2;
    }
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--particles")) {
            if (i + 1 == args.size()) {
                std::fputs("grizal2: --particles needs its options in one argument\n", stderr);
                return 2;
            }
            particles = true;
            particleWords = args.at(++i).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        } else if (args.at(i) != QLatin1String("--open-image")) {
            samples << args.at(i);
        } else if (i + 1 < args.size()) {
            images << args.at(++i);
        } else {
            std::fputs("grizal2: --open-image needs a file name\n", stderr);
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    // No display name: the desktop would append it to every caption ("Калькулятор — Grizal 2").
    QApplication::setApplicationName(QStringLiteral("Grizal 2"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/grizal2.png")));
    // The interface is Russian whatever the user's locale unless English is asked for;
    // numbers still follow the locale.
    i18n::UseLanguage(app, StartLanguage(lang));
    TForm1 form(samples);
    form.SetStartImages(images);
    QString why;
    if (particles && !form.SetStartParticles(particleWords, why)) {
        std::fprintf(stderr, "grizal2: --particles: %s\n", why.toUtf8().constData());
        return 2;
    }
    form.showMaximized();
    return app.exec();
}
