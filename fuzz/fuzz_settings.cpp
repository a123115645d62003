// The settings file as the user may have edited it.
#include "FuzzCommon.h"
#include "shell/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <utime.h>

namespace {
QString home, fileName;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A private configuration folder, never the user's own.
    home = QDir::tempPath() + QStringLiteral("/grizal2-fuzz-settings-%1").arg(QCoreApplication::applicationPid());
    QDir().mkpath(home);
    std::atexit([] { QDir(home).removeRecursively(); });
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home));
    fileName = SettingsFileName();
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static long long stamp = 1'000'000'000;
    {
        QFile f(fileName);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    // A new time for every input, so that the settings' cache sees each file as changed.
    const utimbuf times{time_t(stamp), time_t(stamp)};
    ++stamp;
    utime(QFile::encodeName(fileName).constData(), &times);
    ReadSettings(QLatin1Char(','));
    ReadSettings(QLatin1Char('.'));
    return 0;
}
