#pragma once
// The rows of the metadata panel, built without any widget: the basic tab
// (file information, Exif with IFD0, maker note, GPS) in its four view modes
// with the hidden lists, and the IPTC tab. The panel widget and
// `voviro-tool panel` show these rows as they are.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "metadata/ExifData.h"

namespace metadata {

// What the panel needs of one catalogue record (a copy it keeps).
struct TInfoRecord {
    std::string FileName; // full path
    uint8_t FileKind = 0;
    std::string DateText;
    std::string SizeText;
    int32_t Width = 0;
    int32_t Height = 0;
    bool HasComment = false;
    std::string Comment;
    std::shared_ptr<const TExifData> Exif; // null when the file has no metadata
    int32_t IccOffset = 0;
    int32_t IccLength = 0;
    PhotoshopLocator Locator;
};

// Group numbers. A group row carries the number of its group; an item row
// the number of the hidden list it belongs to.
enum TInfoGroup : int {
    kGroupNone = 0, // file-information items and the rows of the other tabs
    kGroupFileRow = 1,
    kGroupExifRow = 2,
    kGroupMakerRow = 3,
    kGroupGpsRow = 4,
    kItemMain = 2, // IFD0 items
    kItemExif = 3,
    kItemMaker = 4,
    kItemGps = 5,
};

enum class TViewMode : int { ShowAll = 0, AutoHide = 1, Manual = 2, Select = 3 };

// Tab kinds.
enum TTabKind : int { kTabBasic = 0, kTabProfile = 1, kTabIptc = 2 };

// The panel's persisted state: which groups are expanded, the view mode and
// the hidden keys per group.
struct TInfoSettings {
    bool ShowMain = true, ShowExif = true, ShowMaker = true, ShowGps = true;
    TViewMode ViewMode = TViewMode::ShowAll;
    std::vector<int32_t> HiddenMain, HiddenExif, HiddenMaker, HiddenGps;
};

struct TInfoRow {
    int Depth = 0; // 0 a group row, 1 its items, 2 the items of a sub-group
    int32_t Key = 0; // 0 for group rows
    int Group = kGroupNone;
    std::string Name;
    std::string Value;
    bool Expanded = false; // group rows
    bool MultiLine = false;
    bool Checkable = false; // selection mode
    bool Checked = false;
    bool Sortable = false; // "sort by this item" and, unless the key says otherwise, "select the same"
};

// The tab kinds shown for a record: basic always, profile with an ICC
// location, IPTC with a Photoshop or IPTC location.
std::vector<int> TabKindsOf(const TInfoRecord& record);
// The tab to select after a file change: the previous kind's tab when the
// new record has one, else the first.
int TabToSelect(const std::vector<int>& kinds, int previousKind);

std::vector<TInfoRow> BasicRows(const TInfoRecord& record, const TInfoSettings& settings);
// Opens the file for its Photoshop resources and IPTC records.
std::vector<TInfoRow> IptcRows(const TInfoRecord& record);

// The hidden list of an item group (kItemMain ... kItemGps), or null.
std::vector<int32_t>* HiddenListOf(TInfoSettings& settings, int group);
// A tick in selection mode: unticked keys are added (once), ticked ones removed.
void SetRowShown(TInfoSettings& settings, int group, int32_t key, bool shown);
// The expanded flag of a group row's group (kGroupFileRow ... kGroupGpsRow), or null.
bool* ExpandedFlagOf(TInfoSettings& settings, int group);

// Whether "select the images with the same information" is offered for a row.
bool OffersSelectSame(const TInfoRow& row);
// The clipboard text of rows: "name:value" or the name alone per row, joined by "\n".
std::string CopyText(const std::vector<const TInfoRow*>& rows);

// The kind text of the file-information group ("ExifJPEG", "JPEG", ...).
std::string InfoKindText(uint8_t kind);

} // namespace metadata
