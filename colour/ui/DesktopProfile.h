#pragma once
// The monitor profile the desktop publishes: the _ICC_PROFILE property of
// the X11 root window (of the first screen), as colour managers set it.

#include <cstdint>
#include <string>
#include <vector>

namespace colour {

// The profile's bytes; empty when not on X11 or when nothing is published.
std::vector<uint8_t> DesktopMonitorProfile();
// Where a picked desktop profile is kept: the user's colour folder.
std::string DesktopProfileSavePath();

} // namespace colour
