// Canon notes (kind 8): the camera settings (tag 0x0001), shot information
// (0x0004) and colour information (0x00A0) records, each unpacked into items
// of its own, the lens range, and the firmware-style BYTE texts.
#include <span>

#include "metadata/NumberText.h"
#include "metadata/ValueText.h"
#include "metadata/makernotes/NoteRules.h"

namespace metadata::makernote {

namespace {

constexpr int32_t kShotInfoBase = 0x900000;
constexpr int32_t kCameraSettingsBase = 0x910000;
constexpr int32_t kColourInfoBase = 0x920000;

struct Element {
    uint32_t index;
    const char* name;
    Choices choices;
    bool isSigned = false;
    Choices clearing = {}; // values that give no item
    Other other = Other::kUnknown;
    bool lens = false; // the focal units, shown as the lens range
};

const Choices kLowHigh = { { -1, "低" }, { 0, "標準" }, { 1, "高" } };

const Element kCameraSettings[] = {
    { 1, "マクロモード", { { 1, "オン" }, { 2, "オフ" } } },
    { 2, "セルフタイマ", { { 0, "なし" }, { 100, "10秒" } } },
    { 3, "圧縮率", { { 2, "Normal" }, { 3, "Fine" }, { 4, "RAW" }, { 5, "SuperFine" } } },
    { 4, "フラッシュモード",
        { { 0, "禁止" }, { 1, "自動" }, { 2, "強制" }, { 3, "赤目緩和" }, { 4, "スローシンクロ" },
            { 5, "赤目緩和オート" }, { 6, "赤目緩和オン" }, { 16, "外部フラッシュ使用" } } },
    { 5, "連写モード", { { 0, "シングル" }, { 1, "連写" } } },
    { 7, "フォーカスモード ",
        { { 0, "ワンショット" }, { 1, "AIサーボ" }, { 2, "AIフォーカス" }, { 3, "マニュアルフォーカス" },
            { 6, "マニュアルフォーカス" }, { 4, "シングルフォーカス" }, { 5, "連続フォーカス" } } },
    { 10, "画像サイズ", { { 0, "Large" }, { 1, "Medium" }, { 2, "Small" } } },
    { 11, "イメージセレクトモード ",
        { { 0, "フルオート" }, { 1, "マニュアル" }, { 2, "風景" }, { 3, "高速シャッター" }, { 4, "スローシャッター" },
            { 5, "夜景" }, { 6, "白黒" }, { 7, "セピア" }, { 8, "ポートレート" }, { 9, "スポーツ" },
            { 10, "マクロ/クローズアップ" }, { 11, "パンフォーカス" } } },
    { 12, "デジタルズーム", { { 0, "なし" }, { 1, "２倍" }, { 2, "４倍" } } },
    { 13, "コントラスト", kLowHigh, true, { { 32767, nullptr } } },
    { 14, "彩度", kLowHigh, true, { { 32767, nullptr } } },
    { 15, "シャープネス", kLowHigh, true, { { 32767, nullptr } } },
    { 16, "CCD感度",
        { { 1, "ISO200" }, { 2, "ISO400" }, { 15, "AUTO" }, { 16, "ISO50" }, { 17, "ISO100" }, { 18, "ISO200" },
            { 19, "ISO400" } },
        false, { { 0, nullptr }, { 32767, nullptr } } },
    { 17, "測光方式",
        { { 0, "中央重点測光" }, { 1, "スポット測光" }, { 3, "評価測光" }, { 4, "中央部部分測光" },
            { 5, "中央部重点平均測光 " } } },
    { 18, "フォーカスタイプ", { { 0, "マニュアル" }, { 1, "オート" }, { 3, "マクロ" }, { 8, "固定" } } },
    { 19, "AFポイント選択",
        { { 12288, "無し" }, { 12289, "自動選択" }, { 12290, "右" }, { 12291, "中央" }, { 12292, "左" } } },
    { 20, "露出制御モード",
        { { 0, "イメージセレクト" }, { 1, "プログラムAE" }, { 2, "シャッター速度優先AE" }, { 3, "絞り優先AE" },
            { 4, "マニュアル設定" }, { 5, "自動深度優先(A-DEP)" } } },
    { 25, "レンズ焦点距離", {}, false, {}, Other::kUnknown, true },
    { 28, "フラッシュ状態", { { 0, "オフ" }, { 1, "発光" } }, false, { { 65535, nullptr } } },
    { 42, "カラートーン", kLowHigh, true, { { 32767, nullptr } } },
};

const Element kShotInfo[] = {
    { 7, "ホワイトバランス",
        { { 0, "オート" }, { 1, "屋外" }, { 2, "曇り" }, { 3, "白熱灯" }, { 4, "蛍光灯" }, { 5, "フラッシュ" },
            { 6, "カスタム" }, { 9, "5200K" }, { 14, "蛍光灯 H" } } },
    { 10, "光学ズームステップ値", {}, false, {}, Other::kDecimal },
    { 15, "フラッシュ発光強度補正",
        { { 0, "0 EV " }, { 12, "0.33 EV" }, { 16, "0.50 EV" }, { 20, "0.67 EV" }, { 32, "1 EV" }, { 44, "1.33 EV" },
            { 48, "1.50 EV" }, { 52, "1.67 EV" }, { 64, "2 EV" }, { 65472, "-2 EV" }, { 65484, "-1.67 EV" },
            { 65488, "-1.50 EV" }, { 65492, "-1.33 EV" }, { 65504, "-1 EV" }, { 65516, "-0.67 EV" },
            { 65520, "-0.50 EV" }, { 65524, "-0.33 EV" } } },
};

const Element kColourInfo[] = {
    { 2, "シャープネス", { { 0, "標準" }, { 1, "1" }, { 2, "2" }, { 3, "3" }, { 4, "4" }, { 5, "5" } } },
    { 10, "カラーマトリックス",
        { { 1, "マトリックス1(sRGB)" }, { 2, "マトリックス2(sRGB)" }, { 3, "マトリックス3(sRGB)" },
            { 4, "マトリックス4(AdobeRGB)" }, { 5, "マトリックス5(sRGB)" } } },
};

constexpr uint32_t kShortestFocal = 24, kLongestFocal = 23;

// Lens range from the focal lengths in focal units; no item when the units are 0.
void LensItem(NoteContext& note, EntryValue& v, const Element& el, uint16_t units)
{
    if (units == 0)
        return;
    const double wide = static_cast<double>(v.Short(kShortestFocal)) / units;
    const double tele = static_cast<double>(v.Short(kLongestFocal)) / units;
    note.target.LensWide = wide;
    note.target.LensTele = tele;
    std::string text = GeneralFloatText(wide);
    if (wide != tele)
        text += "-" + GeneralFloatText(tele);
    note.Add(kCameraSettingsBase + static_cast<int32_t>(el.index), el.name, text + "(mm)");
}

// The named elements below the value's count, in element order.
void Unpack(NoteContext& note, EntryValue& v, int32_t keyBase, std::span<const Element> elements)
{
    const uint32_t count = v.Entry().count;
    for (const Element& el : elements) {
        if (el.index >= count)
            continue;
        const uint16_t raw = v.Short(el.index);
        const int64_t value = el.isSigned ? static_cast<int16_t>(raw) : raw;
        if (el.lens) {
            LensItem(note, v, el, raw);
            continue;
        }
        bool cleared = false;
        for (const Choice& c : el.clearing)
            cleared = cleared || c.value == value;
        if (!cleared)
            note.Add(keyBase + static_cast<int32_t>(el.index), el.name, Choose(value, el.choices, el.other));
    }
}

} // namespace

std::optional<std::string> CanonRule(NoteContext& note, EntryValue& v, std::string&)
{
    const TiffEntry& e = v.Entry();
    if (e.type == kByte && e.tag == 0x000D) {
        v.RequireInFile();
        const uint32_t n = e.count;
        return JoinValues(n, ".", [&](uint32_t i) { return HexByte(v.Byte(v.LittleEndian() ? n - 1 - i : i)); });
    }
    if (e.type != kShort || (e.tag != 0x0001 && e.tag != 0x0004 && e.tag != 0x00A0))
        return std::nullopt;
    v.RequireInFile();
    std::string text = JoinValues(e.count, " ", [&](uint32_t i) { return HexText(v.Short(i), 4); });
    if (e.tag == 0x0001)
        Unpack(note, v, kCameraSettingsBase, kCameraSettings);
    else if (e.tag == 0x0004)
        Unpack(note, v, kShotInfoBase, kShotInfo);
    else
        Unpack(note, v, kColourInfoBase, kColourInfo);
    return text;
}

} // namespace metadata::makernote
