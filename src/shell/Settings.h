#pragma once
// The values kept from one run to the next: a per-user INI file (under the XDG config
// directory) for organisation and application "Grizal2", group "Options", all as text.
#include <QChar>
#include <QString>

struct StoredSettings {
    double KPix = 1.0;
    int SizeFlag = 0;
    int AddFuncFlag = 0;
};

// Reads "KPix", "SizeFlag", "AddFuncFlag" in that order; a missing value or one that does
// not convert gives its default. "KPix" is read with either decimal separator, and one
// that is not a positive finite number gives the default too.
StoredSettings ReadSettings(QChar sep);
// The stored "KPix" text as ReadSettings takes it; false leaves `out` alone.
bool ReadStoredKPix(const QString &text, QChar sep, double &out);
// Writes "KPix" (general form), "Grizal2Directory", "SizeFlag", "AddFuncFlag", keeping the
// file's other values. On failure the old file stays as it was and `error` names it.
bool WriteSettings(const StoredSettings &s, const QString &programDirectory, QChar sep, QString &error);
// The interface language chosen in the program ("ru" or "en", group "Interface", key
// "Language"); empty when none was chosen. Written at once, through the same safe write.
QString ReadLanguage();
bool WriteLanguage(const QString &lang, QString &error);
// Where the settings file lives.
QString SettingsFileName();
