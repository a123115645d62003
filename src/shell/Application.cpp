#include "shell/Application.h"
#include "shell/TForm1.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

int RunGrizal2(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Grizal 2"));
    // The interface is Russian whatever the user's locale; numbers still follow the locale.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_ru"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    TForm1 form(app.arguments().mid(1));
    form.showMaximized();
    return app.exec();
}
