#include "image_files/metafile/Budget.h"

#include "image_files/Metafile.h"
#include <QCoreApplication>

namespace metafile::detail {

namespace {

// A region operation costs about as much per rectangle as painting this many pixels.
constexpr double kRectWork = 20;

} // namespace

bool Budget::Bitmap(qint64 pixels, bool pattern)
{
    if (Exceeded())
        return false;
    bitmaps_ += pixels;
    if (pattern)
        patterns_ += pixels;
    if (patterns_ > kMaxPatternPixels)
        refusal_ = QCoreApplication::translate("Metafile", "кисти-узоры метафайла занимают больше %1 млн точек").arg(kMaxPatternPixels / 1'000'000);
    else if (bitmaps_ > kMaxBitmapPixels)
        refusal_ = QCoreApplication::translate("Metafile", "растровые рисунки метафайла занимают больше %1 млн точек").arg(kMaxBitmapPixels / 1'000'000);
    return !Exceeded();
}

bool Budget::Paint(double pixels)
{
    if (Exceeded())
        return false;
    painted_ += pixels;
    if (painted_ > kMaxPaintedPixels)
        refusal_ = QCoreApplication::translate("Metafile", "метафайл требует рисовать больше %1 млрд точек").arg(kMaxPaintedPixels / 1e9);
    return !Exceeded();
}

bool Budget::Region(qint64 rects, qint64 spans)
{
    if (Exceeded())
        return false;
    if (rects > kMaxClipRects || spans > kMaxClipSpans) {
        refusal_ = QCoreApplication::translate("Metafile", "области отсечения метафайла слишком сложны");
        return false;
    }
    return Paint(double(rects) * kRectWork);
}

} // namespace metafile::detail
