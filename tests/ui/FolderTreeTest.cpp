// The folder tree and the window over folders whose names are not valid UTF-8,
// the vetoable change of folder, and the start-up folder scrolled into view.
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTreeView>
#include <gtest/gtest.h>

#include "app/FolderModel.h"
#include "app/FolderTree.h"
#include "app/MainForm.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

// "テスト" in CP932: not valid UTF-8.
const std::string kCp932Name = "\x83\x65\x83\x58\x83\x67";

class FolderTreeTest : public uitest::WindowTest {
protected:
    void Click(FolderTree& tree, const QModelIndex& index)
    {
        const QPoint at = tree.visualRect(index).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, tree.viewport()->mapToGlobal(at), Qt::LeftButton,
            Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, tree.viewport()->mapToGlobal(at), Qt::LeftButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(tree.viewport(), &press);
        QApplication::sendEvent(tree.viewport(), &release);
    }
    testsupport::TempDir root;
};

} // namespace

TEST_F(FolderTreeTest, FoldersWithNamesThatAreNotUtf8AreListedShownAndReachable)
{
    const std::string odd = root.Folder() + kCp932Name + "/";
    std::filesystem::create_directory(odd);
    testsupport::WriteFile(odd + kCp932Name + ".jpg", std::string("x"));
    {
        TForm1 form;
        form.show();
        form.PTShellTree1->SelectNativePath(odd);
        EXPECT_EQ(form.PTShellTree1->SelectedNativePath(), odd);
        const QModelIndex item = form.PTShellTree1->currentIndex();
        EXPECT_EQ(item.data().toString(), QStringLiteral("テスト"));
        // The tree's change opened the folder by its own bytes.
        EXPECT_EQ(form.CurrentFolder, odd);
        ASSERT_EQ(form.FileCount(), 1);
        EXPECT_EQ(form.IndexOfFile(odd + kCp932Name + ".jpg"), 0);
        form.ChangeViewType(catalogue::kViewList);
        EXPECT_EQ(form.ListModel->index(0, 0).data().toString(), QStringLiteral("テスト.jpg"));
        form.close();
    }
    // Stored and found again at the next start.
    TForm1 again;
    again.show();
    EXPECT_EQ(again.PTShellTree1->SelectedNativePath(), odd);
    EXPECT_EQ(again.CurrentFolder, odd);
}

TEST_F(FolderTreeTest, UserChangesAskFirstAndCanBeRefused)
{
    for (const char* name : { "a", "b" })
        std::filesystem::create_directory(root.Path() / name);
    FolderTree tree;
    tree.resize(300, 400);
    tree.show();
    std::vector<std::string> asked;
    bool allow = false;
    tree.Changing = [&](const std::string& path) {
        asked.push_back(path);
        return allow;
    };
    int changes = 0;
    QObject::connect(&tree, &FolderTree::Changed, [&] { ++changes; });
    tree.SelectNativePath(root.Folder() + "a");
    EXPECT_TRUE(asked.empty()) << "selecting by path is not the user's change";
    EXPECT_EQ(changes, 1);
    QApplication::processEvents();

    const QModelIndex b = tree.Model()->IndexOfNativePath(root.Folder() + "b");
    ASSERT_TRUE(b.isValid());
    for (const bool byKey : { false, true }) {
        SCOPED_TRACE(byKey ? "key" : "click");
        asked.clear();
        allow = false;
        if (byKey)
            uitest::TypeKey(&tree, Qt::Key_Down);
        else
            Click(tree, b);
        EXPECT_EQ(asked, (std::vector<std::string> { root.Folder() + "b/" }));
        EXPECT_EQ(tree.SelectedNativePath(), root.Folder() + "a/");
        EXPECT_EQ(changes, 1);
        EXPECT_FALSE(tree.selectionModel()->isSelected(b));
    }
    allow = true;
    Click(tree, b);
    EXPECT_EQ(tree.SelectedNativePath(), root.Folder() + "b/");
    EXPECT_EQ(changes, 2);
}

TEST_F(FolderTreeTest, StartUpFolderIsScrolledIntoView)
{
    // Deep enough and with enough siblings that the folder lies far below the top.
    std::string deep = root.Folder();
    for (int level = 0; level < 6; ++level) {
        for (int i = 0; i < 12; ++i)
            std::filesystem::create_directory(deep + "d" + std::to_string(i));
        deep += "d11/";
    }
    testsupport::WriteFile(settings.Path() / "registry.reg",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Zovide\\Main\\Folder]\n\"Path\"=\"" + deep + "\"\n");
    TForm1 form;
    form.show();
    QApplication::processEvents();
    QApplication::processEvents();
    FolderTree& tree = *form.PTShellTree1;
    ASSERT_EQ(tree.SelectedNativePath(), deep);
    EXPECT_GT(tree.verticalScrollBar()->value(), 0);
    const QRect item = tree.visualRect(tree.currentIndex());
    EXPECT_GE(item.top(), 0);
    EXPECT_LE(item.bottom(), tree.viewport()->height());
}

TEST_F(FolderTreeTest, ANewFolderIsListedAfterAReloadAndItsNameIsEditedOnDisk)
{
    namespace fs = std::filesystem;
    fs::create_directory(root.Path() / "a");
    TFolderModel model;
    const QModelIndex parent = model.IndexOfNativePath(root.Folder());
    ASSERT_TRUE(parent.isValid());
    model.fetchMore(parent);
    EXPECT_EQ(model.rowCount(parent), 1);

    // A folder made after the listing appears once its parent is listed again.
    fs::create_directory(root.Path() / "b");
    model.Reload(parent);
    ASSERT_EQ(model.rowCount(parent), 2);
    const QModelIndex b = model.IndexOfNativePath(root.Folder() + "b/");
    EXPECT_TRUE(model.flags(b) & Qt::ItemIsEditable);

    // Renaming to a free name renames on disk; onto an existing folder is refused.
    EXPECT_FALSE(model.setData(b, QStringLiteral("a")));
    EXPECT_FALSE(model.RenameError().isEmpty());
    EXPECT_TRUE(fs::is_directory(root.Path() / "b"));
    EXPECT_TRUE(model.setData(b, QStringLiteral("写真")));
    EXPECT_TRUE(fs::is_directory(root.Path() / "写真"));
    EXPECT_FALSE(fs::exists(root.Path() / "b"));
    EXPECT_EQ(model.NativePathOf(b), root.Folder() + "写真/");
}
