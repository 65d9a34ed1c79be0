// Feeds arbitrary bytes to the PCX reader.
#include "imaging/ImageIO.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    imaging::Bitmap bitmap;
    imaging::LoadPcxMemory(data, size, bitmap);
    return 0;
}
