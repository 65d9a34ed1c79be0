#include "fileops/SmallMount.h"

#include <sys/mount.h>

namespace fileopstest {

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

} // namespace fileopstest
