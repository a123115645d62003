// A PCX picture: decoded, and what it gives encoded again.
#include "FuzzCommon.h"
#include "base/Errors.h"
#include "image_files/PcxCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QImage picture;
    try {
        picture = pcx::Decode(Bytes(data, size));
    } catch (const GrizalError &) {
        return 0;
    }
    if (!picture.isNull() && qint64(picture.width()) * picture.height() <= 1 << 20) {
        const QImage again = pcx::Decode(pcx::Encode(picture));
        FUZZ_CHECK(again.size() == picture.size());
    }
    return 0;
}
