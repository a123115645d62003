#pragma once
// Device-independent bitmaps, as metafile records carry them.
#include "image_files/metafile/Bytes.h"

#include <QImage>
#include <QRectF>

namespace metafile::detail {

struct DibLayout {
    int64_t width = 0, height = 0; // height > 0
    bool topDown = false;
    int bpp = 0;
    uint32_t compression = 0;
    qint64 tableOffset = 0; // colour table inside the info block
    qint64 tableEntries = 0; // entries stored in the file
    int entrySize = 4;
    uint32_t masks[3] = {0, 0, 0};
};

constexpr uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiJpeg = 4, kBiPng = 5,
                   kBiAlphaBitfields = 6;

bool ReadDibLayout(View info, DibLayout &d);

// Null when the bitmap is malformed, of an unsupported kind or too large.
QImage DecodeDibView(View info, View bits);

// The pixels the bitmap declares, known before decoding it; 0 when it is malformed.
qint64 DibPixels(View info, View bits);

// A bitmap whose pixels follow its colour table directly: its info block and its pixels.
bool SplitPacked(View dib, View &info, View &bits);
QImage DecodePacked(View dib);

// The source rectangle of a bitmap record, turned to top-left origin for bottom-up bitmaps.
QRectF DibSource(View info, const QImage &img, double x, double y, double w, double h);

} // namespace metafile::detail
