#pragma once
// The metadata panel's settings in the settings store under ExifInfoFrame:
// the four expanded flags and the view mode, and one sub-key per hidden list
// (Main, Exif, Maker, GPS) holding the count as the key's default value and
// the keys as values named "0", "1", ...

#include "metadata/InfoRows.h"
#include "platform/Registry.h"

namespace metadata {

// A missing or mistyped value ends the reading of its key; what was read before stays.
TInfoSettings LoadInfoSettings(platform::RegistryStore& store);
// Writes every key (a failure ends only that key) and saves the store; false when saving failed.
bool SaveInfoSettings(platform::RegistryStore& store, const TInfoSettings& settings);

} // namespace metadata
