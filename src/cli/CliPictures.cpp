#include "cli/CliPictures.h"

#include "cli/Cli.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

namespace cli {

bool ReadPicture(const QString &fileName, QImage &out)
{
    if (!QFileInfo(fileName).isFile()) {
        Message(QStringLiteral("Файл не найден!"));
        return false;
    }
    QImageReader reader(fileName);
    out = reader.read();
    if (out.isNull()) {
        Message(QStringLiteral("cannot read image %1").arg(fileName));
        return false;
    }
    out.convertTo(QImage::Format_RGBX8888);
    return true;
}

bool WritePicture(const QImage &picture, const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toUpper();
    const char *format = ext == QLatin1String("BMP")   ? "bmp"
                         : ext == QLatin1String("JPG") ? "jpeg"
                         : ext == QLatin1String("PNG") ? "png"
                         : ext == QLatin1String("TIF") ? "tiff"
                                                       : nullptr;
    if (!format) {
        Message(QStringLiteral("cannot write images of type %1").arg(fileName));
        return false;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888))) {
        Message(QStringLiteral("cannot write %1").arg(fileName));
        return false;
    }
    return WriteOutput(fileName, bytes);
}

} // namespace cli
