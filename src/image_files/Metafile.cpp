#include "image_files/Metafile.h"

#include "image_files/metafile/Dib.h"
#include "image_files/metafile/DrawingState.h"
#include "image_files/metafile/Players.h"
#include <QCoreApplication>

namespace metafile {

using namespace detail;

QImage Render(const QByteArray &bytes, QString &error, const Progress &progress)
{
    error.clear();
    const View f{reinterpret_cast<const uchar *>(bytes.constData()), bytes.size()};
    if (f.U32(0) == 1 && f.U32(40) == 0x464D4520u)
        return RenderEmf(f, error, progress);
    const uint16_t type = f.U16(0);
    if (f.U32(0) == 0x9AC6CDD7u || ((type == 1 || type == 2) && f.U16(2) == 9))
        return RenderWmf(f, error, progress);
    error = f.n < 8 ? Damaged() : QCoreApplication::translate("Metafile", "это не метафайл EMF или WMF");
    return {};
}

QImage DecodeDib(const uchar *info, qint64 infoSize, const uchar *bits, qint64 bitsSize)
{
    if (!info || infoSize < 0 || bitsSize < 0 || (!bits && bitsSize))
        return {};
    return DecodeDibView(View{info, infoSize}, View{bits, bitsSize});
}

QImage DecodePackedDib(const uchar *dib, qint64 size)
{
    if (!dib || size < 0)
        return {};
    return DecodePacked(View{dib, size});
}

} // namespace metafile
