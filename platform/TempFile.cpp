#include "platform/TempFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace platform {

std::string TempFolder()
{
    std::string folder = "/tmp";
    if (const char* env = std::getenv("TMPDIR"); env && *env)
        folder = env;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

TempFile::TempFile(const std::string& prefix, const std::string& folder)
{
    std::string pattern = (folder.empty() ? TempFolder() : folder) + "/" + prefix + "XXXXXX";
    fd_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0)
        throw std::system_error(errno, std::generic_category(), "cannot create a temporary file " + pattern);
    path_ = std::move(pattern);
}

TempFile::~TempFile()
{
    Dispose();
}

TempFile::TempFile(TempFile&& other) noexcept
    : path_(std::move(other.path_))
    , fd_(std::exchange(other.fd_, -1))
    , keep_(other.keep_)
{
    other.path_.clear();
}

TempFile& TempFile::operator=(TempFile&& other) noexcept
{
    if (this != &other) {
        Dispose();
        path_ = std::move(other.path_);
        other.path_.clear();
        fd_ = std::exchange(other.fd_, -1);
        keep_ = other.keep_;
    }
    return *this;
}

bool TempFile::Close()
{
    const bool ok = fd_ < 0 || ::close(fd_) == 0;
    fd_ = -1;
    return ok;
}

void TempFile::Dispose() noexcept
{
    Close();
    if (!keep_ && !path_.empty())
        ::unlink(path_.c_str());
    path_.clear();
}

} // namespace platform
