#include "catalogue/CellCaption.h"

#include "catalogue/CellLayout.h"
#include "catalogue/ZoomPosition.h"

namespace catalogue {

namespace {

// The first non-empty text of the keys, in order; the fallback when all are empty.
std::string FirstText(const metadata::TExifData& exif, std::initializer_list<int32_t> keys, const char* fallback)
{
    for (int32_t key : keys)
        if (std::string text = metadata::GetExifValueText(key, exif); !text.empty())
            return text;
    return fallback;
}

} // namespace

std::optional<std::array<TCaptionLine, 5>> ShootingCaptionLines(const TImageCache& record)
{
    if (!record.Exif || (record.FileKind != kKindExifJpeg && record.FileKind != kKindExifTiff))
        return std::nullopt;
    const metadata::TExifData& exif = *record.Exif;
    const auto T = [&](int32_t key) { return metadata::GetExifValueText(key, exif); };
    const std::string shutter = FirstText(exif, { 0x9201, 0x829A }, "--/--秒");
    const std::string aperture = FirstText(exif, { 0x9202, 0x829D }, "F--");
    // White balance from the Exif directory, else from the makers' notes that record it
    // (maker keys hold the maker in their high word, so only a maker note can answer them).
    const std::string wb
        = FirstText(exif, { 0x9208, 0x000C1002, 0x00060005, 0x00900007, 0x00011015, 0x00070007 }, "---");
    const std::string flash = FirstText(exif, { 0x9209 }, "---");
    return std::array<TCaptionLine, 5> { {
        { 118, shutter + " " + aperture + " " + T(0x9204) },
        { 133, "W/B:" + wb + " Fla:" + flash },
        { 148, T(0x8822) },
        { 163, T(0x9003) },
        { 178, T(0x920A) },
    } };
}

std::optional<int> ZoomBarOffset(const metadata::TExifData& exif)
{
    double position = -1, range = 0;
    FileZoomPosition(exif, position, range);
    return ZoomMarkerOffset(position, range);
}

} // namespace catalogue
