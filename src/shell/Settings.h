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
// not convert with the given decimal separator gives its default.
StoredSettings ReadSettings(QChar sep);
// Writes "KPix" (general form), "Grizal2Directory", "SizeFlag", "AddFuncFlag".
void WriteSettings(const StoredSettings &s, const QString &programDirectory, QChar sep);
// Where the settings file lives.
QString SettingsFileName();
