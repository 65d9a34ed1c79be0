#include "support/TestSupport.h"

#include <sys/resource.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace testsupport {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "voviro-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Give back write permission first so read-only fixtures can be removed.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        std::filesystem::permissions(
            it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

EnvGuard::EnvGuard(const char* name, const char* value)
    : name_(name)
{
    if (const char* old = std::getenv(name))
        old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
}

EnvGuard::~EnvGuard()
{
    old_ ? ::setenv(name_.c_str(), old_->c_str(), 1) : ::unsetenv(name_.c_str());
}

void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void WriteFile(const std::filesystem::path& path, const std::string& text)
{
    WriteFile(path, std::vector<uint8_t>(text.begin(), text.end()));
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ReadText(const std::filesystem::path& path)
{
    const auto bytes = ReadFile(path);
    return std::string(bytes.begin(), bytes.end());
}

std::filesystem::path SamplesDir()
{
    std::filesystem::path dir;
    if (const char* env = std::getenv("VOVIRO_SAMPLES"); env && *env)
        dir = env;
    else
        dir = VOVIRO_SAMPLES_DIR;
    std::error_code ec;
    return std::filesystem::is_directory(dir, ec) ? dir : std::filesystem::path();
}

uint64_t PeakMemoryBytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<uint64_t>(usage.ru_maxrss) * 1024;
}

} // namespace testsupport
