// A picture file read through the program's one gateway for images. The first byte picks
// the extension (BMP, GIF, ICO, TIFF); the readers look at the content too.
#include "FuzzCommon.h"
#include "image_files/MultImage.h"

#include <QDir>
#include <QFile>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    StartGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    static const char *const extensions[] = {".BMP", ".GIF", ".ICO", ".TIF"};
    const QString name = QDir::tempPath() + QStringLiteral("/grizal2-fuzz-image-%1").arg(QCoreApplication::applicationPid()) +
                         QLatin1String(extensions[data[0] % 4]);
    {
        QFile f(name);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1));
    }
    QImage picture;
    QString message;
    const bool read = TMultImage::LoadPicture(name, picture, message);
    FUZZ_CHECK(read == message.isEmpty());
    FUZZ_CHECK(!read || picture.format() == QImage::Format_RGBX8888);
    QFile::remove(name);
    return 0;
}
