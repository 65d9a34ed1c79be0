#include "fileops/FileOpsFixture.h"

#include <unistd.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace fileopstest {

mode_t ModeOf(const std::filesystem::path& path)
{
    struct stat st { };
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

std::vector<std::string> Names(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

SmallMount::SmallMount(unsigned sizeKb)
{
    const std::string options = "size=" + std::to_string(sizeKb) + "k,mode=0755";
    mounted_ = ::mount("tmpfs", dir_.Path().c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallMount::~SmallMount()
{
    if (mounted_)
        ::umount2(dir_.Path().c_str(), MNT_DETACH);
}

bool SmallMount::MakeReadOnly()
{
    return mounted_ && ::mount("tmpfs", dir_.Path().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

ReadOnlyFolder::ReadOnlyFolder() = default;

std::string ReadOnlyFolder::Folder() const
{
    return ::geteuid() == 0 ? mount_.Folder() : plain_.Folder();
}

bool ReadOnlyFolder::Lock()
{
    if (::geteuid() == 0)
        return mount_.MakeReadOnly();
    return ::chmod(plain_.Path().c_str(), 0555) == 0;
}

OtherFileSystem::OtherFileSystem()
{
    if (mount_.Ok()) {
        folder_ = mount_.Folder();
        return;
    }
    struct stat tmp {
    }, shm {};
    const std::string temp = std::filesystem::temp_directory_path().string();
    if (::stat(temp.c_str(), &tmp) != 0 || ::stat("/dev/shm", &shm) != 0 || tmp.st_dev == shm.st_dev)
        return;
    std::string pattern = "/dev/shm/voviro-test-XXXXXX";
    if (::mkdtemp(pattern.data())) {
        shm_ = pattern;
        folder_ = shm_ + "/";
    }
}

OtherFileSystem::~OtherFileSystem()
{
    std::error_code ec;
    if (!shm_.empty())
        std::filesystem::remove_all(shm_, ec);
}

} // namespace fileopstest
