#pragma once
// JSON output of the sub-commands.
#include <string>

namespace voviro_tool {
// A JSON string literal of the text (made valid UTF-8 first), quotes included.
std::string JsonString(const std::string& text);
} // namespace voviro_tool
