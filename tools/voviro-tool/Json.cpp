#include "tools/voviro-tool/Json.h"

#include <cstdio>

#include "platform/TextCodec.h"

namespace voviro_tool {

std::string JsonString(const std::string& text)
{
    const std::string valid = platform::MakeValidUtf8(text);
    std::string out = "\"";
    for (unsigned char c : valid) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04X", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

} // namespace voviro_tool
