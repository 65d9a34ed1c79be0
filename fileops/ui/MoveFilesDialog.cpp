#include "fileops/ui/MoveFilesDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>

#include <sys/stat.h>

#include "app/FolderTree.h"
#include "app/PathText.h"
#include "fileops/ui/NewFolder.h"

TMoveFiles::TMoveFiles(QWidget* parent)
    : QDialog(parent)
{
    setFixedSize(348, 318);
    Title = new QLabel(this);
    Title->setGeometry(8, 12, 220, 16);
    ElGraphicButton1 = new QPushButton(QStringLiteral("新規フォルダ(&N)"), this);
    ElGraphicButton1->setGeometry(232, 6, 108, 25);
    FolderTree = new ::FolderTree(this);
    FolderTree->setGeometry(13, 38, 321, 209);
    ElCheckBox1 = new QCheckBox(QStringLiteral("このフォルダを規定値に設定"), this);
    ElCheckBox1->setGeometry(13, 254, 321, 20);
    bok = new QPushButton(QStringLiteral("&OK"), this);
    bok->setGeometry(166, 282, 80, 27);
    bok->setDefault(true);
    bcancel = new QPushButton(QStringLiteral("キャンセル(&C)"), this);
    bcancel->setGeometry(254, 282, 80, 27);
    connect(bok, &QPushButton::clicked, this, &QDialog::accept);
    connect(bcancel, &QPushButton::clicked, this, &QDialog::reject); // Esc rejects as well
    connect(ElGraphicButton1, &QPushButton::clicked, this, &TMoveFiles::ElGraphicButton1Click);
    connect(FolderTree, &::FolderTree::Changed, this, &TMoveFiles::UpdateOk);
    UpdateOk();
}

void TMoveFiles::SelectFolder(const QString& path)
{
    FolderTree->SelectPath(path.isEmpty() ? ::FolderTree::DefaultFolder() : path);
    UpdateOk();
}

void TMoveFiles::SelectNativeFolder(const std::string& path)
{
    if (path.empty())
        FolderTree->SelectPath(::FolderTree::DefaultFolder());
    else
        FolderTree->SelectNativePath(path);
    UpdateOk();
}

QString TMoveFiles::SelectedFolder() const
{
    const std::string path = SelectedNativeFolder();
    return path.empty() ? QString() : DisplayPath(path);
}

std::string TMoveFiles::SelectedNativeFolder() const
{
    std::string path = FolderTree->SelectedNativePath();
    struct stat st { };
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return std::string();
    if (path.back() != '/')
        path += '/';
    return path;
}

void TMoveFiles::ElGraphicButton1Click()
{
    QString error;
    if (!CreateNewSubFolder(FolderTree, error))
        WarnNewFolderFailed(FolderTree, error);
    UpdateOk();
}

void TMoveFiles::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    UpdateOk();
}

void TMoveFiles::UpdateOk()
{
    bok->setEnabled(!SelectedFolder().isEmpty());
}
