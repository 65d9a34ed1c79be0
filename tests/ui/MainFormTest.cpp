// The main window started offscreen on temporary folders: settings read at
// creation in their groups, a folder opened and refreshed, and what closing writes.
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>
#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

using testsupport::TempDir;

class MainFormTest : public uitest::WindowTest {
protected:
    std::string RegistryPath() const { return settings.Folder() + "registry.reg"; }
    void WriteRegistry(const std::string& body) const { testsupport::WriteFile(RegistryPath(), "REGEDIT4\n\n" + body); }
    platform::RegistryStore Saved() const { return platform::RegistryStore(RegistryPath()); }

    TempDir photos;
};

int32_t SavedInt(const platform::RegistryStore& store, const std::string& key, const std::string& name)
{
    const auto* v = store.Find(key, name);
    return v && std::holds_alternative<uint32_t>(*v) ? static_cast<int32_t>(std::get<uint32_t>(*v)) : INT32_MIN;
}

TEST_F(MainFormTest, FirstStartUsesInitialValuesAndClosingWritesEveryGroup)
{
    {
        TForm1 form;
        EXPECT_EQ(form.ViewType, 4);
        EXPECT_TRUE(form.setup_useIntel);
        EXPECT_TRUE(form.UseICC);
        EXPECT_TRUE(form.UseMaker);
        EXPECT_TRUE(form.UseWB);
        EXPECT_FALSE(form.EnableICM);
        EXPECT_TRUE(form.FolderPaneVisible());
        EXPECT_TRUE(form.InfoPaneVisible());
        ASSERT_NE(form.CacheFile, nullptr);
        form.show();
        form.close();
    }
    const platform::RegistryStore saved = Saved();
    EXPECT_EQ(SavedInt(saved, "Main\\Thumbnail", "ThumbnailType"), 4);
    EXPECT_EQ(SavedInt(saved, "Main\\Folder", "Width"), 185);
    EXPECT_EQ(SavedInt(saved, "Main\\Folder", "Visible"), 1);
    EXPECT_EQ(SavedInt(saved, "Main\\InfoPanel", "Width"), 263);
    EXPECT_EQ(SavedInt(saved, "Main\\Other", "toolbarvisible2"), 1);
    EXPECT_EQ(SavedInt(saved, "Other", "setup_useIntel"), 1);
    EXPECT_EQ(SavedInt(saved, "CMS", "ICCMatch"), 0);
    EXPECT_EQ(SavedInt(saved, "Application", "Count"), 0);
    EXPECT_EQ(SavedInt(saved, "Main\\Window", "State"), 0);
    EXPECT_NE(SavedInt(saved, "Main\\Window", "NormalRight"), INT32_MIN);
}

// Each case: registry text, then a check of the window created over it.
struct GroupCase {
    const char* name;
    const char* registry;
    std::function<void(TForm1&)> check;
};

