#pragma once
// The common kind of TIFF file (8-bit RGB in strips, upright) read straight into the working
// form through libtiff.
#include <QImage>
#include <QString>

namespace tiffread {

// True when the file is a TIFF of that kind; `picture` then holds it in the working form
// (QImage::Format_RGBX8888), or is null when the file is damaged. False for every other
// file, which Qt's reader takes. Throws PictureSizeError for a picture beyond the size limit
// or one whose memory cannot be had.
//
// Qt's reader gives the same pixels, resolution and colour profile, but through a pass that
// puts blue in the low byte, which the working form then has to undo: a quarter of the time
// of the whole read on large pictures.
bool ReadRgb(const QString &fileName, QImage &picture);

} // namespace tiffread
