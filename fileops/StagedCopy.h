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
    // Copies source (opened and checked by the caller: sourceFd, sourceStat) for target.
    CopyResult Make(int sourceFd, const struct stat& sourceStat, const std::string& source, const std::string& target,
        const Progress& progress, std::string& error);
    // Renames the copy to the target; with replace false an existing target gives Exists.
    CopyResult Place(bool replace, std::string& error);
    const std::string& Target() const { return target_; }

private:
    std::optional<platform::TempFile> temp_;
    std::string target_;
};

// Opens a regular file for reading; -1 with error set otherwise.
int OpenSource(const std::string& source, struct stat& st, std::string& error);

} // namespace fileops
