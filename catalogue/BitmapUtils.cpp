#include "catalogue/BitmapUtils.h"

#include "imaging/BitmapTransform.h"

namespace catalogue {

std::optional<imaging::Bitmap> RotateBitmap(int angle, const imaging::Bitmap& bitmap)
{
    if (bitmap.BitsPerPixel() != 24 || angle < 0 || angle % 90 != 0)
        return std::nullopt;
    imaging::Bitmap turned = bitmap;
    // Counter-clockwise quarter turns are clockwise ones the other way round.
    imaging::RotateClockwise(turned, -((angle / 90) % 4));
    return turned;
}

imaging::Bitmap FlipBitmap(bool vertical, bool horizontal, const imaging::Bitmap& bitmap)
{
    if (bitmap.BitsPerPixel() != 24)
        throw BitmapError("Can Flip/Reverse only 24-bit bitmap");
    imaging::Bitmap flipped = bitmap;
    if (vertical)
        imaging::FlipVertical(flipped);
    if (horizontal)
        imaging::MirrorHorizontal(flipped);
    return flipped;
}

} // namespace catalogue
