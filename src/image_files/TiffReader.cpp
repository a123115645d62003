#include "image_files/TiffReader.h"

#include "image_files/PictureMemory.h"

#include <QColorSpace>
#include <QFile>

#include <cstdarg>
#include <memory>
#include <tiffio.h>

namespace tiffread {

namespace {

// libtiff's messages would go to standard error; a damaged file is reported by the caller.
int Quiet(TIFF *, void *, const char *, const char *, va_list)
{
    return 1;
}

struct Closer {
    void operator()(TIFF *t) const { TIFFClose(t); }
};

bool IsTiff(const QString &fileName)
{
    QFile f(fileName);
    char h[4];
    if (!f.open(QIODevice::ReadOnly) || f.read(h, 4) != 4)
        return false;
    return (h[0] == 'I' && h[1] == 'I' && (h[2] == 0x2a || h[2] == 0x2b) && h[3] == 0)
           || (h[0] == 'M' && h[1] == 'M' && h[2] == 0 && (h[3] == 0x2a || h[3] == 0x2b));
}

template<typename T>
T Field(TIFF *t, ttag_t tag, T fallback)
{
    T v;
    return TIFFGetField(t, tag, &v) ? v : fallback;
}

// The resolution and the colour profile, as Qt's reader sets them: writers pass them on.
void ReadMetadata(TIFF *t, QImage &picture)
{
    float resX = 0, resY = 0;
    const uint16_t unit = Field<uint16_t>(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    if (TIFFGetField(t, TIFFTAG_XRESOLUTION, &resX) && TIFFGetField(t, TIFFTAG_YRESOLUTION, &resY)) {
        if (unit == RESUNIT_CENTIMETER) {
            picture.setDotsPerMeterX(qRound(resX * 100));
            picture.setDotsPerMeterY(qRound(resY * 100));
        } else if (unit == RESUNIT_INCH) {
            picture.setDotsPerMeterX(qRound(resX * (100 / 2.54)));
            picture.setDotsPerMeterY(qRound(resY * (100 / 2.54)));
        }
    }
    uint32_t count = 0;
    void *profile = nullptr;
    if (TIFFGetField(t, TIFFTAG_ICCPROFILE, &count, &profile))
        picture.setColorSpace(QColorSpace::fromIccProfile(QByteArray(static_cast<const char *>(profile), int(count))));
}

} // namespace

bool ReadRgb(const QString &fileName, QImage &picture)
{
    if (!IsTiff(fileName))
        return false;
    std::unique_ptr<TIFFOpenOptions, void (*)(TIFFOpenOptions *)> options(TIFFOpenOptionsAlloc(),
                                                                          TIFFOpenOptionsFree);
    if (!options)
        return false;
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), Quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), Quiet, nullptr);
    std::unique_ptr<TIFF, Closer> t(TIFFOpenExt(QFile::encodeName(fileName).constData(), "r", options.get()));
    if (!t)
        return false; // not even a readable first directory: Qt's reader says so

    uint32_t width = 0, height = 0;
    uint16_t photometric = 0;
    if (!TIFFGetField(t.get(), TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(t.get(), TIFFTAG_IMAGELENGTH, &height)
        || !TIFFGetField(t.get(), TIFFTAG_PHOTOMETRIC, &photometric))
        return false;
    const bool plainKind = photometric == PHOTOMETRIC_RGB && !TIFFIsTiled(t.get())
                           && Field<uint16_t>(t.get(), TIFFTAG_BITSPERSAMPLE, 1) == 8
                           && Field<uint16_t>(t.get(), TIFFTAG_SAMPLESPERPIXEL, 1) == 3
                           && Field<uint16_t>(t.get(), TIFFTAG_SAMPLEFORMAT, SAMPLEFORMAT_VOID) != SAMPLEFORMAT_IEEEFP
                           && Field<uint16_t>(t.get(), TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) == ORIENTATION_TOPLEFT;
    if (!plainKind || width == 0 || height == 0)
        return false;
    if (!PictureSizeAllowed(width, height))
        throw PictureSizeError(width, height, true);

    // libtiff's raster is one 32-bit word a pixel, red in the low byte: the working form.
    QImage work(int(width), int(height), QImage::Format_RGBX8888);
    if (work.isNull())
        throw PictureSizeError(width, height, false);
    const int stopOnError = 1;
    if (!TIFFReadRGBAImageOriented(t.get(), width, height, reinterpret_cast<uint32_t *>(work.bits()),
                                   ORIENTATION_TOPLEFT, stopOnError)) {
        picture = QImage();
        return true;
    }
    ReadMetadata(t.get(), work);
    picture = work;
    return true;
}

} // namespace tiffread
