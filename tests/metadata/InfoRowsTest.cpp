// The metadata panel's rows: groups, view modes, hidden lists, tabs, copying
// and the persisted settings.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "metadata/InfoRows.h"
#include "metadata/InfoSettings.h"
#include "support/TestSupport.h"

namespace {

using metadata::TInfoRow;
using metadata::TViewMode;

metadata::TInfoRecord Record()
{
    auto exif = std::make_shared<metadata::TExifData>();
    exif->Main.Items = { { 271, "メーカー名", "Canon" }, { 305, "ソフトウェア", "fw" } };
    exif->Main.Count = 2;
    exif->Exif.Items = { { 33434, "露出時間", "1/250秒" }, { 41986, "露出モード", "オート" } };
    exif->Exif.Count = 2;
    exif->Maker.Items = { { 65536 + 8, "ImageNumber", "12" }, { 65536 + 9, "Unknown(9)", "x" }, { 3, "要素", "7" },
        { -1, "要素", "8" } };
    exif->Maker.Count = 4;
    exif->Gps.Items = { { 0, "GPSタグバージョン", "2,2,0,0" }, { 29, "タイムスタンプ", "2008:10:23" } };
    exif->Gps.Count = 2;
    metadata::TInfoRecord r;
    r.FileName = "/photos/IMG_0001.JPG";
    r.FileKind = 1;
    r.DateText = "2004/01/02 03:04:05";
    r.SizeText = "1,234KB";
    r.Width = 2272;
    r.Height = 1704;
    r.HasComment = true;
    r.Comment = "line 1\nline 2";
    r.Exif = exif;
    return r;
}

// "depth key name" per row, for compact comparison.
std::vector<std::string> Keys(const std::vector<TInfoRow>& rows)
{
    std::vector<std::string> out;
    for (const TInfoRow& r : rows)
        out.push_back(std::to_string(r.Depth) + " " + std::to_string(r.Key) + " " + r.Name);
    return out;
}

std::vector<int32_t> ItemKeys(const std::vector<TInfoRow>& rows, int group)
{
    std::vector<int32_t> out;
    for (const TInfoRow& r : rows)
        if (r.Depth == 1 && r.Group == group)
            out.push_back(r.Key);
    return out;
}

TEST(InfoRows, GroupsAndFileInformation)
{
    metadata::TInfoSettings s;
    s.ShowExif = false;
    const std::vector<TInfoRow> rows = metadata::BasicRows(Record(), s);
    const std::vector<std::string> all = Keys(rows);
    const std::vector<std::string> head(all.begin(), all.begin() + 8);
    EXPECT_EQ(head,
        (std::vector<std::string> { "0 0 ファイル情報", "1 -1 ファイル名", "1 -2 種類", "1 -3 更新日時", "1 -4 サイズ",
            "1 -5 画像サイズ", "1 -6 コメント", "0 0 Exif情報" }));
    EXPECT_EQ(rows[1].Value, "IMG_0001.JPG");
    EXPECT_EQ(rows[2].Value, "ExifJPEG");
    EXPECT_EQ(rows[5].Value, "2272×1704");
    EXPECT_TRUE(rows[6].MultiLine);
    EXPECT_TRUE(rows[0].Expanded);
    EXPECT_FALSE(rows[7].Expanded); // the Exif group's flag was cleared
    EXPECT_EQ(rows[7].Group, metadata::kGroupExifRow);

    // A plain JPEG without metadata: the file-information group only.
    metadata::TInfoRecord plain;
    plain.FileName = "a.jpg";
    plain.FileKind = 3;
    const std::vector<TInfoRow> only = metadata::BasicRows(plain, s);
    ASSERT_EQ(only.size(), 6u);
    EXPECT_EQ(only[2].Value, "JPEG");
    EXPECT_EQ(metadata::InfoKindText(7), "Unknown");
}

TEST(InfoRows, ViewModesAndHiddenLists)
{
    struct Case {
        TViewMode mode;
        std::vector<int32_t> main, exif, maker, gps;
    };
    metadata::TInfoSettings s;
    s.HiddenMain = { 271 };
    s.HiddenExif = { 41986 };
    s.HiddenMaker = { 65536 + 8 };
    s.HiddenGps = { 29 };
    const std::vector<Case> cases = {
        { TViewMode::ShowAll, { 271, 305 }, { 33434, 41986 }, { 65544, 65545, 3, -1 }, { 0, 29 } },
        { TViewMode::AutoHide, { 271 }, { 33434 }, { 65544, 3, -1 }, { 0, 29 } },
        { TViewMode::Manual, { 305 }, { 33434 }, { 65545, 3, -1 }, { 0 } },
        { TViewMode::Select, { 271, 305 }, { 33434, 41986 }, { 65544, 65545, 3, -1 }, { 0, 29 } },
    };
    for (const Case& c : cases) {
        s.ViewMode = c.mode;
        const std::vector<TInfoRow> rows = metadata::BasicRows(Record(), s);
        const int mode = static_cast<int>(c.mode);
        EXPECT_EQ(ItemKeys(rows, metadata::kItemMain), c.main) << mode;
        EXPECT_EQ(ItemKeys(rows, metadata::kItemExif), c.exif) << mode;
        EXPECT_EQ(ItemKeys(rows, metadata::kItemMaker), c.maker) << mode;
        EXPECT_EQ(ItemKeys(rows, metadata::kItemGps), c.gps) << mode;
        for (const TInfoRow& r : rows) {
            const bool item = r.Depth == 1 && r.Group >= metadata::kItemMain;
            EXPECT_EQ(r.Checkable, c.mode == TViewMode::Select && item) << r.Name;
            if (r.Checkable) {
                const std::vector<int32_t>* hidden = metadata::HiddenListOf(s, r.Group);
                EXPECT_EQ(r.Checked, std::find(hidden->begin(), hidden->end(), r.Key) == hidden->end()) << r.Name;
            }
        }
    }
}

TEST(InfoRows, SortAndSelectOfferedOnlyForKeysTheLookUpKnows)
{
    metadata::TInfoSettings s;
    const std::vector<TInfoRow> rows = metadata::BasicRows(Record(), s);
    struct Expect {
        int group;
        int32_t key;
        bool sort, select;
    };
    const std::vector<Expect> expected = {
        { metadata::kGroupNone, -1, true, false }, // file name: sort only
        { metadata::kGroupNone, -2, true, true },
        { metadata::kGroupNone, -3, true, false },
        { metadata::kGroupNone, -4, true, false },
        { metadata::kGroupNone, -5, true, true },
        { metadata::kGroupNone, -6, false, false }, // comment
        { metadata::kItemMain, 271, true, true },
        { metadata::kItemExif, 33434, true, true },
        { metadata::kItemMaker, 65544, true, true },
        { metadata::kItemMaker, 3, false, false }, // a bare element index
        { metadata::kItemMaker, -1, false, false }, // would be taken for the file name
        { metadata::kItemGps, 29, false, false },
    };
    for (const Expect& e : expected) {
        const auto it = std::find_if(rows.begin(), rows.end(),
            [&](const TInfoRow& r) { return r.Depth == 1 && r.Group == e.group && r.Key == e.key; });
        ASSERT_NE(it, rows.end()) << e.key;
        EXPECT_EQ(it->Sortable, e.sort) << e.key;
        EXPECT_EQ(metadata::OffersSelectSame(*it), e.select) << e.key;
    }
    EXPECT_FALSE(rows[0].Sortable); // a group row
}

TEST(InfoRows, TicksEditTheHiddenListsOnce)
{
    metadata::TInfoSettings s;
    metadata::SetRowShown(s, metadata::kItemExif, 33434, false);
    metadata::SetRowShown(s, metadata::kItemExif, 33434, false);
    metadata::SetRowShown(s, metadata::kItemMaker, 65544, false);
    metadata::SetRowShown(s, metadata::kGroupNone, -2, false); // not a hidden-list row
    EXPECT_EQ(s.HiddenExif, std::vector<int32_t> { 33434 });
    EXPECT_EQ(s.HiddenMaker, std::vector<int32_t> { 65544 });
    metadata::SetRowShown(s, metadata::kItemExif, 33434, true);
    EXPECT_TRUE(s.HiddenExif.empty());
}

TEST(InfoRows, TabsAndTheTabKeptAcrossFiles)
{
    metadata::TInfoRecord r;
    EXPECT_EQ(metadata::TabKindsOf(r), std::vector<int> { 0 });
    r.IccOffset = 20;
    EXPECT_EQ(metadata::TabKindsOf(r), (std::vector<int> { 0, 1 }));
    r.Locator.Offset = 100;
    EXPECT_EQ(metadata::TabKindsOf(r), (std::vector<int> { 0, 1, 2 }));
    EXPECT_EQ(metadata::TabToSelect({ 0, 1, 2 }, 2), 2);
    EXPECT_EQ(metadata::TabToSelect({ 0, 2 }, 2), 1);
    EXPECT_EQ(metadata::TabToSelect({ 0, 2 }, 1), 0); // no profile tab: back to the basic tab
    EXPECT_EQ(metadata::TabToSelect({ 0, 1 }, 1), 1);
}

TEST(InfoRows, CopyOfAGroupRowAndAValueRow)
{
    TInfoRow group;
    group.Name = "Exif情報";
    TInfoRow item;
    item.Name = "露出時間";
    item.Value = "1/250秒";
    EXPECT_EQ(metadata::CopyText({ &group, &item }), "Exif情報\n露出時間:1/250秒");
    EXPECT_EQ(metadata::CopyText({}), "");
}

TEST(InfoRows, IptcTabRows)
{
    metadata::TInfoRecord r;
    std::vector<TInfoRow> rows = metadata::IptcRows(r);
    EXPECT_EQ(Keys(rows), (std::vector<std::string> { "0 0 IPTC情報", "1 0 見つかりません" }));
    r.FileName = "/nonexistent/x.tif";
    r.Locator = { 2, 8, 10 };
    rows = metadata::IptcRows(r);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].Name, "保存方式");
    EXPECT_EQ(rows[1].Value, "Photoshop(TIFF)");

    // An NSK-TIFF file: IPTC through the TIFF tag whose first record is 1:0.
    testsupport::TempDir dir;
    const std::string path = (dir.Path() / "a.nsk").string();
    testsupport::WriteFile(path, std::string("\x1c\x01\x00\x00\x02\x00\x04\x1c\x02\x78\x00\x02hi", 14));
    r.FileName = path;
    r.Locator = { 2, 0, 14 };
    r.Locator.Offset = 0; // an offset of 0 means "none": start the data one byte in
    testsupport::WriteFile(path, std::string("x\x1c\x01\x00\x00\x02\x00\x04\x1c\x02\x78\x00\x02hi", 15));
    r.Locator = { 2, 1, 14 };
    rows = metadata::IptcRows(r);
    EXPECT_EQ(Keys(rows),
        (std::vector<std::string> { "0 0 IPTC情報", "1 0 保存方式", "1 256 モデルバージョン", "1 632 キャプション" }));
    EXPECT_EQ(rows[1].Value, "NSK-TIFF");
    EXPECT_EQ(rows[3].Value, "hi");
}

