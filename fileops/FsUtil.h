#pragma once
// Small file-system helpers of the file layer: one spelling for failures
// (what could not be done, the file, the reason), folders, renames.

#include <string>

namespace fileops {

// "cannot <what> <path>: <strerror(err)>".
std::string ErrorText(const std::string& what, const std::string& path, int err);

// Flushes a folder so that renames and removals in it are durable; errors ignored.
void SyncFolder(const std::string& folder);

// Renames from to to unless to exists (then -1 with errno EEXIST); where the
// file system has no such rename, through a hard link and an unlink, which
// refuses an existing name as well. 0 or -1 with errno.
int RenameNoReplace(const std::string& from, const std::string& to);

} // namespace fileops
