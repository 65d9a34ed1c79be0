#pragma once
// JIS (ISO-2022-JP style, escape sequences or shift-out/shift-in) to Shift-JIS
// byte conversion. The results are Shift-JIS bytes; callers decode them to
// UTF-8 at the edge (DecodeFileText).

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace metadata {

// The two Shift-JIS bytes of one JIS X 0208 character (row byte, cell byte).
std::pair<uint8_t, uint8_t> JisPairToShiftJis(uint8_t j1, uint8_t j2);

// A text with ESC $ x (double-byte) and ESC ( x (single-byte) sequences:
// double-byte pairs converted, single-byte bytes copied as they are (so plain
// Shift-JIS in a text labelled JIS survives). An escape sequence cut short at
// the end and an odd byte left over in double-byte mode are dropped.
std::string JisToShiftJis(std::string_view text);

// An IPTC text: byte 14 (shift out) starts double-byte mode, byte 15 (shift
// in) ends it; NUL bytes in single-byte mode are dropped; an incomplete pair
// at the end is dropped.
std::string DecodeIptcText(std::string_view bytes);

} // namespace metadata
