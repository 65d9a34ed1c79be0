#include "tools/voviro-tool/Commands.h"

namespace voviro_tool {
int RunExif(const std::vector<std::string>&)
{
    return UsageOf("exif");
}
} // namespace voviro_tool
