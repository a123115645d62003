#include "shell/ImageLoading.h"

#include <QFileInfo>
#include <QImageReader>

bool LoadImageFile(const QString &fileName, QImage &out, QString &error)
{
    if (!QFileInfo::exists(fileName)) {
        error = QStringLiteral("Файл не найден!");
        return false;
    }
    QImageReader reader(fileName);
    QImage img = reader.read();
    if (img.isNull()) {
        error = QStringLiteral("Не удается прочитать изображение \"%1\"").arg(fileName);
        return false;
    }
    out = img.convertToFormat(QImage::Format_RGBX8888);
    return true;
}
