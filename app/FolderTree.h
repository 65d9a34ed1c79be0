#pragma once
// The folder tree: every directory of the file system (hidden ones too) in a
// tree whose items keep their paths as the file system's own bytes, so folders
// whose names are not valid UTF-8 are listed (shown decoded) and reachable. It
// selects a folder by path, reports the selected folder's path, asks before a
// change the user makes (which can be refused) and announces changes.

#include <QTreeView>
#include <functional>
#include <string>

class TFolderModel;

class FolderTree : public QTreeView {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent = nullptr);

    // Selects the folder (or its nearest existing parent; the home folder when
    // nothing of the path exists) and scrolls it into view. Never asks Changing.
    void SelectNativePath(const std::string& path);
    void SelectPath(const QString& path);
    // The selected folder's path as native bytes ending in '/', empty when nothing is selected.
    std::string SelectedNativePath() const;
    // The same as shown to the user.
    QString SelectedPath() const;
    TFolderModel* Model() const { return model_; }
    // The folder selected on a first start: the user's pictures folder when it exists, else home.
    static QString DefaultFolder();

    // Asked before a click or key of the user moves the selection to another
    // folder (native path); returning false refuses it and the selection stays.
    std::function<bool(const std::string& newPath)> Changing;

signals:
    void Changed();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TFolderModel* model_;
};
