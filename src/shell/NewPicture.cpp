#include "shell/NewPicture.h"
#include "base/NumberForms.h"

namespace {

bool ReadSize(const QString &text, int &out, QString &error)
{
    int32_t v = 0;
    if (!numtext::ReadInteger(text.trimmed(), v) || v < 0) {
        error = QStringLiteral("'%1' is not a valid integer value").arg(text);
        return false;
    }
    out = v;
    return true;
}

} // namespace

bool MakeBlankPicture(const QString &width, const QString &height, QImage &out, QString &error)
{
    int w = 0, h = 0;
    if (!ReadSize(width, w, error) || !ReadSize(height, h, error))
        return false;
    if (w == 0 || h == 0) {
        out = QImage();
        return true;
    }
    // Beyond a gigabyte of pixels the picture cannot be held sensibly.
    QImage img;
    if (qint64(w) * qint64(h) <= (qint64(1) << 28))
        img = QImage(w, h, QImage::Format_RGBX8888);
    if (img.isNull()) {
        error = QStringLiteral("'%1' is not a valid integer value").arg(qint64(w) * h > (1 << 28) ? width : height);
        return false;
    }
    img.fill(Qt::white);
    out = img;
    return true;
}
