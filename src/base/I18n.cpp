#include "base/I18n.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace i18n {

namespace {
// The translators of the last call; the application owns them.
QTranslator *Installed[2] = {nullptr, nullptr};
QString Current = QStringLiteral("ru");

QTranslator *Load(QCoreApplication &app, const QString &name, const QString &dir)
{
    auto *t = new QTranslator(&app);
    if (t->load(name, dir) && QCoreApplication::installTranslator(t))
        return t;
    delete t;
    return nullptr;
}
} // namespace

bool IsLanguage(const QString &lang) { return lang == QLatin1String("ru") || lang == QLatin1String("en"); }

std::optional<QString> TakeLanguageOption(QStringList &args)
{
    for (int at = 0; at < args.size(); ++at) {
        const QString &option = args.at(at);
        if (option.startsWith(QLatin1String("--lang="))) {
            QString lang = option.mid(7);
            args.removeAt(at);
            return lang;
        }
        if (option == QLatin1String("--lang")) {
            args.removeAt(at);
            return at < args.size() ? args.takeAt(at) : QString();
        }
    }
    return std::nullopt;
}

bool UseLanguage(QCoreApplication &app, const QString &lang)
{
    if (!IsLanguage(lang))
        return false;
    for (QTranslator *&t : Installed) {
        if (t) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        t = nullptr;
    }
    const QString qtDir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    Installed[0] = Load(app, QStringLiteral("qtbase_") + lang, qtDir);
    if (lang == QLatin1String("en"))
        Installed[1] = Load(app, QStringLiteral("grizal2_en"), QStringLiteral(":/i18n"));
    Current = lang;
    return true;
}

QString Language() { return Current; }

} // namespace i18n
