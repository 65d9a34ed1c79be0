// The panels' view of the current file: what the window tells a registered
// view when a folder opens, a file is selected, its thumbnail arrives, the list
// loses its selection, the information pane is hidden, and a picture opens.
#include <QApplication>
#include <QTreeView>
#include <chrono>
#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "catalogue/CellLayout.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "imaging/ImageIO.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

class CurrentFileViewTest : public uitest::WindowTest {
protected:
    void SetUp() override
    {
        uitest::WindowTest::SetUp();
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(imaging::SaveBmpFile(File(i), imaging::Bitmap(20 + i, 10)));
        form = std::make_unique<TForm1>();
        form->AddCurrentFileView(&panel);
        form->show();
        uitest::OpenFolderAndWait(*form, photos.Folder());
        QApplication::processEvents();
        panel.changes.clear();
    }
    void TearDown() override
    {
        form.reset();
        uitest::WindowTest::TearDown();
    }
    std::string File(int i) const { return photos.Folder() + "p" + std::to_string(i) + ".bmp"; }

    testsupport::TempDir photos;
    testsupport::TempDir other;
    uitest::RecordingView panel;
    std::unique_ptr<TForm1> form;
};

} // namespace

TEST_F(CurrentFileViewTest, ViewsFollowTheCurrentFile)
{
    form->SelectFile(1);
    EXPECT_EQ(panel.changes, (std::vector<std::string> { File(1) }));

    // The current file's thumbnail arriving: the views drop it and take it afresh.
    panel.changes.clear();
    form->ThumbnailProgress(1, 0);
    EXPECT_EQ(panel.changes, (std::vector<std::string> { "", File(1) }));

    // Another file's thumbnail tells nothing.
    panel.changes.clear();
    form->ThumbnailProgress(2, 0);
    EXPECT_TRUE(panel.changes.empty());

    // With the information pane hidden nothing is told.
    form->SetInfoPaneVisible(false);
    form->SelectFile(2);
    EXPECT_TRUE(panel.changes.empty());
    form->SetInfoPaneVisible(true);

    // Another folder empties the views.
    form->FolderOpen(QString::fromStdString(other.Folder()), false);
    EXPECT_EQ(panel.Last(), "");
}

TEST_F(CurrentFileViewTest, ListWithoutSelectionEmptiesTheViews)
{
    form->ChangeViewType(catalogue::kViewList);
    form->ListView1->selectionModel()->setCurrentIndex(
        form->ListModel->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(panel.Last(), File(0));
    form->ListView1->clearSelection();
    form->ListView1Click();
    EXPECT_EQ(panel.Last(), "");
}

TEST_F(CurrentFileViewTest, OpeningAPictureTellsTheViewsWithTheOrientedPicture)
{
    form->SelectFile(2);
    form->Rolate_90Plus(); // a quarter turn: the opened picture is 10 wide
    form->Open1Click(form->DrawGrid1);
    EXPECT_EQ(panel.opened, (std::vector<std::string> { File(2) }));
    EXPECT_EQ(panel.openedWidth, 10);
}
