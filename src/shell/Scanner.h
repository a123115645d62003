#pragma once
// Images from a scanner through SANE. Nothing here reports a failure: an unavailable
// scanner library, no device, a cancelled or broken scan all give an empty result.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <vector>

namespace scanner {

struct Device {
    QString name;        // what to open it by
    QString description; // vendor, model and kind
};

// The devices the scanner library can reach.
QList<Device> ListDevices();

// Acquires one image from `device`; with no name, from the source chosen with
// SetSelectedDevice, else the library's first device. A null image when none was scanned.
QImage Acquire(const QString &device = QString());

// The source chosen in the "Выбрать источник" dialog, kept while the program runs.
QString SelectedDevice();
void SetSelectedDevice(const QString &name);

// One frame as the scanner delivers it: format 0 grey, 1 interleaved RGB, 2/3/4 the red,
// green or blue band alone; depth 1, 8 or 16 bits per sample (16 in host byte order);
// `lines` < 0 when the scanner did not know the height beforehand.
struct Frame {
    int format = 0;
    int depth = 8;
    int pixelsPerLine = 0;
    int bytesPerLine = 0;
    int lines = -1;
    QByteArray data;
};

// Builds the picture (RGBX8888) from the frames of one scan: a grey or RGB frame, or the
// three single-band frames. A null image when they do not make a picture.
QImage FramesToImage(const std::vector<Frame> &frames);

} // namespace scanner
