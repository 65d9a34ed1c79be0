// Olympus and Agfa (kind 1) and Epson (kind 2) notes: enumerated settings, the
// special mode, digital zoom and compression texts, and the picture-settings
// block that the camera types SX552 and SX553 write.
#include "metadata/NumberText.h"
#include "metadata/makernotes/NoteRules.h"

namespace metadata::makernote {

namespace {

const Choices kOffOn = { { 0, "オフ" }, { 1, "オン" } };
const Choices kMacro = { { 0, "オフ" }, { 1, "オン" }, { 2, "スーパーマクロモード" } };

std::string WhiteBalanceText(EntryValue& v)
{
    const uint16_t a = v.Short(0);
    const uint16_t b = v.Entry().count > 1 ? v.Short(1) : 0;
    if (a == 1)
        return "オート";
    if (a == 3)
        return "ワンタッチホワイトバランス";
    if (a == 2) {
        if (const char* text = Find(b,
                { { 2, "3000K" }, { 3, "3700K" }, { 4, "4000K" }, { 5, "4500K" }, { 6, "5500K" }, { 7, "6500K" },
                    { 8, "7500K" } }))
            return text;
    }
    return "Unknown (" + DecimalText(a) + "," + DecimalText(b) + ")";
}

// Shooting mode; in panorama mode also the panorama number and direction. Keys are the element indexes.
void SpecialMode(NoteContext& note, EntryValue& v)
{
    const uint32_t count = v.Entry().count;
    if (count == 0)
        return;
    v.RequireInFile();
    const uint32_t mode = v.Long(0);
    note.Add(0, "撮影モード",
        Choose(mode, { { 0, "通常撮影" }, { 2, "連写モード" }, { 3, "パノラマモード" } }, Other::kFumei));
    if (mode != 3)
        return;
    if (count > 1)
        note.Add(1, "パノラマ番号", DecimalText(v.Long(1)));
    if (count > 2)
        note.Add(2, "パノラマ方向",
            Choose(v.Long(2), { { 1, "左から右" }, { 2, "右から左" }, { 3, "下から上" }, { 4, "上から下" } },
                Other::kFumei));
}

struct PictureSetting {
    uint32_t position;
    const char* name;
    Choices labels;
    const char* otherOpen; // the text before the byte of an unlisted value
};

const Choices kWhiteBalanceCorrection
    = { { 10, "青色+7 (" }, { 11, "青色+6 (" }, { 12, "青色+5 (" }, { 13, "青色+4 (" }, { 14, "青色+3 (" },
          { 16, "青色+2 (" }, { 17, "青色+1 (" }, { 18, "±0 (" }, { 20, "赤色+1 (" }, { 22, "赤色+2 (" },
          { 24, "赤色+3 (" }, { 26, "赤色+4 (" }, { 29, "赤色+5 (" }, { 31, "赤色+6 (" }, { 33, "赤色+7 (" } };

const PictureSetting kSx552[] = {
    { 161, "コントラスト",
        { { 50, "-5 (" }, { 55, "-4 (" }, { 58, "-3 (" }, { 62, "-2 (" }, { 66, "-1 (" }, { 70, "±0 (" },
            { 74, "+1 (" }, { 78, "+2 (" }, { 82, "+3 (" }, { 85, "+4 (" }, { 90, "+5 (" } },
        "(" },
    { 157, "シャープネス",
        { { 3, "-5 (" }, { 4, "-4 (" }, { 6, "-3 (" }, { 7, "-2 (" }, { 8, "-1 (" }, { 13, "±0 (" }, { 10, "+1 (" },
            { 11, "+2 (" }, { 12, "+3 (" }, { 15, "+5 (" } },
        "Unknown(" },
    { 174, "ホワイトバランス補正", kWhiteBalanceCorrection, "Unknown(" },
};

const PictureSetting kSx553[] = {
    { 161, "コントラスト",
        { { 58, "-5 (" }, { 61, "-4 (" }, { 64, "-3 (" }, { 67, "-2 (" }, { 70, "-1 (" }, { 73, "±0 (" },
            { 77, "+1 (" }, { 81, "+2 (" }, { 85, "+3 (" }, { 88, "+4 (" }, { 93, "+5 (" } },
        "Unknown(" },
    { 170, "彩度",
        { { 91, "-5 (" }, { 95, "-4 (" }, { 100, "-3 (" }, { 104, "-2 (" }, { 109, "-1 (" }, { 114, "±0 (" },
            { 115, "±0 (" }, { 118, "+1 (" }, { 123, "+2 (" }, { 127, "+3 (" }, { 132, "+4 (" }, { 136, "+5 (" } },
        "Unknown(" },
    { 157, "シャープネス",
        { { 9, "-5 (" }, { 11, "-4 (" }, { 13, "-3 (" }, { 14, "-2 (" }, { 16, "-1 (" }, { 18, "±0 (" }, { 21, "+1 (" },
            { 23, "+2 (" }, { 25, "+3 (" }, { 27, "+4 (" }, { 29, "+5 (" } },
        "Unknown(" },
    { 174, "ホワイトバランス補正", kWhiteBalanceCorrection, "Unknown(" },
};

// Single bytes at fixed positions of the value; a position at or past the value's length gives no item.
template <size_t N> void PictureSettings(NoteContext& note, EntryValue& v, const PictureSetting (&settings)[N])
{
    for (const PictureSetting& s : settings) {
        if (s.position >= v.Entry().count)
            continue;
        const uint8_t byte = v.Byte(s.position);
        const char* label = Find(byte, s.labels);
        note.Add(-1, s.name, std::string(label ? label : s.otherOpen) + DecimalText(byte) + ")");
    }
}

std::optional<std::string> RationalRule(NoteContext& note, EntryValue& v)
{
    const uint16_t tag = v.Entry().tag;
    if (tag == 0x0204)
        return ZoomRatioText(v);
    if (tag == 0x1034 && note.kind == kOlympus) {
        auto [n, d] = v.Rational(0);
        if (d == 0)
            return std::nullopt;
        return "1/" + GeneralFloatText(static_cast<long double>(n) / d) + " 倍";
    }
    return std::nullopt;
}

} // namespace

std::string HexWithPictureSettings(NoteContext& note, EntryValue& v)
{
    std::string text = HexBytesText(v);
    if (note.cameraType == "SX552")
        PictureSettings(note, v, kSx552);
    else if (note.cameraType == "SX553")
        PictureSettings(note, v, kSx553);
    return text;
}

std::optional<std::string> OlympusRule(NoteContext& note, EntryValue& v, std::string& name)
{
    const TiffEntry& e = v.Entry();
    const bool olympus = note.kind == kOlympus;
    switch (e.type) {
    case kShort:
        if (!olympus)
            return ShortRuleText(v,
                { { 0x0202, kMacro },
                    { 0x0201, { { 1, "標準" }, { 2, "精細" }, { 3, "高精細" }, { 34, "ハイパー" } } } });
        if (e.tag == 0x1015)
            return WhiteBalanceText(v);
        return ShortRuleText(v,
            { { 0x0202, kMacro }, { 0x0302, kOffOn },
                { 0x1004, { { 1, "自動" }, { 2, "赤目軽減" }, { 3, "強制" }, { 4, "オフ" } } },
                { 0x100B, { { 0, "AF" }, { 1, "MF" } } }, { 0x100F, { { 0, "NORMAL" }, { 1, "HARD" }, { 2, "SOFT" } } },
                { 0x1029, { { 0, "HIGH" }, { 1, "NORMAL" }, { 2, "LOW" } } } });
    case kLong:
        if (e.tag == 0x0200 && olympus) {
            name.clear();
            SpecialMode(note, v);
            return std::string();
        }
        if (e.tag == 0x0F00)
            return HexText(v.Long(0), 8);
        return std::nullopt;
    case kRational:
        return RationalRule(note, v);
    case kSRational:
        if (e.tag == 0x1023 && olympus) {
            auto [n, d] = v.SRational(0);
            if (d == 0 || n == 0)
                return "EV±0";
            return "EV" + FixedText(static_cast<long double>(n) / d, 1);
        }
        return std::nullopt;
    case kUndefined:
        if (e.tag == 0x0100 && olympus)
            return DecimalText(e.count)
                + "Byte (Offset:" + DecimalText(static_cast<int64_t>(OffsetFromTiffBase(note, v))) + ")";
        if (e.tag == 0x0209)
            return TextWithoutNul(v);
        if (e.tag == 0x0F00 && olympus)
            return HexWithPictureSettings(note, v);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace metadata::makernote
