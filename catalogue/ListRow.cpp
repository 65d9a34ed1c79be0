// File kinds, size texts, the detail list's columns and the status-bar summary.
#include "catalogue/Catalogue.h"
#include "metadata/ExifData.h"
#include "platform/PathName.h"

namespace catalogue {

uint8_t ImageKindOf(const std::string& fileName)
{
    const std::string ext = platform::LowerExtensionOf(fileName);
    if (ext == ".jpg" || ext == ".jpeg")
        return kKindJpeg;
    if (ext == ".tif" || ext == ".tiff" || ext == ".nef" || ext == ".nsk" || ext == ".orf" || ext == ".mrw")
        return kKindTiff;
    if (ext == ".bmp")
        return kKindBitmap;
    if (ext == ".png")
        return kKindPng;
    if (ext == ".pcx")
        return kKindPcx;
    return kKindUnknown;
}

std::string KindText(uint8_t kind)
{
    switch (kind) {
    case kKindExifJpeg:
        return "ExifJPEG";
    case kKindExifTiff:
        return "ExifTIFF";
    case kKindJpeg:
        return "JPEG";
    case kKindTiff:
        return "TIFF";
    case kKindBitmap:
        return "Bitmap";
    case kKindPng:
        return "PNG";
    case kKindGif:
        return "GIF";
    case kKindPcx:
        return "PCX";
    case kKindTiffEp:
        return "TIFF/EP";
    default:
        return "Unknown";
    }
}

std::string SizeText(uint64_t size)
{
    if (size < 1024)
        return std::to_string(size) + "B";
    uint64_t kb = size / 1024;
    const uint64_t rest = size % 1024;
    if (rest > 512 || (rest == 512 && kb % 2 == 1))
        ++kb; // halves go to the even neighbour
    return std::to_string(kb) + "KB";
}

void InitListConfig(TListConfigs& config)
{
    using Align = TListConfig::Align;
    struct Column {
        const char* caption;
        char source;
        std::initializer_list<int32_t> keys;
        int32_t width;
        Align align;
    };
    const Column columns[] = {
        { "ファイル名", 'd', { 0 }, 150, Align::Left },
        { "種類", 'd', { 1 }, 80, Align::Left },
        { "シャッタースピード", 'n', { 0x9201, 0x829A }, 80, Align::Left },
        { "絞り", 'n', { 0x9202, 0x829D }, 60, Align::Left },
        { "露出補正", 'n', { 0x9204 }, 60, Align::Left },
        { "W/B", 'n', { 0x9208, 0x000C1002, 0x00060005, 0x00900007, 0x00011015, 0x00070007 }, 70, Align::Left },
        { "フラッシュ", 'n', { 0x9209 }, 50, Align::Left },
        { "AE", 'n', { 0x8822, 0x9207 }, 100, Align::Left },
        { "ズーム", 'n', { 0x920A }, 100, Align::Left },
        { "撮影日時", 'n', { 0x9003 }, 100, Align::Left },
        { "サイズ", 'd', { 2 }, 80, Align::Right },
        { "更新日時", 'd', { 3 }, 100, Align::Left },
    };
    config.Items.clear();
    config.Items.reserve(101);
    for (const Column& c : columns) {
        TListConfig item;
        item.Caption = c.caption;
        item.Source = c.source;
        std::copy(c.keys.begin(), c.keys.end(), item.Keys.begin());
        item.Width = c.width;
        item.Alignment = c.align;
        config.Items.push_back(std::move(item));
    }
    config.Count = static_cast<uint8_t>(config.Items.size());
}

std::vector<std::string> FillListRow(const TImageCache& record, const TListConfigs& config)
{
    const size_t count = std::min<size_t>(config.Count, config.Items.size());
    std::vector<std::string> texts(count);
    for (size_t i = 0; i < count; ++i) {
        const TListConfig& column = config.Items[i];
        std::string& text = texts[i];
        if (column.Source == 'd') {
            switch (column.Keys[0]) {
            case 0:
                text = record.FileName.substr(record.FileName.rfind('/') + 1);
                break;
            case 1:
                text = KindText(record.FileKind);
                break;
            case 2:
                text = record.SizeText;
                break;
            case 3:
                text = record.DateText;
                break;
            default:
                break;
            }
        } else if (column.Source == 'n' && record.Exif) {
            for (int32_t key : column.Keys) {
                if (key == 0)
                    break;
                text = metadata::GetExifValueText(key, *record.Exif);
                if (!text.empty())
                    break;
            }
        }
    }
    return texts;
}

std::string ShootingSummary(const TImageCache& record)
{
    if (!record.Exif)
        return std::string();
    const metadata::TExifData& exif = *record.Exif;
    const auto T = [&](int32_t key) { return metadata::GetExifValueText(key, exif); };
    const auto either = [&](int32_t first, int32_t second) {
        std::string text = T(first);
        return text.empty() ? T(second) : text;
    };
    std::string text = either(0x9201, 0x829A) + "  " + either(0x9202, 0x829D) + "  " + T(0x9204);
    std::string wb = T(0x9208);
    if (wb.empty())
        wb = metadata::GetMakerValueText(0x000C1002, exif.Maker);
    std::string flash = T(0x9209);
    if (!wb.empty() || !flash.empty()) {
        if (!wb.empty())
            wb = "W/B:" + wb;
        if (!flash.empty())
            flash = "Fla:" + flash;
        text += "  " + wb + "  " + flash;
    }
    return text + "  " + T(0x8822) + "  " + T(0x9003);
}

} // namespace catalogue
