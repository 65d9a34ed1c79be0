// Opening and refreshing folders, the current file, the thumbnail progress
// message, and repainting one file.
#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <cmath>

#include "app/FolderTree.h"
#include "app/MainForm.h"
#include "app/PathText.h"
#include "app/ThumbnailProgressEvent.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "catalogue/ui/ThumbnailIcons.h"
#include "platform/PathName.h"

void TForm1::PTShellTree1Change()
{
    NoFileShown = true;
    FolderOpen(PTShellTree1->SelectedNativePath(), false);
}

void TForm1::Refresh1Click()
{
    FolderOpen(CurrentFolder, true);
}

void TForm1::FolderOpen(const QString& path, bool force)
{
    FolderOpen(NativePath(path), force);
}

void TForm1::FolderOpen(const std::string& path, bool force)
{
    if (path.empty())
        return;
    std::string folder = path;
    if (folder.back() != '/')
        folder += '/';
    if (folder == CurrentFolder && !force)
        return;
    StopThumbnailMaker();

    const catalogue::SortOrder order { SortKind, SortTag };
    int n = 0;
    int keptRow = -1; // the list row to select again after a refresh
    if (folder != CurrentFolder) {
        // A new folder: the panels are emptied and the list starts afresh.
        TellNoCurrentFile();
        ListModel->SetItemCount(0);
        ListView1->clearSelection();
        // Without a cache file the folder is still listed; its thumbnails are then not kept.
        n = catalogue::BuildCatalogue(Catalogue, folder, CacheFile.get(), order);
        setWindowTitle(QStringLiteral("Voviro - ") + DisplayPath(folder));
        Timer1->stop();
    } else {
        // The same folder, forced: refresh, keeping unchanged records and the current position.
        const int i = CurrentIndex();
        std::string remembered;
        if (i != -1)
            remembered = catalogue::LockedItem(Catalogue, i)->FileName;
        n = catalogue::RefreshCatalogue(Catalogue, folder, order);
        if (i != -1) {
            const int found = IndexOfFile(remembered);
            const int index = found >= 0 ? found : (i >= n - 1 ? n - 1 : i);
            if (n > 0)
                ShowItemInfo(index);
            keptRow = std::min(i, n - 1);
        }
    }
    ListModel->SetItemCount(n);
    if (keptRow >= 0 && ViewType == catalogue::kViewList) {
        // Resetting the model drops the selection; it keeps its position by index, quietly,
        // since the panels already show the file that was current.
        const QSignalBlocker quiet(ListView1->selectionModel());
        ListView1->selectionModel()->setCurrentIndex(
            ListModel->index(keptRow, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        ListView1->viewport()->update();
    }
    SetStatusText(QStringLiteral(" %1 個のファイル").arg(n));
    LayoutGrid();
    DrawGrid1->viewport()->update();
    if (n > 0)
        StartThumbnailMaker();
    CurrentFolder = folder;
}

int TForm1::IndexOfFile(const std::string& fileName) const
{
    std::lock_guard lock(Catalogue.Mutex());
    for (int k = 0; k < Catalogue.Count(); ++k)
        if (Catalogue.At(k).FileName == fileName)
            return k;
    return -1;
}

int TForm1::FileCount() const
{
    std::lock_guard lock(Catalogue.Mutex());
    return Catalogue.Count();
}

int TForm1::CurrentIndex() const
{
    std::lock_guard lock(Catalogue.Mutex());
    const int count = Catalogue.Count();
    if (ViewType == catalogue::kViewList) {
        const QModelIndex current = ListView1->selectionModel()->currentIndex();
        if (count == 0 || !current.isValid() || !ListView1->selectionModel()->isRowSelected(current.row()))
            return -1;
        return current.row() < count ? current.row() : -1;
    }
    const int index = DrawGrid1->Row() * DrawGrid1->ColCount() + DrawGrid1->Col();
    return index < count ? index : -1;
}

void TForm1::ShowItemInfo(int index)
{
    if (index < 0)
        return;
    std::string fileName;
    QString status;
    {
        std::lock_guard lock(Catalogue.Mutex());
        if (index >= Catalogue.Count())
            return;
        catalogue::LockedItem record(Catalogue, index);
        NoFileShown = false;
        UpdateFileCommands(*record);
        fileName = record->FileName;
        const QString name = DisplayPath(platform::FileNameOf(fileName));
        status = record->Exif
            ? QStringLiteral(" ") + name + QStringLiteral(" ") + QString::fromUtf8(catalogue::ShootingSummary(*record))
            : QStringLiteral(" ") + name;
        if (InfoPaneVisible()) {
            TellCurrentFileChanged({ index, &*record });
            if (panelsFile_ != fileName) {
                panelsFile_ = fileName;
                // A preview histogram from the thumbnail is followed, two seconds later, by the full one.
                if (record->HistState != 10 && record->ThumbOffset != -1) {
                    Timer1->stop();
                    Timer1->start();
                }
            }
        }
    }
    SetStatusText(status);
}

void TForm1::RepaintItem(int index)
{
    if (index < 0)
        return;
    if (ViewType == catalogue::kViewList) {
        ListModel->RefreshRow(index);
        return;
    }
    const int cols = DrawGrid1->ColCount();
    const int row = index / cols;
    if (row >= DrawGrid1->TopRow() && row <= DrawGrid1->LastVisibleRow())
        DrawGrid1->viewport()->update(DrawGrid1->CellRect(index % cols, row));
}

void TForm1::PostThumbnailProgress(int wParam, int lParam)
{
    QCoreApplication::postEvent(this, new TThumbnailProgressEvent(wParam, lParam));
}

void TForm1::ThumbnailProgress(int wParam, int lParam)
{
    const int count = ListModel->ItemCount();
    if (count == 0)
        return;
    if (wParam == -1) {
        TaskProgress->setValue(lParam);
        return;
    }
    if (wParam == -2) {
        TaskLabel->clear();
        TaskProgress->setValue(0);
        TaskProgress->setMaximum(100);
        return;
    }
    const int i = wParam;
    RepaintItem(i);
    if (!NoFileShown && CurrentIndex() == i) {
        // The file's new data is taken afresh by the panels.
        TellNoCurrentFile();
        ShowItemInfo(i);
    }
    const int position = static_cast<int>(std::nearbyint((i + 1) * 100.0 / count));
    TaskProgress->setValue(position);
    if (position != 100) {
        TaskLabel->setText(QStringLiteral("サムネイル作成"));
    } else {
        TaskLabel->clear();
        TaskProgress->setValue(0);
    }
}

void TForm1::AddCurrentFileView(ICurrentFileView* view)
{
    if (view)
        currentFileViews_.push_back(view);
}

void TForm1::TellCurrentFileChanged(const TCurrentFile& file)
{
    if (file.Index < 0)
        panelsFile_.clear();
    for (ICurrentFileView* view : currentFileViews_)
        view->CurrentFileChanged(file);
}

void TForm1::SetStatusText(const QString& text)
{
    StatusBarIn->setText(text);
}

QVariant TForm1::ListRowStyle(int row, int role) const
{
    if (role != Qt::ForegroundRole && role != Qt::FontRole && role != Qt::DecorationRole)
        return {};
    std::lock_guard lock(Catalogue.Mutex());
    if (row >= Catalogue.Count())
        return {};
    const catalogue::TImageCache& record = Catalogue.At(row);
    if (role == Qt::DecorationRole) {
        // Icons only for visited records: protected, else an Exif photo.
        if (record.ThumbState == 0)
            return BlankIcon();
        if (record.ReadOnly)
            return ThumbnailIcon(kIconProtected);
        if (record.FileKind == catalogue::kKindExifJpeg || record.FileKind == catalogue::kKindExifTiff
            || record.FileKind == catalogue::kKindTiffEp)
            return ThumbnailIcon(kIconExifPhoto);
        return BlankIcon();
    }
    if (record.Checked) {
        if (role == Qt::ForegroundRole)
            return QColor(255, 0, 0);
        QFont bold = ListView1->font();
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::ForegroundRole && record.ThumbState == 0)
        return ListView1->palette().color(QPalette::Disabled, QPalette::Text);
    return {};
}
