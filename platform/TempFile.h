#pragma once
// Uniquely named files in the system temporary folder ($TMPDIR, else /tmp),
// made with mkstemp from a short prefix ("TN" for the thumbnail cache file).

#include <string>

namespace platform {

// The system temporary folder, without a trailing '/'.
std::string TempFolder();

// An open, uniquely named temporary file. The object owns the descriptor and
// closes it when destroyed; the file itself is removed too unless Keep() was
// called (a rewritten file that has been moved into place, for instance).
class TempFile {
public:
    // Creates "<folder>/<prefix>XXXXXX" (folder empty: TempFolder()) for
    // reading and writing, mode 0600; throws std::system_error on failure.
    explicit TempFile(const std::string& prefix, const std::string& folder = std::string());
    ~TempFile();
    TempFile(TempFile&& other) noexcept;
    TempFile& operator=(TempFile&& other) noexcept;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return path_; }
    int Fd() const { return fd_; }
    // Closes the descriptor now (the file stays until destruction unless kept);
    // false when closing reports an error (a write that did not reach the disk).
    bool Close();
    // Leaves the file in place at destruction.
    void Keep() { keep_ = true; }

private:
    void Dispose() noexcept;
    std::string path_;
    int fd_ = -1;
    bool keep_ = false;
};

} // namespace platform
