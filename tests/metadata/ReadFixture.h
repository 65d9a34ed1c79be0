#pragma once
// Reading fixtures through the metadata reader, from a temporary file or from memory.

#include <string>

#include "imaging/Bitmap.h"
#include "metadata/ExifBuilder.h"
#include "metadata/ExifRead.h"

namespace exiftest {

struct ReadResult {
    metadata::TExifData exif;
    metadata::PhotoshopLocator locator;
    imaging::Bitmap thumbnail;
    bool raised = false; // ReadExifData raised ExifReadError
};

// Writes `bytes` as a file named `name` in a fresh temporary folder and reads it.
ReadResult ReadFileBytes(const Bytes& bytes, const std::string& name);
// The same through the in-memory entry (`name` gives the extension).
ReadResult ReadMemory(const Bytes& bytes, const std::string& name);
// IFD0 of a one-directory TIFF built from `ifd` (read as ".tif").
ReadResult ReadTiff(const TiffBuilder& tiff, const std::string& name = "a.tif");
// The value text of the first item with `tag` in `items`; "<absent>" when there is none.
std::string ValueOf(const std::vector<metadata::TIFDItem>& items, int tag);

} // namespace exiftest
