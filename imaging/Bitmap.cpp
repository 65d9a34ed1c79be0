#include "imaging/Bitmap.h"

#include <algorithm>
#include <stdexcept>

namespace imaging {

void Bitmap::Resize(int width, int height, int bitsPerPixel)
{
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
        throw std::invalid_argument("Bitmap depth must be 24 or 32 bits");
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    bitsPerPixel_ = bitsPerPixel;
    stride_ = StrideFor(width_, bitsPerPixel_);
    // Always new memory: only freshly allocated elements are known to be zero.
    pixels_ = decltype(pixels_)(static_cast<size_t>(stride_) * height_);
}

void Bitmap::Fill(uint8_t red, uint8_t green, uint8_t blue)
{
    const int bpp = BytesPerPixel();
    for (int y = 0; y < height_; ++y) {
        uint8_t* p = Row(y);
        for (int x = 0; x < width_; ++x, p += bpp) {
            p[0] = blue;
            p[1] = green;
            p[2] = red;
            if (bpp == 4)
                p[3] = 255;
        }
    }
}

} // namespace imaging
