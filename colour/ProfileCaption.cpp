#include "colour/ProfileCaption.h"

#include <fstream>
#include <iterator>

#include "colour/ProfileInfo.h"
#include "colour/ProfileSearch.h"
#include "platform/PathName.h"

namespace colour {

namespace {

bool ReadFileInfo(const std::string& path, TProfileInfo& info)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return !bytes.empty() && ReadProfileInfo(bytes.data(), bytes.size(), info);
}

ProfileCaption FileCaption(const std::string& path)
{
    TProfileInfo info;
    if (!ReadFileInfo(path, info))
        return { platform::FileNameOf(path), kDamagedProfileText };
    return { info.Name, info.Description };
}

} // namespace

ProfileCaption InputProfileCaption(const std::string& name)
{
    if (name.empty())
        return { "sRGB 内蔵プロファイル", "" };
    if (name == "NTSC")
        return { "NTSC 内蔵プロファイル", "" };
    if (name == "AdobeRGB")
        return { "AdobeRGB 内蔵プロファイル", "" };
    return FileCaption(name);
}

ProfileCaption MonitorProfileCaption(const std::string& path)
{
    if (path.empty())
        return {};
    return FileCaption(path);
}

std::vector<FoundProfile> ProfilesOfClass(const std::vector<std::string>& paths, unsigned classFlags)
{
    std::vector<FoundProfile> found;
    for (const std::string& path : paths) {
        if (!IsRgbProfileOfClass(path, classFlags))
            continue;
        TProfileInfo info;
        ReadFileInfo(path, info);
        found.push_back({ path, info.Description.empty() ? platform::FileNameOf(path) : info.Description });
    }
    return found;
}

} // namespace colour
