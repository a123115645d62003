#include "base/Files.h"
#include "image_files/MultImage.h"
#include "base/Cpu.h"
#include "image_files/GifWriter.h"
#include "image_files/Metafile.h"
#include "image_files/PcxCodec.h"
#include "image_files/PictureMemory.h"
#include "image_files/TiffReader.h"
#include "samples/DataFiles.h"
#include "base/Errors.h"
#include "base/NumberForms.h"

#include <QBuffer>
#include <QCoreApplication>
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif
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

QString SizeRefused(const QString &fileName, const PictureSizeError &e)
{
    return fileio::CannotRead(fileName) + QStringLiteral(": ") + e.text();
}

// Qt's readers: the declared size is checked before anything is allocated, and a picture
// that cannot be had in memory is told apart from a damaged file.
// Qt's GIF reader paints every frame onto a picture of the header's logical screen, which it
// allocates before it reads a pixel and does not report as the size beforehand: a header of
// a few bytes can ask for hundreds of megabytes. The screen is checked from the header.
QSize GifScreen(const QString &fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray h = f.read(10);
    if (h.size() < 10 || !(h.startsWith("GIF87a") || h.startsWith("GIF89a")))
        return {};
    auto word = [&h](int i) { return int(uchar(h[i])) | int(uchar(h[i + 1])) << 8; };
    return QSize(word(6), word(8));
}

QImage ReadThroughQt(const QString &fileName)
{
    // Once: the limit is one value for the whole program, and readers run on several threads.
    static const bool limited = (QImageReader::setAllocationLimit(kReaderAllocationLimitMB), true);
    QImage direct;
    if (tiffread::ReadRgb(fileName, direct))
        return direct;
    (void)limited;
    QImageReader reader(fileName);
    reader.setDecideFormatFromContent(true); // the content, not the name, tells the coding
    const QSize size = reader.size();
    if (size.isValid() && !PictureSizeAllowed(size.width(), size.height()))
        throw PictureSizeError(size.width(), size.height(), true);
    const QSize screen = GifScreen(fileName);
    if (!PictureSizeAllowed(screen.width(), screen.height()))
        throw PictureSizeError(screen.width(), screen.height(), true);
    QImage work = reader.read();
    if (!work.isNull() && !PictureSizeAllowed(work.width(), work.height()))
        throw PictureSizeError(work.width(), work.height(), true);
    if (work.isNull() && size.isValid() && !size.isEmpty()
        && QImage(size, QImage::Format_RGBX8888).isNull())
        throw PictureSizeError(size.width(), size.height(), false);
    return work;
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

void SwapRedBlue(uint32_t *row, int n)
{
    for (int x = 0; x < n; ++x) {
        const uint32_t v = row[x];
        row[x] = ((v >> 16) & 0xFFu) | (v & 0xFF00u) | ((v & 0xFFu) << 16) | 0xFF000000u;
    }
}

#if defined(__x86_64__) && defined(__GNUC__)
// One byte shuffle for eight pixels: the pass is then as fast as the memory, which the
// plain loop is not.
__attribute__((target("avx2"))) void SwapRedBlueAvx2(uint32_t *row, int n)
{
    const __m256i order = _mm256_setr_epi8(2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15, 2, 1, 0, 3, 6, 5,
                                           4, 7, 10, 9, 8, 11, 14, 13, 12, 15);
    const __m256i opaque = _mm256_set1_epi32(int(0xFF000000u));
    int x = 0;
    for (; x + 8 <= n; x += 8) {
        auto *p = reinterpret_cast<__m256i *>(row + x);
        _mm256_storeu_si256(p, _mm256_or_si256(_mm256_shuffle_epi8(_mm256_loadu_si256(p), order), opaque));
    }
    SwapRedBlue(row + x, n - x);
}
#endif

// The readers give most pictures as 0xFFRRGGBB words; the working form has red in the low
// byte. Swapping in place spares a second picture of the same size, and this loop is many
// times faster than the general conversion.
void ToWorkingForm(QImage &work)
{
    if (work.format() != QImage::Format_RGB32) {
        work.convertTo(QImage::Format_RGBX8888);
        return;
    }
    auto swap = SwapRedBlue;
#if defined(__x86_64__) && defined(__GNUC__)
    if (cpu::HasAvx2())
        swap = SwapRedBlueAvx2;
#endif
    uchar *bits = work.bits();
    const qsizetype bpl = work.bytesPerLine();
    for (int y = 0; y < work.height(); ++y)
        swap(reinterpret_cast<uint32_t *>(bits + y * bpl), work.width());
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
        message = QCoreApplication::translate("MultImage", "Файл не найден!");
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
            message = fileio::CannotRead(fileName) + (error.isEmpty() ? QString() : QStringLiteral(": ") + error);
            return false;
        }
    } else if (ReadThroughLibrary().contains(ext)) {
        try {
            work = ReadThroughQt(fileName);
        } catch (const PictureSizeError &e) {
            picture = QImage();
            message = SizeRefused(fileName, e);
            return false;
        }
        failed = work.isNull();
    } else if (ext == QLatin1String(".PCX")) {
        QFile f(fileName);
        if (!f.open(QIODevice::ReadOnly)) {
            message = fileio::CannotRead(fileName);
            return false;
        }
        try {
            work = pcx::Decode(ReadWhole(f));
        } catch (const PictureSizeError &e) {
            message = SizeRefused(fileName, e);
            return false;
        } catch (const GrizalError &e) {
            message = e.text();
            return false;
        }
    }
    if (!work.isNull()) {
        const QSize size = work.size();
        ToWorkingForm(work);
        if (work.isNull()) { // the converted copy found no memory
            picture = QImage();
            message = SizeRefused(fileName, PictureSizeError(size.width(), size.height(), false));
            return false;
        }
    }
    picture = work;
    if (failed) {
        message = fileio::CannotRead(fileName);
        return false;
    }
    return true;
}

