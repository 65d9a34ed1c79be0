#pragma once
// Encoders for saving a picture as TIFF (baseline RGB, uncompressed) and as
// PCX (24-bit, three run-length planes), with a resolution in dots per inch.

#include <cstdint>
#include <vector>

#include "imaging/Bitmap.h"

namespace imaging {

std::vector<uint8_t> EncodeTiff(const Bitmap& bitmap, int dotsPerInch = 72);
std::vector<uint8_t> EncodePcx(const Bitmap& bitmap, int dotsPerInch = 72);

} // namespace imaging
