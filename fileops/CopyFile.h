#pragma once
// Copying and moving one file without ever losing or half-writing one.
// A copy is written into a temporary file in the target's folder, given the
// source's permission bits and modification time, flushed, and only then
// renamed to the target name; a failure or a cancel removes the temporary file
// and leaves an existing target as it was.

#include <cstdint>
#include <functional>
#include <string>

namespace fileops {

enum class CopyResult {
    Done,
    Exists, // the target exists and replacing was not allowed; nothing changed
    Cancelled, // stopped on request; nothing changed
    Failed, // error says which file and why; nothing changed (see MoveFile for the one exception)
};

struct Progress {
    // Asked between blocks of a file; true stops the copy.
    std::function<bool()> cancelled;
    // Told the bytes written since the last call.
    std::function<void(uint64_t bytes)> advanced;
};

// Copies the regular file source to the path target (a symbolic link at target
// is followed). Copying a file onto itself (same device and inode, through any
// path or link) is refused. With replace false an existing target, also one
// that appears while the copy runs, gives Exists.
CopyResult CopyFile(
    const std::string& source, const std::string& target, bool replace, const Progress& progress, std::string& error);

// Moves source to target: one rename within a file system; across file systems
// a copy as above whose size is checked before the source is removed. When only
// the removal of the source fails, the result is Failed with the copy in place
// and the source kept (two copies, none lost).
CopyResult MoveFile(
    const std::string& source, const std::string& target, bool replace, const Progress& progress, std::string& error);

} // namespace fileops
