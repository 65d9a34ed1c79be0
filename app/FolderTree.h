#pragma once
// The folder tree: every directory of the file system (hidden ones too) in a
// tree. It selects a folder by path, reports the selected folder's path, and
// announces selection changes.

#include <QTreeView>

class QFileSystemModel;

class FolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);

    // Selects the folder (or its nearest existing parent; the home folder when
    // nothing of the path exists) and scrolls it into view.
    void SelectPath(const QString& path);
    // The selected folder's path, empty when nothing is selected.
    QString SelectedPath() const;
    QFileSystemModel* Model() const { return model_; }
    // The folder selected on a first start: the user's pictures folder when it exists, else home.
    static QString DefaultFolder();

signals:
    void Changing();
    void Changed();

private:
    QFileSystemModel* model_;
};
