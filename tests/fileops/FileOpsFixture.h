#pragma once
// Fixtures of the file-layer tests: small mounts (full, read-only or simply
// another file system; they need root, and tests skip without them) and short
// ways to look at files.

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace fileopstest {

using testsupport::ReadText;
inline std::string Text(const std::filesystem::path& path)
{
    return ReadText(path);
}
// A file's permission bits.
mode_t ModeOf(const std::filesystem::path& path);
// The names in a folder, sorted (temporary files left behind show here).
std::vector<std::string> Names(const std::filesystem::path& folder);

class SmallMount {
public:
    // sizeKb of room; readOnly mounts it read-only after the optional setup has written to it.
    explicit SmallMount(unsigned sizeKb);
    ~SmallMount();
    SmallMount(const SmallMount&) = delete;
    SmallMount& operator=(const SmallMount&) = delete;

    bool Ok() const { return mounted_; }
    // The mount's top folder, ending in '/'.
    std::string Folder() const { return dir_.Folder(); }
    bool MakeReadOnly();

private:
    testsupport::TempDir dir_;
    bool mounted_ = false;
};

// A folder that becomes unwritable on Lock(): a read-only mount for root (who
// may write into any folder), a folder of mode 0555 for others.
class ReadOnlyFolder {
public:
    ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;
    // Ending in '/'; write the files it should hold before Lock().
    std::string Folder() const;
    // False when the folder could not be made read-only (the test then skips).
    bool Lock();

private:
    SmallMount mount_ { 256 };
    testsupport::TempDir plain_;
};

// A folder on another file system than the temporary folder: a small mount
// where one can be made, else a folder in /dev/shm when that is another file
// system; Folder() is empty when neither is possible.
class OtherFileSystem {
public:
    OtherFileSystem();
    ~OtherFileSystem();
    OtherFileSystem(const OtherFileSystem&) = delete;
    OtherFileSystem& operator=(const OtherFileSystem&) = delete;
    const std::string& Folder() const { return folder_; }

private:
    SmallMount mount_ { 64 * 1024 };
    std::string shm_;
    std::string folder_;
};

} // namespace fileopstest
