#pragma once
// Reading pixels of a decoded bitmap in the tests.

#include <vector>

#include "imaging/Bitmap.h"

namespace testimaging {

// Blue, green, red of pixel (x, y).
inline std::vector<int> Bgr(const imaging::Bitmap& bitmap, int x, int y)
{
    const uint8_t* p = bitmap.Row(y) + x * bitmap.BytesPerPixel();
    return { p[0], p[1], p[2] };
}

} // namespace testimaging
