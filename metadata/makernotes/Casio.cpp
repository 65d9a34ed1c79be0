// Casio notes of the first type (kind 7). The "QVC\0" notes (kind 27) have names only.
#include "metadata/NumberText.h"
#include "metadata/makernotes/NoteRules.h"

namespace metadata::makernote {

namespace {

const Choices kLevels = { { 0, "標準" }, { 16, "標準" }, { 1, "低" }, { 2, "高" }, { 17, "-2" }, { 18, "-1" },
    { 19, "+1" }, { 20, "+2" } };

// "x" + whole part + "." + two digits of hundredths (rounded in twentieths of 13107).
std::string DigitalZoomText(uint32_t value)
{
    if (value == 65536)
        return "オフ";
    uint32_t whole = value / 65536;
    long double hundredths = RoundHalfEven(static_cast<long double>(value % 65536) / 13107 * 20);
    if (hundredths >= 100) {
        whole += 1;
        hundredths -= 100;
    }
    const int64_t h = static_cast<int64_t>(hundredths);
    return "x" + DecimalText(whole) + "." + (h < 10 ? "0" : "") + DecimalText(h);
}

} // namespace

std::optional<std::string> CasioRule(NoteContext& note, EntryValue& v, std::string& name)
{
    const TiffEntry& e = v.Entry();
    if (e.type == kShort && (e.tag == 0x0005 || e.tag == 0x0019)) {
        const uint16_t value = v.Short(0);
        if (value == 12)
            name.clear();
        return Choose(value, { { 1, "標準" }, { 13, "標準" }, { 2, "弱" }, { 11, "弱" }, { 3, "強" }, { 15, "強" } });
    }
    if (e.type == kLong && e.tag == 0x0006)
        return DecimalText(v.Long(0)) + "(mm)";
    if (e.type == kLong && e.tag == 0x000A)
        return DigitalZoomText(v.Long(0));
    if (e.type == kUndefined && e.tag == 0x001A)
        return HexWithPictureSettings(note, v);
    return ShortRuleText(v,
        { { 0x0001,
              { { 1, "通常撮影" }, { 2, "連続撮影" }, { 3, "連写撮影" }, { 4, "インターバル撮影" },
                  { 5, "タイマー撮影" }, { 7, "パノラマ撮影" }, { 8, "ムービー撮影" }, { 9, "スポーツ撮影" },
                  { 10, "夜景撮影" }, { 11, "白黒撮影" }, { 12, "セピア撮影" }, { 13, "多重露光撮影" },
                  { 14, "AEB撮影" }, { 15, "ポートレート撮影" }, { 16, "風景撮影" }, { 17, "ベストショット" } } },
            { 0x0002, { { 1, "エコノミー" }, { 2, "標準" }, { 3, "高精細" }, { 4, "超高精細" } } },
            { 0x0003,
                { { 1, "固定" }, { 2, "マクロ" }, { 3, "オートフォーカス" }, { 4, "マニュアルフォーカス" },
                    { 5, "無限遠" }, { 6, "マルチエリアAF" }, { 7, "スポットAF" } } },
            { 0x0004,
                { { 1, "自動発光" }, { 2, "強制発光" }, { 3, "スローシンクロ" }, { 4, "発光禁止" },
                    { 5, "赤目軽減" } } },
            { 0x0007,
                { { 1, "オート" }, { 2, "電球" }, { 3, "太陽光" }, { 4, "蛍光灯" }, { 5, "日陰" },
                    { 129, "マニュアル" } } },
            { 0x000B,
                { { 0, "標準" }, { 16, "標準" }, { 1, "ソフト" }, { 2, "ハード" }, { 17, "-2" }, { 18, "-1" },
                    { 19, "+1" }, { 20, "+2" } } },
            { 0x000C, kLevels }, { 0x000D, kLevels },
            { 0x0014, { { 64, "標準" }, { 80, "標準" }, { 125, "+1.0" }, { 250, "+2.0" }, { 244, "+3.0" } },
                Other::kDecimal },
            { 0x0016, { { 1, "オフ" }, { 2, "赤" }, { 3, "緑" }, { 4, "青" }, { 5, "フラッシュトーン" } } },
            { 0x0017,
                { { 1, "オフ" }, { 2, "白黒" }, { 3, "セピア" }, { 4, "赤" }, { 5, "緑" }, { 6, "青" }, { 7, "黄" },
                    { 8, "ピンク" }, { 9, "紫" } } },
            { 0x0018,
                { { 1, "中央" }, { 10, "左上" }, { 11, "中央上" }, { 12, "右上" }, { 13, "左中央" }, { 14, "右中央" },
                    { 15, "左下" }, { 16, "中央下" }, { 17, "右下" } } } });
}

} // namespace metadata::makernote
