#pragma once
// Display names of TIFF, Exif and GPS directory entries.

#include <cstdint>
#include <string>

namespace metadata {

// The name of a TIFF/Exif tag: the known name, or
// "Unknown (" + four hex digits + ")" + type + "," + count.
std::string TiffTagName(uint16_t tag, uint16_t type, uint32_t count);
// The known name only; nullptr when the tag is not in the table.
const char* KnownTiffTagName(uint16_t tag);
// "Unknown (XXXX)type,count", used for any unnamed tag.
std::string UnknownTagName(uint16_t tag, uint16_t type, uint32_t count);
// The name of a GPS tag; "不明(" + tag + ")" when unknown.
std::string GpsTagName(uint16_t tag);

} // namespace metadata
