#pragma once
// Colour-managed display: the source picture converted from the photo's own
// colour space (embedded profile, the maker note's colour space, or the
// configured input profile) into the monitor's, written into the displayed
// picture.

#include <cstdint>
#include <functional>
#include <string>

#include "colour/Profile.h"
#include "imaging/Bitmap.h"
#include "metadata/ExifData.h"

namespace colour {

// The seven colour-management settings, named after their registry values.
struct ColourSettings {
    std::string InputProfileName; // empty sRGB, "NTSC", "AdobeRGB", or a profile file's path
    std::string OutputProfileName; // the monitor profile's path; empty: nothing is done
    bool EnableICM = false;
    bool UseICC = true;
    bool UseMaker = true;
    bool UseWB = true; // black-point compensation
    uint8_t ICCMatch = 0; // rendering intent 0 to 3
};

// Status texts of the display.
inline constexpr const char* kStatusIcm = "ICM";
inline constexpr const char* kStatusAuto = "ICM(自動)";
inline constexpr const char* kStatusEmbedded = "ICM(内蔵)";
inline constexpr const char* kStatusFailed = "ICM(失敗)";

// Maker-note items that declare the colour space (maker-note kind in the high 16 bits).
inline constexpr int32_t kMakerColourSpaceKey = 0x0006008D; // "色空間情報", text
inline constexpr int32_t kMakerColourMatrixKey = 0x0092000A; // "カラーマトリックス"

// What the current photo's record tells about its colour (copied while the record is locked).
struct PhotoColour {
    std::string FileName;
    int64_t IccOffset = 0; // 0: no embedded profile
    int64_t IccLength = 0;
    const metadata::TExifData* Exif = nullptr; // parsed metadata, when there is any
};

// The input side chosen for one run.
struct InputChoice {
    std::string inputName; // the configured name, or "AdobeRGB" from the maker note
    bool embeddedTaken = false; // the embedded profile was read (even when it did not open)
    ProfileHandle embedded;
    std::string status;
};

// Steps on the current photo (with `photo` null when no file is current):
// the maker note may switch the input name to "AdobeRGB", an embedded profile
// takes precedence over it. Reads the embedded profile from the file.
InputChoice ChooseInputProfile(const ColourSettings& settings, const PhotoColour* photo);

// The input profile named like InputProfileName: empty the library's sRGB,
// "NTSC" and "AdobeRGB" built in memory (gamma 2.2), anything else a file.
// Null when it cannot be opened or built.
ProfileHandle CreateNamedProfile(const std::string& name);

// (position, maximum) of the progress bar; called on the calling thread only.
using ProgressFn = std::function<void(int position, int maximum)>;

struct ColourOutcome {
    bool ran = false; // false when no monitor profile is configured: nothing changed
    bool converted = false; // the displayed picture now holds the converted source
    std::string status; // the text for the status bar when `ran`
};

// Converts `source` into `displayed` with the chosen input profile and the
// monitor profile. `displayed` is given the source's size first, so rows are
// never read past either picture. When the input profile fails, or the
// monitor profile or the transform cannot be made, `displayed` keeps what it
// held. Large pictures are converted by two threads sharing one transform.
ColourOutcome ConvertForMonitor(const ColourSettings& settings, InputChoice input, const imaging::Bitmap& source,
    imaging::Bitmap& displayed, const ProgressFn& progress = {});

// The whole run on one picture: ChooseInputProfile, then ConvertForMonitor.
// Nothing at all (not even the file read) when no monitor profile is set.
ColourOutcome ColourManage(const ColourSettings& settings, const PhotoColour* photo, const imaging::Bitmap& source,
    imaging::Bitmap& displayed, const ProgressFn& progress = {});

} // namespace colour
