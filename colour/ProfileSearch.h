#pragma once
// The installed ICC profiles: the colour folders of the system and of the
// user, searched with their subfolders for *.icc and *.icm files.

#include <string>
#include <vector>

namespace colour {

// /usr/share/color/icc, ~/.local/share/color/icc and ~/.color/icc (the last
// two only when HOME is set), in that order.
std::vector<std::string> ProfileFolders();

// The full paths of the profile files (extension .icc or .icm in any case)
// in `folders` and their subfolders: folder by folder, each sorted by path.
// Folders that are missing or unreadable are skipped.
std::vector<std::string> SearchProfiles(const std::vector<std::string>& folders);
// The same over ProfileFolders().
std::vector<std::string> SearchProfiles();

// Class flags of the profile menus: 1 input, 2 display, 4 colour space, 8 output, 16 abstract.
enum ProfileClassFlag : unsigned {
    kClassInput = 1,
    kClassDisplay = 2,
    kClassColorSpace = 4,
    kClassOutput = 8,
    kClassAbstract = 16,
};
// Whether `path` opens as an RGB profile of one of the classes in `classFlags`.
bool IsRgbProfileOfClass(const std::string& path, unsigned classFlags);

} // namespace colour
