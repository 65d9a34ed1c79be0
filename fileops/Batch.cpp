#include "fileops/Batch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fileops/CopyFile.h"
#include "fileops/FsUtil.h"
#include "fileops/Protect.h"
#include "fileops/Trash.h"
#include "platform/PathName.h"

namespace fileops {

namespace {

uint64_t SizeOf(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? static_cast<uint64_t>(st.st_size) : 0;
}

std::string JoinFolder(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

class Runner {
public:
    Runner(Operation op, const std::string& destFolder, const BatchCallbacks& callbacks)
        : op_(op), destFolder_(destFolder), callbacks_(callbacks)
    {
    }

    std::vector<ItemResult> Run(const std::vector<std::string>& sources)
    {
        std::vector<ItemResult> results(sources.size());
        std::vector<uint64_t> sizes;
        state_.files = sources.size();
        for (const auto& source : sources) {
            sizes.push_back(SizeOf(source));
            state_.totalBytes += sizes.back();
        }
        for (size_t i = 0; i < sources.size(); ++i) {
            results[i].source = sources[i];
            if (stopped_ || (callbacks_.cancelled && callbacks_.cancelled())) {
                stopped_ = true;
                continue; // stays Cancelled
            }
            state_.file = i;
            state_.current = sources[i];
            const uint64_t before = state_.bytes;
            Report();
            One(results[i]);
            // Renames and trashing move no bytes; a finished file still counts whole.
            state_.bytes = before + (results[i].status == ItemStatus::Done ? sizes[i] : 0);
        }
        state_.file = sources.size();
        state_.current.clear();
        Report();
        return results;
    }

private:
    void Report()
    {
        if (callbacks_.progress)
            callbacks_.progress(state_);
    }

    void One(ItemResult& item)
    {
        switch (op_) {
        case Operation::Copy:
        case Operation::Move:
            Transfer(item);
            break;
        case Operation::Trash:
            Trash(item);
            break;
        case Operation::Protect:
        case Operation::Unprotect:
            item.status = SetProtected(item.source, op_ == Operation::Protect, item.error) ? ItemStatus::Done
                                                                                           : ItemStatus::Failed;
            break;
        }
    }

    void Transfer(ItemResult& item)
    {
        item.target = JoinFolder(destFolder_, platform::FileNameOf(item.source));
        Progress progress;
        progress.cancelled = callbacks_.cancelled;
        progress.advanced = [this](uint64_t bytes) {
            state_.bytes += bytes;
            Report();
        };
        bool replace = replaceAll_;
        const uint64_t start = state_.bytes;
        for (;;) {
            state_.bytes = start;
            const CopyResult result = op_ == Operation::Copy
                ? CopyFile(item.source, item.target, replace, progress, item.error)
                : MoveFile(item.source, item.target, replace, progress, item.error);
            if (result == CopyResult::Exists && !replace) {
                const ReplaceAnswer answer = callbacks_.askReplace ? callbacks_.askReplace(item.source, item.target)
                                                                   : ReplaceAnswer::No;
                if (answer == ReplaceAnswer::Yes || answer == ReplaceAnswer::YesToAll) {
                    replaceAll_ = answer == ReplaceAnswer::YesToAll;
                    replace = true;
                    continue;
                }
                item.status = answer == ReplaceAnswer::No ? ItemStatus::Skipped : ItemStatus::Cancelled;
                stopped_ = answer == ReplaceAnswer::Cancel;
                return;
            }
            switch (result) {
            case CopyResult::Done:
                item.status = ItemStatus::Done;
                break;
            case CopyResult::Cancelled:
                item.status = ItemStatus::Cancelled;
                stopped_ = true;
                break;
            default:
                item.status = ItemStatus::Failed;
                if (item.error.empty())
                    item.error = ErrorText("replace", item.target, EEXIST);
                break;
            }
            return;
        }
    }

    void Trash(ItemResult& item)
    {
        switch (MoveToTrash(item.source, item.error)) {
        case TrashResult::Trashed:
            item.status = ItemStatus::Done;
            return;
        case TrashResult::Failed:
            item.status = ItemStatus::Failed;
            return;
        case TrashResult::NoTrash:
            break;
        }
        if (!callbacks_.askDeletePermanently || !callbacks_.askDeletePermanently(item.source, item.error)) {
            item.status = ItemStatus::Skipped;
            return;
        }
        if (::unlink(item.source.c_str()) != 0) {
            item.error = ErrorText("delete", item.source, errno);
            item.status = ItemStatus::Failed;
            return;
        }
        item.error.clear();
        item.status = ItemStatus::Done;
    }

    Operation op_;
    std::string destFolder_;
    const BatchCallbacks& callbacks_;
    BatchProgress state_;
    bool replaceAll_ = false;
    bool stopped_ = false;
};

} // namespace

std::vector<ItemResult> RunBatch(
    Operation op, const std::vector<std::string>& sources, const std::string& destFolder, const BatchCallbacks& callbacks)
{
    return Runner(op, destFolder, callbacks).Run(sources);
}

bool AllDone(const std::vector<ItemResult>& results)
{
    for (const auto& item : results)
        if (item.status != ItemStatus::Done)
            return false;
    return true;
}

} // namespace fileops
