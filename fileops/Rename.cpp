#include "fileops/Rename.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "fileops/FsUtil.h"
#include "platform/PathName.h"

namespace fileops {

std::string CheckNewName(const std::string& name)
{
    if (name.empty())
        return "the new name is empty";
    if (name == "." || name == "..")
        return "\"" + name + "\" cannot be a file name";
    if (name.find('/') != std::string::npos)
        return "a file name cannot contain \"/\"";
    if (name.find('\0') != std::string::npos)
        return "a file name cannot contain a NUL character";
    return std::string();
}

bool RenameFile(const std::string& path, const std::string& newName, std::string& error)
{
    const std::string problem = CheckNewName(newName);
    if (!problem.empty()) {
        error = "cannot rename " + path + ": " + problem;
        return false;
    }
    const std::string folder = platform::FolderOf(path);
    const std::string target = (folder == "/" ? "" : folder) + "/" + newName;
    if (newName == platform::FileNameOf(path)) {
        struct stat st { };
        if (::lstat(path.c_str(), &st) == 0)
            return true;
        error = ErrorText("rename", path, errno);
        return false;
    }
    struct stat from {
    }, to {};
    const bool sameFile = ::lstat(path.c_str(), &from) == 0 && ::lstat(target.c_str(), &to) == 0
        && from.st_dev == to.st_dev && from.st_ino == to.st_ino;
    // A case change on a file system that ignores case finds "itself" at the new name.
    const int rc = sameFile ? std::rename(path.c_str(), target.c_str()) : RenameNoReplace(path, target);
    if (rc != 0) {
        error = errno == EEXIST ? "cannot rename " + path + ": " + target + " already exists"
                                : ErrorText("rename " + path + " to", target, errno);
        return false;
    }
    return true;
}

} // namespace fileops
