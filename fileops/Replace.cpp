#include "fileops/Replace.h"
#include "platform/PathName.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "fileops/FsUtil.h"
#include "fileops/StagedCopy.h"
#include "platform/AtomicFile.h"

namespace fileops {

bool MoveFileReplacing(const std::string& source, const std::string& target, std::string& error)
{
    const std::string destination = platform::ResolveLinkTarget(target);
    if (std::rename(source.c_str(), destination.c_str()) == 0) {
        SyncFolder(platform::FolderOf(destination));
        return true;
    }
    if (errno != EXDEV) {
        error = ErrorText("replace " + destination + " with", source, errno);
        return false;
    }
    // Another file system: stage a copy beside the target so the replacement is still one rename.
    struct stat st { };
    const int fd = OpenSource(source, st, error);
    if (fd < 0)
        return false;
    StagedCopy staged;
    CopyResult result = staged.Make(fd, st, source, destination, Progress {}, error);
    ::close(fd);
    if (result == CopyResult::Done)
        result = staged.Finish(error);
    if (result == CopyResult::Done)
        result = staged.Place(true, error);
    if (result != CopyResult::Done)
        return false;
    SyncFolder(platform::FolderOf(destination));
    ::unlink(source.c_str()); // the new content is in place; a source left behind loses nothing
    return true;
}

} // namespace fileops
