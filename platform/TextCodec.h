#pragma once
// Text decoding at the edge of the program: texts read from files and file
// names become valid UTF-8 here. Japanese texts in files are UTF-8, CP932
// (Shift-JIS) or ISO-2022-JP (JIS); every converter replaces what it cannot
// decode with U+FFFD, so its result is always valid UTF-8.

#include <string>
#include <string_view>

namespace platform {

bool IsValidUtf8(std::string_view bytes);
// Appends one code point as UTF-8; surrogates and values above U+10FFFF become U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);
// Valid UTF-8 stays as it is; every byte that does not belong to a valid sequence becomes U+FFFD.
std::string MakeValidUtf8(std::string_view bytes);

std::string Cp932ToUtf8(std::string_view bytes);
std::string JisToUtf8(std::string_view bytes);
// Taken as UTF-8 when the bytes are valid UTF-8, otherwise decoded from CP932.
std::string DecodeText(std::string_view bytes);

} // namespace platform
