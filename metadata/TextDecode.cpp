#include "metadata/TextDecode.h"

#include <cstdint>

namespace metadata {

namespace {
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
} // namespace

std::string DecodeUtf16Text(std::string_view bytes, bool littleEndian)
{
    std::string out;
    const auto unitAt = [&](size_t i) -> uint32_t {
        uint8_t a = static_cast<uint8_t>(bytes[i]), b = static_cast<uint8_t>(bytes[i + 1]);
        return littleEndian ? (a | (b << 8)) : ((a << 8) | b);
    };
    const auto append = [&](uint32_t cp) { platform::AppendUtf8(out, cp); };
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        uint32_t unit = unitAt(i);
        if (unit == 0)
            break;
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            uint32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                append(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF)
            out += kReplacement; // a lone surrogate
        else
            append(unit);
    }
    return out;
}

} // namespace metadata
