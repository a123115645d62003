#include "image_files/GifWriter.h"

#include <gif_lib.h>
#include <vector>

namespace {

int Append(GifFileType *gif, const GifByteType *data, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(data), length);
    return length;
}

} // namespace

QByteArray EncodeGif(const QImage &pictureIn)
{
    const QImage picture = pictureIn.convertToFormat(QImage::Format_RGB888);
    const int w = picture.width(), h = picture.height();
    if (w <= 0 || h <= 0 || w > 65535 || h > 65535)
        return {};
    const size_t n = size_t(w) * size_t(h);
    std::vector<GifByteType> r(n), g(n), b(n), indices(n);
    for (int y = 0; y < h; ++y) {
        const uint8_t *row = picture.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            const size_t i = size_t(y) * size_t(w) + size_t(x);
            r[i] = row[3 * x];
            g[i] = row[3 * x + 1];
            b[i] = row[3 * x + 2];
        }
    }
    int colours = 256;
    std::vector<GifColorType> palette(256);
    if (GifQuantizeBuffer(unsigned(w), unsigned(h), &colours, r.data(), g.data(), b.data(), indices.data(),
                          palette.data()) == GIF_ERROR)
        return {};
    QByteArray out;
    int error = 0;
    GifFileType *gif = EGifOpen(&out, Append, &error);
    if (!gif)
        return {};
    ColorMapObject *map = GifMakeMapObject(256, palette.data());
    bool ok = map && EGifPutScreenDesc(gif, w, h, 8, 0, map) != GIF_ERROR &&
              EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) != GIF_ERROR;
    for (int y = 0; ok && y < h; ++y)
        ok = EGifPutLine(gif, indices.data() + size_t(y) * size_t(w), w) != GIF_ERROR;
    if (map)
        GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) == GIF_ERROR)
        ok = false;
    return ok ? out : QByteArray();
}
