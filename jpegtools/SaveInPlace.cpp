#include "jpegtools/SaveInPlace.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fileops/Replace.h"
#include "platform/PathName.h"

namespace jpegtools {

std::string RenamedPath(const std::string& path, const std::string& suffix)
{
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    if (!hasExtension)
        return path + suffix;
    return path.substr(0, dot) + suffix + path.substr(dot);
}

namespace {

SaveOutcome Outcome(SaveOutcome::Status status, std::string error, std::string newPath = std::string())
{
    SaveOutcome o;
    o.status = status;
    o.error = std::move(error);
    o.newPath = std::move(newPath);
    return o;
}

bool Ask(const SaveRequest& request, const std::string& question)
{
    return request.conform || (request.confirm && request.confirm(question));
}

bool IsProtected(const std::string& path, const struct stat& st)
{
    return (st.st_mode & S_IWUSR) == 0 || (::access(path.c_str(), W_OK) != 0 && errno == EACCES);
}

// A second name for the photo in its folder, kept while the photo sits in the
// trash and the new file is not yet in place, so a failed last step can put
// it back. Empty when the file system has no hard links.
std::string KeepBackup(const std::string& file)
{
    const std::string base = platform::FolderOf(file) + "/." + platform::FileNameOf(file) + ".keep";
    for (int i = 0; i < 100; ++i) {
        const std::string name = base + std::to_string(i);
        if (::link(file.c_str(), name.c_str()) == 0)
            return name;
        if (errno != EEXIST)
            break;
    }
    return std::string();
}

} // namespace

SaveOutcome SaveRewritten(const SaveRequest& request, const ContentWriter& write)
{
    const bool renaming = request.mode == SaveMode::Rename;
    const std::string target
        = renaming ? RenamedPath(request.path, request.renameSuffix) : platform::ResolveLinkTarget(request.path);
    struct stat source { };
    if (::stat(request.path.c_str(), &source) != 0 || !S_ISREG(source.st_mode))
        return Outcome(SaveOutcome::Failed, request.path + ": " + std::strerror(errno ? errno : EINVAL));

    struct stat existing { };
    if (renaming) {
        if (::lstat(target.c_str(), &existing) == 0) {
            if (!S_ISREG(existing.st_mode) && !S_ISLNK(existing.st_mode))
                return Outcome(SaveOutcome::Failed, target + " は通常のファイルではありません。");
            if (!Ask(request, target + " は既に存在します。置き換えてもよろしいですか?"))
                return Outcome(SaveOutcome::Cancelled, target + " の置き換えは取り消されました。");
        }
    } else if (::access(target.c_str(), W_OK) != 0 && errno == EROFS) {
        return Outcome(SaveOutcome::Failed, target + ": " + std::strerror(EROFS));
    } else if (IsProtected(target, source)) {
        if (!Ask(request, request.path + " はプロテクトされています。上書きしてもよろしいですか?"))
            return Outcome(SaveOutcome::Cancelled, request.path + " の上書きは取り消されました。");
    }

    // A file under a new name carries the photo's permission bits.
    platform::AtomicFile file(target, renaming ? std::optional<unsigned>(source.st_mode & 07777) : std::nullopt);
    if (!file.Ok())
        return Outcome(SaveOutcome::Failed, file.Error());
    std::string error;
    if (!write(file, error))
        return Outcome(SaveOutcome::Failed, error.empty() ? file.Error() : error);

    // Everything but the rename is done before the photo goes anywhere.
    if (!file.Flush())
        return Outcome(SaveOutcome::Failed, file.Error());
    std::string backup;
    if (request.mode == SaveMode::Trashbox) {
        backup = KeepBackup(target);
        const fileops::TrashResult trashed = request.trash(target, error);
        if (trashed != fileops::TrashResult::Trashed) {
            if (!backup.empty())
                ::unlink(backup.c_str());
            return Outcome(SaveOutcome::Failed, error.empty() ? target + ": ごみ箱に移動できません。" : error);
        }
    }
    if (!file.Commit()) {
        std::string reason = file.Error();
        if (!backup.empty()) {
            std::string restoreError;
            if (!fileops::MoveFileReplacing(backup, target, restoreError))
                reason += "; " + restoreError;
        } else if (request.mode == SaveMode::Trashbox) {
            reason += " (元のファイルはごみ箱にあります)";
        }
        return Outcome(SaveOutcome::Failed, reason);
    }
    if (!backup.empty())
        ::unlink(backup.c_str());
    return Outcome(SaveOutcome::Saved, std::string(), renaming ? target : request.path);
}

} // namespace jpegtools
