#include "app/FolderTree.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QStandardPaths>

FolderTree::FolderTree(QWidget* parent) : QTreeView(parent), model_(new QFileSystemModel(this))
{
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::Drives);
    model_->setReadOnly(false);
    model_->setRootPath("/");
    setModel(model_);
    for (int c = 1; c < model_->columnCount(); ++c)
        hideColumn(c);
    header()->hide();
    setIndentation(19);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { emit Changed(); });
}

QString FolderTree::DefaultFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QFileInfo(pictures).isDir())
        return pictures;
    return QDir::homePath();
}

void FolderTree::SelectPath(const QString& path)
{
    QString target = path;
    while (!target.isEmpty() && !QFileInfo(target).isDir()) {
        const QString parent = QFileInfo(target).absolutePath();
        if (parent == target)
            break;
        target = parent;
    }
    if (target.isEmpty() || !QFileInfo(target).isDir())
        target = QDir::homePath();
    const QModelIndex index = model_->index(QDir::cleanPath(QFileInfo(target).absoluteFilePath()));
    if (!index.isValid())
        return;
    emit Changing();
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        expand(p);
    setCurrentIndex(index);
    scrollTo(index);
}

QString FolderTree::SelectedPath() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? model_->filePath(index) : QString();
}
