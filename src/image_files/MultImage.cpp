#include "base/Files.h"
#include "image_files/MultImage.h"
#include "image_files/GifWriter.h"
#include "image_files/Metafile.h"
#include "image_files/PcxCodec.h"
#include "samples/DataFiles.h"
#include "base/Errors.h"
#include "base/NumberForms.h"

#include <QBuffer>
#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

namespace TMultImage {

namespace {

const QStringList &ReadThroughLibrary()
{
    static const QStringList list = {".BMP", ".JPG", ".GIF", ".EMF", ".WMF", ".TIF", ".PNG", ".ICO"};
    return list;
}

QString CannotRead(const QString &fileName)
{
    return QStringLiteral("Не удается прочитать изображение \"%1\"").arg(fileName);
}

// The whole file in one read into a buffer of its size (reading to the end in pieces
// copies a large file several times over).
QByteArray ReadWhole(QFile &f)
{
    const qint64 size = f.size();
    if (size <= 0 || size > (qint64(1) << 31))
        return f.readAll();
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    const qint64 got = f.read(bytes.data(), size);
    bytes.resize(qsizetype(std::max<qint64>(got, 0)));
    return bytes;
}

// The readers give most pictures as 0xFFRRGGBB words; the working form has red in the low
// byte. Swapping in place spares a second picture of the same size, and this loop is many
// times faster than the general conversion.
void ToWorkingForm(QImage &work)
{
    if (work.format() != QImage::Format_RGB32) {
        work.convertTo(QImage::Format_RGBX8888);
        return;
    }
    const int W = work.width(), H = work.height();
    for (int y = 0; y < H; ++y) {
        auto *row = reinterpret_cast<uint32_t *>(work.scanLine(y));
        for (int x = 0; x < W; ++x) {
            const uint32_t v = row[x];
            row[x] = ((v >> 16) & 0xFFu) | (v & 0xFF00u) | ((v & 0xFFu) << 16) | 0xFF000000u;
        }
    }
    work.reinterpretAsFormat(QImage::Format_RGBX8888);
}

} // namespace

bool IsReadableExtension(const QString &ext)
{
    return ReadThroughLibrary().contains(ext) || ext == QLatin1String(".PCX");
}

bool IsWritableExtension(const QString &ext)
{
    static const QStringList list = {".BMP", ".JPG", ".GIF", ".TIF", ".PNG", ".PCX"};
    return list.contains(ext);
}

QString CommonExtension(const QString &upperExt)
{
    if (upperExt == QLatin1String(".JPEG") || upperExt == QLatin1String(".JPE"))
        return QStringLiteral(".JPG");
    if (upperExt == QLatin1String(".TIFF"))
        return QStringLiteral(".TIF");
    return upperExt;
}

bool LoadPicture(const QString &fileName, QImage &picture, QString &message)
{
    return LoadPictureAs(fileName, fileio::UpperExtension(fileName), picture, message);
}

bool LoadPictureAs(const QString &fileName, const QString &ext, QImage &picture, QString &message)
{
    if (!QFileInfo::exists(fileName)) {
        message = QStringLiteral("Файл не найден!");
        return false;
    }
    QImage work;
    bool failed = false;
    if (ext == QLatin1String(".EMF") || ext == QLatin1String(".WMF")) {
        // Qt reads no metafiles: they are played by our own rasteriser.
        QFile f(fileName);
        QString error;
        if (f.open(QIODevice::ReadOnly))
            work = metafile::Render(ReadWhole(f), error);
        if (work.isNull()) {
            picture = QImage();
            message = error.isEmpty() ? CannotRead(fileName) : CannotRead(fileName) + QStringLiteral(": ") + error;
            return false;
        }
    } else if (ReadThroughLibrary().contains(ext)) {
        QImageReader reader(fileName);
        reader.setDecideFormatFromContent(true); // the content, not the name, tells the coding
        work = reader.read();
        failed = work.isNull();
    } else if (ext == QLatin1String(".PCX")) {
        QFile f(fileName);
        if (!f.open(QIODevice::ReadOnly)) {
            message = CannotRead(fileName);
            return false;
        }
        try {
            work = pcx::Decode(ReadWhole(f));
        } catch (const GrizalError &e) {
            message = e.text();
            return false;
        }
    }
    if (!work.isNull())
        ToWorkingForm(work);
    picture = work;
    if (failed) {
        message = CannotRead(fileName);
        return false;
    }
    return true;
}

QByteArray Encode(const QImage &picture, const QString &ext, int jpegQuality)
{
    if (ext == QLatin1String(".PCX"))
        return pcx::Encode(picture); // raises the codec's errors
    if (ext == QLatin1String(".GIF"))
        return EncodeGif(picture);
    const char *format = ext == QLatin1String(".BMP")   ? "bmp"
                         : ext == QLatin1String(".JPG") ? "jpeg"
                         : ext == QLatin1String(".TIF") ? "tiff"
                         : ext == QLatin1String(".PNG") ? "png"
                                                        : nullptr;
    if (!format || picture.isNull())
        return {};
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (ext == QLatin1String(".JPG"))
        writer.setQuality(jpegQuality);
    // 24 bits per pixel in every format.
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888)))
        return {};
    return out;
}

bool SavePicture(const QString &fileName, const QImage &picture, int jpegQuality, QString &message)
{
    const QString ext = fileio::UpperExtension(fileName);
    if (!IsWritableExtension(ext))
        return true;
    QByteArray bytes;
    try {
        bytes = Encode(picture, ext, jpegQuality);
    } catch (const GrizalError &e) {
        message = e.text();
        return false;
    }
    if (bytes.isEmpty()) {
        message = fileio::CannotWrite(fileName);
        return false;
    }
    return fileio::WriteFileAtomically(fileName, bytes, message);
}

int JpegQualityFromText(const QString &answer)
{
    int32_t v = 0;
    if (!numtext::ReadInteger(answer.trimmed(), v))
        v = 100;
    return int(uint32_t(v) & 0xFF);
}

} // namespace TMultImage
