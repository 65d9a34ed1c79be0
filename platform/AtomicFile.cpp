#include "platform/AtomicFile.h"

#include "platform/PathName.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace platform {

std::string ResolveLinkTarget(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path current(path);
    // A bounded walk, so a loop of links ends.
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec)) || ec)
            break;
        fs::path next = fs::read_symlink(current, ec);
        if (ec)
            break;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return current.string();
}

namespace {

// The process's umask, read without changing it (umask() would set it for
// every thread for a moment); 022 when the system does not say.
unsigned ProcessUmask()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    unsigned mask = 022;
    if (status) {
        char line[256];
        while (std::fgets(line, sizeof line, status))
            if (std::sscanf(line, "Umask: %o", &mask) == 1)
                break;
        std::fclose(status);
    }
    return mask;
}

} // namespace

AtomicFile::AtomicFile(const std::string& target, std::optional<unsigned> mode)
    : target_(ResolveLinkTarget(target))
{
    struct stat st { };
    if (mode)
        mode_ = *mode & 07777;
    else if (::stat(target_.c_str(), &st) == 0)
        mode_ = st.st_mode & 07777;
    else
        mode_ = 0666 & ~ProcessUmask();
    try {
        // A hidden name beside the target, so a file manager does not show it as a photo.
        temp_.emplace("." + FileNameOf(target_) + ".", FolderOf(target_));
    } catch (const std::system_error& e) {
        Fail("cannot create a temporary file beside", e.code().value());
    }
}

const std::string& AtomicFile::TempPath() const
{
    static const std::string none;
    return temp_ ? temp_->Path() : none;
}

void AtomicFile::Fail(const std::string& what, int err)
{
    failed_ = true;
    if (error_.empty())
        error_ = what + " " + target_ + ": " + std::strerror(err);
}

bool AtomicFile::Write(const void* data, size_t size)
{
    if (!temp_ || failed_)
        return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(temp_->Fd(), p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            Fail("cannot write", n < 0 ? errno : ENOSPC);
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool AtomicFile::Flush()
{
    if (!temp_ || failed_)
        return false;
    if (flushed_)
        return true;
    if (::fchmod(temp_->Fd(), mode_) != 0) {
        Fail("cannot set the permissions of", errno);
        return false;
    }
    if (::fsync(temp_->Fd()) != 0) {
        Fail("cannot flush", errno);
        return false;
    }
    if (!temp_->Close()) {
        Fail("cannot close", errno);
        return false;
    }
    flushed_ = true;
    return true;
}

bool AtomicFile::Commit()
{
    if (!Flush())
        return false;
    if (std::rename(temp_->Path().c_str(), target_.c_str()) != 0) {
        Fail("cannot replace", errno);
        return false;
    }
    temp_->Keep();
    temp_.reset();
    // Make the rename itself durable.
    const int dirFd = ::open(FolderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

bool WriteFileAtomically(const std::string& target, const std::string& bytes, std::string& error)
{
    AtomicFile file(target);
    const bool ok = file.Ok() && file.Write(bytes.data(), bytes.size()) && file.Commit();
    if (!ok)
        error = file.Error();
    return ok;
}

} // namespace platform
