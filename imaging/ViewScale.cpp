#include "imaging/ViewScale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace imaging {

namespace {

// Source index of the sample at `position` (destination coordinate) along one axis.
inline int SourceIndex(double position, double origin, double scale, int size)
{
    return std::clamp(static_cast<int>(std::floor((position - origin) / scale)), 0, size - 1);
}

} // namespace

void ScaleForView(
    const Bitmap& source, double scale, double originX, double originY, RectI area, uint32_t* dst, int dstStride)
{
    if (source.Empty() || !(scale > 0) || area.Empty())
        return;
    // Destination pixels whose centres lie on the picture.
    const int firstX = std::max(area.left, static_cast<int>(std::ceil(originX - 0.5)));
    const int endX = std::min(area.right, static_cast<int>(std::ceil(originX + source.Width() * scale - 0.5)));
    const int firstY = std::max(area.top, static_cast<int>(std::ceil(originY - 0.5)));
    const int endY = std::min(area.bottom, static_cast<int>(std::ceil(originY + source.Height() * scale - 0.5)));
    if (endX <= firstX || endY <= firstY)
        return;

    const int bpp = source.BytesPerPixel();
    // Byte offsets of the two sample columns of every destination column.
    const int columns = endX - firstX;
    std::vector<int> left(columns), right(columns);
    for (int i = 0; i < columns; ++i) {
        const double x = firstX + i;
        left[i] = SourceIndex(x + 0.25, originX, scale, source.Width()) * bpp;
        right[i] = SourceIndex(x + 0.75, originX, scale, source.Width()) * bpp;
    }
    for (int y = firstY; y < endY; ++y) {
        const uint8_t* top = source.Row(SourceIndex(y + 0.25, originY, scale, source.Height()));
        const uint8_t* bottom = source.Row(SourceIndex(y + 0.75, originY, scale, source.Height()));
        uint32_t* out = dst + static_cast<ptrdiff_t>(y - area.top) * dstStride + (firstX - area.left);
        for (int i = 0; i < columns; ++i) {
            const uint8_t* a = top + left[i];
            const uint8_t* b = top + right[i];
            const uint8_t* c = bottom + left[i];
            const uint8_t* d = bottom + right[i];
            const uint32_t blue = (a[0] + b[0] + c[0] + d[0] + 2) >> 2;
            const uint32_t green = (a[1] + b[1] + c[1] + d[1] + 2) >> 2;
            const uint32_t red = (a[2] + b[2] + c[2] + d[2] + 2) >> 2;
            out[i] = 0xFF000000u | (red << 16) | (green << 8) | blue;
        }
    }
}

} // namespace imaging
