#include "metadata/ValueText.h"

#include <cmath>
#include <optional>

#include "metadata/EnumTexts.h"
#include "metadata/ExifRead.h"
#include "metadata/JisConvert.h"
#include "metadata/NumberText.h"
#include "metadata/TextDecode.h"

namespace metadata {

namespace {

const char kSeconds[] = "秒";

std::string OffsetText(EntryValue& v)
{
    return "Offset:" + DecimalText(static_cast<int64_t>(v.Entry().valueOffset)) + " (" + DecimalText(v.Entry().count)
        + "byte)";
}

// The first four bytes as text (version fields such as "0220").
std::string VersionText(EntryValue& v)
{
    return CleanText(v.RawBytes(4));
}

std::string ComponentsText(EntryValue& v)
{
    static const char* const kNames[] = { "", "Y", "Cb", "Cr", "R", "G", "B" };
    v.RequireInFile();
    std::string text;
    const uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(v.Entry().count, kMaxValueText));
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t c = v.Byte(i);
        if (c >= 1 && c <= 6)
            text += kNames[c];
    }
    return text;
}

// UserComment and CameraOwnerID: an 8-byte character code, then the text.
std::string CommentText(EntryValue& v, bool convertJis)
{
    const TiffEntry& e = v.Entry();
    v.RequireInFile();
    const uint64_t codeLength = std::min<uint64_t>(8, e.count);
    const std::string bytes = v.RawBytes(codeLength + std::min<uint64_t>(e.count - codeLength, kMaxTextBytes));
    const std::string code = bytes.substr(0, codeLength);
    const std::string rest = bytes.substr(codeLength);
    const auto upToNul = [](const std::string& s) { return std::string_view(s).substr(0, s.find('\0')); };
    if (code.find("JIS") != std::string::npos)
        return DecodeFileText(convertJis ? JisToShiftJis(upToNul(rest)) : std::string(upToNul(rest)));
    if (code.find("UNICODE") != std::string::npos)
        return DecodeUtf16Text(rest, v.LittleEndian());
    if (code.find("ASCII") != std::string::npos)
        return DecodeFileText(upToNul(rest));
    std::string kept;
    for (char c : rest)
        if (c != '\0')
            kept += c;
    return DecodeFileText(kept);
}

std::string ReservedText(const char* known, uint8_t expected, uint8_t value)
{
    return value == expected ? std::string(known) : "予約 (" + DecimalText(value) + ")";
}

std::string ExposureTimeText(uint32_t n, uint32_t d)
{
    if (d == 0 || d == 0xFFFFFFFFu)
        return "不明";
    long double q = Quotient(n, d);
    if (q >= 1)
        return FixedText(q, 2) + kSeconds;
    return "1/" + RoundedText(Quotient(d, n)) + kSeconds;
}

// The rule texts of the tags with a rendering of their own (by field type); nothing for other tags.
std::optional<std::string> RationalRuleText(uint16_t tag, EntryValue& v)
{
    auto [n, d] = v.Rational(0);
    switch (tag) {
    case 33434:
        return ExposureTimeText(n, d);
    case 33437:
        return "F" + FixedText(Quotient(n, d), 1);
    case 37378:
    case 37381:
        return "F" + FixedText(std::pow(std::sqrt(2.0L), Quotient(n, d)), 1);
    case 37122:
        return DecimalText(n) + "/" + DecimalText(d) + " (bit/pixel)";
    case 37382:
        if (n == 0xFFFFFFFFu)
            return "無限遠";
        if (n == 0 || d == 0)
            return "不明";
        return FixedText(Quotient(n, d), 6) + "(m)";
    case 37386:
        if (d == 0)
            return "不明";
        return FixedText(Quotient(n, d), 2) + "(mm)";
    default:
        return std::nullopt;
    }
}

std::optional<std::string> SRationalRuleText(uint16_t tag, EntryValue& v)
{
    auto [n, d] = v.SRational(0);
    switch (tag) {
    case 37377: {
        long double q = Quotient(n, d);
        if (q > 0)
            return "1/" + RoundedText(std::pow(2.0L, q)) + kSeconds;
        return FixedText(std::pow(2.0L, -q), 2) + kSeconds;
    }
    case 37379:
    case 37380:
        return "EV" + FixedText(Quotient(n, d), 1);
    default:
        return std::nullopt;
    }
}

