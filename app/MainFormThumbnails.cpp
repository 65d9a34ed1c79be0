// The thumbnail grid, the detail list's input and the thumbnail maker as the
// main window drives them: view types, grid layout and resizing, cell drawing,
// check marks, the mouse and keyboard of both views, starting and stopping the maker.
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTreeView>

#include "app/MainForm.h"
#include "app/ThumbnailProgressEvent.h"
#include "catalogue/CellLayout.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "catalogue/ui/MakeThumbnailCanvas.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "catalogue/ui/ThumbnailIcons.h"

namespace {

// How far the pointer moves with a button held before files are dragged out.
constexpr int kDragDistance = 16;

bool ExactlyOneDragButton(Qt::MouseButtons buttons)
{
    return buttons == Qt::LeftButton || buttons == Qt::RightButton;
}

// Whether the grid cell under a viewport point stands for one of the count records.
bool OnRecord(const TResizeDrawGrid& grid, const QPoint& pos, int count)
{
    int col = 0, row = 0;
    return grid.MouseToCell(pos, col, row) && col + row * grid.ColCount() < count;
}

} // namespace

void TForm1::SetupThumbnailViews()
{
    QFont font = DrawGrid1->font();
    font.setPixelSize(12);
    DrawGrid1->setFont(font);
    DrawGrid1->OnResize = [this](int, int) { DrawGrid1Resize(); };
    DrawGrid1->OnMouseDown = [this](QMouseEvent* e) { GridMouseDown(e); };
    DrawGrid1->OnMouseUp = [this](QMouseEvent* e) { GridMouseUp(e); };
    DrawGrid1->OnMouseMove = [this](QMouseEvent* e) { ViewMouseMove(e); };
    DrawGrid1->OnDblClick = [this](QMouseEvent*) { OpenFileHook(); };
    DrawGrid1->OnKeyDown = [this](QKeyEvent* e) { return GridKeyDown(e); };
    DrawGrid1->ItemCount = [this] { return FileCount(); };

    ListView1->setIconSize(QSize(16, 16));
    ListView1->viewport()->installEventFilter(this);
    ListView1->installEventFilter(this);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (ListView1->indexAt(pos).isValid())
            FilePopupHook(ListView1->viewport()->mapToGlobal(pos));
    });
    connect(ListView1, &QAbstractItemView::doubleClicked, this, [this] { OpenFileHook(); });
    // The header's popup from the third column on holds one entry without a command.
    QHeaderView* header = ListView1->header();
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QWidget::customContextMenuRequested, this, [this, header](const QPoint& pos) {
        ListView1ColumnRightClick(header->logicalIndexAt(pos), header->mapToGlobal(pos));
    });

    makerHost_.noUseRolate = [this] { return setup_NoUseRolate; };
    makerHost_.writeThumbnail
        = [this](const imaging::Bitmap& bitmap) { return CacheFile ? CacheFile->AppendThumbnail(bitmap) : -1; };
    makerHost_.postProgress = [this](int w, int l) { makerDispatcher_.PostProgress(w, l); };
}

// --- view types and layout

void TForm1::ChangeViewType(int viewType)
{
    if (viewType == catalogue::kViewList)
        ListViewClick();
    else
        ChangeThumnailMode(viewType);
}

void TForm1::ChangeThumnailMode(int viewType)
{
    const auto size = catalogue::CellSizeOf(viewType);
    if (!size)
        return;
    // From the list the grid takes over the list's current file.
    const int fromList = ViewType == catalogue::kViewList ? CurrentIndex() : -1;
    Panel4->setCurrentWidget(DrawGrid1);
    ViewType = viewType;
    DrawGrid1->SetDefaultColWidth(size->width);
    DrawGrid1->SetDefaultRowHeight(size->height);
    LayoutGrid();
    if (fromList >= 0)
        PlaceGridCurrent(fromList);
    UIUpdateAction();
    DrawGrid1->viewport()->update();
}

