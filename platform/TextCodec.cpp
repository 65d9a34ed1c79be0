#include "platform/TextCodec.h"

#include <iconv.h>

#include <cerrno>

namespace platform {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// Length of the valid UTF-8 sequence at bytes[i], or 0 when none starts there
// (overlong forms, surrogates and values above U+10FFFF are invalid).
size_t Utf8SequenceLength(std::string_view bytes, size_t i)
{
    const auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char c = at(i);
    if (c < 0x80)
        return 1;
    size_t length;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0)
            low = 0xA0;
        else if (c == 0xED)
            high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0)
            low = 0x90;
        else if (c == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    if (at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (size_t k = 2; k < length; ++k)
        if ((at(i + k) & 0xC0) != 0x80)
            return 0;
    return length;
}

class Converter {
public:
    explicit Converter(const char* from)
        : cd_(iconv_open("UTF-8", from))
    {
    }
    ~Converter()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string Convert(std::string_view input)
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            return MakeValidUtf8(input);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr); // back to the initial shift state
        std::string out;
        out.reserve(input.size() * 3 / 2 + 4);
        char buffer[1024];
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        while (inLeft > 0) {
            char* o = buffer;
            size_t oLeft = sizeof buffer;
            size_t r = iconv(cd_, &in, &inLeft, &o, &oLeft);
            out.append(buffer, static_cast<size_t>(o - buffer));
            if (r != static_cast<size_t>(-1))
                break;
            if (errno == E2BIG)
                continue;
            // EILSEQ or a sequence cut off at the end: replace one byte and go on.
            out += kReplacement;
            ++in;
            --inLeft;
        }
        char* o = buffer;
        size_t oLeft = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &o, &oLeft);
        out.append(buffer, static_cast<size_t>(o - buffer));
        // iconv may pass through what a table maps to nothing; the result must stay valid.
        if (IsValidUtf8(out))
            return out;
        return MakeValidUtf8(out);
    }

private:
    iconv_t cd_;
};

} // namespace

void AppendUtf8(std::string& out, char32_t cp)
{
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
        out += kReplacement;
    } else if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view bytes)
{
    for (size_t i = 0; i < bytes.size();) {
        size_t n = Utf8SequenceLength(bytes, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string MakeValidUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        size_t n = Utf8SequenceLength(bytes, i);
        if (n == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(bytes.data() + i, n);
            i += n;
        }
    }
    return out;
}

// One descriptor per thread and encoding: iconv descriptors carry state.
std::string Cp932ToUtf8(std::string_view bytes)
{
    thread_local Converter cp932("CP932");
    return cp932.Convert(bytes);
}

std::string JisToUtf8(std::string_view bytes)
{
    thread_local Converter jis("ISO-2022-JP");
    return jis.Convert(bytes);
}

std::string DecodeText(std::string_view bytes)
{
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return Cp932ToUtf8(bytes);
}

} // namespace platform