std::optional<std::string> ShortRuleText(uint16_t tag, EntryValue& v)
{
    if (tag == 530) {
        uint16_t a = v.Short(0), b = v.Short(1);
        if (a == 2 && b == 1)
            return "YCbCr 4:2:2";
        if (a == 2 && b == 2)
            return "YCbCr 4:2:0";
        return DecimalText(a) + "," + DecimalText(b);
    }
    if (HasEnumText(tag))
        return EnumText(tag, v.Short(0));
    return std::nullopt;
}

} // namespace

std::string RoundedText(long double value)
{
    const long double rounded = RoundHalfEven(value);
    if (!std::isfinite(rounded) || std::fabs(rounded) > 9e18L)
        throw ExifReadError("value out of range");
    return DecimalText(static_cast<int64_t>(rounded));
}

long double Quotient(long double numerator, long double denominator)
{
    if (denominator == 0)
        throw ExifReadError("zero denominator");
    return numerator / denominator;
}

std::string CleanText(std::string_view bytes)
{
    // A text ends at its first NUL (what follows is padding or left-over bytes).
    std::string kept(bytes.substr(0, bytes.find('\0')));
    while (!kept.empty() && static_cast<uint8_t>(kept.back()) <= 0x20)
        kept.pop_back();
    return DecodeFileText(kept);
}

std::string AsciiValueText(EntryValue& v)
{
    v.RequireInFile();
    return CleanText(v.RawBytes(std::min<uint64_t>(v.Entry().count, kMaxTextBytes)));
}

std::string GenericValueText(EntryValue& v)
{
    const uint32_t count = v.Entry().count;
    switch (v.Entry().type) {
    case kByte:
        v.RequireInFile();
        return JoinValues(count, "", [&](uint32_t i) { return HexByte(v.Byte(i)); });
    case kAscii:
        return AsciiValueText(v);
    case kShort:
        v.RequireInFile();
        return JoinValues(count, ",", [&](uint32_t i) { return DecimalText(v.Short(i)); });
    case kLong:
        v.RequireInFile();
        return JoinValues(count, ",", [&](uint32_t i) { return DecimalText(v.Long(i)); });
    case kRational:
        v.RequireInFile();
        return JoinValues(count, ",", [&](uint32_t i) {
            auto [n, d] = v.Rational(i);
            return FractionText(n, d);
        });
    case kUndefined:
        return DecimalText(count) + " Bytes";
    case kSRational:
        v.RequireInFile();
        return JoinValues(count, ",", [&](uint32_t i) {
            auto [n, d] = v.SRational(i);
            return FractionText(n, d);
        });
    case kDouble:
        v.RequireInFile();
        return JoinValues(count, ",", [&](uint32_t i) { return GeneralFloatText(v.Double(i)); });
    default:
        return std::string();
    }
}

std::string TiffValueText(EntryValue& v)
{
    const TiffEntry& e = v.Entry();
    const uint16_t tag = e.tag;
    switch (e.type) {
    case kByte:
        if (tag == 34377 || tag == 33723)
            return OffsetText(v);
        if (tag == 37398) {
            v.RequireInFile();
            return JoinValues(e.count, ".", [&](uint32_t i) { return DecimalText(v.Byte(i)); });
        }
        break;
    case kLong:
        if (tag == 50030 || tag == 50031)
            return "Offset:" + GenericValueText(v);
        break;
    case kUndefined:
        switch (tag) {
        case 36864:
        case 50021:
        case 40960:
            return VersionText(v);
        case 37121:
            return ComponentsText(v);
        case 37510:
            return CommentText(v, true);
        case 50003:
            return CommentText(v, false);
        case 41728:
            return ReservedText("DSC", 3, v.Byte(0));
        case 41729:
            return ReservedText("直接撮影された画像", 1, v.Byte(0));
        default:
            break;
        }
        break;
    case kRational:
        if (auto text = RationalRuleText(tag, v))
            return *text;
        break;
    case kSRational:
        if (auto text = SRationalRuleText(tag, v))
            return *text;
        break;
    case kShort:
        if (auto text = ShortRuleText(tag, v))
            return *text;
        break;
    default:
        break;
    }
    return GenericValueText(v);
}

} // namespace metadata
