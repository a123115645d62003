#include "shell/Scanner.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <cstring>

namespace scanner {
namespace {

// Pictures beyond this are refused rather than risk exhausting memory.
constexpr qint64 kMaxFrameBytes = qint64(1) << 30;
constexpr int kMaxSide = 65535;

QString &Selected()
{
    static QString name;
    return name;
}

// sane_init .. sane_exit around one command: no scanner state is kept between commands.
class Session {
public:
    Session() { ok_ = sane_init(nullptr, nullptr) == SANE_STATUS_GOOD; }
    ~Session()
    {
        if (ok_)
            sane_exit();
    }
    bool ok() const { return ok_; }

private:
    bool ok_ = false;
};

class OpenDevice {
public:
    explicit OpenDevice(const QByteArray &name)
    {
        if (sane_open(name.constData(), &h_) != SANE_STATUS_GOOD)
            h_ = nullptr;
    }
    ~OpenDevice()
    {
        if (h_) {
            sane_cancel(h_);
            sane_close(h_);
        }
    }
    SANE_Handle get() const { return h_; }

private:
    SANE_Handle h_ = nullptr;
};

// Asks for colour where the device offers it; pictures are 24-bit anyway.
void PreferColour(SANE_Handle h)
{
    SANE_Int count = 0;
    if (sane_control_option(h, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return;
    for (SANE_Int i = 1; i < count && i < 10000; ++i) {
        const SANE_Option_Descriptor *d = sane_get_option_descriptor(h, i);
        if (!d || !d->name || std::strcmp(d->name, SANE_NAME_SCAN_MODE) != 0)
            continue;
        if (d->type != SANE_TYPE_STRING || !SANE_OPTION_IS_SETTABLE(d->cap) || !SANE_OPTION_IS_ACTIVE(d->cap) ||
            d->constraint_type != SANE_CONSTRAINT_STRING_LIST || d->size <= 0)
            return;
        for (const SANE_String_Const *s = d->constraint.string_list; s && *s; ++s)
            if (std::strcmp(*s, SANE_VALUE_SCAN_MODE_COLOR) == 0) {
                QByteArray value(d->size, '\0');
                std::strncpy(value.data(), SANE_VALUE_SCAN_MODE_COLOR, size_t(d->size) - 1);
                sane_control_option(h, i, SANE_ACTION_SET_VALUE, value.data(), nullptr);
                return;
            }
        return;
    }
}

bool ReadFrame(SANE_Handle h, Frame &frame, bool &last)
{
    if (sane_start(h) != SANE_STATUS_GOOD)
        return false;
    SANE_Parameters p;
    if (sane_get_parameters(h, &p) != SANE_STATUS_GOOD)
        return false;
    if (p.format > SANE_FRAME_BLUE || p.bytes_per_line <= 0 || p.pixels_per_line <= 0 ||
        p.pixels_per_line > kMaxSide || (p.lines > kMaxSide))
        return false;
    frame.format = int(p.format);
    frame.depth = p.depth;
    frame.pixelsPerLine = p.pixels_per_line;
    frame.bytesPerLine = p.bytes_per_line;
    frame.lines = p.lines;
    last = p.last_frame != SANE_FALSE;
    const qint64 limit = p.lines > 0 ? qint64(p.lines) * p.bytes_per_line
                                     : std::min<qint64>(kMaxFrameBytes, qint64(kMaxSide) * p.bytes_per_line);
    if (limit > kMaxFrameBytes)
        return false;
    frame.data.clear();
    if (p.lines > 0)
        frame.data.reserve(int(limit));
    QByteArray chunk(1 << 16, '\0');
    for (;;) {
        SANE_Int got = 0;
        const SANE_Status st = sane_read(h, reinterpret_cast<SANE_Byte *>(chunk.data()), chunk.size(), &got);
        if (st == SANE_STATUS_EOF)
            break;
        if (st != SANE_STATUS_GOOD)
            return false;
        if (got < 0 || got > chunk.size() || frame.data.size() + qint64(got) > limit)
            return false;
        frame.data.append(chunk.constData(), got);
    }
    return !frame.data.isEmpty();
}

// Sample k of a line, scaled to 0..255.
inline int Sample(const uchar *line, int k, int depth)
{
    switch (depth) {
    case 8: return line[k];
    case 16: {
        uint16_t v;
        std::memcpy(&v, line + 2 * k, 2);
        return v >> 8;
    }
    default: return (line[k >> 3] >> (7 - (k & 7))) & 1 ? 255 : 0;
    }
}

} // namespace

QList<Device> ListDevices()
{
    QList<Device> out;
    Session session;
    if (!session.ok())
        return out;
    const SANE_Device **list = nullptr;
    if (sane_get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list)
        return out;
    for (int i = 0; list[i] && i < 1000; ++i) {
        const SANE_Device *d = list[i];
        if (!d->name)
            continue;
        QStringList parts;
        for (const char *s : {d->vendor, d->model, d->type})
            if (s && *s)
                parts << QString::fromLocal8Bit(s);
        out.append({QString::fromLocal8Bit(d->name), parts.join(QLatin1Char(' '))});
    }
    return out;
}

QImage Acquire(const QString &device)
{
    Session session;
    if (!session.ok())
        return {};
    QString name = device.isEmpty() ? SelectedDevice() : device;
    if (name.isEmpty()) {
        const SANE_Device **list = nullptr;
        if (sane_get_devices(&list, SANE_FALSE) != SANE_STATUS_GOOD || !list || !list[0] || !list[0]->name)
            return {};
        name = QString::fromLocal8Bit(list[0]->name);
    }
    OpenDevice h(name.toLocal8Bit());
    if (!h.get())
        return {};
    PreferColour(h.get());
    std::vector<Frame> frames;
    bool last = false;
    // A colour scan comes as one frame, or as three single-band frames.
    while (!last && frames.size() < 3) {
        Frame f;
        if (!ReadFrame(h.get(), f, last))
            return {};
        frames.push_back(std::move(f));
    }
    return FramesToImage(frames);
}

QString SelectedDevice()
{
    return Selected();
}

void SetSelectedDevice(const QString &name)
{
    Selected() = name;
}

QImage FramesToImage(const std::vector<Frame> &frames)
{
    if (frames.empty())
        return {};
    const Frame &first = frames.front();
    const int w = first.pixelsPerLine, bpl = first.bytesPerLine;
    if (w <= 0 || w > kMaxSide || bpl <= 0)
        return {};
    if (first.depth != 1 && first.depth != 8 && first.depth != 16)
        return {};
    // Which frame carries each channel, and at which sample offset within a pixel.
    const Frame *src[3] = {nullptr, nullptr, nullptr};
    int spp = 1;
    if (first.format == 0 || first.format == 1) {
        if (frames.size() != 1)
            return {};
        src[0] = src[1] = src[2] = &first;
        spp = first.format == 1 ? 3 : 1;
    } else {
        for (const Frame &f : frames) {
            if (f.format < 2 || f.format > 4 || f.pixelsPerLine != w || f.bytesPerLine != bpl || f.depth != first.depth)
                return {};
            src[f.format - 2] = &f;
        }
        if (!src[0] || !src[1] || !src[2])
            return {};
    }
    if (qint64(w) * spp * first.depth > qint64(bpl) * 8)
        return {};
    qint64 h = first.data.size() / bpl;
    for (const Frame *f : src)
        h = std::min<qint64>(h, f->data.size() / bpl);
    if (first.lines > 0)
        h = std::min<qint64>(h, first.lines);
    if (h <= 0 || h > kMaxSide)
        return {};

    QImage img(w, int(h), QImage::Format_RGBX8888);
    if (img.isNull())
        return {};
    const bool grey = first.format == 0;
    const bool single = first.format <= 1;
    const int depth = first.depth;
    for (int y = 0; y < int(h); ++y) {
        uchar *out = img.scanLine(y);
        const uchar *line[3];
        for (int c = 0; c < 3; ++c)
            line[c] = reinterpret_cast<const uchar *>(src[c]->data.constData()) + qint64(y) * bpl;
        if (grey) {
            for (int x = 0; x < w; ++x, out += 4) {
                int v = Sample(line[0], x, depth);
                // In line art a set bit is black.
                if (depth == 1)
                    v = 255 - v;
                out[0] = out[1] = out[2] = uchar(v);
                out[3] = 0xFF;
            }
        } else if (single) {
            if (depth == 8) {
                const uchar *p = line[0];
                for (int x = 0; x < w; ++x, out += 4, p += 3) {
                    out[0] = p[0], out[1] = p[1], out[2] = p[2], out[3] = 0xFF;
                }
            } else {
                for (int x = 0; x < w; ++x, out += 4) {
                    for (int c = 0; c < 3; ++c)
                        out[c] = uchar(Sample(line[0], 3 * x + c, depth));
                    out[3] = 0xFF;
                }
            }
        } else {
            for (int x = 0; x < w; ++x, out += 4) {
                for (int c = 0; c < 3; ++c)
                    out[c] = uchar(Sample(line[c], x, depth));
                out[3] = 0xFF;
            }
        }
    }
    return img;
}

} // namespace scanner
