#pragma once
// Exact pixel turns of a bitmap, without smoothing: quarter turns, upside
// down and left-right. Half turns, flips and mirrors work in place; a quarter
// turn of a picture needs one bitmap of the turned size and then takes its place.

#include "imaging/Bitmap.h"

namespace imaging {

// Turns the bitmap by `quarterTurns` × 90° clockwise (any integer; negative
// turns go counter-clockwise).
void RotateClockwise(Bitmap& bitmap, int quarterTurns);
// Upside down: the top row becomes the bottom row.
void FlipVertical(Bitmap& bitmap);
// Left-right: the first column becomes the last.
void MirrorHorizontal(Bitmap& bitmap);
// A photo shown with its per-file orientation: flipped upside down and
// mirrored in its own axes, then turned `rotation` quarter turns clockwise.
// Returns whether anything changed.
bool OrientBitmap(Bitmap& bitmap, int rotation, bool flipped, bool mirrored);

} // namespace imaging