void TForm1::ListViewClick()
{
    // From the grid the list selects the grid's current file (none past the last file).
    const bool fromGrid = ViewType != catalogue::kViewList;
    const int index = fromGrid ? CurrentIndex() : -1;
    ViewType = catalogue::kViewList;
    Panel4->setCurrentWidget(ListView1);
    if (fromGrid) {
        if (index >= 0) {
            const QModelIndex row = ListModel->index(index, 0);
            ListView1->selectionModel()->setCurrentIndex(
                row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            ListView1->scrollTo(row);
        } else {
            ListView1->clearSelection();
        }
    }
    UIUpdateAction();
}

void TForm1::PlaceGridCurrent(int index)
{
    const int cols = std::max(DrawGrid1->ColCount(), 1);
    DrawGrid1->SetCurrent(index % cols, index / cols);
}

void TForm1::LayoutGrid()
{
    // The current cell stands for a file index, which a new column count must keep.
    const int index = DrawGrid1->Row() * DrawGrid1->ColCount() + DrawGrid1->Col();
    const int oldCols = DrawGrid1->ColCount();
    const catalogue::TGridShape shape
        = catalogue::GridShapeOf(DrawGrid1->width(), DrawGrid1->DefaultColWidth(), FileCount());
    DrawGrid1->SetColCount(shape.cols);
    DrawGrid1->SetRowCount(shape.rows);
    if (shape.cols != oldCols)
        PlaceGridCurrent(index);
}

void TForm1::DrawGrid1Resize()
{
    // The window sets the tag while it shows or hides side panes.
    if (DrawGrid1->Tag != 0)
        return;
    // The grid repaints itself when the layout gives it other counts.
    LayoutGrid();
}

// --- drawing

void TForm1::DrawGrid1DrawCell(int col, int row, const QRect& rect, bool selected, QPainter& painter)
{
    const int index = col + row * DrawGrid1->ColCount();
    std::lock_guard lock(Catalogue.Mutex());
    if (index >= Catalogue.Count()) {
        painter.fillRect(rect, Qt::white);
        return;
    }
    const catalogue::TImageCache& record = Catalogue.At(index);
    if (record.ThumbOffset == -1) {
        DrawThumbnailCell(painter, rect, nullptr, setup_thumbmode, ViewType, selected, record, DrawGrid1->font());
    } else {
        imaging::Bitmap thumbnail;
        // A thumbnail that cannot be read leaves the cell undrawn.
        if (CacheFile && CacheFile->ReadThumbnail(record.ThumbOffset, thumbnail))
            DrawThumbnailCell(
                painter, rect, &thumbnail, setup_thumbmode, ViewType, selected, record, DrawGrid1->font());
    }
    if (record.Rotation != 0) {
        const QRect mark(rect.left() + 2, rect.top() + 2, 16, 16);
        painter.fillRect(mark, Qt::white);
        painter.setPen(QColor(128, 128, 128));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(mark.adjusted(0, 0, -1, -1));
        painter.drawPixmap(mark.topLeft(), ThumbnailIcon(kIconRotation));
    }
    if (record.ReadOnly)
        painter.drawPixmap(rect.left() + rect.width() - 23, rect.top() + 2, ThumbnailIcon(kIconProtected));
}

// --- check marks

void TForm1::CheckMarkClick()
{
    const int i = CurrentIndex();
    if (i < 0)
        return;
    bool checked = false;
    {
        catalogue::LockedItem record(Catalogue, i);
        record->Checked = !record->Checked;
        checked = record->Checked;
    }
    RepaintItem(i);
    if (PictureMode())
        PictureCheckButtonHook(checked);
}

void TForm1::SetCurrentChecked(bool checked)
{
    const int i = CurrentIndex();
    if (i < 0)
        return;
    catalogue::LockedItem(Catalogue, i)->Checked = checked;
    RepaintItem(i);
}

bool TForm1::MarkKeyPress(QKeyEvent* event)
{
    const QString text = event->text().toLower();
    if (text == QStringLiteral("t") || text == QStringLiteral("f"))
        SetCurrentChecked(text == QStringLiteral("t"));
    else if (text != QStringLiteral(" "))
        return false;
    NextFileHook();
    return true;
}

// --- mouse and keyboard of the grid and the list

void TForm1::GridMouseDown(QMouseEvent* event)
{
    if (OnRecord(*DrawGrid1, event->position().toPoint(), FileCount())) {
        const QPoint global = event->globalPosition().toPoint();
        DragStartX = global.x();
        DragStartY = global.y();
        dragAllowed_ = true;
    }
}

void TForm1::GridMouseUp(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton
        || (event->button() == Qt::LeftButton && event->modifiers() == Qt::ControlModifier)) {
        CheckMarkClick();
    } else if (event->button() == Qt::RightButton) {
        const QPoint global = event->globalPosition().toPoint();
        if (OnRecord(*DrawGrid1, event->position().toPoint(), FileCount()))
            FilePopupHook(global);
        else
            FolderPopupHook(global);
    }
    dragAllowed_ = false;
}

