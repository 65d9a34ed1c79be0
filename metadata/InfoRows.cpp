#include "metadata/InfoRows.h"

#include <algorithm>
#include <iterator>

#include "metadata/NumberText.h"
#include "metadata/PhotoshopResources.h"
#include "metadata/TextDecode.h"

namespace metadata {

namespace {

// Maker items are keyed MakerNoteKind × 65536 + tag; anything below is an
// element index of an array-valued tag (or -1) that would clash with the
// file-information keys and with Exif tag numbers.
constexpr int32_t kFirstMakerKey = 65536;

// The Exif and IFD0 tags of the automatic view.
bool IsAutoTag(int32_t tag)
{
    static constexpr int32_t kTags[]
        = { 270, 271, 272, 306, 33432, 33434, 33437, 34850, 34855, 36867, 36868, 37122, 40962, 40963, 40964 };
    return (tag >= 37377 && tag <= 37386) || std::find(std::begin(kTags), std::end(kTags), tag) != std::end(kTags);
}

bool Contains(const std::vector<int32_t>& list, int32_t key)
{
    return std::find(list.begin(), list.end(), key) != list.end();
}

TInfoRow GroupRow(int group, const char* name, bool expanded)
{
    TInfoRow row;
    row.Group = group;
    row.Name = name;
    row.Expanded = expanded;
    return row;
}

TInfoRow ItemRow(int depth, int32_t key, int group, std::string name, std::string value, bool sortable)
{
    TInfoRow row;
    row.Depth = depth;
    row.Key = key;
    row.Group = group;
    row.Name = std::move(name);
    row.Value = std::move(value);
    row.MultiLine = row.Value.find('\n') != std::string::npos;
    row.Sortable = sortable;
    return row;
}

std::string NamePart(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return DecodeFileText(slash == std::string::npos ? path : path.substr(slash + 1));
}

void AddFileRows(const TInfoRecord& r, const TInfoSettings& s, std::vector<TInfoRow>& rows)
{
    rows.push_back(GroupRow(kGroupFileRow, "ファイル情報", s.ShowMain));
    rows.push_back(ItemRow(1, -1, kGroupNone, "ファイル名", NamePart(r.FileName), true));
    rows.push_back(ItemRow(1, -2, kGroupNone, "種類", InfoKindText(r.FileKind), true));
    rows.push_back(ItemRow(1, -3, kGroupNone, "更新日時", r.DateText, true));
    rows.push_back(ItemRow(1, -4, kGroupNone, "サイズ", r.SizeText, true));
    rows.push_back(ItemRow(1, -5, kGroupNone, "画像サイズ", DecimalText(r.Width) + "×" + DecimalText(r.Height), true));
    if (r.HasComment) {
        // No order or comparison is defined on the comment, so neither command is offered.
        TInfoRow comment = ItemRow(1, -6, kGroupNone, "コメント", DecodeFileText(r.Comment), false);
        comment.MultiLine = true;
        rows.push_back(std::move(comment));
    }
}

// The items of one directory as rows, filtered by the view mode.
void AddItems(const std::vector<TIFDItem>& items, int group, const TInfoSettings& s, std::vector<TInfoRow>& rows)
{
    const std::vector<int32_t>& hidden = group == kItemMain ? s.HiddenMain
        : group == kItemExif                                ? s.HiddenExif
        : group == kItemMaker                               ? s.HiddenMaker
                                                            : s.HiddenGps;
    for (const TIFDItem& item : items) {
        const bool isHidden = Contains(hidden, item.Key);
        bool shown = true;
        switch (s.ViewMode) {
        case TViewMode::AutoHide:
            if (group == kItemMain || group == kItemExif)
                shown = IsAutoTag(item.Key);
            else if (group == kItemMaker)
                shown = item.Name.find("Unknown") == std::string::npos;
            break;
        case TViewMode::Manual:
            shown = !isHidden;
            break;
        default:
            break;
        }
        if (!shown)
            continue;
        // GPS tags are not searched by the value look-up the sort and select commands use.
        const bool sortable
            = group == kItemMain || group == kItemExif || (group == kItemMaker && item.Key >= kFirstMakerKey);
        TInfoRow row = ItemRow(1, item.Key, group, item.Name, item.Value, sortable);
        if (s.ViewMode == TViewMode::Select) {
            row.Checkable = true;
            row.Checked = !isHidden;
        }
        rows.push_back(std::move(row));
    }
}

} // namespace

std::string InfoKindText(uint8_t kind)
{
    switch (kind) {
    case 1:
        return "ExifJPEG";
    case 2:
        return "ExifTIFF";
    case 3:
        return "JPEG";
    case 4:
        return "TIFF";
    case 5:
        return "Bitmap";
    case 6:
        return "PNG";
    case 8:
        return "PCX";
    case 10:
        return "TIFF/EP";
    default:
        return "Unknown";
    }
}

std::vector<int> TabKindsOf(const TInfoRecord& record)
{
    std::vector<int> kinds = { kTabBasic };
    if (record.IccOffset != 0)
        kinds.push_back(kTabProfile);
    if (record.Locator.Offset != 0)
        kinds.push_back(kTabIptc);
    return kinds;
}

int TabToSelect(const std::vector<int>& kinds, int previousKind)
{
    if (previousKind == kTabBasic)
        return 0;
    const auto it = std::find(kinds.begin(), kinds.end(), previousKind);
    return it == kinds.end() ? 0 : static_cast<int>(it - kinds.begin());
}

std::vector<TInfoRow> BasicRows(const TInfoRecord& record, const TInfoSettings& settings)
{
    std::vector<TInfoRow> rows;
    const TExifData* exif = record.Exif.get();
    rows.reserve(8
        + (exif ? exif->Main.Items.size() + exif->Exif.Items.size() + exif->Maker.Items.size() + exif->Gps.Items.size()
                    + 3
                : 0));
    AddFileRows(record, settings, rows);
    if (!exif)
        return rows;
    if (exif->Main.Count != 0 || exif->Exif.Count != 0) {
        rows.push_back(GroupRow(kGroupExifRow, "Exif情報", settings.ShowExif));
        AddItems(exif->Main.Items, kItemMain, settings, rows);
        AddItems(exif->Exif.Items, kItemExif, settings, rows);
    }
    if (exif->Maker.Count != 0) {
        rows.push_back(GroupRow(kGroupMakerRow, "メーカー固有情報", settings.ShowMaker));
        AddItems(exif->Maker.Items, kItemMaker, settings, rows);
    }
    if (exif->Gps.Count != 0) {
        rows.push_back(GroupRow(kGroupGpsRow, "GPS情報", settings.ShowGps));
        AddItems(exif->Gps.Items, kItemGps, settings, rows);
    }
    return rows;
}

std::vector<TInfoRow> IptcRows(const TInfoRecord& record)
{
    std::vector<TInfoRow> rows;
    rows.push_back(GroupRow(kGroupNone, "IPTC情報", true));
    if (record.Locator.Offset == 0) {
        rows.push_back(ItemRow(1, 0, kGroupNone, "見つかりません", "", false));
        return rows;
    }
    const TPhotoshopData data = ReadPhotoshopData(record.FileName, record.Locator);
    std::string method = "Photoshop(TIFF)";
    if (record.Locator.Source == 0)
        method = "Photoshop(JPEG)";
    else if (record.Locator.Source == 2 && !data.Iptc.Items.empty() && data.Iptc.Items[0].Key == 256)
        method = "NSK-TIFF";
    rows.push_back(ItemRow(1, 0, kGroupNone, "保存方式", method, false));
    if (!data.Opened)
        return rows;
    if (record.Locator.Source != 2) {
        TInfoRow sub = GroupRow(kGroupNone, "AdobeResource", false);
        sub.Depth = 1;
        rows.push_back(std::move(sub));
        for (const TIFDItem& item : data.Resources.Items)
            rows.push_back(ItemRow(2, item.Key, kGroupNone, item.Name, item.Value, false));
    }
    for (const TIFDItem& item : data.Iptc.Items) {
        TInfoRow row = ItemRow(1, item.Key, kGroupNone, item.Name, item.Value, false);
        row.MultiLine = true;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<int32_t>* HiddenListOf(TInfoSettings& settings, int group)
{
    switch (group) {
    case kItemMain:
        return &settings.HiddenMain;
    case kItemExif:
        return &settings.HiddenExif;
    case kItemMaker:
        return &settings.HiddenMaker;
    case kItemGps:
        return &settings.HiddenGps;
    default:
        return nullptr;
    }
}

void SetRowShown(TInfoSettings& settings, int group, int32_t key, bool shown)
{
    std::vector<int32_t>* list = HiddenListOf(settings, group);
    if (!list)
        return;
    const auto it = std::find(list->begin(), list->end(), key);
    if (shown && it != list->end())
        list->erase(it);
    else if (!shown && it == list->end())
        list->push_back(key);
}

bool* ExpandedFlagOf(TInfoSettings& settings, int group)
{
    switch (group) {
    case kGroupFileRow:
        return &settings.ShowMain;
    case kGroupExifRow:
        return &settings.ShowExif;
    case kGroupMakerRow:
        return &settings.ShowMaker;
    case kGroupGpsRow:
        return &settings.ShowGps;
    default:
        return nullptr;
    }
}

bool OffersSelectSame(const TInfoRow& row)
{
    return row.Sortable && row.Key != 0 && row.Key != -1 && row.Key != -3 && row.Key != -4;
}

std::string CopyText(const std::vector<const TInfoRow*>& rows)
{
    std::string out;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0)
            out += "\n";
        out += rows[i]->Name;
        if (!rows[i]->Value.empty())
            out += ":" + rows[i]->Value;
    }
    return out;
}

} // namespace metadata
