#include "metadata/makernotes/NoteRules.h"

#include "metadata/NumberText.h"
#include "metadata/TextDecode.h"
#include "metadata/ValueText.h"

namespace metadata::makernote {

void NoteContext::Add(int32_t key, std::string name, std::string value)
{
    if (target.Count >= kMaxMakerItems)
        return;
    target.Items.push_back({ key, std::move(name), std::move(value) });
    target.Count = static_cast<int32_t>(target.Items.size());
}

const char* Find(int64_t value, Choices choices)
{
    for (const Choice& c : choices)
        if (c.value == value)
            return c.text;
    return nullptr;
}

std::string OtherText(int64_t value, Other other)
{
    switch (other) {
    case Other::kUnknown:
        return "Unknown (" + DecimalText(value) + ")";
    case Other::kUnknownTight:
        return "Unknown(" + DecimalText(value) + ")";
    case Other::kFumei:
        return "不明(" + DecimalText(value) + ")";
    case Other::kDecimal:
        break;
    }
    return DecimalText(value);
}

std::string Choose(int64_t value, Choices choices, Other other)
{
    if (const char* text = Find(value, choices))
        return text;
    return OtherText(value, other);
}

std::optional<std::string> ShortRuleText(EntryValue& v, std::initializer_list<ShortRule> rules)
{
    if (v.Entry().type != kShort)
        return std::nullopt;
    for (const ShortRule& rule : rules)
        if (rule.tag == v.Entry().tag)
            return Choose(v.Short(0), rule.choices, rule.other);
    return std::nullopt;
}

uint64_t OffsetFromTiffBase(const NoteContext& note, const EntryValue& v)
{
    return v.Entry().valuePos - note.tiffBase;
}

std::string BlockOffsetText(const NoteContext& note, const EntryValue& v)
{
    return "Offset:" + DecimalText(static_cast<int64_t>(OffsetFromTiffBase(note, v))) + " ("
        + DecimalText(v.Entry().count) + "byte)";
}

std::string HexBytesText(EntryValue& v)
{
    v.RequireInFile();
    const std::string bytes = v.RawBytes(std::min<uint64_t>(v.Entry().count, kMaxValueText / 2));
    std::string text;
    text.reserve(bytes.size() * 2);
    for (char c : bytes)
        text += HexByte(static_cast<uint8_t>(c));
    return text;
}

std::string TextWithoutNul(EntryValue& v)
{
    v.RequireInFile();
    const std::string bytes = v.RawBytes(std::min<uint64_t>(v.Entry().count, kMaxTextBytes));
    std::string kept;
    for (char c : bytes)
        if (c != '\0')
            kept += c;
    return DecodeFileText(kept);
}

std::string QuotientOrFraction(uint32_t n, uint32_t d, int decimals)
{
    if (d == 0)
        return FractionText(n, d);
    return FixedText(static_cast<long double>(n) / d, decimals);
}

std::optional<std::string> ZoomRatioText(EntryValue& v)
{
    auto [n, d] = v.Rational(0);
    if (n == 0)
        return "1.00 倍";
    if (d == 0)
        return std::nullopt;
    return FixedText(static_cast<long double>(n) / d, 6) + " 倍";
}

} // namespace metadata::makernote
