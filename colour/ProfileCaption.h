#pragma once
// What the colour-management settings show for a chosen profile (its title
// and description), and the installed profiles offered in the menus.

#include <string>
#include <vector>

namespace colour {

struct ProfileCaption {
    std::string title;
    std::string description;
};

// The text shown when a chosen profile file cannot be opened, after its file name.
inline constexpr const char* kDamagedProfileText = "破損しています";

// Input side: the built-in names (empty, "NTSC", "AdobeRGB") by their menu
// titles with no description; a file by its profile name and description,
// or its file name and kDamagedProfileText when it does not open as a profile.
ProfileCaption InputProfileCaption(const std::string& name);
// Monitor side: an empty path shows nothing; a file as on the input side.
ProfileCaption MonitorProfileCaption(const std::string& path);

struct FoundProfile {
    std::string path;
    std::string description; // the menu caption
};
// The RGB profiles among `paths` whose device class is one of `classFlags`
// (see ProfileSearch.h), in the order given.
std::vector<FoundProfile> ProfilesOfClass(const std::vector<std::string>& paths, unsigned classFlags);

} // namespace colour
