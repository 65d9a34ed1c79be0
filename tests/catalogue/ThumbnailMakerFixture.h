#pragma once
// JPEG files built in memory for the maker's file tests: a picture with an
// optional Exif segment carrying an orientation and an IFD1 JPEG thumbnail.
#include <cstdint>
#include <vector>

namespace testcatalogue {

// A colour JPEG of width × height (a gradient with a bright top-left corner).
std::vector<uint8_t> PlainJpeg(int width, int height, int quality = 85);

// The same with an APP1 Exif segment right after SOI: IFD0 with the
// orientation (0 = none), and when thumbWidth > 0 an IFD1 JPEG thumbnail.
std::vector<uint8_t> ExifJpeg(int width, int height, int thumbWidth, int thumbHeight, int orientation);

} // namespace testcatalogue
