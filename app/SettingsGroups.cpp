#include "app/SettingsGroups.h"

#include <algorithm>

using platform::RegistryKey;

void ReadCmsGroup(const RegistryKey& key, TMainSettings& s)
{
    s.InputProfileName = key.ReadString("InputProfileName");
    s.OutputProfileName = key.ReadString("OutputProfileName");
    s.UseICC = key.ReadBool("UseICC");
    s.UseMaker = key.ReadBool("UseMaker");
    s.EnableICM = key.ReadBool("EnableICM");
    s.UseWB = key.ReadBool("UseWB");
    s.ICCMatch = static_cast<uint8_t>(key.ReadInteger("ICCMatch") & 0xFF);
}

void WriteCmsGroup(RegistryKey& key, const TMainSettings& s)
{
    key.WriteString("InputProfileName", s.InputProfileName);
    key.WriteString("OutputProfileName", s.OutputProfileName);
    key.WriteBool("UseICC", s.UseICC);
    key.WriteBool("UseMaker", s.UseMaker);
    key.WriteBool("UseWB", s.UseWB);
    key.WriteBool("EnableICM", s.EnableICM);
    key.WriteInteger("ICCMatch", s.ICCMatch);
}

void ReadOtherGroup(const RegistryKey& key, TMainSettings& s)
{
    s.DefaultFolder = key.ReadString("DefaultFolder");
    s.setup_thumbmode = static_cast<uint8_t>(key.ReadInteger("setup_thumbmode") & 0xFF);
    s.setup_autorecalc = key.ReadBool("setup_autorecalc");
    s.setup_warnselect = key.ReadBool("setup_warnselect");
    s.setup_NoUseRolate = key.ReadBool("setup_NoUseRolate");
    s.setup_useFolder = key.ReadBool("setup_useFolder");
    s.setup_Folder = key.ReadString("setup_Folder");
    s.setup_useIntel = key.ReadBool("setup_useIntel");
}

void WriteOtherGroup(RegistryKey& key, const TMainSettings& s)
{
    key.WriteString("DefaultFolder", s.DefaultFolder);
    key.WriteInteger("setup_thumbmode", s.setup_thumbmode);
    key.WriteBool("setup_autorecalc", s.setup_autorecalc);
    key.WriteBool("setup_warnselect", s.setup_warnselect);
    key.WriteBool("setup_NoUseRolate", s.setup_NoUseRolate);
    key.WriteBool("setup_useFolder", s.setup_useFolder);
    key.WriteBool("setup_useIntel", s.setup_useIntel);
    key.WriteString("setup_Folder", s.setup_Folder);
}

void ReadApplicationGroup(const RegistryKey& key, TMainSettings& s)
{
    // A stored count outside the table is brought into it rather than trusted.
    s.AppCount = std::clamp(key.ReadInteger("Count"), 0, kMaxApplications);
    for (int i = 0; i < s.AppCount; ++i) {
        const std::string n = std::to_string(i);
        s.AppNames[i] = key.ReadString("Name_" + n);
        s.AppPaths[i] = key.ReadString("Path_" + n);
        s.AppCommands[i] = key.ReadString("Command_" + n);
    }
}

void WriteApplicationGroup(RegistryKey& key, const TMainSettings& s)
{
    const int count = std::clamp(s.AppCount, 0, kMaxApplications);
    key.WriteInteger("Count", count);
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        key.WriteString("Name_" + n, s.AppNames[i]);
        key.WriteString("Path_" + n, s.AppPaths[i]);
        key.WriteString("Command_" + n, s.AppCommands[i]);
    }
}

void ReadWindowGroup(const RegistryKey& key, TWindowPlacement& p)
{
    p.complete = false;
    p.MinX = key.ReadInteger("MinX");
    p.MinY = key.ReadInteger("MinY");
    p.MaxX = key.ReadInteger("MaxX");
    p.MaxY = key.ReadInteger("MaxY");
    p.NormalLeft = key.ReadInteger("NormalLeft");
    p.NormalTop = key.ReadInteger("NormalTop");
    p.NormalRight = key.ReadInteger("NormalRight");
    p.NormalBottom = key.ReadInteger("NormalBottom");
    p.complete = true;
}

void WriteWindowGroup(RegistryKey& key, const TWindowPlacement& p)
{
    key.WriteInteger("State", p.State);
    key.WriteInteger("MaxX", p.MaxX);
    key.WriteInteger("MaxY", p.MaxY);
    key.WriteInteger("MinX", p.MinX);
    key.WriteInteger("MinY", p.MinY);
    key.WriteInteger("NormalLeft", p.NormalLeft);
    key.WriteInteger("NormalTop", p.NormalTop);
    key.WriteInteger("NormalRight", p.NormalRight);
    key.WriteInteger("NormalBottom", p.NormalBottom);
}

void ReadFolderGroup(const RegistryKey& key, TPaneSettings& p)
{
    p.FolderWidth.set(key.ReadInteger("Width"));
    p.FolderVisible.set(key.ReadBool("Visible"));
}

void ReadInfoPanelGroup(const RegistryKey& key, TPaneSettings& p)
{
    p.InfoWidth.set(key.ReadInteger("Width"));
    p.InfoSplitHeight.set(key.ReadInteger("SplitHeight"));
    p.InfoVisible.set(key.ReadBool("Visible"));
}

void ReadThumbnailGroup(const RegistryKey& key, TPaneSettings& p)
{
    p.ThumbnailType.set(key.ReadInteger("ThumbnailType"));
}

void ReadMainOtherGroup(const RegistryKey& key, TPaneSettings& p)
{
    p.StatusVisible.set(key.ReadBool("StatusVisible"));
    p.ToolBarVisible.set(key.ReadBool("ToolBarVisible"));
    p.ToolBarVisible2.set(key.ReadBool("ToolBarVisible2"));
}
