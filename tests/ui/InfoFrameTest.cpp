// The metadata panel widget: tabs kept across files, group expansion kept
// across rebuilds, check boxes editing the hidden lists (and surviving a
// restart), the pop-up menu's enabling and copying.
#include <memory>

#include <QApplication>
#include <QClipboard>
#include <QTabBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "metadata/ui/InfoFrame.h"
#include "platform/Registry.h"
#include "ui/UiTestSupport.h"

namespace {

using metadata::TInfoFrame;
using metadata::TInfoRecord;

TInfoRecord Record(bool profile, bool iptc)
{
    auto exif = std::make_shared<metadata::TExifData>();
    exif->Main.Items = { { 271, "メーカー名", "Canon" } };
    exif->Main.Count = 1;
    exif->Exif.Items = { { 33434, "露出時間", "1/250秒" }, { 41986, "露出モード", "オート" } };
    exif->Exif.Count = 2;
    exif->Maker.Items = { { 65544, "ImageNumber", "12" } };
    exif->Maker.Count = 1;
    TInfoRecord r;
    r.FileName = "/nowhere/IMG_0001.JPG";
    r.FileKind = 1;
    r.Exif = exif;
    r.IccOffset = profile ? 20 : 0;
    r.IccLength = profile ? 500 : 0;
    r.Locator.Offset = iptc ? 100 : 0;
    return r;
}

QTreeWidgetItem* ItemNamed(TInfoFrame& frame, const QString& name)
{
    for (QTreeWidgetItemIterator it(frame.ElTree); *it; ++it)
        if ((*it)->text(0) == name)
            return *it;
    return nullptr;
}

TEST(InfoFrame, TabsFollowTheFileAndKeepTheirKind)
{
    uitest::EnsureApp();
    TInfoFrame frame;
    frame.SetRecord(Record(false, false));
    EXPECT_EQ(frame.tab->count(), 1);
    EXPECT_TRUE(frame.tab->isHidden()); // one tab only: no tab bar
    EXPECT_EQ(frame.ElTree->topLevelItem(0)->text(0), "ファイル情報");

    frame.SetRecord(Record(true, true));
    ASSERT_EQ(frame.tab->count(), 3);
    EXPECT_EQ(frame.tab->tabText(1), "プロファイル");
    EXPECT_EQ(frame.tab->tabText(2), "IPTC情報");
    frame.tab->setCurrentIndex(1);
    EXPECT_EQ(frame.ElTree->topLevelItem(0)->text(0), "プロファイル情報");
    // The file cannot be read there: the profile is reported damaged.
    EXPECT_NE(ItemNamed(frame, "破損しています"), nullptr);
    EXPECT_FALSE(frame.showall->isEnabled());

    frame.SetRecord(Record(true, false)); // still a profile: its tab stays
    EXPECT_EQ(frame.CurrentTabKind(), metadata::kTabProfile);
    frame.SetRecord(Record(false, true)); // no profile: the basic tab
    EXPECT_EQ(frame.CurrentTabKind(), metadata::kTabBasic);
    EXPECT_EQ(frame.tab->count(), 2);
    EXPECT_TRUE(frame.showall->isEnabled());
    frame.tab->setCurrentIndex(1);
    EXPECT_EQ(frame.ElTree->topLevelItem(0)->text(0), "IPTC情報");
    EXPECT_NE(ItemNamed(frame, "保存方式"), nullptr);
}

TEST(InfoFrame, GroupExpansionSurvivesRebuilds)
{
    uitest::EnsureApp();
    TInfoFrame frame;
    frame.SetRecord(Record(false, false));
    QTreeWidgetItem* exif = ItemNamed(frame, "Exif情報");
    ASSERT_NE(exif, nullptr);
    EXPECT_TRUE(exif->isExpanded());
    exif->setExpanded(false);
    frame.SetRecord(Record(false, false));
    EXPECT_FALSE(ItemNamed(frame, "Exif情報")->isExpanded());
    EXPECT_TRUE(ItemNamed(frame, "ファイル情報")->isExpanded());
    EXPECT_FALSE(frame.Settings().ShowExif);
}

TEST(InfoFrame, UntickedRowHiddenInManualModeAndAfterARestart)
{
    uitest::EnsureApp();
    testsupport::TempDir dir;
    const std::string path = (dir.Path() / "registry.reg").string();
    {
        platform::RegistryStore store(path);
        TInfoFrame frame;
        frame.LoadSettings(store);
        frame.SetRecord(Record(false, false));
        frame.selmode->trigger();
        QTreeWidgetItem* item = ItemNamed(frame, "露出時間");
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->checkState(0), Qt::Checked);
        item->setCheckState(0, Qt::Unchecked);
        frame.manual->trigger();
        EXPECT_EQ(ItemNamed(frame, "露出時間"), nullptr);
        EXPECT_NE(ItemNamed(frame, "露出モード"), nullptr);
        frame.SaveSettings(store);
    }
    platform::RegistryStore store(path);
    TInfoFrame frame;
    frame.LoadSettings(store);
    EXPECT_TRUE(frame.manual->isChecked());
    frame.SetRecord(Record(false, false));
    EXPECT_EQ(ItemNamed(frame, "露出時間"), nullptr);
    frame.selmode->trigger();
    QTreeWidgetItem* item = ItemNamed(frame, "露出時間");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->checkState(0), Qt::Unchecked);
    item->setCheckState(0, Qt::Checked); // ticking it again shows it again
    frame.manual->trigger();
    EXPECT_NE(ItemNamed(frame, "露出時間"), nullptr);
}

TEST(InfoFrame, PopupEnablingAndCopy)
{
    uitest::EnsureApp();
    TInfoFrame frame;
    frame.SetRecord(Record(false, false));
    struct Case {
        const char* name;
        bool sort, select;
    };
    const Case cases[] = {
        { "ファイル名", true, false }, { "種類", true, true }, { "サイズ", true, false }, { "露出時間", true, true },
        { "ImageNumber", true, true }, { "Exif情報", false, false }, // a group row
    };
    for (const Case& c : cases) {
        frame.ElTree->clearSelection();
        ItemNamed(frame, c.name)->setSelected(true);
        frame.PopupMenu1Popup();
        EXPECT_EQ(frame.SortByItem->isEnabled(), c.sort) << c.name;
        EXPECT_EQ(frame.SelItem->isEnabled(), c.select) << c.name;
        EXPECT_TRUE(frame.Copy1->isEnabled());
        EXPECT_FALSE(frame.Edit1->isEnabled());
    }
    frame.ElTree->clearSelection();
    frame.PopupMenu1Popup();
    EXPECT_FALSE(frame.Copy1->isEnabled());
    EXPECT_FALSE(frame.SortByItem->isEnabled());

    // A value row selected before a group row still copies in tree order.
    ItemNamed(frame, "露出時間")->setSelected(true);
    ItemNamed(frame, "Exif情報")->setSelected(true);
    frame.Copy1Click();
    EXPECT_EQ(QApplication::clipboard()->text(), "Exif情報\n露出時間:1/250秒");
    frame.SelectAll1Click();
    EXPECT_EQ(frame.ElTree->selectedItems().size(), static_cast<qsizetype>(frame.Rows().size()));
}

} // namespace
