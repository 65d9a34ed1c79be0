// Pentax Optio 330/430 notes (kind 19). Today's Pentax notes (kind 26) have names only.
#include "metadata/makernotes/NoteRules.h"

namespace metadata::makernote {

std::optional<std::string> PentaxOptioRule(NoteContext&, EntryValue& v, std::string&)
{
    const TiffEntry& e = v.Entry();
    if (e.type == kLong && e.tag == 0x000A)
        return Choose(v.Long(0), { { 0, "オフ" }, { 8, "2x" } });
    if (e.type == kUndefined && (e.tag == 0x1000 || e.tag == 0x1001))
        return TextWithoutNul(v);
    const Choices lowHigh = { { 0, "標準" }, { 1, "Low" }, { 2, "High" } };
    return ShortRuleText(v,
        { { 0x0001, { { 0, "標準" }, { 1, "夜景" }, { 2, "マニュアル" }, { 3, "動画" }, { 4, "多重露出" } } },
            { 0x0002, { { 0, "エコノミー" }, { 1, "ファイン" }, { 2, "S.ファイン" } } },
            { 0x0003, { { 0, "遠景" }, { 2, "マクロ" }, { 3, "オートフォーカス" } } },
            { 0x0004,
                { { 1, "自動発光" }, { 2, "強制発光" }, { 3, "スローシンクロ" }, { 4, "発光禁止" },
                    { 5, "赤目軽減" } } },
            { 0x0007,
                { { 0, "自動" }, { 1, "昼光" }, { 2, "曇天" }, { 3, "白熱灯" }, { 4, "蛍光灯" },
                    { 5, "マニュアル" } } },
            { 0x000B, lowHigh }, { 0x000C, lowHigh }, { 0x000D, lowHigh } });
}

} // namespace metadata::makernote