TEST_F(MainFormTest, GroupsStopAtTheFirstMissingOrMistypedNumber)
{
    const GroupCase cases[] = {
        { "folder width without Visible keeps the pane",
            "[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\Folder]\n\"Width\"=dword:000000c8\n",
            [](TForm1& f) {
                EXPECT_EQ(f.FolderPaneWidth(), 200);
                EXPECT_TRUE(f.FolderPaneVisible());
            } },
        { "folder pane hidden",
            "[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\Folder]\n\"Width\"=dword:000000c8\n\"Visible\"=dword:"
            "00000000\n",
            [](TForm1& f) { EXPECT_FALSE(f.FolderPaneVisible()); } },
        { "Visible before Width is never reached when Width is a string",
            "[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\Folder]\n\"Width\"=\"wide\"\n\"Visible\"=dword:00000000\n",
            [](TForm1& f) {
                EXPECT_TRUE(f.FolderPaneVisible());
                EXPECT_EQ(f.FolderPaneWidth(), 185);
            } },
        { "unknown view type gives medium thumbnails",
            "[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\Thumbnail]\n\"ThumbnailType\"=dword:00000007\n",
            [](TForm1& f) { EXPECT_EQ(f.ViewType, 4); } },
        { "list view restored",
            "[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\Thumbnail]\n\"thumbnailtype\"=dword:00000000\n",
            [](TForm1& f) { EXPECT_EQ(f.ViewType, 0); } },
        { "Other ends at missing setup_thumbmode, later options keep initial values",
            "[HKEY_CURRENT_USER\\Software\\Zovide\\Other]\n\"DefaultFolder\"=\"/tmp/x\"\n"
            "\"setup_autorecalc\"=dword:00000001\n\"setup_useIntel\"=dword:00000000\n",
            [](TForm1& f) {
                EXPECT_EQ(f.DefaultFolder, "/tmp/x");
                EXPECT_FALSE(f.setup_autorecalc);
                EXPECT_TRUE(f.setup_useIntel);
            } },
        { "CMS read in full, low byte of ICCMatch",
            "[HKEY_CURRENT_USER\\Software\\Zovide\\CMS]\n\"InputProfileName\"=\"in.icc\"\n\"OutputProfileName\"=\"out."
            "icc\"\n"
            "\"UseICC\"=dword:00000000\n\"UseMaker\"=dword:00000000\n\"EnableICM\"=dword:00000001\n"
            "\"UseWB\"=dword:00000000\n\"ICCMatch\"=dword:00000103\n",
            [](TForm1& f) {
                EXPECT_EQ(f.InputProfileName, "in.icc");
                EXPECT_FALSE(f.UseICC);
                EXPECT_TRUE(f.EnableICM);
                EXPECT_FALSE(f.UseWB);
                EXPECT_EQ(f.ICCMatch, 3);
            } },
        { "bars hidden",
            "[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\Other]\n\"StatusVisible\"=dword:00000000\n"
            "\"ToolBarVisible\"=dword:00000000\n\"ToolBarVisible2\"=dword:00000000\n",
            [](TForm1& f) {
                EXPECT_TRUE(f.statusBar()->isHidden());
                EXPECT_TRUE(f.ToolBar3->isHidden());
                EXPECT_TRUE(f.PictTool->isHidden());
            } },
        { "application table with a count beyond its room",
            "[HKEY_CURRENT_USER\\Software\\Zovide\\Application]\n\"Count\"=dword:7fffffff\n\"Name_0\"=\"GIMP\"\n"
            "\"Path_0\"=\"/usr/bin/gimp\"\n\"Command_0\"=\"\"\n",
            [](TForm1& f) {
                EXPECT_EQ(f.AppCount, kMaxApplications);
                EXPECT_EQ(f.AppNames[0], "GIMP");
                EXPECT_EQ(f.AppPaths[0], "/usr/bin/gimp");
            } },
        { "damaged file reads as missing values",
            "\x01\x02garbage[[[\n\"State\"=dword:zz\n[HKEY_CURRENT_USER\\Software\\Zovide\\Other\n",
            [](TForm1& f) {
                EXPECT_EQ(f.ViewType, 4);
                EXPECT_TRUE(f.setup_useIntel);
            } },
    };
    for (const GroupCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteRegistry(c.registry);
        TForm1 form;
        c.check(form);
    }
}

