#pragma once
// Reduced drawing of a picture for the screen: only the destination pixels
// asked for are computed, each from a 2 × 2 grid of samples inside its
// footprint, so a repaint costs what the view shows, not what the picture holds.

#include <cstdint>

#include "imaging/Bitmap.h"
#include "imaging/ViewGeometry.h"

namespace imaging {

// Writes the destination pixels of `area` (destination coordinates) that the
// picture covers when drawn at `scale` (0 < scale) with its top-left corner at
// (originX, originY). `dst` points at the pixel of area's top-left corner;
// rows are `dstStride` pixels apart; pixels are 0xFFRRGGBB. A 32-bit
// (premultiplied) source comes out composed on black. Pixels of `area` outside
// the picture are left as they are.
void ScaleForView(
    const Bitmap& source, double scale, double originX, double originY, RectI area, uint32_t* dst, int dstStride);

} // namespace imaging
