#include "fileops/FsUtil.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace fileops {

std::string ErrorText(const std::string& what, const std::string& path, int err)
{
    return "cannot " + what + " " + path + ": " + std::strerror(err);
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

int RenameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return -1;
    if (::link(from.c_str(), to.c_str()) != 0)
        return -1;
    if (::unlink(from.c_str()) != 0) {
        const int err = errno;
        ::unlink(to.c_str());
        errno = err;
        return -1;
    }
    return 0;
}

} // namespace fileops
