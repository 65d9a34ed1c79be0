#pragma once
// Texts of enumerated SHORT values of TIFF and Exif tags (Compression,
// Orientation, Flash, LightSource ...).

#include <cstdint>
#include <string>

namespace metadata {

// True when the tag's SHORT value is shown through EnumText.
bool HasEnumText(uint16_t tag);
// The text of one value; unlisted values give the tag's "Unknown (n)" style text.
std::string EnumText(uint16_t tag, uint16_t value);

} // namespace metadata
