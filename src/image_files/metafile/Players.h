#pragma once
// The two record players: each reads its coding's header, makes the picture and plays the
// records on it.
#include "image_files/Metafile.h"
#include "image_files/metafile/Bytes.h"

#include <QImage>
#include <QString>

#include <algorithm>

namespace metafile::detail {

QImage RenderEmf(View f, QString &error, const Progress &progress);
QImage RenderWmf(View f, QString &error, const Progress &progress);

// Tells the caller how far the records have been played, each whole percent once.
class ProgressReport {
public:
    ProgressReport(const Progress &progress, qint64 size) : progress_(progress), size_(size) {}
    void At(qint64 offset)
    {
        if (!progress_ || size_ <= 0)
            return;
        const int percent = int(std::min<qint64>(offset, size_) * 100 / size_);
        if (percent > last_) {
            last_ = percent;
            progress_(percent);
        }
    }

private:
    const Progress &progress_;
    qint64 size_;
    int last_ = -1;
};

} // namespace metafile::detail
