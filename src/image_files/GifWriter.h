#pragma once
#include <QByteArray>
#include <QImage>

// A GIF of the picture in 256 colours chosen by median cut; empty on failure.
QByteArray EncodeGif(const QImage &picture);
