#pragma once
// Reading and writing pictures for the commands that take or give one image. Kept small
// and local until the image-file layer is shared with the command line.
#include <QImage>
#include <QString>

namespace cli {
// The picture as the image window holds it (RGBX8888). On failure prints why, returns false.
bool ReadPicture(const QString &fileName, QImage &out);
// In the format of the extension (BMP, JPG, PNG, TIF), the whole file or nothing.
bool WritePicture(const QImage &picture, const QString &fileName);
} // namespace cli
