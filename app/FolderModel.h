#pragma once
// The directories of the file system as a lazily filled item model. Each item
// keeps its full path as native bytes; its text is the name decoded for display.
#include <QAbstractItemModel>
#include <QIcon>
#include <memory>
#include <string>
#include <vector>

class TFolderModel : public QAbstractItemModel {
public:
    // The role under which an item's native path (QByteArray, ending in '/') is given.
    static constexpr int kNativePathRole = Qt::UserRole + 1;

    explicit TFolderModel(QObject* parent = nullptr);
    ~TFolderModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // The item of a folder given by its native path (listing the folders on the
    // way), or of its nearest listed parent; invalid only when nothing matches.
    QModelIndex IndexOfNativePath(const std::string& path);
    // Lists a folder's sub-folders again (one made or renamed since it was listed).
    void Reload(const QModelIndex& index);
    // Folder names are edited in place; a new name renames the folder, never over an existing one.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Why the last rename through setData failed (empty after a success).
    const QString& RenameError() const { return renameError_; }
    void ClearRenameError() { renameError_.clear(); }
    std::string NativePathOf(const QModelIndex& index) const;

private:
    struct Node;
    Node* NodeOf(const QModelIndex& index) const;
    void Fill(Node* node, const QModelIndex& index);
    std::unique_ptr<Node> root_; // the invisible root; its one child is "/"
    QIcon folderIcon_;
    QString renameError_;
};
