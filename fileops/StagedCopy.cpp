#include "fileops/StagedCopy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <vector>

#include "fileops/FaultHooks.h"
#include "fileops/FsUtil.h"
#include "platform/PathName.h"

namespace fileops {

namespace {

// Blocks small enough that a cancel of a large file is answered quickly,
// large enough that the per-call cost does not show.
constexpr size_t kBlock = 8u << 20;

enum class Step { Ok, Cancelled, Failed };

// Writes all of size bytes from `from` to `to`, by copy_file_range where the
// kernel allows it (in-kernel, reflinked on file systems that can), else
// through a buffer. err is set on failure.
Step CopyBytes(int from, int to, uint64_t size, const Progress& progress, int& err)
{
    const auto& hooks = faults::Current();
    bool kernelCopy = true;
    std::vector<char> buffer;
    uint64_t done = 0;
    while (done < size) {
        if (progress.cancelled && progress.cancelled())
            return Step::Cancelled;
        const size_t want = static_cast<size_t>(std::min<uint64_t>(kBlock, size - done));
        if (hooks.beforeWrite) {
            if (const int injected = hooks.beforeWrite(done)) {
                err = injected;
                return Step::Failed;
            }
        }
        ssize_t n = -1;
        if (kernelCopy) {
            n = ::copy_file_range(from, nullptr, to, nullptr, want, 0);
            if (n < 0 && done == 0
                && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == EBADF)) {
                kernelCopy = false;
                continue;
            }
        } else {
            if (buffer.empty())
                buffer.resize(1u << 20);
            const ssize_t got = ::read(from, buffer.data(), std::min(want, buffer.size()));
            n = got;
            for (ssize_t off = 0; got > 0 && off < got;) {
                const ssize_t w = ::write(to, buffer.data() + off, static_cast<size_t>(got - off));
                if (w < 0 && errno == EINTR)
                    continue;
                if (w <= 0) {
                    err = w < 0 ? errno : ENOSPC;
                    return Step::Failed;
                }
                off += w;
            }
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            return Step::Failed;
        }
        if (n == 0) {
            // The source became shorter while it was copied: not a faithful copy.
            err = EIO;
            return Step::Failed;
        }
        done += static_cast<uint64_t>(n);
        if (progress.advanced)
            progress.advanced(static_cast<uint64_t>(n));
    }
    return Step::Ok;
}

} // namespace

int OpenSource(const std::string& source, struct stat& st, std::string& error)
{
    const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = ErrorText("open", source, errno);
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        error = ErrorText("copy", source, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
        ::close(fd);
        return -1;
    }
    return fd;
}

CopyResult StagedCopy::Make(int sourceFd, const struct stat& st, const std::string& source, const std::string& target,
    const Progress& progress, std::string& error)
{
    target_ = target;
    try {
        temp_.emplace("." + platform::FileNameOf(target) + ".", platform::FolderOf(target));
    } catch (const std::system_error& e) {
        error = ErrorText("create a temporary file for", target, e.code().value());
        return CopyResult::Failed;
    }
    const int fd = temp_->Fd();
    // Reserve the space first where the file system can, so a full disk shows at once.
    if (st.st_size > 0) {
        const int rc = ::posix_fallocate(fd, 0, st.st_size);
        if (rc == ENOSPC || rc == EDQUOT) {
            error = ErrorText("write", target, rc);
            temp_.reset();
            return CopyResult::Failed;
        }
    }
    int err = 0;
    const Step step = CopyBytes(sourceFd, fd, static_cast<uint64_t>(st.st_size), progress, err);
    if (step != Step::Ok) {
        if (step == Step::Failed)
            error = ErrorText("copy " + source + " to", target, err);
        temp_.reset();
        return step == Step::Cancelled ? CopyResult::Cancelled : CopyResult::Failed;
    }
    // Start writing the data out now, so that the flush in Finish() (perhaps after
    // further files were copied) mostly finds it on disk already.
    ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    size_ = st.st_size;
    mode_ = st.st_mode & 07777;
    uid_ = st.st_uid;
    gid_ = st.st_gid;
    times_[0] = st.st_atim;
    times_[1] = st.st_mtim;
    return CopyResult::Done;
}

CopyResult StagedCopy::Finish(std::string& error)
{
    if (!temp_)
        return CopyResult::Failed;
    const int fd = temp_->Fd();
    struct stat written { };
    if (::geteuid() == 0)
        (void)::fchown(fd, uid_, gid_); // only root can give a file away; others keep their own
    const char* what = nullptr;
    if (::fchmod(fd, mode_) != 0)
        what = "set the permissions of";
    else if (::futimens(fd, times_) != 0)
        what = "set the modification time of";
    else if (::fsync(fd) != 0)
        what = "flush";
    else if (::fstat(fd, &written) != 0 || written.st_size != size_) {
        if (written.st_size != size_)
            errno = EIO;
        what = "verify the size of";
    } else if (!temp_->Close())
        what = "close";
    if (what) {
        error = ErrorText(what, target_, errno);
        temp_.reset();
        return CopyResult::Failed;
    }
    return CopyResult::Done;
}

CopyResult StagedCopy::Place(bool replace, std::string& error)
{
    if (!temp_)
        return CopyResult::Failed;
    if (const auto& hook = faults::Current().beforePlace)
        hook(target_);
    int rc;
    if (replace)
        rc = std::rename(temp_->Path().c_str(), target_.c_str());
    else
        rc = RenameNoReplace(temp_->Path(), target_);
    if (rc != 0) {
        const int err = errno;
        if (err == EEXIST)
            return CopyResult::Exists; // kept, so the caller may place it again with replace
        temp_.reset();
        error = ErrorText("write", target_, err);
        return CopyResult::Failed;
    }
    // The data was flushed before the rename, so the new name can only ever show a whole file;
    // callers that remove something next sync the folder themselves.
    temp_->Keep();
    temp_.reset();
    return CopyResult::Done;
}

} // namespace fileops
