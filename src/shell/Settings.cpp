#include "shell/Settings.h"
#include "base/Files.h"
#include "base/NumberForms.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <cmath>

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

bool ReadStoredKPix(const QString &text, QChar sep, double &out)
{
    // The file may come from a run under the other decimal separator.
    const QChar other = sep == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    long double k = 0;
    if (!numtext::ReadNumber(text, sep, k) && !numtext::ReadNumber(text, other, k))
        return false;
    // Every size is a multiple of it: zero, a negative or an infinite scale is no scale.
    const double v = double(k);
    if (!std::isfinite(v) || !(v > 0))
        return false;
    out = v;
    return true;
}

StoredSettings ReadSettings(QChar sep)
{
    StoredSettings s;
    GRIZAL2_SETTINGS(settings);
    settings.beginGroup(QStringLiteral("Options"));
    ReadStoredKPix(Text(settings, "KPix", "1"), sep, s.KPix);
    int32_t n = 0;
    if (numtext::ReadInteger(Text(settings, "SizeFlag", "0"), n))
        s.SizeFlag = n;
    if (numtext::ReadInteger(Text(settings, "AddFuncFlag", "0"), n))
        s.AddFuncFlag = n;
    return s;
}

namespace {

// QSettings reports no disk that fills while it writes (it would leave an empty file): the
// values are composed in a draft, read back, and the draft's bytes then replace the file
// through the checked atomic write. `values` are keys of `group` with their texts.
bool WriteValues(const QString &group, const QList<std::pair<QString, QString>> &values, QString &error)
{
    const QString target = SettingsFileName();
    QTemporaryDir scratch;
    const QString draft = scratch.filePath(QStringLiteral("draft.conf"));
    bool ok = scratch.isValid() && (!QFile::exists(target) || QFile::copy(target, draft));
    if (ok) {
        QSettings settings(draft, QSettings::IniFormat);
        settings.beginGroup(group);
        for (const auto &[key, value] : values)
            settings.setValue(key, value);
        settings.endGroup();
        settings.sync();
        ok = settings.status() == QSettings::NoError;
    }
    if (ok) {
        QSettings back(draft, QSettings::IniFormat);
        back.beginGroup(group);
        for (const auto &[key, value] : values)
            ok = ok && back.value(key).toString() == value;
    }
    QFile file(draft);
    ok = ok && file.open(QIODevice::ReadOnly) && QDir().mkpath(QFileInfo(target).absolutePath());
    if (ok && fileio::WriteFileAtomically(target, file.readAll(), error))
        return true;
    error = fileio::CannotWrite(target);
    return false;
}

const QString kInterface = QStringLiteral("Interface");
const QString kLanguage = QStringLiteral("Language");

} // namespace

bool WriteSettings(const StoredSettings &s, const QString &programDirectory, QChar sep, QString &error)
{
    return WriteValues(QStringLiteral("Options"),
                       {{QStringLiteral("KPix"), numtext::FormatGeneral(s.KPix, sep)},
                        {QStringLiteral("Grizal2Directory"), programDirectory},
                        {QStringLiteral("SizeFlag"), QString::number(s.SizeFlag)},
                        {QStringLiteral("AddFuncFlag"), QString::number(s.AddFuncFlag)}},
                       error);
}

QString ReadLanguage()
{
    GRIZAL2_SETTINGS(settings);
    return settings.value(kInterface + QLatin1Char('/') + kLanguage).toString();
}

bool WriteLanguage(const QString &lang, QString &error)
{
    return WriteValues(kInterface, {{kLanguage, lang}}, error);
}
