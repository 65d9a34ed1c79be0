#pragma once
// The picture view's fast full-size JPEG decode through the TurboJPEG API.

#include <cstdint>
#include <string>

#include "imaging/Bitmap.h"

namespace imaging {

// Decodes the whole file at full size: a 24-bit BGR bitmap, or for
// four-channel (CMYK) files a 32-bit bitmap whose four decoded bytes are taken
// as red, green, blue, alpha and stored as blue, green, red, alpha with each
// colour premultiplied: c' = (c × alpha + 1) div 256. A stream that ends early
// still gives the part that was decoded. False on any failure, with `bitmap`
// left empty.
bool DecodeJpegWithIjl(Bitmap& bitmap, const std::string& fileName);

// Converts `width` pixels in place from red, green, blue, alpha to blue,
// green, red, alpha with premultiplied colours.
void PremultiplyRgbaToBgra(uint8_t* pixels, int width);

} // namespace imaging
