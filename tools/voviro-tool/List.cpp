#include "tools/voviro-tool/Commands.h"

namespace voviro_tool {
int RunList(const std::vector<std::string>&)
{
    return UsageOf("list");
}
} // namespace voviro_tool
