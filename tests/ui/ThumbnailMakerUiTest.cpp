// The main window with its thumbnail maker, offscreen: thumbnails fill in
// while the progress moves, another folder stops the maker at once (a long
// decode included) without stale progress, refreshing mid-way keeps what was
// made, closing mid-way ends the maker; the grid's layout, marks and list rows.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QTreeView>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/MainForm.h"
#include "app/ThumbnailProgressEvent.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "catalogue/ui/ThumbnailIcons.h"
#include "imaging/ImageIO.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

using namespace std::chrono_literals;
using testsupport::TempDir;

// Records the progress messages the window receives.
class ProgressLog : public QObject {
public:
    std::vector<int> seen;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == TThumbnailProgressEvent::kType)
            seen.push_back(static_cast<TThumbnailProgressEvent*>(event)->wParam);
        return false;
    }
};

void Click(QWidget* target, Qt::MouseButton button, QPoint at)
{
    const QPointF global = target->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

class ThumbnailMakerUi : public uitest::WindowTest {
protected:
    static void Bitmaps(const TempDir& dir, int n, int width = 40, int height = 30)
    {
        imaging::Bitmap b(width, height);
        b.Fill(200, 40, 40);
        for (int i = 0; i < n; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "p%03d.bmp", i);
            ASSERT_TRUE(imaging::SaveBmpFile((dir.Path() / name).string(), b));
        }
    }
    static QString Path(const TempDir& dir) { return QString::fromStdString(dir.Path().string()); }

    // Runs the event loop until the condition holds (at most a few seconds).
    template <typename Pred> static bool Until(Pred pred)
    {
        const auto end = std::chrono::steady_clock::now() + 10s;
        while (!pred()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        return true;
    }
    static int Visited(TForm1& form)
    {
        std::lock_guard lock(form.Catalogue.Mutex());
        int n = 0;
        for (int i = 0; i < form.Catalogue.Count(); ++i)
            n += form.Catalogue.At(i).ThumbState == 10;
        return n;
    }
};

TEST_F(ThumbnailMakerUi, ThumbnailsFillInWhileTheProgressMoves)
{
    TempDir photos;
    Bitmaps(photos, 12);
    testsupport::WriteFile(photos.Path() / "zero.png", std::string());
    TForm1 form;
    form.resize(900, 600);
    form.show();
    ProgressLog log;
    form.installEventFilter(&log);
    form.ThumbnailMakerSetup
        = [](catalogue::TThumbnailMakerOptions& o) { o.beforeRecord = [](int) { std::this_thread::sleep_for(2ms); }; };
    form.FolderOpen(Path(photos), false);
    bool labelShown = false;
    ASSERT_TRUE(Until([&] {
        labelShown |= form.TaskLabel->text() == QStringLiteral("サムネイル作成");
        return !log.seen.empty() && log.seen.back() == -2;
    }));
    EXPECT_TRUE(labelShown);
    std::vector<int> expected { -1 };
    for (int i = 0; i < 13; ++i)
        expected.push_back(i);
    expected.push_back(-2);
    EXPECT_EQ(log.seen, expected);
    EXPECT_TRUE(form.TaskLabel->text().isEmpty());
    EXPECT_EQ(form.TaskProgress->value(), 0);
    std::lock_guard lock(form.Catalogue.Mutex());
    for (int i = 0; i < 12; ++i)
        EXPECT_NE(form.Catalogue.At(i).ThumbOffset, -1) << i;
    EXPECT_EQ(form.Catalogue.At(12).ThumbOffset, -1) << "zero bytes: placeholder";
}

TEST_F(ThumbnailMakerUi, AnotherFolderStopsALongDecodeAndNoOldProgressArrives)
{
    TempDir first, second;
    Bitmaps(first, 40);
    Bitmaps(second, 3);
    TForm1 form;
    form.show();
    std::atomic<bool> inLongDecode { false }, aborted { false };
    const std::string longFile = first.Folder() + "p005.bmp";
    // File 5 of the first folder decodes "forever" until the abort hook stops it.
    form.ThumbnailMakerSetup = [&](catalogue::TThumbnailMakerOptions& o) {
        auto load = o.readers.LoadThumbnailFromImage;
        o.readers.LoadThumbnailFromImage = [&, load](const std::string& name, imaging::Bitmap& b, int32_t& w,
                                               int32_t& h, const imaging::ProgressFn& progress) {
            if (name != longFile)
                return load(name, b, w, h, progress);
            inLongDecode = true;
            while (progress(10))
                std::this_thread::sleep_for(1ms);
            aborted = true;
            return false;
        };
    };
    form.FolderOpen(Path(first), false);
    ASSERT_TRUE(Until([&] { return inLongDecode.load(); }));
    QApplication::processEvents();
    ProgressLog log;
    form.installEventFilter(&log);
    const auto start = std::chrono::steady_clock::now();
    form.FolderOpen(Path(second), false);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_TRUE(aborted);
    ASSERT_TRUE(Until([&] { return !log.seen.empty() && log.seen.back() == -2; }));
    const auto settle = std::chrono::steady_clock::now() + 50ms;
    Until([&] { return std::chrono::steady_clock::now() > settle; });
    EXPECT_EQ(log.seen, (std::vector<int> { -1, 0, 1, 2, -2 })) << "only the second folder's messages";
    EXPECT_EQ(Visited(form), 3);
}

TEST_F(ThumbnailMakerUi, RefreshMidWayKeepsWhatWasMadeAndTheCacheHoldsNothingElse)
{
    TempDir photos;
    Bitmaps(photos, 30);
    TForm1 form;
    form.show();
    form.ThumbnailMakerSetup
        = [](catalogue::TThumbnailMakerOptions& o) { o.beforeRecord = [](int) { std::this_thread::sleep_for(3ms); }; };
    form.FolderOpen(Path(photos), false);
    ASSERT_TRUE(Until([&] { return Visited(form) >= 5; }));
    form.Refresh1Click();
    ASSERT_TRUE(Until([&] { return !form.ThumbnailMakerRunning(); }));
    EXPECT_EQ(Visited(form), 30);
    // Every thumbnail is 160 × 120 (40 × 30 enlarged): the cache holds exactly thirty of them.
    const int64_t one = 54 + imaging::Bitmap::StrideFor(160, 24) * 120 + catalogue::TCacheFile::ReserveBytes(160, 120);
    EXPECT_EQ(form.CacheFile->Size(), 30 * one);
}

TEST_F(ThumbnailMakerUi, ClosingWhileThumbnailsAreMadeEndsTheMaker)
{
    TempDir photos;
    Bitmaps(photos, 200);
    const auto start = std::chrono::steady_clock::now();
    {
        TForm1 form;
        form.show();
        form.ThumbnailMakerSetup = [](catalogue::TThumbnailMakerOptions& o) {
            o.beforeRecord = [](int) { std::this_thread::sleep_for(2ms); };
        };
        form.FolderOpen(Path(photos), false);
        ASSERT_TRUE(Until([&] { return Visited(form) >= 2; }));
        form.close();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

TEST_F(ThumbnailMakerUi, ViewTypesLayTheGridOutAndCheckMarksRepaint)
{
    TempDir photos;
    Bitmaps(photos, 7);
    TForm1 form;
    form.show();
    form.FolderOpen(Path(photos), false);
    ASSERT_TRUE(Until([&] { return !form.ThumbnailMakerRunning(); }));
    form.ChangeThumnailMode(3);
    EXPECT_EQ(form.ViewType, 3);
    EXPECT_EQ(form.DrawGrid1->DefaultColWidth(), 155);
    EXPECT_EQ(form.DrawGrid1->DefaultRowHeight(), 141);
    for (const auto& [width, cols, rows] : { std::tuple { 260, 1, 7 }, std::tuple { 350, 2, 4 } }) {
        form.DrawGrid1->resize(width, 400);
        form.LayoutGrid();
        EXPECT_EQ(form.DrawGrid1->ColCount(), cols) << width;
        EXPECT_EQ(form.DrawGrid1->RowCount(), rows) << width;
    }
    // Let the window's layout give the grid its own width back, then address by index.
    QApplication::processEvents();
    const int cols = form.DrawGrid1->ColCount();
    const int rows = form.DrawGrid1->RowCount();
    ASSERT_EQ(rows, (7 + cols - 1) / cols);
    // A cell beyond the last record is no file.
    form.DrawGrid1->SetCurrent(cols - 1, rows - 1);
    EXPECT_EQ(form.CurrentIndex(), 7 % cols == 0 ? 6 : -1);
    form.DrawGrid1->SetCurrent(2 % cols, 2 / cols);
    EXPECT_EQ(form.CurrentIndex(), 2);
    form.CheckMarkClick();
    EXPECT_TRUE(catalogue::LockedItem(form.Catalogue, 2)->Checked);
    form.CheckMarkClick();
    EXPECT_FALSE(catalogue::LockedItem(form.Catalogue, 2)->Checked);

    // The T key marks the current file, F clears it (each then goes on to the next file);
    // the mark, the rotation and the protection are drawn.
    uitest::TypeKey(form.DrawGrid1, Qt::Key_T, Qt::NoModifier, QStringLiteral("t"));
    EXPECT_TRUE(catalogue::LockedItem(form.Catalogue, 2)->Checked);
    form.DrawGrid1->SetCurrent(2 % cols, 2 / cols);
    catalogue::LockedItem(form.Catalogue, 2)->Rotation = 1;
    catalogue::LockedItem(form.Catalogue, 2)->ReadOnly = true;
    const QImage shot = form.DrawGrid1->viewport()->grab().toImage();
    const QRect cell = form.DrawGrid1->CellRect(2 % cols, 2 / cols);
    EXPECT_EQ(QColor(shot.pixel(cell.left() + 3, cell.top() + 60)), QColor(255, 209, 134)) << "checked background";
    EXPECT_EQ(QColor(shot.pixel(cell.left() + 2, cell.top() + 10)), QColor(128, 128, 128)) << "rotation mark frame";
    EXPECT_EQ(QColor(shot.pixel(cell.right() - 2, cell.top() + 30)), QColor(170, 170, 170)) << "light shadow";
    uitest::TypeKey(form.DrawGrid1, Qt::Key_F, Qt::NoModifier, QStringLiteral("f"));
    EXPECT_FALSE(catalogue::LockedItem(form.Catalogue, 2)->Checked);
    form.DrawGrid1->SetCurrent(2 % cols, 2 / cols);
    // A middle click toggles the current file even over another cell.
    Click(form.DrawGrid1->viewport(), Qt::MiddleButton, form.DrawGrid1->CellRect(0, 0).center());
    EXPECT_TRUE(catalogue::LockedItem(form.Catalogue, 2)->Checked);
    EXPECT_EQ(form.CurrentIndex(), 2);
}

TEST_F(ThumbnailMakerUi, ListRowsShowIconsGreyAndRedBold)
{
    TempDir photos;
    Bitmaps(photos, 3);
    TForm1 form;
    form.show();
    form.ChangeViewType(0);
    EXPECT_EQ(form.ViewType, 0);
    EXPECT_FALSE(form.ListView1->isHidden());
    form.ThumbnailMakerSetup = [](catalogue::TThumbnailMakerOptions& o) {
        o.beforeRecord = [](int i) {
            if (i == 2)
                std::this_thread::sleep_for(300ms);
        };
    };
    form.FolderOpen(Path(photos), false);
    ASSERT_TRUE(Until([&] { return Visited(form) == 2; }));
    CatalogueListModel& model = *form.ListModel;
    const auto foreground = [&](int row) { return model.data(model.index(row, 0), Qt::ForegroundRole); };
    EXPECT_FALSE(foreground(0).isValid()) << "visited: plain";
    EXPECT_EQ(foreground(2).value<QColor>(), form.ListView1->palette().color(QPalette::Disabled, QPalette::Text));
    catalogue::LockedItem(form.Catalogue, 2)->Checked = true;
    EXPECT_EQ(foreground(2).value<QColor>(), QColor(255, 0, 0)) << "checked wins over grey";
    EXPECT_TRUE(model.data(model.index(2, 0), Qt::FontRole).value<QFont>().bold());
    ASSERT_TRUE(Until([&] { return !form.ThumbnailMakerRunning(); }));
    catalogue::LockedItem(form.Catalogue, 1)->ReadOnly = true;
    catalogue::LockedItem(form.Catalogue, 0)->FileKind = catalogue::kKindExifJpeg;
    const auto icon = [&](int row) { return model.data(model.index(row, 0), Qt::DecorationRole).value<QPixmap>(); };
    EXPECT_EQ(icon(0).toImage(), ThumbnailIcon(kIconExifPhoto).toImage());
    EXPECT_EQ(icon(1).toImage(), ThumbnailIcon(kIconProtected).toImage());
}

} // namespace
