#include "fileops/Protect.h"

#include <sys/stat.h>

#include <cerrno>

#include "fileops/FsUtil.h"

namespace fileops {

bool SetProtected(const std::string& path, bool protect, std::string& error)
{
    struct stat st { };
    if (::stat(path.c_str(), &st) != 0) {
        error = ErrorText(protect ? "protect" : "unprotect", path, errno);
        return false;
    }
    const mode_t mode = st.st_mode & 07777;
    const mode_t wanted = protect ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
    if (wanted != mode && ::chmod(path.c_str(), wanted) != 0) {
        error = ErrorText(protect ? "protect" : "unprotect", path, errno);
        return false;
    }
    return true;
}

bool IsProtected(const std::string& path)
{
    struct stat st { };
    return ::stat(path.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0;
}

} // namespace fileops
