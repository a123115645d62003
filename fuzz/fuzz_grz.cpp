// A ".GRZ" sample file: decoded, its sizes written as text, and encoded again.
#include "FuzzCommon.h"
#include "samples/DataFiles.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Bytes(data, size);
    TSampleData d;
    if (!datafiles::DecodeGrz(bytes, d))
        return 0;
    datafiles::EncodeTxt(d, QLatin1Char(','));
    datafiles::EncodeTxt(d, QLatin1Char('.'));
    // What was read is what is saved again.
    const QByteArray again = datafiles::EncodeGrz(d);
    TSampleData back;
    FUZZ_CHECK(datafiles::DecodeGrz(again, back));
    FUZZ_CHECK(std::memcmp(&back, &d, sizeof d) == 0);
    return 0;
}
