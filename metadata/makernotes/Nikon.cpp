// Nikon notes: the old Coolpix notes with the "Nikon" header (kind 5) and the
// notes without it (kind 6: D1, E990 and, read through their embedded TIFF
// header, every "Nikon\0\2" note of today's cameras).
#include "metadata/NumberText.h"
#include "metadata/ValueText.h"
#include "metadata/makernotes/NoteRules.h"

namespace metadata::makernote {

namespace {

std::optional<std::string> HeaderNoteRule(EntryValue& v)
{
    const TiffEntry& e = v.Entry();
    if (e.type == kLong && e.tag == 0x0F00)
        return HexText(v.Long(0), 8);
    if (e.type == kRational && e.tag == 0x000A)
        return ZoomRatioText(v);
    return ShortRuleText(v,
        { { 0x0003,
              { { 1, "VGA BASIC " }, { 2, "VGA NORMAL " }, { 3, "VGA FINE" }, { 4, "XGA BASIC" }, { 5, "XGA NORMAL" },
                  { 6, "XGA FINE" }, { 10, "UVGA BASIC " }, { 11, "UVGA NORMAL " }, { 12, "UXGA FINE" },
                  { 20, "HI(UNCOMPRESS) " } } },
            { 0x0004, { { 1, "カラー撮影" }, { 2, "モノクロ撮影" } } },
            { 0x0005, { { 0, "標準" }, { 1, "BR+ " }, { 2, "BR- " }, { 3, "CONT+" }, { 4, "CONT-" } } },
            { 0x0007,
                { { 0, "自動" }, { 1, "プリセット" }, { 2, "昼光" }, { 3, "白熱電球" }, { 4, "蛍光灯" }, { 5, "曇天" },
                    { 6, "スピードライト" } } },
            { 0x000B, { { 1, "Fisheye Converter" } } } });
}

std::string IsoText(EntryValue& v)
{
    const uint16_t a = v.Short(0);
    const uint16_t b = v.Entry().count > 1 ? v.Short(1) : 0;
    if (b == 0)
        return "---";
    if (a == 0)
        return DecimalText(b);
    if (a == 1)
        return DecimalText(b) + " (増感あり)";
    return DecimalText(b) + DecimalText(a);
}

// A quotient with `decimals`, or n/d when the denominator is 0 (manual lenses write 0/0).
std::string Part(std::pair<uint32_t, uint32_t> r)
{
    return QuotientOrFraction(r.first, r.second, 1);
}

std::string LensText(NoteContext& note, EntryValue& v)
{
    const auto q1 = v.Rational(0), q2 = v.Rational(1), q3 = v.Rational(2), q4 = v.Rational(3);
    if (q1.second != 0 && q2.second != 0) {
        note.target.LensWide = static_cast<double>(q1.first) / q1.second;
        note.target.LensTele = static_cast<double>(q2.first) / q2.second;
    }
    return Part(q1) + "-" + Part(q2) + "(mm)  F" + Part(q3) + "-F" + Part(q4);
}

std::string SignedAdjustment(int16_t value)
{
    if (value == 0)
        return "±0";
    return (value > 0 ? "+" : "") + DecimalText(value);
}

// The data version: little-endian notes hold it as a number (E990: 0x0100), others as text.
std::string DataVersion(EntryValue& v)
{
    const std::string bytes = v.RawBytes(4);
    bool digits = true;
    for (char c : bytes)
        digits = digits && c >= '0' && c <= '9';
    if (v.LittleEndian() && !digits)
        return HexText(v.File().U32(v.Entry().valuePos, true), 4);
    return CleanText(bytes);
}

std::string FocusAreaText(EntryValue& v)
{
    const uint8_t mode = v.Byte(0);
    std::string text = Choose(mode, { { 0, "ダイナミックAF" }, { 1, "シングルエリアAF" } }, Other::kDecimal);
    if (v.Entry().count < 2)
        return text;
    const uint8_t area = v.Byte(1);
    if (const char* where
        = Find(area, { { 0, " (中央)" }, { 1, " (上)" }, { 2, " (下)" }, { 3, " (左)" }, { 4, " (右)" } }))
        return text + where;
    return text + "," + DecimalText(area);
}

} // namespace

std::optional<std::string> NikonRule(NoteContext& note, EntryValue& v, std::string& name)
{
    if (note.kind == kNikonHeader)
        return HeaderNoteRule(v);
    const TiffEntry& e = v.Entry();
    switch (e.type) {
    case kShort:
        if (e.tag == 0x0002)
            return IsoText(v);
        return std::nullopt;
    case kByte:
        if (e.tag == 0x0089)
            return Choose(
                v.Byte(0), { { 0, "１コマ撮影" }, { 1, "連続撮影" }, { 2, "セルフタイマー" } }, Other::kFumei);
        return std::nullopt;
    case kLong:
        if (e.tag == 0x0011) {
            const std::string offset = "Offset:" + DecimalText(v.Long(0));
            if (note.dataVersion != "0100")
                return offset;
            name = "サムネイル画像";
            return offset + " JPEG形式";
        }
        return std::nullopt;
    case kRational:
        if (e.tag == 0x0084 && e.count >= 4)
            return LensText(note, v);
        if (e.tag == 0x0085) {
            auto [n, d] = v.Rational(0);
            if (n == 0)
                return "オフ";
            return FractionText(n, d) + "(m)";
        }
        return std::nullopt;
    case kSShort:
        if (e.tag == 0x000B || e.tag == 0x0094)
            return SignedAdjustment(static_cast<int16_t>(v.Short(0)));
        if (e.tag == 0x0092) {
            const int16_t hue = static_cast<int16_t>(v.Short(0));
            return hue == 3 ? std::string("3 (標準)") : DecimalText(hue);
        }
        return std::nullopt;
    case kUndefined:
        switch (e.tag) {
        case 0x0001:
            note.dataVersion = DataVersion(v);
            return note.dataVersion;
        case 0x0088:
            return FocusAreaText(v);
        case 0x0100:
            return "Offset:" + DecimalText(static_cast<int64_t>(OffsetFromTiffBase(note, v))) + " JPEG形式";
        case 0x000D:
        case 0x000E:
        case 0x008B:
        case 0x0091:
            return HexWithPictureSettings(note, v);
        default:
            return std::nullopt;
        }
    default:
        return std::nullopt;
    }
}

} // namespace metadata::makernote
