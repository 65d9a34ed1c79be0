#include "metadata/TagNames.h"

#include <algorithm>
#include <iterator>

#include "metadata/NumberText.h"

namespace metadata {

namespace {

struct TagName {
    uint16_t tag;
    const char* name;
};

// Sorted by tag number (binary search below).
const TagName kTiffTagNames[] = {
    { 254, "NewSubFileType" },
    { 255, "SubfileType" },
    { 256, "画像の幅" },
    { 257, "画像の高さ" },
    { 258, "画素のビットの深さ" },
    { 259, "圧縮の種類" },
    { 262, "画素構成" },
    { 263, "Threshholding" },
    { 264, "CellWidth" },
    { 265, "CellLength" },
    { 266, "FillOrder" },
    { 269, "DocumentName" },
    { 270, "タイトル" },
    { 271, "メーカー名" },
    { 272, "機種" },
    { 273, "StripOffset" },
    { 274, "画像方向" },
    { 277, "コンポーネント数" },
    { 278, "RowsPerStrip" },
    { 279, "StripByteCounts" },
    { 280, "MinSampleValue" },
    { 281, "MaxSampleValue" },
    { 282, "幅の解像度" },
    { 283, "高さの解像度" },
    { 284, "画像データの並び" },
    { 285, "PageName" },
    { 286, "XPosition" },
    { 287, "YPosition" },
    { 288, "FreeOffsets" },
    { 289, "FreeByteCounts" },
    { 290, "GrayResponseUnit" },
    { 291, "GrayResponseCurve" },
    { 292, "T4Options" },
    { 293, "T6Options" },
    { 296, "解像度単位" },
    { 297, "PageNumber" },
    { 301, "再生階調カーブ特性" },
    { 305, "ソフトウェア" },
    { 306, "変更日時" },
    { 315, "アーティスト" },
    { 316, "HostComputer" },
    { 317, "Predictor" },
    { 318, "ホワイトポイント" },
    { 319, "原色の色度座標値" },
    { 320, "ColorMap" },
    { 322, "TileWidth" },
    { 323, "TileLength" },
    { 324, "TileOffsets" },
    { 325, "TileByteCounts" },
    { 326, "BadFaxLines" },
    { 327, "CleanFaxData" },
    { 328, "ConsecutiveBadFaxLines" },
    { 330, "SubIFDs" },
    { 332, "InkSet" },
    { 333, "InkNames" },
    { 334, "NumberOfInks" },
    { 336, "DotRange" },
    { 338, "ExtraSamples" },
    { 340, "SMinSampleValue" },
    { 341, "SMaxSampleValue" },
    { 342, "TransferRange" },
    { 346, "Indexed" },
    { 347, "JPEGTables" },
    { 400, "GlobalParameterIFD" },
    { 401, "ProfileType" },
    { 402, "FaxProfile" },
    { 403, "CodingMethods" },
    { 404, "VersionYear" },
    { 405, "ModeNumber" },
    { 433, "Decode" },
    { 434, "DefaultImageColor" },
    { 512, "JPEGProc" },
    { 513, "JPEGInterchangeFormat" },
    { 514, "JPEGInterchangeFormatLength" },
    { 515, "JPEGRestartInterval" },
    { 517, "JPEGLosslessPredictors" },
    { 518, "JPEGPointTransforms" },
    { 519, "JPEGQTables" },
    { 520, "JPEGDCTables" },
    { 521, "JPEGACTables" },
    { 529, "色変換マトリクス係数" },
    { 530, "YCbCrSubSampling" },
    { 531, "YCbCrPositioning" },
    { 532, "ReferenceBlackWhite" },
    { 559, "StripRowCounts" },
    { 32932, "Annotation Data" },
    { 33421, "CFARepeatPatternDim" },
    { 33422, "CFAPattern" },
    { 33423, "BatteryLevel" },
    { 33424, "KodakCameraInfoIFD" },
    { 33432, "著作権" },
    { 33434, "露出時間" },
    { 33437, "レンズF値" },
    { 33550, "ModelPixelScale" },
    { 33723, "IPTC/NAA" },
    { 33920, "IntergraphMatrix" },
    { 33922, "ModelTiepoint" },
    { 34264, "ModelTransformation" },
    { 34377, "AdobeResource" },
    { 34665, "Exif情報オフセット" },
    { 34675, "ICCProfile" },
    { 34732, "ImageLayer" },
    { 34735, "GeoKeyDirectoryTag" },
    { 34736, "GeoDoubleParams" },
    { 34737, "GeoAsciiParams" },
    { 34850, "露出制御モード" },
    { 34852, "スペクトル感度" },
    { 34853, "GPS情報オフセット" },
    { 34855, "ISO感度" },
    { 34856, "OECF" },
    { 34857, "Interlace" },
    { 34858, "TimeZoneOffset" },
    { 34859, "SelfTimerMode" },
    { 36864, "Exifバージョン" },
    { 36867, "オリジナル撮影日時" },
    { 36868, "デジタル化日時" },
    { 37121, "各コンポーネントの意味" },
    { 37122, "画像圧縮率" },
    { 37377, "シャッタースピード" },
    { 37378, "レンズ絞り値" },
    { 37379, "対象物の明るさ" },
    { 37380, "露光補正量" },
    { 37381, "開放F値" },
    { 37382, "被写体距離" },
    { 37383, "自動露出測光モード" },
    { 37384, "光源" },
    { 37385, "フラッシュ" },
    { 37386, "レンズの焦点距離" },
    { 37387, "FlashEnergy" },
    { 37388, "SpatialFrequencyResponse" },
    { 37389, "Noise" },
    { 37390, "FocalPlaneXResolution" },
    { 37391, "FocalPlaneYResolution" },
    { 37392, "FocalPlaneResolutionUnit" },
    { 37393, "ImageNumber" },
    { 37394, "SecurityClassification" },
    { 37395, "ImageHistory" },
    { 37396, "SubjectLocation" },
    { 37397, "ExposureIndex" },
    { 37398, "TIFF/EP StandardID" },
    { 37399, "SensingMethod" },
    { 37500, "カメラの内部情報" },
    { 37510, "ユーザーコメント" },
    { 37520, "SubSecTime" },
    { 37521, "SubSecTimeOriginal" },
    { 37522, "SubSecTimeDigitized" },
    { 40001, "送信先" },
    { 40002, "送信先番号" },
    { 40003, "送信元" },
    { 40960, "FlashPixのバージョン" },
    { 40961, "色空間情報" },
    { 40962, "画像幅" },
    { 40963, "画像高さ" },
    { 40964, "サウンドファイル名" },
    { 40965, "ExifR98拡張情報" },
    { 41483, "フラッシュ強度" },
    { 41484, "SpatialFrequencyResponse" },
    { 41486, "CCD画素密度(X)" },
    { 41487, "CCD画素密度(Y)" },
    { 41488, "画素密度の単位" },
    { 41492, "被写体位置" },
    { 41493, "露出インデックス" },
    { 41495, "イメージセンサー方式" },
    { 41728, "ファイルソース" },
    { 41729, "シーンタイプ" },
    { 41730, "CFAPattern" },
    { 41985, "カスタム画像処理" },
    { 41986, "撮影モード" },
    { 41987, "ホワイトバランスモード" },
    { 41988, "デジタルズーム" },
    { 41989, "レンズの焦点距離(35mm)" },
    { 41990, "シーン撮影タイプ" },
    { 41991, "ゲインコントロール" },
    { 41992, "コントラスト" },
    { 41993, "彩度" },
    { 41994, "シャープネス" },
    { 41995, "デバイス設定の説明" },
    { 41996, "被写体の距離範囲" },
    { 42016, "画像識別ID" },
    { 50000, "FilmProductCode" },
    { 50001, "ImageSource" },
    { 50002, "Intended Print Area" },
    { 50003, "CameraOwnerID" },
    { 50004, "CameraSerialNum" },
    { 50005, "GroupCaption" },
    { 50007, "FilmstripIDNumber" },
    { 50009, "ScanFrameSequenceNumber" },
    { 50010, "FilmCategory" },
    { 50011, "FilmGenerationCode" },
    { 50013, "FilmSize" },
    { 50019, "ImageRotationStatus" },
    { 50021, "Metadata VersionNumber" },
    { 50022, "Edit Tag Array" },
    { 50023, "Burst/Time Lapse Sequence" },
    { 50030, "KodakSpecialEffects IFD" },
    { 50031, "KodakBorders IFD" },
};

const char* const kGpsTagNames[] = {
    "GPSタグバージョン", // 0
    "緯度(N/S)", // 1
    "緯度(数値)", // 2
    "経度(E/W)", // 3
    "経度(数値)", // 4
    "高度基準", // 5
    "高度(数値)", // 6
    "GPS時間(UTC)", // 7
    "測位につかった衛星情報", // 8
    "GPS受信機の状態", // 9
    "GPSの測位方法", // 10
    "測位の信頼性", // 11
    "速度の単位", // 12
    "速度(数値)", // 13
    "進行方向基準", // 14
    "進行方向(数値)", // 15
    "撮影した画像の方向基準", // 16
    "撮影した画像の方向", // 17
    "測地系", // 18
    "目的地の緯度(N/S)", // 19
    "目的地の緯度(数値)", // 20
    "目的地の経度(E/W)", // 21
    "目的地の経度(数値)", // 22
    "目的地の方角基準", // 23
    "目的地の方角", // 24
    "目的地までの距離の単位", // 25
    "目的地までの距離", // 26
    "GPS処理方法", // 27
    "GPS地域情報", // 28
    "タイムスタンプ", // 29
    "GPS補正情報", // 30
};

} // namespace

const char* KnownTiffTagName(uint16_t tag)
{
    auto it = std::lower_bound(std::begin(kTiffTagNames), std::end(kTiffTagNames), tag,
        [](const TagName& entry, uint16_t t) { return entry.tag < t; });
    return (it != std::end(kTiffTagNames) && it->tag == tag) ? it->name : nullptr;
}

std::string UnknownTagName(uint16_t tag, uint16_t type, uint32_t count)
{
    return "Unknown (" + HexText(tag, 4) + ")" + DecimalText(type) + "," + DecimalText(count);
}

std::string TiffTagName(uint16_t tag, uint16_t type, uint32_t count)
{
    if (const char* name = KnownTiffTagName(tag))
        return name;
    return UnknownTagName(tag, type, count);
}

std::string GpsTagName(uint16_t tag)
{
    if (tag < std::size(kGpsTagNames))
        return kGpsTagNames[tag];
    return "不明(" + DecimalText(tag) + ")";
}

} // namespace metadata
