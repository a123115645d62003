#pragma once
// How large pictures may be, and how their memory is kept.
#include "base/Errors.h"

#include <QtGlobal>

// The largest picture the program opens: 16384 x 16384 pixels, 1 GiB in the working form.
// Every reader checks the size a file declares against it before it allocates, so that a
// small file cannot ask for an unbounded picture. Larger pictures are refused with a
// message naming the file and its size.
constexpr int kMaxPictureSide = 16384;

inline bool PictureSizeAllowed(qint64 width, qint64 height)
{
    return width <= kMaxPictureSide && height <= kMaxPictureSide;
}

// What Qt's readers may allocate for one picture, in megabytes: the largest picture in the
// widest form they decode into (64 bits a pixel, for 16-bit PNG and TIFF files).
constexpr int kReaderAllocationLimitMB = int(qint64(kMaxPictureSide) * kMaxPictureSide * 8 / (1024 * 1024));

// A picture refused for its size (too large, or its memory could not be had), for the
// reader to name the file. The text is for callers without a file name.
class PictureSizeError : public GrizalError {
public:
    PictureSizeError(qint64 width, qint64 height, bool tooLarge);
    qint64 width, height;
    bool tooLarge; // beyond kMaxPictureSide; otherwise the allocation failed
};

// Pictures of 4096 x 4096 pixels take 64 MB. The C library hands blocks that large out as
// fresh pages from the system and gives them back on release, so every operation that
// makes a new picture would pay for faulting in 64 MB again, more than its pixel work.
// Called once at start, this keeps released picture memory in the program for reuse, and
// lets Qt's readers (files, the clipboard) allocate pictures up to the program's limit.
void KeepPictureMemory();
