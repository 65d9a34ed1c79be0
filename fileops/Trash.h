#pragma once
// The desktop trash (the freedesktop.org trash layout shared with file managers):
// files on the home file system go to $XDG_DATA_HOME/Trash (~/.local/share/Trash),
// files on other file systems to $topdir/.Trash/$uid (an administrator's sticky
// folder) or $topdir/.Trash-$uid at the top of their mount. Each trashed file gets
// an info/NAME.trashinfo with its original path and the deletion time, so a file
// manager can put it back.

#include <string>

namespace fileops {

enum class TrashResult {
    Trashed, // the file is in the trash
    NoTrash, // no trash can exist for this file (read-only mount top, unusable trash folder); nothing changed
    Failed, // the file could not be moved (missing, no permission in its folder ...); nothing changed
};

// Moves path (a file, a folder or a symbolic link itself) into the trash that
// belongs to its file system. On NoTrash the caller may ask whether to delete
// permanently. error names the file and the reason for NoTrash and Failed.
TrashResult MoveToTrash(const std::string& path, std::string& error);

// The trash folder (holding files/ and info/) that MoveToTrash would use for
// path, creating it when allowed; empty when there is none (error says why).
std::string TrashFolderFor(const std::string& path, std::string& error);

} // namespace fileops
