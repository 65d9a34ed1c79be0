// Minolta DiMAGE notes (kind 18): the camera-settings block of 32-bit
// big-endian values, unpacked into items keyed by their element number.
#include <span>

#include "metadata/NumberText.h"
#include "metadata/ValueText.h"
#include "metadata/makernotes/NoteRules.h"

namespace metadata::makernote {

namespace {

struct Setting {
    uint32_t index;
    const char* name;
    Choices choices;
};

const Choices kSteps = { { 0, "-3" }, { 1, "-2" }, { 2, "-1" }, { 3, "標準" }, { 4, "+1" }, { 5, "+2" }, { 6, "+3" } };

const Setting kSettings[] = {
    { 1, "露出モード",
        { { 0, "P (プログラムモード)" }, { 1, "A (絞り優先モード)" }, { 2, "S (シャッター速度優先モード)" },
            { 3, "M (マニュアルモード)" } } },
    { 2, "フラッシュモード", { { 0, "通常発光" }, { 1, "赤目軽減発光" }, { 2, "後幕シンクロ" } } },
    { 3, "ホワイトバランス",
        { { 0, "オート" }, { 1, "昼光" }, { 2, "曇天" }, { 3, "白熱灯" }, { 4, "蛍光灯" }, { 5, "カスタム" },
            { 7, "蛍光灯" } } },
    { 4, "画像サイズ",
        { { 0, "2560x1920 (FULL)" }, { 1, "1600x1200 (UXGA)" }, { 2, "1280x960 (SXGA)" }, { 3, "640x480 (VGA)" } } },
    { 5, "クオリティ",
        { { 0, "CCDRAW" }, { 1, "スーパーファイン(超高画質TIFF画像)" }, { 2, "ファイン(高画質JPEG画像)" },
            { 3, "スタンダード(標準JPEG画像)" }, { 4, "エコノミー(低画質JPEG画像)" } } },
    { 6, "ドライブモード",
        { { 0, "１コマ撮影" }, { 1, "連続撮影" }, { 2, "セルフタイマー撮影" }, { 4, "DEB撮影" },
            { 5, "インターバル撮影" } } },
    { 7, "測光モード", { { 0, "多分割測光" }, { 1, "中央重点的平均測光" }, { 2, "スポット測光" } } },
    { 11, "マクロモード", { { 0, "オフ" }, { 1, "オン" } } },
    { 20, "フラッシュ状態", { { 0, "オフ" }, { 1, "発光" } } },
    { 31, "彩度補正", kSteps },
    { 32, "コントラスト補正", kSteps },
    { 33, "シャープネス", { { 0, "ハード" }, { 1, "標準" }, { 2, "ソフト" } } },
    { 34, "シーンセレクタ",
        { { 0, "なし" }, { 1, "ポートレート" }, { 2, "テキスト" }, { 3, "夜景" }, { 4, "夕景" }, { 5, "スポーツ" } } },
    { 35, "フラッシュ調光補正",
        { { 0, "-2.0" }, { 1, "-1.7" }, { 2, "-1.3" }, { 3, "-1.0" }, { 4, "-0.7" }, { 5, "-0.3" }, { 6, "±0" },
            { 7, "+0.3" }, { 8, "+0.7" }, { 9, "+1.0" }, { 10, "+1.3" }, { 11, "+1.7" }, { 12, "+2.0" } } },
};

std::string CameraSettings(NoteContext& note, EntryValue& v)
{
    v.RequireInFile();
    const uint32_t values = v.Entry().count / 4;
    FileReader& file = v.File();
    const uint64_t start = v.Entry().valuePos;
    const auto element = [&](uint32_t i) { return file.U32(start + 4 * static_cast<uint64_t>(i), false); };
    std::string text = JoinValues(values, "", [&](uint32_t i) { return "," + HexText(element(i), 8); });
    for (const Setting& s : kSettings)
        if (s.index < values)
            note.Add(static_cast<int32_t>(s.index), s.name, Choose(element(s.index), s.choices));
    return text;
}

} // namespace

std::optional<std::string> MinoltaRule(NoteContext& note, EntryValue& v, std::string&)
{
    const TiffEntry& e = v.Entry();
    if (e.type != kUndefined || note.kind != kMinolta)
        return std::nullopt;
    switch (e.tag) {
    case 0x0000:
        return TextWithoutNul(v);
    case 0x0001:
        return CameraSettings(note, v);
    case 0x0081:
        return DecimalText(e.count) + "Byte (Offset:"
            + DecimalText(static_cast<int64_t>(OffsetFromTiffBase(note, v) + note.tiffBase + 1)) + ") JPEG形式";
    default:
        return std::nullopt;
    }
}

} // namespace metadata::makernote
