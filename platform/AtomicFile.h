#pragma once
// Writes a file whole or not at all. The bytes go to a temporary file in the
// target's own folder (through a symbolic link to the file it names), which is
// flushed and renamed over the target only when everything was written; on any
// failure, or when the object is dropped without Commit(), the temporary file
// is removed and the target is left as it was.

#include <cstddef>
#include <optional>
#include <string>

#include "platform/TempFile.h"

namespace platform {

// The file a path finally names when it is a symbolic link (relative link
// targets resolved against the link's folder); the path itself otherwise.
std::string ResolveLinkTarget(const std::string& path);

class AtomicFile {
public:
    // Starts the new file for target. Its permission bits are mode when given,
    // else the existing target's, else 0666 less the umask.
    explicit AtomicFile(const std::string& target, std::optional<unsigned> mode = std::nullopt);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // False when the temporary file could not be made (Error() says why).
    bool Ok() const { return temp_.has_value(); }
    // The open descriptor of the temporary file, for streaming writes (-1 when not Ok()).
    int Fd() const { return temp_ ? temp_->Fd() : -1; }
    // Appends bytes; a failed write is remembered and makes Commit() fail.
    bool Write(const void* data, size_t size);
    // Sets the permission bits and flushes the data to the disk, so that only
    // the rename is left; Commit() does it when it has not been done.
    bool Flush();
    // Flushes the data, renames the file over the target and flushes the
    // folder. False, with Error() naming the file and the reason, on any failure.
    bool Commit();

    const std::string& Error() const { return error_; }
    // The file that is replaced (the link's target for a symbolic link).
    const std::string& TargetPath() const { return target_; }
    const std::string& TempPath() const;

private:
    void Fail(const std::string& what, int err);
    std::string target_;
    std::string error_;
    std::optional<TempFile> temp_;
    unsigned mode_ = 0;
    bool failed_ = false;
    bool flushed_ = false;
};

// The whole of bytes as the new content of target, atomically; false with the reason in error.
bool WriteFileAtomically(const std::string& target, const std::string& bytes, std::string& error);

} // namespace platform
