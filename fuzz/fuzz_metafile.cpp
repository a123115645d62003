// An EMF or WMF picture, played by the program's own rasteriser.
#include "FuzzCommon.h"
#include "image_files/Metafile.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    StartGuiApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString error;
    const QImage picture = metafile::Render(Bytes(data, size), error);
    FUZZ_CHECK(picture.isNull() != error.isEmpty());
    return 0;
}
