// The current file across every re-layout of the file views: view switches,
// pane toggles and window resizes keep it (and the list selects its row); the
// grid's End key, and repainting a cell in the last visible rows.
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTreeView>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

#include "app/MainForm.h"
#include "catalogue/CellLayout.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

constexpr int kFiles = 23;

class CurrentIndexTest : public uitest::WindowTest {
protected:
    std::unique_ptr<TForm1> Open(int files = kFiles)
    {
        for (int i = 0; i < files; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "f%03d.jpg", i);
            testsupport::WriteFile(photos.Path() / name, std::string("x"));
        }
        auto form = std::make_unique<TForm1>();
        form->resize(1200, 800);
        form->show();
        form->FolderOpen(QString::fromStdString(photos.Folder()), false);
        QApplication::processEvents();
        return form;
    }
    testsupport::TempDir photos;
};

struct Relayout {
    const char* name;
    int fromView;
    std::function<void(TForm1&)> change;
};

} // namespace

TEST_F(CurrentIndexTest, EveryRelayoutKeepsTheCurrentFile)
{
    using namespace catalogue;
    const auto view = [](int type) { return [type](TForm1& f) { f.ChangeViewType(type); }; };
    const auto width = [](int w) {
        return [w](TForm1& f) {
            f.resize(w, 800);
            QApplication::processEvents();
        };
    };
    const Relayout cases[] = {
        { "medium to small", kViewMedium, view(kViewSmall) },
        { "medium to large", kViewMedium, view(kViewLarge) },
        { "small to shooting", kViewSmall, view(kViewShooting) },
        { "medium to list", kViewMedium, view(kViewList) },
        { "list to large", kViewList, view(kViewLarge) },
        { "list to list", kViewList, view(kViewList) },
        { "narrower window", kViewMedium, width(700) },
        { "wider window", kViewSmall, width(1500) },
        { "folder pane hidden", kViewMedium, [](TForm1& f) { f.ShowFolderView(); } },
        { "info pane hidden", kViewSmall, [](TForm1& f) { f.Action_ShowInfoExecute(); } },
    };
    for (const Relayout& c : cases) {
        for (int start : { 0, 7, kFiles - 1 }) {
            SCOPED_TRACE(std::string(c.name) + ", file " + std::to_string(start));
            auto form = Open();
            form->ChangeViewType(c.fromView);
            form->SelectFile(start);
            ASSERT_EQ(form->CurrentIndex(), start);
            const QString status = form->StatusBarIn->text();
            c.change(*form);
            QApplication::processEvents();
            EXPECT_EQ(form->CurrentIndex(), start);
            EXPECT_EQ(form->StatusBarIn->text(), status);
            if (form->ViewType == kViewList) {
                EXPECT_TRUE(form->ListView1->selectionModel()->isRowSelected(start, {}));
            }
        }
    }
}

TEST_F(CurrentIndexTest, EndGoesToTheLastFileNotPastIt)
{
    auto form = Open();
    form->ChangeViewType(catalogue::kViewMedium);
    ASSERT_NE(kFiles % form->DrawGrid1->ColCount(), 0) << "the last row must be partial";
    form->DrawGrid1->setFocus();
    uitest::TypeKey(form->DrawGrid1, Qt::Key_End);
    EXPECT_EQ(form->CurrentIndex(), kFiles - 1);
}

TEST_F(CurrentIndexTest, RepaintReachesACellInTheLastVisibleRow)
{
    auto form = Open(200);
    // Small cells in a tall window: many rows, where a count that allows for grid lines falls short.
    form->ChangeViewType(catalogue::kViewSmall);
    form->resize(500, 1000);
    QApplication::processEvents();
    TResizeDrawGrid& grid = *form->DrawGrid1;
    // Scrolled by part of a row, the last visible row shows only partly.
    grid.verticalScrollBar()->setValue(grid.DefaultRowHeight() / 2);
    QApplication::processEvents();
    const int row = grid.LastVisibleRow();
    ASSERT_GT(row, grid.TopRow());
    const int index = row * grid.ColCount();
    ASSERT_LT(index, 200);
    std::vector<int> drawn;
    const auto draw = grid.OnDrawCell;
    grid.OnDrawCell = [&](int col, int r, const QRect& rect, bool selected, QPainter& painter) {
        drawn.push_back(col + r * grid.ColCount());
        draw(col, r, rect, selected, painter);
    };
    QApplication::processEvents();
    drawn.clear();
    form->RepaintItem(index);
    QApplication::processEvents();
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), index), drawn.end()) << "row " << row << " not repainted";
}
