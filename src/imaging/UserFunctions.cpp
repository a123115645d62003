#include "imaging/UserFunctions.h"

#include "G2AddFunctions.h"
#include "base/NumberForms.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <dlfcn.h>

const char *UserFunctions::NotFoundMessage = QT_TRANSLATE_NOOP("UserFunctions", "Не удается найти G2AddFunctions.dll");

UserFunctions::~UserFunctions()
{
    Unload();
}

QString UserFunctions::LibraryPath()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty())
        dir = QDir::currentPath();
    return dir + QStringLiteral("/libG2AddFunctions.so");
}

bool UserFunctions::Load(const QString &fileName)
{
    Unload();
    // Always a path, so that the loader never searches the system's library folders.
    const QString path = QDir(fileName).isAbsolute() ? fileName : QDir::current().absoluteFilePath(fileName);
    void *h = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
        dlerror();
        return false;
    }
    const auto count = reinterpret_cast<G2GetCountFn>(dlsym(h, "Get_N_G2AddFunctions"));
    const auto names = reinterpret_cast<G2GetNamesFn>(dlsym(h, "Get_Names_G2AddFunctions"));
    if (!count || !names) {
        dlclose(h);
        return false;
    }
    handle_ = h;
    int n = count();
    const unsigned char *table = n > 0 ? names() : nullptr;
    if (!table || n < 0)
        n = 0;
    n = std::min(n, MaxFunctions);
    names_.reserve(size_t(n));
    entries_.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        const unsigned char *name = table + size_t(i) * G2_ADD_FUNCTION_NAME_SIZE;
        names_.push_back(QString::fromUtf8(reinterpret_cast<const char *>(name + 1), name[0]));
        const QByteArray symbol = "function" + QByteArray::number(i + 1);
        entries_.push_back(reinterpret_cast<Entry>(dlsym(h, symbol.constData())));
    }
    return true;
}

void UserFunctions::Unload()
{
    names_.clear();
    entries_.clear();
    if (handle_) {
        dlclose(handle_);
        handle_ = nullptr;
    }
}

QStringList UserFunctions::Names() const
{
    QStringList out;
    for (const QString &n : names_)
        out << n;
    return out;
}

bool UserFunctions::Apply(int i, QImage &picture, double &result) const
{
    if (!Has(i) || picture.isNull())
        return false;
    if (picture.format() != QImage::Format_RGBX8888)
        picture.convertTo(QImage::Format_RGBX8888);
    result = entries_[size_t(i)](picture.bits(), picture.width(), picture.height(),
                                 int32_t(picture.bytesPerLine()));
    return true;
}

UserFunctions &LoadedUserFunctions()
{
    static UserFunctions library;
    return library;
}

QString UserFunctionResultText(double v, QChar sep)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    return numtext::FormatGeneral(v, sep);
}
