#pragma once
// One file operation over a list of files, as the window's batch commands and
// voviro-tool run it: each file on its own (a failure does not stop the rest),
// a question per existing target, a cancel between files and blocks, and a
// result per file so that nothing is reported done that was not.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fileops {

enum class Operation { Copy, Move, Trash, Protect, Unprotect };

enum class ReplaceAnswer { Yes, YesToAll, No, Cancel };

enum class ItemStatus {
    Done,
    Skipped, // an existing target was kept, or a permanent delete was declined
    Failed, // error says why
    Cancelled, // stopped (or never started) because the user cancelled
};

struct ItemResult {
    std::string source;
    std::string target; // copy and move: the path written; otherwise empty
    ItemStatus status = ItemStatus::Cancelled;
    std::string error;
};

struct BatchProgress {
    size_t file = 0; // index of the file being worked on
    size_t files = 0; // number of files
    uint64_t bytes = 0;
    uint64_t totalBytes = 0;
    std::string current; // the file being worked on
};

struct BatchCallbacks {
    // An existing target for source; without a callback existing targets are kept.
    std::function<ReplaceAnswer(const std::string& source, const std::string& target)> askReplace;
    // A file that has no trash: true deletes it permanently; without a callback it is skipped.
    std::function<bool(const std::string& path, const std::string& reason)> askDeletePermanently;
    // Polled between files and between blocks of a large file.
    std::function<bool()> cancelled;
    std::function<void(const BatchProgress&)> progress;
};

// Runs op over sources in order; copy and move write to destFolder + the file's name.
std::vector<ItemResult> RunBatch(Operation op, const std::vector<std::string>& sources, const std::string& destFolder,
    const BatchCallbacks& callbacks);

// True when every result is Done.
bool AllDone(const std::vector<ItemResult>& results);

} // namespace fileops
