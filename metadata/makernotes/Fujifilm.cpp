// Fujifilm notes (kind 12; the DS-230HD's kind 14 shares the version text).
#include "metadata/makernotes/NoteRules.h"

namespace metadata::makernote {

std::optional<std::string> FujifilmRule(NoteContext& note, EntryValue& v, std::string&)
{
    const TiffEntry& e = v.Entry();
    if (e.type == kUndefined && e.tag == 0x0000)
        return TextWithoutNul(v);
    if (note.kind != kFujifilm)
        return std::nullopt;
    const Choices offOn = { { 0, "オフ" }, { 1, "オン" } };
    const Choices goodPoor = { { 0, "良好" }, { 1, "不良" } };
    return ShortRuleText(v,
        { { 0x1001, { { 1, "-" }, { 2, "SOFT" }, { 3, "NORMAL" }, { 4, "HARD" }, { 5, "+" } } },
            { 0x1002,
                { { 0, "オート" }, { 256, "晴天" }, { 512, "日陰" }, { 768, "昼光色蛍光灯" }, { 769, "昼白色蛍光灯" },
                    { 770, "白色蛍光灯" }, { 1024, "電球・白熱灯" }, { 3840, "マニュアル" } } },
            { 0x1003, { { 0, "標準" }, { 256, "HIGH" }, { 512, "ORG" }, { 768, "BW" } } },
            { 0x1004, { { 0, "標準" }, { 256, "HARD" }, { 512, "ORG" } } },
            { 0x1010, { { 0, "オート" }, { 1, "強制発光" }, { 2, "発光禁止" }, { 3, "赤目軽減" } } }, { 0x1020, offOn },
            { 0x1030, offOn }, { 0x1100, offOn },
            { 0x1021, { { 0, "オートフォーカス" }, { 1, "マニュアルフォーカス" } } },
            { 0x1031,
                { { 0, "オート" }, { 1, "ポートレート" }, { 2, "風景" }, { 3, "スポーツ" }, { 5, "夜景" },
                    { 6, "プログラムAE" }, { 256, "絞り優先AE" }, { 512, "シャッター速度優先AE" },
                    { 768, "マニュアル" } } },
            { 0x1300, { { 0, "なし" }, { 1, "あり" } } }, { 0x1301, goodPoor }, { 0x1302, goodPoor } });
}

} // namespace metadata::makernote
