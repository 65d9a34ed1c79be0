// The makers with only a few rules of their own: Sanyo (kind 3), Ricoh Caplio
// (20), Panasonic (25), and the PrintIM block that most makers store.
#include "metadata/makernotes/NoteRules.h"

namespace metadata::makernote {

std::optional<std::string> SanyoRule(NoteContext&, EntryValue& v, std::string&)
{
    const Choices offOn = { { 0, "オフ" }, { 1, "オン" } };
    return ShortRuleText(
        v, { { 0x0202, { { 0, "通常" }, { 1, "マクロ" }, { 2, "遠景" } } }, { 0x020F, offOn }, { 0x0210, offOn } });
}

std::optional<std::string> RicohRule(NoteContext& note, EntryValue& v, std::string&)
{
    const TiffEntry& e = v.Entry();
    if (e.type != kUndefined)
        return std::nullopt;
    if (e.tag == 0x1001)
        return HexWithPictureSettings(note, v);
    if (e.tag == 0x2001) {
        std::string text = TextWithoutNul(v);
        if (text.rfind("[Ricoh Camera Info]", 0) == 0)
            return BlockOffsetText(note, v);
        return text;
    }
    return std::nullopt;
}

std::optional<std::string> PanasonicRule(NoteContext&, EntryValue& v, std::string&)
{
    if (v.Entry().type == kUndefined && v.Entry().tag == 0x0002)
        return TextWithoutNul(v);
    return ShortRuleText(v, { { 0x001C, { { 1, "オン" }, { 2, "オフ" } } } });
}

std::optional<std::string> PrintImRule(NoteContext& note, EntryValue& v, std::string&)
{
    const TiffEntry& e = v.Entry();
    if (e.type != kUndefined)
        return std::nullopt;
    static const int32_t kWithPrintIm[] = { kEpson, kSanyo, kNikon, kCasio, kKonica, kSony, kMinolta, kPentaxOptio,
        kRicohCaplio, kKyocera, kPanasonic };
    bool listed = false;
    for (int32_t kind : kWithPrintIm)
        listed = listed || kind == note.kind;
    if (listed && (e.tag == 0x0E00 || (note.kind == kKyocera && e.tag == 0x0001)))
        return BlockOffsetText(note, v);
    return std::nullopt;
}

} // namespace metadata::makernote
