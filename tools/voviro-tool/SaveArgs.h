#pragma once
// The save options shared by the sub-commands that rewrite JPEG files:
// --mode rewrite|trash|rename and --yes (replace protected or existing files
// without asking; without it such a replacement is declined).
#include <cstdio>
#include <string>
#include <vector>

#include "jpegtools/SaveInPlace.h"

namespace voviro_tool {

// Takes args[i] (and its value) when it is a save option. Returns 1 when
// taken, 0 when it is not a save option, -1 on a bad value.
inline int TakeSaveArg(const std::vector<std::string>& args, size_t& i, jpegtools::SaveRequest& request)
{
    if (args[i] == "--yes") {
        request.conform = true;
        return 1;
    }
    if (args[i] != "--mode")
        return 0;
    if (++i >= args.size())
        return -1;
    const std::string& m = args[i];
    if (m == "rewrite")
        request.mode = jpegtools::SaveMode::Rewrite;
    else if (m == "trash")
        request.mode = jpegtools::SaveMode::Trashbox;
    else if (m == "rename")
        request.mode = jpegtools::SaveMode::Rename;
    else
        return -1;
    return 1;
}

// One result line: "ok NEWPATH" or "failed: reason".
inline void PrintOutcome(const jpegtools::SaveOutcome& outcome)
{
    if (outcome.Ok())
        std::printf("ok %s\n", outcome.newPath.c_str());
    else
        std::printf("failed: %s\n", outcome.error.c_str());
}

} // namespace voviro_tool
