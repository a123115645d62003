#pragma once
// The blank picture of File > New: the typed sizes, read as integers.
#include <QImage>
#include <QString>

// False with the conversion-error text when a size is not an integer, is negative, or is
// too large to allocate; otherwise `out` is a white picture (empty for a zero size).
bool MakeBlankPicture(const QString &width, const QString &height, QImage &out, QString &error);