TEST(InfoSettings, RoundTripAndDamagedValues)
{
    testsupport::TempDir dir;
    const std::string path = (dir.Path() / "registry.reg").string();
    {
        platform::RegistryStore store(path);
        metadata::TInfoSettings s;
        s.ShowExif = false;
        s.ViewMode = TViewMode::Manual;
        s.HiddenExif = { 33434, 37377 };
        s.HiddenMaker = { 65544 };
        ASSERT_TRUE(metadata::SaveInfoSettings(store, s));
    }
    // Read back from the file, as after a restart; the counts are the keys' default values.
    const std::vector<uint8_t> bytes = testsupport::ReadFile(path);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("\\ExifInfoFrame\\Exif]\n@=dword:00000002\n\"0\"=dword:0000829a\n"), std::string::npos) << text;
    platform::RegistryStore store(path);
    metadata::TInfoSettings s = metadata::LoadInfoSettings(store);
    EXPECT_TRUE(s.ShowMain);
    EXPECT_FALSE(s.ShowExif);
    EXPECT_EQ(s.ViewMode, TViewMode::Manual);
    EXPECT_EQ(s.HiddenExif, (std::vector<int32_t> { 33434, 37377 }));
    EXPECT_EQ(s.HiddenMaker, std::vector<int32_t> { 65544 });
    EXPECT_TRUE(s.HiddenMain.empty());

    // A count larger than the values there: the values up to the gap are kept.
    platform::RegistryKey(store, "ExifInfoFrame\\Exif").WriteInteger("", 5);
    // A view mode out of range leaves show-all; a mistyped flag ends the key's reading.
    platform::RegistryKey(store, "ExifInfoFrame").WriteInteger("ViewMode", 7);
    s = metadata::LoadInfoSettings(store);
    EXPECT_EQ(s.HiddenExif, (std::vector<int32_t> { 33434, 37377 }));
    EXPECT_EQ(s.ViewMode, TViewMode::ShowAll);
    platform::RegistryKey(store, "ExifInfoFrame").WriteString("ShowExif", "x");
    platform::RegistryKey(store, "ExifInfoFrame").WriteInteger("ViewMode", 2);
    s = metadata::LoadInfoSettings(store);
    EXPECT_TRUE(s.ShowExif); // the default stays
    EXPECT_EQ(s.ViewMode, TViewMode::ShowAll); // read no further
}

} // namespace
