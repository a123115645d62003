#pragma once
// The interface language. Every text is written in Russian, the language the program speaks
// when nothing else is asked for; English is a translation laid over it. Core texts are
// translated with QCoreApplication::translate and a context per unit, so they need no QObject.
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <optional>

namespace i18n {

// Whether `lang` names a language of the interface: "ru" or "en".
bool IsLanguage(const QString &lang);

// Takes the option "--lang X" or "--lang=X" out of `args`, wherever it stands, and returns
// X, which may name no language; nothing when the option is absent.
std::optional<QString> TakeLanguageOption(QStringList &args);

// Installs `lang` into the application, replacing what an earlier call installed: for "en"
// the program's English texts and Qt's own English ones, for "ru" Qt's Russian texts (its
// standard buttons and dialogs), the program's own being Russian already. Returns false and
// changes nothing for any other language. Without a call, nothing is translated.
bool UseLanguage(QCoreApplication &app, const QString &lang);
// The language UseLanguage installed last; "ru" before any call.
QString Language();

// A text marked with QT_TRANSLATE_NOOP(context, text), in the language installed.
inline QString Tr(const char *context, const char *text) { return QCoreApplication::translate(context, text); }

} // namespace i18n
