#include "app/FolderModel.h"

#include <QFileIconProvider>
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

#include "app/PathText.h"
#include "fileops/Rename.h"

struct TFolderModel::Node {
    std::string path; // native, ending in '/'
    QString name; // shown
    Node* parent = nullptr;
    int row = 0;
    bool filled = false;
    std::vector<std::unique_ptr<Node>> children;
};

namespace {

bool IsDirectory(const std::string& path)
{
    struct stat st = {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

TFolderModel::TFolderModel(QObject* parent)
    : QAbstractItemModel(parent)
    , root_(std::make_unique<Node>())
    , folderIcon_(QFileIconProvider().icon(QFileIconProvider::Folder))
{
    auto top = std::make_unique<Node>();
    top->path.assign(1, '/');
    top->name = QStringLiteral("/");
    top->parent = root_.get();
    root_->children.push_back(std::move(top));
    root_->filled = true;
}

TFolderModel::~TFolderModel() = default;

TFolderModel::Node* TFolderModel::NodeOf(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<Node*>(index.internalPointer()) : root_.get();
}

QModelIndex TFolderModel::index(int row, int column, const QModelIndex& parent) const
{
    const Node* node = NodeOf(parent);
    if (column != 0 || row < 0 || row >= static_cast<int>(node->children.size()))
        return {};
    return createIndex(row, 0, node->children[row].get());
}

QModelIndex TFolderModel::parent(const QModelIndex& child) const
{
    const Node* node = NodeOf(child);
    if (!child.isValid() || node->parent == root_.get())
        return {};
    return createIndex(node->parent->row, 0, node->parent);
}

int TFolderModel::rowCount(const QModelIndex& parent) const
{
    return static_cast<int>(NodeOf(parent)->children.size());
}

int TFolderModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant TFolderModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const Node* node = NodeOf(index);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::ToolTipRole:
        return role == Qt::ToolTipRole ? DisplayPath(node->path) : node->name;
    case Qt::DecorationRole:
        return folderIcon_;
    case kNativePathRole:
        return QByteArray::fromStdString(node->path);
    default:
        return {};
    }
}

bool TFolderModel::hasChildren(const QModelIndex& parent) const
{
    const Node* node = NodeOf(parent);
    // Not yet listed: offer the expander; listing shows whether there is anything.
    return !node->filled || !node->children.empty();
}

bool TFolderModel::canFetchMore(const QModelIndex& parent) const
{
    return !NodeOf(parent)->filled;
}

void TFolderModel::fetchMore(const QModelIndex& parent)
{
    Fill(NodeOf(parent), parent);
}

void TFolderModel::Fill(Node* node, const QModelIndex& index)
{
    if (node->filled)
        return;
    node->filled = true;
    std::vector<std::unique_ptr<Node>> found;
    if (DIR* dir = opendir(node->path.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            const std::string path = node->path + name + "/";
            if (entry->d_type != DT_DIR && !(entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK))
                continue;
            if (entry->d_type != DT_DIR && !IsDirectory(path))
                continue;
            auto child = std::make_unique<Node>();
            child->path = path;
            child->name = DisplayName(name);
            child->parent = node;
            found.push_back(std::move(child));
        }
        closedir(dir);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        const int order = QString::compare(a->name, b->name, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a->path < b->path;
    });
    if (found.empty()) {
        // The expander goes away.
        emit dataChanged(index, index);
        return;
    }
    beginInsertRows(index, 0, static_cast<int>(found.size()) - 1);
    for (size_t i = 0; i < found.size(); ++i)
        found[i]->row = static_cast<int>(i);
    node->children = std::move(found);
    endInsertRows();
}

QModelIndex TFolderModel::IndexOfNativePath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return {};
    QModelIndex current = index(0, 0);
    size_t start = 1;
    while (start < path.size()) {
        const size_t slash = path.find('/', start);
        const std::string part = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        start = slash == std::string::npos ? path.size() : slash + 1;
        if (part.empty() || part == ".")
            continue;
        Node* node = NodeOf(current);
        Fill(node, current);
        const std::string wanted = node->path + part + "/";
        const auto it = std::find_if(
            node->children.begin(), node->children.end(), [&](const auto& c) { return c->path == wanted; });
        if (it == node->children.end())
            break;
        current = index((*it)->row, 0, current);
    }
    return current;
}

std::string TFolderModel::NativePathOf(const QModelIndex& index) const
{
    return index.isValid() ? NodeOf(index)->path : std::string();
}

void TFolderModel::Reload(const QModelIndex& index)
{
    Node* node = NodeOf(index);
    if (!node->filled)
        return;
    if (!node->children.empty()) {
        beginRemoveRows(index, 0, static_cast<int>(node->children.size()) - 1);
        node->children.clear();
        endRemoveRows();
    }
    node->filled = false;
    Fill(node, index);
}

Qt::ItemFlags TFolderModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractItemModel::flags(index);
    // The root "/" keeps its name.
    if (index.isValid() && index.parent().isValid())
        f |= Qt::ItemIsEditable;
    return f;
}

bool TFolderModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    renameError_.clear();
    if (role != Qt::EditRole || !index.isValid() || !index.parent().isValid())
        return false;
    Node* node = NodeOf(index);
    const QString name = value.toString();
    if (name == node->name)
        return true;
    std::string folder = node->path;
    folder.pop_back(); // RenameFile takes the path without the trailing '/'
    std::string error;
    if (!fileops::RenameFile(folder, NativePath(name), error)) {
        renameError_ = QString::fromStdString(error);
        return false;
    }
    // The item takes its new name in place; its sub-folders are listed again under the new path.
    node->path = node->parent->path + NativePath(name) + "/";
    node->name = name;
    if (!node->children.empty()) {
        beginRemoveRows(index, 0, static_cast<int>(node->children.size()) - 1);
        node->children.clear();
        endRemoveRows();
    }
    node->filled = false;
    emit dataChanged(index, index);
    return true;
}
