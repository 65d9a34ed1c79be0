#pragma once
// Putting a rewritten JPEG file in place by one of three save modes. The new
// bytes go to a temporary file in the photo's own folder; only when all of
// them are written does it replace the photo (or take the new name), so a
// failure at any step leaves the photo as it was and is reported.

#include <functional>
#include <string>

#include "fileops/Trash.h"
#include "platform/AtomicFile.h"

namespace jpegtools {

// Save modes, numbered as stored in the settings.
enum class SaveMode { Rewrite = 0, Trashbox = 1, Rename = 2 };

struct SaveRequest {
    std::string path; // the photo
    SaveMode mode = SaveMode::Rewrite;
    bool conform = false; // replace protected or existing files without asking
    std::string renameSuffix; // Rename: inserted before the extension ("_90")
    // Asked before a protected photo or an existing file of the new name is
    // replaced; true goes ahead. Without it such a replacement is declined.
    std::function<bool(const std::string& question)> confirm;
    // Moves a file to the trash (the desktop trash unless replaced, for tests).
    std::function<fileops::TrashResult(const std::string& path, std::string& error)> trash = fileops::MoveToTrash;
};

struct SaveOutcome {
    enum Status { Saved, Failed, Cancelled } status = Failed;
    std::string newPath; // the file that now holds the new bytes
    std::string error; // why it failed or was cancelled
    bool Ok() const { return status == Saved; }
};

// Writes the new content into the open temporary file; false with a reason.
using ContentWriter = std::function<bool(platform::AtomicFile& file, std::string& error)>;

// `path` without its extension, then suffix, then the extension: a.jpeg, "_270" → a_270.jpeg.
std::string RenamedPath(const std::string& path, const std::string& suffix);

SaveOutcome SaveRewritten(const SaveRequest& request, const ContentWriter& write);

} // namespace jpegtools
