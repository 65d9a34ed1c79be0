#include "fileops/Trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "fileops/FsUtil.h"
#include "platform/PathName.h"

namespace fileops {

namespace {

std::string HomeDataFolder()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/") + "/.local/share";
}

// Makes folder (one level) with mode 0700 unless it is there; true when it is a folder now.
bool EnsureFolder(const std::string& folder)
{
    if (::mkdir(folder.c_str(), 0700) == 0)
        return true;
    struct stat st { };
    return errno == EEXIST && ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool EnsureFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    return EnsureFolder(path);
}

// The device of path, or of its nearest existing ancestor when it is not there.
bool DeviceOf(std::string path, dev_t& device)
{
    for (;;) {
        struct stat st { };
        if (::stat(path.c_str(), &st) == 0) {
            device = st.st_dev;
            return true;
        }
        if (path == "/" || path == ".")
            return false;
        path = platform::FolderOf(path);
    }
}

// A trash folder with its two sub-folders, all usable by this user.
bool PrepareTrash(const std::string& trash)
{
    return EnsureFolder(trash) && EnsureFolder(trash + "/files") && EnsureFolder(trash + "/info")
        && ::access((trash + "/files").c_str(), W_OK | X_OK) == 0
        && ::access((trash + "/info").c_str(), W_OK | X_OK) == 0;
}

// The mount point holding folder (a resolved absolute path): the highest ancestor on the same device.
std::string TopFolderOf(const std::string& folder, dev_t device)
{
    std::string top = folder;
    while (top != "/") {
        const std::string parent = platform::FolderOf(top);
        struct stat st { };
        if (::stat(parent.c_str(), &st) != 0 || st.st_dev != device)
            break;
        top = parent;
    }
    return top;
}

std::string ResolvedFolderOf(const std::string& path)
{
    char buffer[PATH_MAX];
    if (!::realpath(platform::FolderOf(path).c_str(), buffer))
        return std::string();
    return buffer;
}

// The trash at the top of another mount: the administrator's $topdir/.Trash/$uid
// when .Trash is a real sticky folder, else $topdir/.Trash-$uid.
std::string TopTrash(const std::string& top, std::string& error)
{
    const std::string base = top == "/" ? std::string() : top;
    const std::string uid = std::to_string(::getuid());
    struct stat st { };
    const std::string shared = base + "/.Trash";
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)
        && PrepareTrash(shared + "/" + uid))
        return shared + "/" + uid;
    const std::string own = base + "/.Trash-" + uid;
    if (PrepareTrash(own) && ::lstat(own.c_str(), &st) == 0 && st.st_uid == ::getuid())
        return own;
    error = "no trash on the file system of " + top + " (" + own + " cannot be used)";
    return std::string();
}

// Escapes a path for a trashinfo Path= line: bytes outside the unreserved URI set as %XX.
std::string EscapePath(const std::string& path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : path) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
            || std::string_view("/-_.!~*'()").find(static_cast<char>(c)) != std::string_view::npos;
        if (plain) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string DeletionDate()
{
    const std::time_t now = std::time(nullptr);
    struct tm local { };
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// The name in the trash: the file's own, else "stem.N.ext" with the first free N.
// The info file is created exclusively, which claims the name against other trashers.
int ClaimInfoFile(const std::string& trash, const std::string& name, std::string& chosen)
{
    const size_t dot = name.find_last_of('.');
    const bool hasExt = dot != std::string::npos && dot > 0;
    for (int n = 1; n < 100000; ++n) {
        chosen = n == 1 ? name
            : hasExt    ? name.substr(0, dot) + "." + std::to_string(n) + name.substr(dot)
                        : name + "." + std::to_string(n);
        struct stat st { };
        if (::lstat((trash + "/files/" + chosen).c_str(), &st) == 0)
            continue;
        const int fd
            = ::open((trash + "/info/" + chosen + ".trashinfo").c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

} // namespace

std::string TrashFolderFor(const std::string& path, std::string& error)
{
    struct stat file { };
    if (::lstat(path.c_str(), &file) != 0) {
        error = ErrorText("move to the trash", path, errno);
        return std::string();
    }
    const std::string home = HomeDataFolder();
    dev_t homeDevice {};
    if (DeviceOf(home, homeDevice) && homeDevice == file.st_dev) {
        const std::string trash = home + "/Trash";
        if (PrepareTrash(trash) || (EnsureFolders(home) && PrepareTrash(trash)))
            return trash;
        error = "the trash " + trash + " cannot be used";
        return std::string();
    }
    const std::string folder = ResolvedFolderOf(path);
    if (folder.empty()) {
        error = ErrorText("move to the trash", path, errno);
        return std::string();
    }
    return TopTrash(TopFolderOf(folder, file.st_dev), error);
}

TrashResult MoveToTrash(const std::string& path, std::string& error)
{
    struct stat file { };
    if (::lstat(path.c_str(), &file) != 0) {
        error = ErrorText("move to the trash", path, errno);
        return TrashResult::Failed;
    }
    const std::string trash = TrashFolderFor(path, error);
    if (trash.empty())
        return TrashResult::NoTrash;
    const std::string folder = ResolvedFolderOf(path);
    const std::string original = folder + (folder == "/" ? "" : "/") + platform::FileNameOf(path);

    std::string name;
    const int fd = ClaimInfoFile(trash, platform::FileNameOf(path), name);
    if (fd < 0) {
        error = ErrorText("write the trash information for", path, errno);
        return TrashResult::Failed;
    }
    // Files under a mount's own trash record their path relative to that mount's top.
    std::string recorded = original;
    if (trash.rfind(HomeDataFolder(), 0) != 0) {
        const std::string top = TopFolderOf(folder, file.st_dev);
        if (top != "/" && original.rfind(top + "/", 0) == 0)
            recorded = original.substr(top.size() + 1);
    }
    const std::string info = trash + "/info/" + name + ".trashinfo";
    const std::string text = "[Trash Info]\nPath=" + EscapePath(recorded) + "\nDeletionDate=" + DeletionDate() + "\n";
    // Not flushed: after a crash the file is still whole in the trash, at worst without its origin.
    const bool written = WriteAll(fd, text);
    const int writeErr = errno;
    ::close(fd);
    if (!written) {
        ::unlink(info.c_str());
        error = ErrorText("write the trash information for", path, writeErr);
        return TrashResult::Failed;
    }
    if (std::rename(path.c_str(), (trash + "/files/" + name).c_str()) != 0) {
        const int err = errno;
        ::unlink(info.c_str());
        error = ErrorText("move to the trash", path, err);
        // A trash on another file system (a bind mount, say) cannot take the file by rename.
        return err == EXDEV ? TrashResult::NoTrash : TrashResult::Failed;
    }
    return TrashResult::Trashed;
}

} // namespace fileops
