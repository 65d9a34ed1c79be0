#pragma once
// Embedded thumbnails: a JPEG stream (IFD1 or a Photoshop resource), an
// uncompressed RGB strip, and the search through Photoshop image resources.

#include <cstdint>
#include <vector>

#include "imaging/Bitmap.h"
#include "metadata/FileReader.h"

namespace metadata {

// Draws `picture` into `thumbnail`, sized to its aspect-keeping fit of the box.
void DrawFittedThumbnail(const imaging::Bitmap& picture, imaging::Bitmap& thumbnail, int boxWidth, int boxHeight);
// Decodes a JPEG stream into `thumbnail`: 1:1 when it is at most 200 × 200,
// otherwise fitted into 160 × 160. False when it cannot be decoded.
bool DrawJpegThumbnail(const std::vector<uint8_t>& jpeg, imaging::Bitmap& thumbnail);
// Reads `length` bytes at `pos` and draws them as a JPEG thumbnail.
bool DrawJpegThumbnailAt(FileReader& file, uint64_t pos, uint64_t length, imaging::Bitmap& thumbnail);
// Width × height pixels of R, G, B bytes (rows top to bottom, no padding) at `pos`,
// fitted into 160 × 160. False when the strip is not all in the file.
bool DrawRgbThumbnail(
    FileReader& file, uint64_t pos, uint64_t length, uint32_t width, uint32_t height, imaging::Bitmap& thumbnail);
// The last JFIF thumbnail resource (id 1036) among the Photoshop resources at
// [offset, offset + length); false when there is none.
bool FindPhotoshopThumbnail(
    FileReader& file, uint64_t offset, uint64_t length, uint64_t& jpegPos, uint64_t& jpegLength);

} // namespace metadata
