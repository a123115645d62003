#include "shell/Application.h"
#include "samples/Errors.h"
#include "shell/Messages.h"
#include "shell/TForm1.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
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

int RunGrizal2(int argc, char **argv)
{
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Grizal 2"));
    QApplication::setApplicationDisplayName(QStringLiteral("Grizal 2"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/grizal2.png")));
    // The interface is Russian whatever the user's locale; numbers still follow the locale.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    TForm1 form(app.arguments().mid(1));
    form.showMaximized();
    return app.exec();
}
