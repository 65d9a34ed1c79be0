#include "app/FolderTree.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStandardPaths>
#include <QTimer>
#include <sys/stat.h>

#include "app/FolderModel.h"
#include "app/MessageBoxes.h"
#include "app/PathText.h"

namespace {

// A selection model that lets the tree refuse a change of its current folder:
// `allow` is asked before every change of the current item unless `quiet` is
// set, and a refused item is not selected either.
class TVetoSelectionModel : public QItemSelectionModel {
public:
    using QItemSelectionModel::QItemSelectionModel;

    std::function<bool(const QModelIndex&)> allow;
    bool quiet = false;

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override
    {
        if (!quiet && allow && index.isValid() && index != currentIndex() && !allow(index)) {
            refused_ = index;
            return;
        }
        refused_ = QPersistentModelIndex();
        QItemSelectionModel::setCurrentIndex(index, command);
    }
    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override
    {
        if (refused_.isValid() && selection.contains(refused_))
            return;
        QItemSelectionModel::select(selection, command);
    }
    using QItemSelectionModel::select;

private:
    QPersistentModelIndex refused_;
};

bool IsDirectory(const std::string& path)
{
    struct stat st = {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

FolderTree::FolderTree(QWidget* parent)
    : QTreeView(parent)
    , model_(new TFolderModel(this))
{
    setModel(model_);
    auto* selection = new TVetoSelectionModel(model_, this);
    selection->allow = [this](const QModelIndex& index) { return !Changing || Changing(model_->NativePathOf(index)); };
    QItemSelectionModel* old = selectionModel();
    setSelectionModel(selection);
    delete old;
    header()->hide();
    setIndentation(19);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { emit Changed(); });
    // A folder name edited in place: a refused rename is told; a done one opens the folder under its new name.
    connect(itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] {
        if (model_->RenameError().isEmpty()) {
            emit Changed();
            return;
        }
        const QString error = model_->RenameError();
        model_->ClearRenameError();
        ShowError(window(), QStringLiteral("フォルダの名前を変更できませんでした。\n") + error);
    });
}

QString FolderTree::DefaultFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

void FolderTree::SelectNativePath(const std::string& path)
{
    std::string target = path;
    while (target.size() > 1 && target.back() == '/')
        target.pop_back();
    // The nearest existing folder of the path; home when nothing of it exists.
    while (!target.empty() && !IsDirectory(target)) {
        const size_t slash = target.find_last_of('/');
        target = slash == std::string::npos || slash == 0 ? std::string() : target.substr(0, slash);
    }
    if (target.empty())
        target = NativePath(QDir::homePath());
    const QModelIndex index = model_->IndexOfNativePath(target);
    if (!index.isValid())
        return;
    auto* selection = static_cast<TVetoSelectionModel*>(selectionModel());
    selection->quiet = true;
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        expand(p);
    setCurrentIndex(index);
    selection->quiet = false;
    scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void FolderTree::SelectPath(const QString& path)
{
    SelectNativePath(NativePath(QDir::cleanPath(QFileInfo(path).absoluteFilePath())));
}

void FolderTree::showEvent(QShowEvent* event)
{
    QTreeView::showEvent(event);
    // Before the first showing the view had no size to scroll in.
    QTimer::singleShot(0, this, [this] {
        if (currentIndex().isValid())
            scrollTo(currentIndex(), QAbstractItemView::PositionAtCenter);
    });
}

std::string FolderTree::SelectedNativePath() const
{
    return model_->NativePathOf(currentIndex());
}

QString FolderTree::SelectedPath() const
{
    const std::string path = SelectedNativePath();
    return path.empty() ? QString() : DisplayPath(path);
}
