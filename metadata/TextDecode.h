#pragma once
// Texts read from image files, decoded at the edge into valid UTF-8 (valid
// UTF-8 kept, otherwise CP932; JIS through ISO-2022-JP; UTF-16 comments).

#include <string>
#include <string_view>

#include "platform/TextCodec.h"

namespace metadata {

// UTF-8 when valid, otherwise CP932; always valid UTF-8.
inline std::string DecodeFileText(std::string_view bytes)
{
    return platform::DecodeText(bytes);
}
// An ISO-2022-JP (JIS) text.
inline std::string DecodeJisText(std::string_view bytes)
{
    return platform::JisToUtf8(bytes);
}
using platform::IsValidUtf8;
using platform::MakeValidUtf8;
// 16-bit characters in the given byte order, up to the first NUL character;
// lone surrogates become U+FFFD.
std::string DecodeUtf16Text(std::string_view bytes, bool littleEndian);

} // namespace metadata
