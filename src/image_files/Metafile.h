#pragma once
// A small rasteriser of vector pictures in the Windows metafile codings: enhanced (EMF)
// and the older 16-bit one (WMF, with or without the placeable header). It plays the
// bitmap records and the common drawing records; text and unknown records are skipped.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace metafile {

// Largest picture a file may ask for.
constexpr int kMaxSide = 16384;
constexpr qint64 kMaxPixels = 100'000'000;

// Renders the file at 96 dpi on white. Gives a Format_RGBX8888 picture, or a null image
// with the reason in `error`.
QImage Render(const QByteArray &bytes, QString &error);

// Decodes a device-independent bitmap from its info block (header, masks, colour table)
// and its pixel bytes. Null when the bitmap is malformed or of an unsupported kind.
QImage DecodeDib(const uchar *info, qint64 infoSize, const uchar *bits, qint64 bitsSize);

// The same for a bitmap whose pixels follow its colour table directly.
QImage DecodePackedDib(const uchar *dib, qint64 size);

} // namespace metafile
