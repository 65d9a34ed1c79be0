#include "fileops/Batch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <deque>

#include "fileops/CopyFile.h"
#include "fileops/FsUtil.h"
#include "fileops/Protect.h"
#include "fileops/StagedCopy.h"
#include "fileops/Trash.h"
#include "platform/PathName.h"

namespace fileops {

namespace {

uint64_t SizeOf(const std::string& path)
{
    struct stat st { };
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
        : op_(op)
        , destFolder_(destFolder)
        , callbacks_(callbacks)
    {
    }

    std::vector<ItemResult> Run(const std::vector<std::string>& sources)
    {
        results_.assign(sources.size(), ItemResult {});
        state_.files = sources.size();
        for (const auto& source : sources) {
            sizes_.push_back(SizeOf(source));
            state_.totalBytes += sizes_.back();
        }
        for (size_t i = 0; i < sources.size(); ++i) {
            results_[i].source = sources[i];
            if (stopped_ || (callbacks_.cancelled && callbacks_.cancelled())) {
                stopped_ = true;
                continue; // stays Cancelled
            }
            state_.file = i;
            state_.current = sources[i];
            Report();
            One(i);
        }
        while (!pending_.empty())
            PlaceOldest();
        state_.file = sources.size();
        state_.current.clear();
        Report();
        return std::move(results_);
    }

private:
    // Copies wait here, written but not yet flushed, so that the flush of one
    // overlaps the copying of the next ones and the file system commits many at once.
    struct Pending {
        size_t index = 0;
        bool replace = false;
        StagedCopy staged;
    };
    static constexpr size_t kPendingFiles = 16;
    static constexpr uint64_t kPendingBytes = 128u << 20;

    void Report()
    {
        if (callbacks_.progress)
            callbacks_.progress(state_);
    }

    void One(size_t i)
    {
        ItemResult& item = results_[i];
        const uint64_t before = state_.bytes;
        switch (op_) {
        case Operation::Copy:
        case Operation::Move:
            Transfer(i);
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
        // Renames and trashing move no bytes; a finished (or staged) file counts whole.
        const bool counts = item.status == ItemStatus::Done || (op_ == Operation::Copy && Staged(i));
        state_.bytes = before + (counts ? sizes_[i] : 0);
    }

    bool Staged(size_t i) const { return !pending_.empty() && pending_.back().index == i; }

    // Asks about an existing target; true to replace it. Otherwise the item is settled as skipped or cancelled.
    bool AskReplace(ItemResult& item)
    {
        if (replaceAll_)
            return true;
        const ReplaceAnswer answer
            = callbacks_.askReplace ? callbacks_.askReplace(item.source, item.target) : ReplaceAnswer::No;
        if (answer == ReplaceAnswer::Yes || answer == ReplaceAnswer::YesToAll) {
            replaceAll_ = answer == ReplaceAnswer::YesToAll;
            return true;
        }
        item.status = answer == ReplaceAnswer::No ? ItemStatus::Skipped : ItemStatus::Cancelled;
        stopped_ = stopped_ || answer == ReplaceAnswer::Cancel;
        return false;
    }

    void Settle(ItemResult& item, CopyResult result)
    {
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
            break;
        }
    }

    void Transfer(size_t i)
    {
        ItemResult& item = results_[i];
        item.target = JoinFolder(destFolder_, platform::FileNameOf(item.source));
        Progress progress;
        progress.cancelled = callbacks_.cancelled;
        progress.advanced = [this](uint64_t bytes) {
            state_.bytes += bytes;
            Report();
        };
        const uint64_t start = state_.bytes;
        bool replace = replaceAll_;
        for (;;) {
            state_.bytes = start;
            CopyResult result;
            if (op_ == Operation::Copy) {
                Pending next { i, replace, {} };
                result = StageCopy(item.source, item.target, replace, progress, next.staged, item.error);
                if (result == CopyResult::Done) {
                    pendingBytes_ += sizes_[i];
                    pending_.push_back(std::move(next));
                    while (pending_.size() > kPendingFiles || pendingBytes_ > kPendingBytes)
                        PlaceOldest();
                    return;
                }
            } else {
                result = MoveFile(item.source, item.target, replace, progress, item.error);
            }
            if (result == CopyResult::Exists && !replace) {
                if (!AskReplace(item))
                    return;
                replace = true;
                continue;
            }
            Settle(item, result);
            return;
        }
    }

    // Flushes the oldest waiting copy and renames it in; a target that appeared meanwhile is asked about.
    void PlaceOldest()
    {
        Pending& oldest = pending_.front();
        ItemResult& item = results_[oldest.index];
        CopyResult result = oldest.staged.Finish(item.error);
        if (result == CopyResult::Done)
            result = oldest.staged.Place(oldest.replace, item.error);
        if (result == CopyResult::Exists)
            result = AskReplace(item) ? oldest.staged.Place(true, item.error) : CopyResult::Exists;
        if (result != CopyResult::Exists)
            Settle(item, result);
        pendingBytes_ -= sizes_[oldest.index];
        pending_.pop_front();
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
    std::vector<ItemResult> results_;
    std::vector<uint64_t> sizes_;
    std::deque<Pending> pending_;
    uint64_t pendingBytes_ = 0;
    BatchProgress state_;
    bool replaceAll_ = false;
    bool stopped_ = false;
};

} // namespace

std::vector<ItemResult> RunBatch(Operation op, const std::vector<std::string>& sources, const std::string& destFolder,
    const BatchCallbacks& callbacks)
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
