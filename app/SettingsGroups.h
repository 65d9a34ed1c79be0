#pragma once
// The main window's persisted settings and the reading and writing of each
// registry group in its fixed order. Reading stops at the first missing or
// mistyped number (platform::RegistryError), so every value after it keeps
// its initial value; callers run each group in its own guard.

#include <array>
#include <cstdint>
#include <string>

#include "platform/Registry.h"

inline constexpr int kMaxApplications = 101;

// Option and colour-management settings, named after their registry values.
struct TMainSettings {
    // CMS
    std::string InputProfileName;
    std::string OutputProfileName;
    bool UseICC = true;
    bool UseMaker = true;
    bool EnableICM = false;
    bool UseWB = true;
    uint8_t ICCMatch = 0;
    // Other
    std::string DefaultFolder;
    uint8_t setup_thumbmode = 0;
    bool setup_autorecalc = false;
    bool setup_warnselect = false;
    bool setup_NoUseRolate = false;
    bool setup_useFolder = false;
    std::string setup_Folder;
    bool setup_useIntel = true;
    // Application (external applications)
    int AppCount = 0;
    std::array<std::string, kMaxApplications> AppNames;
    std::array<std::string, kMaxApplications> AppPaths;
    std::array<std::string, kMaxApplications> AppCommands;
};

void ReadCmsGroup(const platform::RegistryKey& key, TMainSettings& s);
void WriteCmsGroup(platform::RegistryKey& key, const TMainSettings& s);
void ReadOtherGroup(const platform::RegistryKey& key, TMainSettings& s);
void WriteOtherGroup(platform::RegistryKey& key, const TMainSettings& s);
void ReadApplicationGroup(const platform::RegistryKey& key, TMainSettings& s);
void WriteApplicationGroup(platform::RegistryKey& key, const TMainSettings& s);

// Main\Window: the window placement. `complete` is set only when all eight
// positions were read, which is when the placement is applied.
struct TWindowPlacement {
    int32_t State = 0; // 0 normal, 1 minimized, 2 maximized
    int32_t MinX = -1, MinY = -1, MaxX = -1, MaxY = -1;
    int32_t NormalLeft = 0, NormalTop = 0, NormalRight = 0, NormalBottom = 0;
    bool complete = false;
};
void ReadWindowGroup(const platform::RegistryKey& key, TWindowPlacement& p); // positions only
void WriteWindowGroup(platform::RegistryKey& key, const TWindowPlacement& p);

// Main\Folder, Main\InfoPanel, Main\Thumbnail, Main\Other. A field stays
// unset (present false) when reading stopped before it.
template <typename T> struct Read {
    T value {};
    bool present = false;
    void set(T v)
    {
        value = v;
        present = true;
    }
};
struct TPaneSettings {
    Read<int32_t> FolderWidth;
    Read<bool> FolderVisible;
    Read<int32_t> InfoWidth;
    Read<int32_t> InfoSplitHeight;
    Read<bool> InfoVisible;
    Read<int32_t> ThumbnailType;
    Read<bool> StatusVisible;
    Read<bool> ToolBarVisible;
    Read<bool> ToolBarVisible2;
};
void ReadFolderGroup(const platform::RegistryKey& key, TPaneSettings& p);
void ReadInfoPanelGroup(const platform::RegistryKey& key, TPaneSettings& p);
void ReadThumbnailGroup(const platform::RegistryKey& key, TPaneSettings& p);
void ReadMainOtherGroup(const platform::RegistryKey& key, TPaneSettings& p);

// Runs one group's reading or writing; a failure ends only that group, silently.
template <typename F> void Guarded(F&& f)
{
    try {
        f();
    } catch (const std::exception&) {
    }
}
