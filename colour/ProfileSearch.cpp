#include "colour/ProfileSearch.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "colour/Profile.h"
#include "platform/PathName.h"

namespace colour {

namespace fs = std::filesystem;

std::vector<std::string> ProfileFolders()
{
    std::vector<std::string> folders = { "/usr/share/color/icc" };
    const char* home = std::getenv("HOME");
    if (home && *home) {
        const fs::path h(home);
        folders.push_back((h / ".local/share/color/icc").string());
        folders.push_back((h / ".color/icc").string());
    }
    return folders;
}

std::vector<std::string> SearchProfiles(const std::vector<std::string>& folders)
{
    std::vector<std::string> found;
    for (const std::string& folder : folders) {
        std::vector<std::string> here;
        std::error_code ec;
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
        for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            std::error_code typeError;
            if (!it->is_regular_file(typeError))
                continue;
            const std::string path = it->path().string();
            const std::string extension = platform::LowerExtensionOf(path);
            if (extension == ".icc" || extension == ".icm")
                here.push_back(path);
        }
        std::sort(here.begin(), here.end());
        found.insert(found.end(), here.begin(), here.end());
    }
    return found;
}

std::vector<std::string> SearchProfiles()
{
    return SearchProfiles(ProfileFolders());
}

bool IsRgbProfileOfClass(const std::string& path, unsigned classFlags)
{
    const ProfileHandle profile = OpenProfileFile(path);
    if (!profile || ColorSpaceOf(profile.get()) != kRgbSpace)
        return false;
    const uint32_t deviceClass = DeviceClassOf(profile.get());
    const struct {
        unsigned flag;
        uint32_t signature;
    } classes[] = { { kClassInput, kInputClass }, { kClassDisplay, kDisplayClass },
        { kClassColorSpace, kColorSpaceClass }, { kClassOutput, kOutputClass }, { kClassAbstract, kAbstractClass } };
    for (const auto& c : classes)
        if ((classFlags & c.flag) && deviceClass == c.signature)
            return true;
    return false;
}

} // namespace colour
