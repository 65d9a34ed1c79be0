#include "fileops/CopyFile.h"
#include "platform/PathName.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "fileops/FaultHooks.h"
#include "fileops/FsUtil.h"
#include "fileops/StagedCopy.h"
#include "platform/AtomicFile.h"

namespace fileops {

namespace {

// Checks the target before any work: a folder or the source itself is refused,
// an existing file without permission to replace gives Exists.
CopyResult CheckTarget(const char* verb, const struct stat& source, const std::string& sourcePath,
    const std::string& target, bool replace, std::string& error)
{
    struct stat st { };
    if (::stat(target.c_str(), &st) != 0)
        return CopyResult::Done;
    if (st.st_dev == source.st_dev && st.st_ino == source.st_ino) {
        error = std::string("cannot ") + verb + " " + sourcePath + " onto itself (" + target + " is the same file)";
        return CopyResult::Failed;
    }
    if (S_ISDIR(st.st_mode)) {
        error = ErrorText("replace", target, EISDIR);
        return CopyResult::Failed;
    }
    return replace ? CopyResult::Done : CopyResult::Exists;
}

CopyResult StageOpened(int fd, const struct stat& st, const std::string& source, const std::string& target,
    bool replace, const Progress& progress, StagedCopy& staged, std::string& error)
{
    const CopyResult result = CheckTarget("copy", st, source, target, replace, error);
    return result == CopyResult::Done ? staged.Make(fd, st, source, target, progress, error) : result;
}

// Copies sourceFd into a staged file for target and renames it in.
CopyResult CopyOpened(int fd, const struct stat& st, const std::string& source, const std::string& target, bool replace,
    const Progress& progress, std::string& error)
{
    StagedCopy staged;
    CopyResult result = StageOpened(fd, st, source, target, replace, progress, staged, error);
    if (result == CopyResult::Done)
        result = staged.Finish(error);
    if (result == CopyResult::Done)
        result = staged.Place(replace, error);
    return result;
}

} // namespace

CopyResult StageCopy(const std::string& source, const std::string& target, bool replace, const Progress& progress,
    StagedCopy& staged, std::string& error)
{
    struct stat st { };
    const int fd = OpenSource(source, st, error);
    if (fd < 0)
        return CopyResult::Failed;
    const CopyResult result
        = StageOpened(fd, st, source, platform::ResolveLinkTarget(target), replace, progress, staged, error);
    ::close(fd);
    return result;
}

CopyResult CopyFile(
    const std::string& source, const std::string& target, bool replace, const Progress& progress, std::string& error)
{
    struct stat st { };
    const int fd = OpenSource(source, st, error);
    if (fd < 0)
        return CopyResult::Failed;
    const CopyResult result = CopyOpened(fd, st, source, platform::ResolveLinkTarget(target), replace, progress, error);
    ::close(fd);
    return result;
}

CopyResult MoveFile(
    const std::string& source, const std::string& target, bool replace, const Progress& progress, std::string& error)
{
    // Without replacing, the rename that refuses an existing name is tried first: it is the
    // whole move in the common case, and the checks below run only when it did not do.
    if (!replace && RenameNoReplace(source, target) == 0)
        return CopyResult::Done;
    struct stat st { };
    if (::lstat(source.c_str(), &st) != 0) {
        error = ErrorText("move", source, errno);
        return CopyResult::Failed;
    }
    // A moved symbolic link stays a link, so the target is the name itself, not what a link there points to.
    const CopyResult check = CheckTarget("move", st, source, target, replace, error);
    if (check != CopyResult::Done)
        return check;
    // A rename is atomic in the file system's journal: after a crash the file has one name or the other.
    const int rc = replace ? std::rename(source.c_str(), target.c_str()) : RenameNoReplace(source, target);
    if (rc == 0)
        return CopyResult::Done;
    if (errno == EEXIST)
        return CopyResult::Exists;
    if (errno != EXDEV) {
        error = ErrorText("move " + source + " to", target, errno);
        return CopyResult::Failed;
    }
    const int fd = OpenSource(source, st, error);
    if (fd < 0)
        return CopyResult::Failed;
    const CopyResult copied = CopyOpened(fd, st, source, target, replace, progress, error);
    ::close(fd);
    if (copied != CopyResult::Done)
        return copied;
    // The copy's name must be on disk before the source goes, or a crash could lose both.
    SyncFolder(platform::FolderOf(target));
    int err = 0;
    if (const auto& hook = faults::Current().beforeRemoveSource)
        err = hook(source);
    if (err == 0 && ::unlink(source.c_str()) != 0)
        err = errno;
    if (err != 0) {
        error = ErrorText("remove the moved file", source, err) + " (the copy " + target + " is complete)";
        return CopyResult::Failed;
    }
    return CopyResult::Done;
}

} // namespace fileops
