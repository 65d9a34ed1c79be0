#include "metadata/EnumTexts.h"

#include <algorithm>
#include <vector>

#include "metadata/NumberText.h"

namespace metadata {

namespace {

enum Fallback { kUnknownSpaced, kUnknownTight, kFumei };

struct EnumValue {
    uint16_t value;
    const char* text;
};

struct EnumTable {
    uint16_t tag;
    Fallback fallback;
    std::vector<EnumValue> values;
};

const std::vector<EnumTable>& Tables()
{
    static const std::vector<EnumTable> tables = {
        { 259, kUnknownSpaced,
            { { 1, "非圧縮" }, { 2, "CCITT 1D" }, { 3, "Group 3 Fax" }, { 4, "Group 4 Fax" }, { 5, "LZW" },
                { 6, "OLDJPEG" }, { 7, "JPEG" }, { 9, "JBIG, per T.85" }, { 10, "JBIG, per T.43" },
                { 32766, "NeXT 2-bit" }, { 32773, "PackBits" }, { 32809, "ThunderScan 4-bit" }, { 32946, "ZIP" },
                { 34999, "PKZIP-style Deflate" } } }, // Compression
        { 262, kUnknownSpaced,
            { { 0, "白黒(WhiteIsZero)" }, { 1, "白黒(BlackIsZero)" }, { 2, "RGB" }, { 3, "RGBPALETTE" },
                { 4, "TRANSPMASK" }, { 5, "CMYK" }, { 6, "YCbCr" }, { 8, "CIELAB" }, { 9, "ICCLAB" }, { 10, "ITULAB" },
                { 32803, "CFA" } } }, // PhotometricInterpretation
        { 274, kUnknownSpaced,
            { { 1, "左上" }, { 2, "右上" }, { 3, "右下" }, { 4, "左下" }, { 5, "左上" }, { 6, "右下" }, { 7, "右下" },
                { 8, "左下(縦位置)" }, { 9, "未定義" } } }, // Orientation
        { 284, kUnknownSpaced, { { 1, "点順次フォーマット" }, { 2, "面順次フォーマット" } } }, // PlanarConfiguration
        { 296, kUnknownSpaced, { { 1, "単位定義なし" }, { 2, "インチ" }, { 3, "センチメートル" } } }, // ResolutionUnit
        { 531, kUnknownSpaced, { { 1, "中心" }, { 2, "一致" } } }, // YCbCrPositioning
        { 34850, kFumei,
            { { 1, "マニュアル設定" }, { 2, "プログラムAE" }, { 3, "絞り優先AE" }, { 4, "シャッター速度優先AE" },
                { 5, "Creative プログラム" }, { 6, "Action プログラム" }, { 7, "ポートレートモード" },
                { 8, "風景モード" } } }, // ExposureProgram
        { 37383, kFumei,
            { { 1, "平均測光" }, { 2, "中央重点測光" }, { 3, "スポット測光" }, { 4, "マルチスポット測光" },
                { 5, "分割測光" }, { 6, "部分測光" } } }, // MeteringMode
        { 37384, kFumei,
            { { 0, "自動" }, { 1, "昼光" }, { 2, "蛍光灯" }, { 3, "白熱電球" }, { 4, "フラッシュ" }, { 9, "晴天" },
                { 10, "曇天" }, { 11, "日陰" }, { 12, "昼光色蛍光灯" }, { 13, "昼白色蛍光灯" }, { 14, "冷白色蛍光灯" },
                { 15, "白色蛍光灯" }, { 17, "標準光源 A" }, { 18, "標準光源 B" }, { 19, "標準光源 C" }, { 20, "D55" },
                { 21, "D65" }, { 22, "D75" }, { 23, "D50" }, { 24, "ISO studio tungsten" },
                { 255, "その他" } } }, // LightSource
        { 37385, kUnknownTight,
            { { 0, "オフ" }, { 1, "発光" }, { 4, "オフ・リターン不検出" }, { 5, "発光・リターン不検出" },
                { 7, "発光・リターン検出" }, { 13, "強制発光・リターン不検出" }, { 15, "強制発光・リターン検出" },
                { 16, "発光禁止" }, { 24, "オフ(自動)" }, { 25, "発光(自動)" }, { 29, "発光(自動)・リターン不検出" },
                { 31, "発光(自動)・リターン検出" }, { 32, "オフ" }, { 65, "発光(赤目軽減)" },
                { 69, "発光(赤目軽減)・リターン不検出" }, { 71, "発光(赤目軽減)・リターン検出" },
                { 73, "強制発光(赤目軽減)" }, { 77, "強制発光(赤目軽減)・リターン不検出" },
                { 79, "強制発光(赤目軽減)・リターン検出" }, { 89, "発光(自動・赤目軽減)" },
                { 93, "発光(自動・赤目軽減)・リターン不検出" },
                { 95, "発光(自動・赤目軽減)・リターン検出" } } }, // Flash
        { 37399, kUnknownTight,
            { { 1, "モノクロームエリアセンサー" }, { 2, "１チップカラーエリアセンサー" },
                { 3, "２チップカラーエリアセンサー" }, { 4, "３チップカラーエリアセンサー" },
                { 5, "カラーシーケンシャルエリアセンサー" }, { 6, "モノクロームリニアセンサー" },
                { 7, "トリリニアセンサー" }, { 8, "カラーシーケンシャルリニアセンサー" } } }, // SensingMethod
        { 41495, kUnknownTight,
            { { 1, "モノクロームエリアセンサー" }, { 2, "１チップカラーエリアセンサー" },
                { 3, "２チップカラーエリアセンサー" }, { 4, "３チップカラーエリアセンサー" },
                { 5, "カラーシーケンシャルエリアセンサー" }, { 6, "モノクロームリニアセンサー" },
                { 7, "トリリニアセンサー" }, { 8, "カラーシーケンシャルリニアセンサー" } } }, //
        { 40961, kUnknownTight, { { 1, "sRGB" }, { 65535, "sRGB以外" } } }, // ColorSpace
        { 41488, kUnknownTight,
            { { 1, "インチ" }, { 2, "メートル" }, { 3, "センチメートル" }, { 4, "ミリメートル" },
                { 5, "マイクロメートル" } } }, // FocalPlaneResolutionUnit
        { 41985, kUnknownSpaced, { { 0, "通常処理" }, { 1, "カスタム処理" } } }, // CustomRendered
        { 41986, kUnknownSpaced, { { 0, "オート" }, { 1, "マニュアル" }, { 2, "オートブラケット" } } }, // ExposureMode
        { 41987, kUnknownSpaced, { { 0, "オート" }, { 1, "マニュアル" } } }, // WhiteBalance
        { 41990, kUnknownSpaced,
            { { 0, "標準" }, { 1, "風景" }, { 2, "ポートレート" }, { 3, "夜景" } } }, // SceneCaptureType
        { 41991, kUnknownSpaced,
            { { 0, "なし" }, { 1, "Low gain up" }, { 2, "High gain up" }, { 3, "Low gain down" },
                { 4, "High gain down" } } }, // GainControl
        { 41992, kUnknownSpaced, { { 0, "標準" }, { 1, "Soft" }, { 2, "Hard" } } }, // Contrast
        { 41994, kUnknownSpaced, { { 0, "標準" }, { 1, "Soft" }, { 2, "Hard" } } }, //
        { 41993, kUnknownSpaced, { { 0, "標準" }, { 1, "Low" }, { 2, "High" } } }, // Saturation
        { 41996, kUnknownSpaced,
            { { 0, "不明" }, { 1, "マクロ" }, { 2, "近景" }, { 3, "遠景" } } }, // SubjectDistanceRange
    };
    return tables;
}

} // namespace

bool HasEnumText(uint16_t tag)
{
    const auto& tables = Tables();
    return std::any_of(tables.begin(), tables.end(), [tag](const EnumTable& t) { return t.tag == tag; });
}

std::string EnumText(uint16_t tag, uint16_t value)
{
    for (const EnumTable& table : Tables()) {
        if (table.tag != tag)
            continue;
        for (const EnumValue& v : table.values)
            if (v.value == value)
                return v.text;
        switch (table.fallback) {
        case kUnknownSpaced:
            return "Unknown (" + DecimalText(value) + ")";
        case kUnknownTight:
            return "Unknown(" + DecimalText(value) + ")";
        case kFumei:
            return "不明(" + DecimalText(value) + ")";
        }
    }
    return DecimalText(value);
}

} // namespace metadata
