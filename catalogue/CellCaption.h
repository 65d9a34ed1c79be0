#pragma once
// The texts of a shooting-data cell: five caption lines under the thumbnail,
// and the zoom-bar position for the record's lens.

#include <array>
#include <optional>
#include <string>

#include "catalogue/ImageCache.h"

namespace catalogue {

struct TCaptionLine {
    int y = 0; // top of the line in the cell
    std::string text;
};
inline constexpr int kCaptionLeft = 15;

// The five lines (exposure, white balance and flash, programme, date, focal
// length); none unless the record has metadata and is an Exif JPEG or TIFF.
std::optional<std::array<TCaptionLine, 5>> ShootingCaptionLines(const TImageCache& record);

// The zoom-bar marker offset (0..58) for the record's camera and focal
// length, none when no bar is drawn. The record must have metadata.
std::optional<int> ZoomBarOffset(const metadata::TExifData& exif);

} // namespace catalogue
