#pragma once
// A complete, flushed copy of a file waiting in a temporary file beside its
// target; Place() renames it in. Dropped without Place(), it is removed.

#include <sys/stat.h>

#include <optional>
#include <string>

#include "fileops/CopyFile.h"
#include "platform/TempFile.h"

namespace fileops {

class StagedCopy {
public:
    // Copies the bytes of source (opened and checked by the caller: sourceFd, sourceStat) for target.
    CopyResult Make(int sourceFd, const struct stat& sourceStat, const std::string& source, const std::string& target,
        const Progress& progress, std::string& error);
    // Gives the copy the source's permission bits and times, flushes it and checks its size.
    CopyResult Finish(std::string& error);
    // Renames the finished copy to the target; with replace false an existing
    // target gives Exists and the copy stays staged for another Place().
    CopyResult Place(bool replace, std::string& error);
    bool Staged() const { return temp_.has_value(); }
    const std::string& Target() const { return target_; }

private:
    std::optional<platform::TempFile> temp_;
    std::string target_;
    off_t size_ = 0;
    mode_t mode_ = 0;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    struct timespec times_[2] {};
};

// Opens a regular file for reading; -1 with error set otherwise.
int OpenSource(const std::string& source, struct stat& st, std::string& error);

// The first half of CopyFile: checks the target as CopyFile does and copies
// the bytes into staged, which the caller then finishes and places (several
// copies can be flushed together that way).
CopyResult StageCopy(const std::string& source, const std::string& target, bool replace, const Progress& progress,
    StagedCopy& staged, std::string& error);

} // namespace fileops
