#pragma once
// The one gateway between image files and the program's pictures. A file's kind is taken
// from its extension alone; every picture read is 24-bit (QImage::Format_RGBX8888).
#include <QImage>
#include <QString>

namespace TMultImage {

bool IsReadableExtension(const QString &upperExt); // ".BMP" ... ".PCX"
bool IsWritableExtension(const QString &upperExt); // ".BMP", ".JPG", ".GIF", ".TIF", ".PNG", ".PCX"

// Replaces `picture` with the file's image. A missing file gives "Файл не найден!" and
// leaves the picture as it was; a file that cannot be decoded leaves an empty picture and
// a message naming it; an extension that is not served leaves an empty picture without a
// message. A PCX file the codec refuses leaves the picture as it was, with the codec's text.
// A picture larger than kMaxPictureSide (PictureMemory.h), or one there is no memory for,
// is refused with a message naming the file and the size. Returns false whenever `message`
// was set.
bool LoadPicture(const QString &fileName, QImage &picture, QString &message);
// The same, reading the file as the kind `upperExt` names whatever its own extension.
bool LoadPictureAs(const QString &fileName, const QString &upperExt, QImage &picture, QString &message);
// The extension a long or variant spelling stands for (".JPEG" is ".JPG", ".TIFF" ".TIF").
QString CommonExtension(const QString &upperExt);

// Writes the picture in the format of the extension (nothing for any other extension),
// whole or not at all. `jpegQuality` is used for ".JPG". Returns false with a message
// naming the file when it cannot be written.
bool SavePicture(const QString &fileName, const QImage &picture, int jpegQuality, QString &message);

// The answer of the JPEG quality box: an integer, else 100; kept as an unsigned byte.
int JpegQualityFromText(const QString &answer);

// Encodes in memory; empty on failure.
QByteArray Encode(const QImage &picture, const QString &upperExt, int jpegQuality);

} // namespace TMultImage
