#pragma once
// The two record players: each reads its coding's header, makes the picture and plays the
// records on it.
#include "image_files/metafile/Bytes.h"

#include <QImage>
#include <QString>

namespace metafile::detail {

QImage RenderEmf(View f, QString &error);
QImage RenderWmf(View f, QString &error);

} // namespace metafile::detail
