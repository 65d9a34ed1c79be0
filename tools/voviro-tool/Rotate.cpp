// voviro-tool rotate FILE... --turn 90|180|270 [--mode rewrite|trash|rename] [--yes]:
// lossless rotation of JPEG files, as the viewer's rotation command does it.
// One line per file, "ok NEWPATH" or "failed: reason"; exit 0 only when every
// file was turned, 1 otherwise, 2 on bad arguments.
#include <cstdio>
#include <string>

#include "jpegtools/LosslessRotate.h"
#include "tools/voviro-tool/Commands.h"
#include "tools/voviro-tool/SaveArgs.h"

namespace voviro_tool {

int RunRotate(const std::vector<std::string>& args)
{
    jpegtools::SaveRequest request;
    int code = 0;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const int taken = TakeSaveArg(args, i, request);
        if (taken < 0)
            return UsageOf("rotate");
        if (taken > 0)
            continue;
        if (args[i] == "--turn") {
            if (++i >= args.size())
                return UsageOf("rotate");
            code = args[i] == "90" ? 1 : args[i] == "180" ? 2 : args[i] == "270" ? 3 : -1;
            if (code < 0)
                return UsageOf("rotate");
        } else if (args[i].rfind("--", 0) == 0 || args[i].empty()) {
            return UsageOf("rotate");
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.empty() || code == 0)
        return UsageOf("rotate");
    bool all = true;
    for (const std::string& file : files) {
        request.path = file;
        const jpegtools::RotateOutcome outcome = jpegtools::RotateLosslessly(code, request);
        PrintOutcome(outcome);
        all = all && outcome.Ok();
    }
    return std::fflush(stdout) == 0 && all ? 0 : 1;
}

} // namespace voviro_tool
