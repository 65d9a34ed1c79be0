#include "metadata/PhotoshopResources.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "metadata/ExifRead.h"
#include "metadata/JisConvert.h"
#include "metadata/NumberText.h"
#include "metadata/TextDecode.h"

namespace metadata {

namespace {

const std::map<int, const char*>& ResourceNames()
{
    static const std::map<int, const char*> names = {
        { 1001, "Macintosh print manager print info" },
        { 1005, "DisplayInfo" },
        { 1007, "Name of the Alpha channels" },
        { 1009, "BorderInfomation" },
        { 1010, "BackgroundColor" },
        { 1011, "PrintFlags" },
        { 1012, "Grayscale and multichannel halftoning information" },
        { 1013, "Color halftoning information" },
        { 1014, "Duotone halftoning information" },
        { 1015, "Grayscale and multichannel transfer function" },
        { 1016, "Color transfer functions" },
        { 1017, "Duotone tranfer functions" },
        { 1018, "Duotone image information" },
        { 1021, "EPS Options" },
        { 1022, "QuickMask Information" },
        { 1024, "Layer state information" },
        { 1025, "Working path" },
        { 1026, "Layers group information" },
        { 1028, "IPTC-NAA" },
        { 1029, "ImageMode(RAW)" },
        { 1030, "JPEG quality" },
        { 1032, "Grid and Guides information" },
        { 1033, "ThumbnailResource" },
        { 1034, "CopyrightFlag" },
        { 1035, "URL" },
        { 1036, "ThumbnailResource" },
        { 1037, "GlobalAngle" },
        { 1038, "Color samplers resource" },
        { 1039, "ICC Profile" },
        { 1040, "Watermark" },
        { 1041, "ICC Untagged" },
        { 1042, "Effects visible" },
        { 1043, "Sopt Haldtone" },
        { 1044, "Document specific IDs" },
        { 1045, "Unicode Alpha Names" },
        { 1046, "Indexed Color Table Count" },
        { 1047, "Tansparent Index" },
        { 1049, "Global Altitude" },
        { 1050, "Slices" },
        { 1051, "Workflow URL" },
        { 1052, "Jump To XPEP" },
        { 1053, "Alpha Identifiers" },
        { 1054, "URL List" },
        { 1057, "Version Info" },
        { 2999, "Name of clipping path" },
        { 10000, "Print flags information" },
    };
    return names;
}

std::string ResourceName(uint16_t id, const std::string& ownName)
{
    std::string name;
    for (char c : ownName)
        if (c != '\0')
            name += c;
    if (!name.empty())
        return DecodeFileText(name);
    const auto& names = ResourceNames();
    if (auto it = names.find(id); it != names.end())
        return it->second;
    return HexText(id, id > 0xFFF ? 4 : (id > 0xFF ? 3 : 2));
}

void AddItem(TMakerResult& result, int32_t key, std::string name, std::string value)
{
    if (result.Count >= kMaxMakerItems)
        return;
    result.Items.push_back({ key, std::move(name), std::move(value) });
    result.Count = static_cast<int32_t>(result.Items.size());
}

std::string HexBytes(const std::vector<uint8_t>& bytes)
{
    std::string out;
    for (uint8_t b : bytes)
        out += HexByte(b);
    return out;
}

std::string WithoutNul(const std::vector<uint8_t>& bytes)
{
    std::string out;
    for (uint8_t b : bytes)
        if (b != 0)
            out += static_cast<char>(b);
    return out;
}

int32_t ClampToInt32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// One resource walk; throws ExifReadError on a read past the end of the file.
void WalkResources(FileReader& file, bool little, int64_t start, int64_t end, TMakerResult& result)
{
    const bool nulNames = file.U8(static_cast<uint64_t>(start)) != 0;
    int64_t pos = nulNames ? start : start + 1;
    while (pos < end) {
        uint8_t signature[4];
        file.ReadExact(static_cast<uint64_t>(pos), signature, 4);
        const uint16_t id = file.U16(static_cast<uint64_t>(pos + 4), little);
        pos += 6;
        std::string ownName;
        if (nulNames) {
            // Up to a NUL that follows another NUL, so an empty name of two NULs is consumed whole.
            char previous = 1;
            while (true) {
                if (pos >= end)
                    return;
                const char c = static_cast<char>(file.U8(static_cast<uint64_t>(pos++)));
                if (c == '\0' && previous == '\0')
                    break;
                ownName += c;
                previous = c;
            }
        } else {
            const uint8_t n = file.U8(static_cast<uint64_t>(pos));
            const std::vector<uint8_t> text = file.ReadRange(static_cast<uint64_t>(pos + 1), n);
            if (text.size() != n)
                return;
            ownName.assign(text.begin(), text.end());
            pos += 1 + (n % 2 == 1 ? n : n + 1);
        }
        int64_t size = file.U32(static_cast<uint64_t>(pos), little);
        pos += 4;
        if (!nulNames)
            size += size % 2;
        const int64_t data = pos;
        if (size > end - data)
            return; // claims more than the block holds
        if (std::memcmp(signature, "8BIM", 4) == 0) {
            std::string value = DecimalText(size) + "Byte";
            if (id == 1036 && size >= 4 && file.U32(static_cast<uint64_t>(data), little) == 1) {
                value = "JPEG形式 (Offset:" + DecimalText(data + 4 + 24) + " Size:" + DecimalText(size) + ")";
            } else if (id == 1028) {
                result.IptcBlockOffset = ClampToInt32(data);
                result.IptcBlockLength = ClampToInt32(size);
            } else if (id == 1030) {
                value = size >= 8 ? HexText(file.U32(static_cast<uint64_t>(data + 4), little), 8) : std::string();
            }
            AddItem(result, id, ResourceName(id, ownName), std::move(value));
        }
        pos = data + size;
    }
}

const char* EnvelopeName(int dataset)
{
    switch (dataset) {
    case 0:
        return "モデルバージョン";
    case 5:
        return "送信先";
    case 20:
        return "ファイルフォーマット";
    case 22:
        return "ファイルフォーマットバージョン";
    case 30:
        return "サービスID";
    case 40:
        return "エンベロープ番号";
    case 50:
        return "プロダクトID ";
    case 60:
        return "エンベロープ優先度";
    case 70:
        return "送信日";
    case 80:
        return "送信時間";
    case 90:
        return "文字コード定義";
    default:
        return nullptr;
    }
}

const char* ApplicationName(int dataset)
{
    static const std::map<int, const char*> names = {
        { 0, "レコードバージョン" },
        { 5, "タイトル" },
        { 7, "編集ステータス" },
        { 10, "緊急度" },
        { 15, "カテゴリー" },
        { 20, "補足カテゴリー" },
        { 22, "固定識別子" },
        { 25, "キーワード" },
        { 30, "公開日" },
        { 35, "公開時間" },
        { 40, "特別指示" },
        { 45, "参照サービス" },
        { 55, "撮影日" },
        { 60, "撮影時間" },
        { 65, "生成媒体" },
        { 70, "生成プログラムバージョン" },
        { 75, "オブジェクトサイクル" },
        { 80, "撮影者" },
        { 85, "撮影者の肩書" },
        { 90, "発信地" },
        { 95, "都道府県名" },
        { 100, "国コード" },
        { 101, "国名" },
        { 103, "写真番号" },
        { 105, "サブタイトル" },
        { 110, "クレジット" },
        { 115, "オリジナル所有者" },
        { 116, "著作権情報" },
        { 120, "キャプション" },
        { 122, "キャプション作成者" },
        { 130, "イメージタイプ" },
        { 135, "言語ID" },
    };
    const auto it = names.find(dataset);
    return it == names.end() ? nullptr : it->second;
}

// The name and value of one record 1 or 2 dataset; other records keep both empty.
void DescribeRecord(int record, int dataset, const std::vector<uint8_t>& data, bool utf8, TIFDItem& item)
{
    if (record == 1) {
        const char* name = EnvelopeName(dataset);
        item.Name = name ? name : "Unkown(" + DecimalText(dataset) + ")";
        if (dataset == 0 || dataset == 20 || dataset == 22 || dataset == 90)
            item.Value = HexBytes(data);
        else if (name)
            item.Value = DecodeFileText(WithoutNul(data));
    } else if (record == 2) {
        const char* name = ApplicationName(dataset);
        item.Name = name ? name : DecimalText(record) + "," + DecimalText(dataset);
        if (dataset == 0)
            item.Value = HexBytes(data);
        else if (utf8)
            item.Value = MakeValidUtf8(WithoutNul(data));
        else
            item.Value = DecodeFileText(
                DecodeIptcText(std::string_view(reinterpret_cast<const char*>(data.data()), data.size())));
    }
}

void WalkIptc(FileReader& file, bool little, int64_t start, int64_t end, TMakerResult& result)
{
    // Larger data sets than this are not plausible in a picture's metadata.
    constexpr uint64_t kMaxRecordBytes = 64u << 20;
    bool utf8 = false;
    int64_t pos = start;
    while (pos < end) {
        const uint8_t marker = file.U8(static_cast<uint64_t>(pos));
        const uint8_t record = file.U8(static_cast<uint64_t>(pos + 1));
        const uint8_t dataset = file.U8(static_cast<uint64_t>(pos + 2));
        uint64_t size = file.U16(static_cast<uint64_t>(pos + 3), little);
        pos += 5;
        if (size & 0x8000) {
            // Extended form: the low bits say how many following bytes hold the length.
            const uint64_t lengthBytes = size & 0x7FFF;
            if (lengthBytes == 0 || lengthBytes > 8)
                return;
            size = 0;
            for (uint64_t i = 0; i < lengthBytes; ++i)
                size = (size << 8) | file.U8(static_cast<uint64_t>(pos) + i);
            pos += static_cast<int64_t>(lengthBytes);
        }
        if (size > kMaxRecordBytes)
            return;
        if (marker == 0x1C) {
            std::vector<uint8_t> data(size);
            file.ReadExact(static_cast<uint64_t>(pos), data.data(), data.size());
            if (record == 1 && dataset == 90)
                utf8 = data.size() >= 3 && data[0] == 0x1B && data[1] == '%' && data[2] == 'G';
            TIFDItem item;
            item.Key = record * 256 + dataset;
            DescribeRecord(record, dataset, data, utf8, item);
            AddItem(result, item.Key, std::move(item.Name), std::move(item.Value));
        }
        pos += static_cast<int64_t>(size);
    }
}

void ResetResult(TMakerResult& result)
{
    result.Count = 0;
    result.Items.clear();
}

} // namespace

void ReadPhotoshopResources(FileReader& file, bool littleEndian, int64_t start, TMakerResult& result, int64_t length)
{
    ResetResult(result);
    result.IptcBlockOffset = 0;
    result.IptcBlockLength = 0;
    if (start < 0 || length <= 0)
        return;
    try {
        WalkResources(file, littleEndian, start, start + length, result);
    } catch (const ExifReadError&) {
        // What was read stays.
    }
}

void ReadIptcRecords(FileReader& file, bool littleEndian, int64_t start, TMakerResult& result, int64_t length)
{
    ResetResult(result);
    if (start < 0 || length <= 0)
        return;
    try {
        WalkIptc(file, littleEndian, start, start + length, result);
    } catch (const ExifReadError&) {
    } catch (const std::bad_alloc&) {
    }
}

TPhotoshopData ReadPhotoshopData(const std::string& fileName, const PhotoshopLocator& locator)
{
    TPhotoshopData out;
    if (locator.Offset == 0)
        return out;
    FileReader file(fileName);
    out.Opened = file.Opened();
    if (!out.Opened)
        return out;
    if (locator.Source == 2) {
        ReadIptcRecords(file, false, locator.Offset, out.Iptc, locator.Length);
        return out;
    }
    ReadPhotoshopResources(file, false, locator.Offset, out.Resources, locator.Length);
    if (out.Resources.IptcBlockOffset != 0)
        ReadIptcRecords(file, false, out.Resources.IptcBlockOffset, out.Iptc, out.Resources.IptcBlockLength);
    return out;
}

} // namespace metadata
