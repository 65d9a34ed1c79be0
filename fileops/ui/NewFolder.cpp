#include "fileops/ui/NewFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "app/FolderModel.h"
#include "app/FolderTree.h"
#include "app/PathText.h"

QString FreeNewFolderName(const QString& parent)
{
    const QString base = QStringLiteral("新しいフォルダ");
    QString name = base;
    for (int n = 2; QFileInfo::exists(parent + QLatin1Char('/') + name); ++n)
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
    const QString name = FreeNewFolderName(DisplayPath(parent));
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
    QMessageBox::warning(
        tree->window(), QStringLiteral("エラー"), QStringLiteral("フォルダを作成できませんでした。\n") + error);
}
