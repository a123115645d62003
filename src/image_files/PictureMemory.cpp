#include "image_files/PictureMemory.h"

#include <QCoreApplication>
#include <QImageReader>

#include <cstdlib> // defines __GLIBC__ where it applies: without it the tuning below was left out
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {
QString SizeText(qint64 w, qint64 h, bool large)
{
    if (large)
        return QCoreApplication::translate("PictureMemory",
                                           "изображение %1 x %2 точек слишком велико (наибольшее %3 x %3)")
            .arg(w)
            .arg(h)
            .arg(kMaxPictureSide);
    return QCoreApplication::translate("PictureMemory", "недостаточно памяти для изображения %1 x %2 точек")
        .arg(w)
        .arg(h);
}
} // namespace

PictureSizeError::PictureSizeError(qint64 w, qint64 h, bool large)
    : GrizalError(SizeText(w, h, large)), width(w), height(h), tooLarge(large)
{
}

void KeepPictureMemory()
{
#if defined(__GLIBC__)
    // Blocks up to 512 MB come from the heap, and the heap keeps up to 1 GB it no longer
    // uses before returning memory to the system.
    mallopt(M_MMAP_THRESHOLD, 512 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
#endif
    QImageReader::setAllocationLimit(kReaderAllocationLimitMB);
}
