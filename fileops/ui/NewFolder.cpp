#include "fileops/ui/NewFolder.h"

#include <QDir>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/FolderModel.h"
#include "app/FolderTree.h"
#include "app/MessageBoxes.h"
#include "app/PathText.h"

QString FreeNewFolderName(const std::string& parent)
{
    const QString base = QStringLiteral("新しいフォルダ");
    QString name = base;
    for (int n = 2; ::access((parent + NativePath(name)).c_str(), F_OK) == 0; ++n)
        name = base + QStringLiteral(" (%1)").arg(n);
    return name;
}

bool CreateNewSubFolder(FolderTree* tree, QString& error)
{
    std::string parent = tree->SelectedNativePath();
    if (parent.empty()) {
        error = QStringLiteral("フォルダが選択されていません。");
        return false;
    }
    if (parent.back() != '/')
        parent += '/';
    const QString name = FreeNewFolderName(parent);
    const std::string path = parent + NativePath(name) + "/";
    // Made here rather than through the model, so that the system's reason can be shown.
    if (::mkdir(path.c_str(), 0777) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    // The tree lists a folder once; list the parent again so that the new folder is there.
    tree->Model()->Reload(tree->Model()->IndexOfNativePath(parent));
    tree->SelectNativePath(path);
    const QModelIndex index = tree->currentIndex();
    if (index.isValid()) {
        tree->scrollTo(index);
        tree->edit(index);
    }
    return true;
}

void WarnNewFolderFailed(FolderTree* tree, const QString& error)
{
    ShowError(tree->window(), QStringLiteral("フォルダを作成できませんでした。\n") + error);
}