namespace {

const char *QtWriterFormat(const QString &ext)
{
    return ext == QLatin1String(".BMP")   ? "bmp"
           : ext == QLatin1String(".JPG") ? "jpeg"
           : ext == QLatin1String(".TIF") ? "tiff"
           : ext == QLatin1String(".PNG") ? "png"
                                          : nullptr;
}

// Zlib level 3 (Qt's quality 65) writes a noisy micrograph about three times faster than
// the library's default, in a file at most about an eighth larger. A picture mostly of flat
// areas (black and white, drawings) is written fast at any level, and at the default in
// half the size, so it keeps the default: more than half of a sample of its pixels equal
// their left neighbour.
int PngQuality(const QImage &picture)
{
    qint64 equal = 0, seen = 0;
    const int W = picture.width();
    for (int y = 0; y < picture.height(); y += 8) {
        const auto *r = reinterpret_cast<const uint32_t *>(picture.constScanLine(y));
        for (int x = 1; x < W; ++x)
            equal += ((r[x] ^ r[x - 1]) & 0xFFFFFF) == 0;
        seen += W - 1;
    }
    return 2 * equal > seen ? -1 : 65;
}

// 24 bits per pixel in every format. The PNG writer takes the working form as it is, and
// the BMP writer the form it would otherwise convert to itself, which spares one or two
// converted copies of the whole picture.
bool WriteThroughQt(QIODevice &device, const QImage &picture, const char *format, int jpegQuality)
{
    if (picture.isNull())
        return false;
    QImageWriter writer(&device, format);
    if (qstrcmp(format, "jpeg") == 0)
        writer.setQuality(jpegQuality);
    if (qstrcmp(format, "png") == 0) {
        const QImage work = picture.convertToFormat(QImage::Format_RGBX8888); // shared when it is so
        writer.setQuality(PngQuality(work));
        return writer.write(work);
    }
    if (qstrcmp(format, "bmp") == 0)
        return writer.write(picture.convertToFormat(QImage::Format_RGB32));
    return writer.write(picture.convertToFormat(QImage::Format_RGB888));
}

} // namespace

QByteArray Encode(const QImage &picture, const QString &ext, int jpegQuality)
{
    if (ext == QLatin1String(".PCX"))
        return pcx::Encode(picture); // raises the codec's errors
    if (ext == QLatin1String(".GIF"))
        return EncodeGif(picture);
    const char *format = QtWriterFormat(ext);
    if (!format)
        return {};
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    if (!WriteThroughQt(buffer, picture, format, jpegQuality))
        return {};
    return out;
}

bool SavePicture(const QString &fileName, const QImage &picture, int jpegQuality, QString &message)
{
    const QString ext = fileio::UpperExtension(fileName);
    if (!IsWritableExtension(ext))
        return true;
    // Qt's writers go straight to the file: a large picture's file is not held in memory.
    if (const char *format = QtWriterFormat(ext))
        return fileio::WriteFileAtomically(
            fileName, [&](QIODevice &f) { return WriteThroughQt(f, picture, format, jpegQuality); }, message);
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
