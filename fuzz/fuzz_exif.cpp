// libFuzzer target for the metadata reader: the input is a whole file image;
// its last byte picks the file-name extension, which selects the container branch.
#include <cstddef>
#include <cstdint>

#include "metadata/ExifRead.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const kNames[] = { "a.jpg", "a.tif", "a.orf", "a.mrw", "a.nef", "a.TIFF", "a.nsk", "a.jpeg" };
    if (size == 0)
        return 0;
    const char* name = kNames[data[size - 1] % 8];
    imaging::Bitmap thumbnail;
    metadata::PhotoshopLocator locator;
    metadata::TExifData exif;
    try {
        metadata::ReadExifDataFromMemory(name, data, size - 1, thumbnail, locator, exif);
    } catch (const metadata::ExifReadError&) {
        // Reads beyond the end of the file are reported this way; anything else is a fault.
    }
    (void)metadata::GetExifValueText(33434, exif);
    return 0;
}
