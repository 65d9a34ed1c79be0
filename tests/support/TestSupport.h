#pragma once
// Small helpers shared by the test programs: temporary folders that clean up
// after themselves, writing fixture files, and finding the sample photos.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// A fresh folder under the system temporary folder, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    // The path as the program spells folders: ending in '/'.
    std::string Folder() const { return path_.string() + "/"; }

private:
    std::filesystem::path path_;
};

// Sets (or, with nullptr, clears) an environment variable for one scope.
class EnvGuard {
public:
    EnvGuard(const char* name, const char* value);
    ~EnvGuard();
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
void WriteFile(const std::filesystem::path& path, const std::string& text);
std::vector<uint8_t> ReadFile(const std::filesystem::path& path);
// A file's content as text.
std::string ReadText(const std::filesystem::path& path);

// The largest resident memory of this process so far, in bytes: a test that
// runs in its own process measures what one call costs.
uint64_t PeakMemoryBytes();

// The sample camera files (VOVIRO_SAMPLES env, else ../shared/samples); empty when absent.
std::filesystem::path SamplesDir();

} // namespace testsupport