void TForm1::ViewMouseMove(QMouseEvent* event)
{
    if (!dragAllowed_ || !ExactlyOneDragButton(event->buttons()) || CurrentIndex() < 0)
        return;
    const QPoint global = event->globalPosition().toPoint();
    if (std::abs(global.x() - DragStartX) > kDragDistance || std::abs(global.y() - DragStartY) > kDragDistance) {
        dragAllowed_ = false;
        StartFileDragHook();
    }
}

bool TForm1::GridKeyDown(QKeyEvent* event)
{
    // Delete and Enter act once per press, on the key going down.
    switch (event->key()) {
    case Qt::Key_Delete:
        DeleteFileHook();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OpenFileHook();
        return true;
    default:
        return MarkKeyPress(event);
    }
}

bool TForm1::ListViewEvent(QObject* watched, QEvent* event)
{
    if (watched == ListView1 && event->type() == QEvent::KeyPress)
        return GridKeyDown(static_cast<QKeyEvent*>(event));
    if (watched != ListView1->viewport())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* e = static_cast<QMouseEvent*>(event);
        const QPoint global = e->globalPosition().toPoint();
        DragStartX = global.x();
        DragStartY = global.y();
        dragAllowed_ = true;
        const QModelIndex under = ListView1->indexAt(e->position().toPoint());
        if (e->button() == Qt::MiddleButton
            || (e->button() == Qt::LeftButton && (e->modifiers() & Qt::ControlModifier))) {
            // The row under the pointer becomes the current one (a plain Ctrl click would unselect it).
            if (under.isValid())
                ListView1->setCurrentIndex(under);
            if (e->button() == Qt::LeftButton) {
                CheckMarkClick();
                ListView1->viewport()->repaint();
            }
            return true;
        }
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton) {
            CheckMarkClick();
            return true;
        }
        return false;
    case QEvent::MouseMove:
        ViewMouseMove(static_cast<QMouseEvent*>(event));
        return false;
    default:
        return false;
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (ListView1 && (watched == ListView1 || watched == ListView1->viewport()) && ListViewEvent(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

// --- the thumbnail maker

void TForm1::StopThumbnailMaker()
{
    if (!ThumbnailMaker)
        return;
    ThumbnailMaker->Terminate();
    // Waiting runs the maker's main-thread steps, so a maker blocked on one can end.
    ThumbnailMaker->WaitFor();
    ThumbnailMaker.reset();
    // Progress of the stopped pass still queued would repaint cells of the next
    // folder and move its bar: it is dropped, and the task display is emptied.
    makerDispatcher_.DropProgress();
    QCoreApplication::removePostedEvents(this, TThumbnailProgressEvent::kType);
    TaskLabel->clear();
    TaskProgress->setMaximum(100);
    TaskProgress->setValue(0);
}

void TForm1::StartThumbnailMaker()
{
    catalogue::TThumbnailMakerOptions options;
    options.readers = catalogue::TThumbnailReaders::Default();
    if (ThumbnailMakerSetup)
        ThumbnailMakerSetup(options);
    ThumbnailMaker
        = std::make_unique<catalogue::TThumbnailMaker>(Catalogue, makerHost_, makerQueue_, std::move(options));
}
