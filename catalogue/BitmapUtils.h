#pragma once
// Turning and flipping 24-bit thumbnails: the maker turns embedded thumbnails
// by the Exif orientation, and the window's rotate and flip commands turn a
// cached thumbnail before writing it back into its slot of the cache file.

#include <optional>
#include <stdexcept>

#include "imaging/Bitmap.h"

namespace catalogue {

// A bitmap operation that cannot be done on the bitmap it was given.
class BitmapError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A new bitmap turned by angle degrees counter-clockwise (90 left, 180, 270
// right; 450 acts as 90). None for a bitmap that is not 24-bit or an angle
// that is negative or not a multiple of 90.
std::optional<imaging::Bitmap> RotateBitmap(int angle, const imaging::Bitmap& bitmap);

// A new bitmap of the same size, upside down when vertical, left-right
// reversed when horizontal. Throws BitmapError for a bitmap that is not 24-bit.
imaging::Bitmap FlipBitmap(bool vertical, bool horizontal, const imaging::Bitmap& bitmap);

} // namespace catalogue