TEST_F(MainFormTest, OpensRefreshesAndClosesAFolder)
{
    for (const char* name : { "b.jpg", "a photo \"quoted\".JPG", "写真.png", "notes.txt", ".hidden.jpg" })
        testsupport::WriteFile(photos.Path() / name, std::string("x"));
    TForm1 form;
    form.show();
    form.FolderOpen(QString::fromStdString(photos.Path().string()), false);
    EXPECT_EQ(form.CurrentFolder, photos.Folder());
    EXPECT_EQ(form.ListModel->ItemCount(), 3);
    EXPECT_EQ(form.StatusBarIn->text(), QStringLiteral(" 3 個のファイル"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Voviro - ") + QString::fromStdString(photos.Folder()));

    // The list shows name, kind and size of each file, sorted by name.
    const QModelIndex first = form.ListModel->index(0, 0);
    EXPECT_EQ(form.ListModel->data(first, Qt::DisplayRole).toString(), QStringLiteral("a photo \"quoted\".JPG"));
    EXPECT_EQ(form.ListModel->data(form.ListModel->index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("JPEG"));
    EXPECT_EQ(form.ListModel->data(form.ListModel->index(2, 10), Qt::DisplayRole).toString(), QStringLiteral("1B"));

    // The same folder again does nothing; a refresh picks up a new file.
    testsupport::WriteFile(photos.Path() / "c.bmp", std::string("xy"));
    form.FolderOpen(QString::fromStdString(photos.Path().string()), false);
    EXPECT_EQ(form.ListModel->ItemCount(), 3);
    form.Refresh1Click();
    EXPECT_EQ(form.ListModel->ItemCount(), 4);

    // Progress messages move the bar and name the task until the last file.
    form.ThumbnailProgress(-1, 0);
    form.ThumbnailProgress(0, 0);
    EXPECT_EQ(form.TaskProgress->value(), 25);
    EXPECT_EQ(form.TaskLabel->text(), QStringLiteral("サムネイル作成"));
    form.ThumbnailProgress(3, 0);
    EXPECT_EQ(form.TaskProgress->value(), 0);
    EXPECT_TRUE(form.TaskLabel->text().isEmpty());

    const std::string cache = form.CacheFile->Path();
    form.close();
    EXPECT_EQ(Saved().Find("Main\\Folder", "Path") != nullptr, true);
}

TEST_F(MainFormTest, RefreshAfterTheCurrentFileVanishedShowsTheLastFileAndKeepsTheRow)
{
    for (const char* name : { "a.jpg", "b.jpg", "c.jpg" })
        testsupport::WriteFile(photos.Path() / name, std::string("x"));
    TForm1 form;
    uitest::RecordingView panel;
    form.AddCurrentFileView(&panel);
    form.ChangeViewType(0);
    form.FolderOpen(QString::fromStdString(photos.Path().string()), false);
    form.ListView1->selectionModel()->setCurrentIndex(
        form.ListModel->index(2, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ASSERT_EQ(form.CurrentIndex(), 2);

    std::filesystem::remove(photos.Path() / "c.jpg");
    form.Refresh1Click();
    EXPECT_EQ(form.ListModel->ItemCount(), 2);
    EXPECT_EQ(form.CurrentIndex(), 1);
    EXPECT_EQ(panel.Last(), photos.Folder() + "b.jpg");

    // A file added before the current one: the panels follow the file, the row stays by index.
    testsupport::WriteFile(photos.Path() / "0.jpg", std::string("x"));
    form.Refresh1Click();
    EXPECT_EQ(form.CurrentIndex(), 1);
    EXPECT_EQ(panel.Last(), photos.Folder() + "b.jpg");
}

TEST_F(MainFormTest, EmptyOrVanishedFolderListsNothingAndIgnoresProgress)
{
    TForm1 form;
    form.FolderOpen(QString::fromStdString(photos.Path().string()), false);
    EXPECT_EQ(form.ListModel->ItemCount(), 0);
    EXPECT_EQ(form.StatusBarIn->text(), QStringLiteral(" 0 個のファイル"));
    form.ThumbnailProgress(-1, 55);
    EXPECT_EQ(form.TaskProgress->value(), 0);
    form.FolderOpen(QStringLiteral("/nonexistent/voviro/folder"), false);
    EXPECT_EQ(form.ListModel->ItemCount(), 0);
}

TEST_F(MainFormTest, CacheFileIsDeletedWithTheWindowAndUnwritableSettingsDoNotBlockClosing)
{
    // A settings folder below a plain file can never be created, not even by root.
    testsupport::WriteFile(settings.Path() / "plain", std::string("x"));
    setenv("VOVIRO_SETTINGS_DIR", (settings.Folder() + "plain/sub").c_str(), 1);
    std::string cache;
    {
        TForm1 form;
        ASSERT_NE(form.CacheFile, nullptr);
        cache = form.CacheFile->Path();
        EXPECT_TRUE(std::filesystem::exists(cache));
        form.show();
        form.close();
    }
    EXPECT_FALSE(std::filesystem::exists(cache));
}

} // namespace
