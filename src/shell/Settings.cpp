#include "shell/Settings.h"
#include "base/NumberForms.h"

#include <QSettings>

#define GRIZAL2_SETTINGS(name) \
    QSettings name(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Grizal2"), \
                   QStringLiteral("Grizal2"))

// A value typed by hand as 1,5 reads back as a list; join it again.
static QString Text(QSettings &s, const char *key, const char *def)
{
    return s.value(QLatin1String(key), QLatin1String(def)).toStringList().join(QLatin1Char(','));
}

QString SettingsFileName()
{
    GRIZAL2_SETTINGS(settings);
    return settings.fileName();
}

StoredSettings ReadSettings(QChar sep)
{
    StoredSettings s;
    GRIZAL2_SETTINGS(settings);
    settings.beginGroup(QStringLiteral("Options"));
    long double k = 0;
    if (numtext::ReadNumber(Text(settings, "KPix", "1"), sep, k))
        s.KPix = double(k);
    int32_t n = 0;
    if (numtext::ReadInteger(Text(settings, "SizeFlag", "0"), n))
        s.SizeFlag = n;
    if (numtext::ReadInteger(Text(settings, "AddFuncFlag", "0"), n))
        s.AddFuncFlag = n;
    return s;
}

void WriteSettings(const StoredSettings &s, const QString &programDirectory, QChar sep)
{
    GRIZAL2_SETTINGS(settings);
    settings.beginGroup(QStringLiteral("Options"));
    settings.setValue(QStringLiteral("KPix"), numtext::FormatGeneral(s.KPix, sep));
    settings.setValue(QStringLiteral("Grizal2Directory"), programDirectory);
    settings.setValue(QStringLiteral("SizeFlag"), QString::number(s.SizeFlag));
    settings.setValue(QStringLiteral("AddFuncFlag"), QString::number(s.AddFuncFlag));
    settings.endGroup();
    settings.sync();
}
