#pragma once
// ZSoft PCX, version 5, run-length encoded: depths 1, 8 and 24. Errors are raised as
// GrizalError with the codec's own English messages.
#include <QByteArray>
#include <QImage>

namespace pcx {

// Decodes a whole file image. Depth 1 gives a QImage::Format_Mono picture widened to a
// multiple of 8 pixels, depth 8 Format_Indexed8, depth 24 Format_RGBX8888 (the working form). Data that ends
// early leaves the missing pixels 0, but data that could not fill the picture even in runs
// of 63 is refused before anything is allocated, and so is a picture beyond the program's
// limit (PictureSizeError).
QImage Decode(const QByteArray &file);

// Encodes a picture: Format_Mono and Format_Indexed8 as depths 1 and 8 with their palettes,
// anything else as depth 24. Raises "The bitmap is empty" for a 0-sized picture.
QByteArray Encode(const QImage &picture);

// The clipboard format of PCX pictures.
inline const char *kMimeType = "application/x-pcx-image";

} // namespace pcx
