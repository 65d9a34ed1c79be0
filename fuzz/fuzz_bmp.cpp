// Feeds arbitrary bytes to the BMP reader.
#include "imaging/ImageIO.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    imaging::Bitmap bitmap;
    imaging::LoadBmpMemory(data, size, bitmap);
    return 0;
}
