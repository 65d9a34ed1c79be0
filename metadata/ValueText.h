#pragma once
// Display texts of TIFF and Exif directory entries: the generic rendering of
// each field type and the tag-specific renderings (exposure, aperture, APEX
// values, enumerations, version and comment texts).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "metadata/TiffEntry.h"

namespace metadata {

// Longest value text built from an array; longer arrays end in "…".
inline constexpr size_t kMaxValueText = 32 * 1024;
// Most bytes of a text value that are read.
inline constexpr uint64_t kMaxTextBytes = 64 * 1024;

// The value text of a TIFF/Exif entry (not the MakerNote entry, whose text the
// maker-note recognition forms). Raises ExifReadError when a value cannot be
// read or a rule would divide by zero; the caller then shows an empty text.
std::string TiffValueText(EntryValue& value);

// Generic renderings, shared with the GPS directory.
std::string GenericValueText(EntryValue& value);
// The `count` bytes as text up to the first NUL, trailing blanks and control characters removed.
std::string AsciiValueText(EntryValue& value);
// Raw bytes as a display text: up to the first NUL, trailing bytes <= 0x20 removed, decoded to UTF-8.
std::string CleanText(std::string_view bytes);
// Joins count items with `separator`, ending in "…" once kMaxValueText is passed.
template <class Item> std::string JoinValues(uint32_t count, std::string_view separator, Item&& item)
{
    std::string text;
    for (uint32_t i = 0; i < count; ++i) {
        if (i > 0)
            text += separator;
        text += item(i);
        if (text.size() > kMaxValueText && i + 1 < count) {
            text += "…";
            break;
        }
    }
    return text;
}
// The value rounded to an integer (halves to even) in decimal; raises ExifReadError
// when it is not finite or does not fit 64 bits.
std::string RoundedText(long double value);
// n / d in extended precision; raises ExifReadError when d is 0.
long double Quotient(long double numerator, long double denominator);

} // namespace metadata
