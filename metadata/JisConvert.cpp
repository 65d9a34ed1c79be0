#include "metadata/JisConvert.h"

namespace metadata {

std::pair<uint8_t, uint8_t> JisPairToShiftJis(uint8_t j1, uint8_t j2)
{
    const int first = (j1 + 1) / 2 + (j1 <= 94 ? 112 : 176);
    int second;
    if (j1 % 2 == 0)
        second = j2 + 126;
    else
        second = j2 < 96 ? j2 + 31 : j2 + 32;
    return { static_cast<uint8_t>(first), static_cast<uint8_t>(second) };
}

namespace {

void AppendPair(std::string& out, uint8_t j1, uint8_t j2)
{
    const auto [s1, s2] = JisPairToShiftJis(j1, j2);
    out += static_cast<char>(s1);
    out += static_cast<char>(s2);
}

} // namespace

std::string JisToShiftJis(std::string_view text)
{
    constexpr char kEscape = 27;
    std::string out;
    out.reserve(text.size());
    bool doubleByte = false;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == kEscape) {
            if (i + 1 < text.size()) {
                if (text[i + 1] == '$')
                    doubleByte = true;
                else if (text[i + 1] == '(')
                    doubleByte = false;
            }
            i += 3; // ESC and its two bytes; fewer at the end simply end the text
            continue;
        }
        if (doubleByte) {
            if (i + 1 >= text.size())
                break; // half a character
            AppendPair(out, static_cast<uint8_t>(text[i]), static_cast<uint8_t>(text[i + 1]));
            i += 2;
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string DecodeIptcText(std::string_view bytes)
{
    constexpr char kShiftOut = 14, kShiftIn = 15;
    std::string out;
    out.reserve(bytes.size());
    bool doubleByte = false;
    size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == kShiftOut || c == kShiftIn) {
            doubleByte = c == kShiftOut;
            ++i;
        } else if (doubleByte) {
            if (i + 1 >= bytes.size())
                break;
            AppendPair(out, static_cast<uint8_t>(c), static_cast<uint8_t>(bytes[i + 1]));
            i += 2;
        } else {
            if (c != '\0')
                out += c;
            ++i;
        }
    }
    return out;
}

} // namespace metadata
