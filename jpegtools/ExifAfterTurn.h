#pragma once
// Brings the Exif data of a losslessly turned JPEG in line with its picture:
// Orientation becomes 1 (the pixels now stand upright), the IFD1 thumbnail is
// turned the same way, and PixelXDimension/PixelYDimension describe the new
// picture. Values are patched in place; only a thumbnail that grows moves.

#include <cstdint>
#include <vector>

namespace jpegtools {

// `jpeg` is the turned file, code 1..3 the turn, source its size before and
// turned its size after the turn (which may be trimmed to whole blocks).
// A file without (readable) Exif data is left as it is.
struct TurnSizes {
    int sourceWidth = 0, sourceHeight = 0, width = 0, height = 0;
};
void AlignExifWithTurn(std::vector<uint8_t>& jpeg, int code, const TurnSizes& sizes);

} // namespace jpegtools
