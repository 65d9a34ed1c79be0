#pragma once
// Reading pixels of a decoded bitmap in the tests.

#include <cstring>
#include <vector>

#include "imaging/Bitmap.h"
#include "imaging/ImageIO.h"

namespace testimaging {

// Blue, green, red of pixel (x, y).
inline std::vector<int> Bgr(const imaging::Bitmap& bitmap, int x, int y)
{
    const uint8_t* p = bitmap.Row(y) + x * bitmap.BytesPerPixel();
    return { p[0], p[1], p[2] };
}

// `whole` drawn into its fit of the box: what a reduced load must give.
inline imaging::Bitmap FittedInto(const imaging::Bitmap& whole, int boxWidth, int boxHeight)
{
    const imaging::Rect fit = imaging::FitRect(whole.Width(), whole.Height(), boxWidth, boxHeight);
    imaging::Bitmap out(fit.Width(), fit.Height());
    imaging::StretchDraw(whole, out, fit);
    return out;
}

// The index of the first differing byte of two 24-bit bitmaps' pixels; -1
// when they are equal, -2 when their sizes differ.
inline long FirstDifference(const imaging::Bitmap& a, const imaging::Bitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return -2;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width() * 3; ++x)
            if (a.Row(y)[x] != b.Row(y)[x])
                return long(y) * a.Width() * 3 + x;
    return -1;
}

} // namespace testimaging
