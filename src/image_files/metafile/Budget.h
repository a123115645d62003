#pragma once
// What a metafile has asked of the rasteriser so far, against the limits of Metafile.h.
// Past a limit nothing more is decoded or painted, and the file is refused with the reason.
#include <QString>
#include <QtGlobal>

namespace metafile::detail {

class Budget {
public:
    bool Exceeded() const { return !refusal_.isEmpty(); }
    const QString &Refusal() const { return refusal_; }

    // Each charges what is about to be done and tells whether it may be.
    bool Bitmap(qint64 pixels, bool pattern);
    bool Paint(double pixels);
    // A clip region of so many rectangles covering so many rows of them in all; making and
    // combining regions is work too.
    bool Region(qint64 rects, qint64 spans = 0);

private:
    qint64 bitmaps_ = 0, patterns_ = 0;
    double painted_ = 0;
    QString refusal_;
};

} // namespace metafile::detail
