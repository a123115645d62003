#pragma once
// A small rasteriser of vector pictures in the Windows metafile codings: enhanced (EMF)
// and the older 16-bit one (WMF, with or without the placeable header). It plays the
// bitmap records and the common drawing records; text and unknown records are skipped.
#include <QByteArray>
#include <QImage>
#include <QString>

#include <functional>

namespace metafile {

// Largest picture a file may ask for.
constexpr int kMaxSide = 16384;
constexpr qint64 kMaxPixels = 100'000'000;

// What one file may ask of the rasteriser besides its picture, so that a small file can
// take neither all the memory nor minutes of work. A file past any of these is refused.
constexpr qint64 kMaxBitmapPixels = 2 * kMaxPixels; // all the bitmaps it decodes, together
constexpr qint64 kMaxPatternPixels = 16'000'000; // of those, the pattern brushes, which stay in memory
constexpr double kMaxPaintedPixels = 6e9; // pixels painted, a few seconds of work
constexpr qint64 kMaxClipRects = 250'000; // rectangles of one clip region
constexpr qint64 kMaxClipSpans = 16'000'000; // rows of those rectangles, which the painter keeps one by one

// Told the share of the records played so far, 0 to 100, each value at most once.
using Progress = std::function<void(int percent)>;

// Renders the file at 96 dpi on white. Gives a Format_RGBX8888 picture, or a null image
// with the reason in `error`.
QImage Render(const QByteArray &bytes, QString &error, const Progress &progress = {});

// Decodes a device-independent bitmap from its info block (header, masks, colour table)
// and its pixel bytes. Null when the bitmap is malformed or of an unsupported kind.
QImage DecodeDib(const uchar *info, qint64 infoSize, const uchar *bits, qint64 bitsSize);

// The same for a bitmap whose pixels follow its colour table directly.
QImage DecodePackedDib(const uchar *dib, qint64 size);

} // namespace metafile
