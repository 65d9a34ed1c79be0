// TForm1: check marks and the file commands (batch copy, move, delete and
// protection of the checked files; protection, deletion and renaming of the
// current file; a new folder; dragging files out and dropping them in), all on
// the file layer in fileops/. After files change the folder is refreshed,
// which keeps the records (and marks) of unchanged files.
#include <QCheckBox>
#include <QDrag>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QStackedWidget>
#include <QTreeView>
#include <QUrl>
#include <sys/stat.h>

#include "app/FolderTree.h"
#include "app/MainForm.h"
#include "app/MessageBoxes.h"
#include "app/PathText.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "catalogue/ui/ResizeDrawGrid.h"
#include "fileops/Protect.h"
#include "fileops/Rename.h"
#include "fileops/ui/FileDropTarget.h"
#include "fileops/ui/FileOperationDialog.h"
#include "fileops/ui/MoveFilesDialog.h"
#include "fileops/ui/NewFolder.h"
#include "fileops/ui/OkCancelBox.h"
#include "platform/PathName.h"

namespace {

bool Exists(const std::string& path)
{
    struct stat st { };
    return ::lstat(path.c_str(), &st) == 0;
}

// The extension of a file name from its last dot, the dot included; empty without a dot.
std::string ExtensionOf(const std::string& name)
{
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

} // namespace

void TForm1::SetupFileOperations()
{
    // The file views' panel takes moves and copies; the picture view takes copies.
    for (const auto& [widget, copyOnly] : { std::pair<QWidget*, bool> { Panel4, false }, { PictureWindow, true } }) {
        auto* target = new TFileDropTarget(widget, copyOnly);
        target->Dropped = [this](const std::vector<std::string>& paths, Qt::DropAction action) {
            DropFileTarget1Drop(paths, action);
        };
    }
}

bool TForm1::OkCancel(const QString& text)
{
    if (AskOkCancel)
        return AskOkCancel(text);
    return AskOkCancelBox(this, text);
}

void TForm1::ErrorBox(const QString& text)
{
    if (ShowError)
        ShowError(text);
    else
        ::ShowError(this, text);
}

void TForm1::RepaintViews()
{
    DrawGrid1->viewport()->update();
    ListView1->viewport()->update();
}

std::vector<std::string> TForm1::CheckedFiles() const
{
    std::vector<std::string> files;
    std::lock_guard lock(Catalogue.Mutex());
    for (int i = 0; i < Catalogue.Count(); ++i)
        if (Catalogue.At(i).Checked)
            files.push_back(Catalogue.At(i).FileName);
    return files;
}

// --- marks

void TForm1::SelectAllClick(bool check)
{
    {
        std::lock_guard lock(Catalogue.Mutex());
        for (auto& record : Catalogue.Records())
            record->Checked = check;
    }
    RepaintViews();
}

void TForm1::DeSelectRevClick()
{
    {
        std::lock_guard lock(Catalogue.Mutex());
        for (auto& record : Catalogue.Records())
            record->Checked = !record->Checked;
    }
    RepaintViews();
}

bool TForm1::ConfirmLeaveChecked()
{
    if (CheckedFiles().empty())
        return false;
    return !OkCancel(QStringLiteral("画像が選択されています。\r\nフォルダを変更してもよろしいですか?"));
}

bool TForm1::PTShellTree1Changing(const std::string& newPath)
{
    if (!setup_warnselect)
        return true;
    std::string target = newPath;
    if (!target.empty() && target.back() != '/')
        target += '/';
    // Staying in the open folder loses no marks.
    if (target == CurrentFolder)
        return true;
    return !ConfirmLeaveChecked();
}

// --- operations through the progress dialog

std::vector<fileops::ItemResult> TForm1::RunFileOperation(
    fileops::Operation op, const std::vector<std::string>& files, const std::string& destFolder)
{
    TFileOperationDialog dialog(this, op, files, destFolder);
    if (FileOperationSetup)
        FileOperationSetup(dialog);
    // The thumbnail maker may go on meanwhile: it reads files through their own descriptors
    // and drops a result whose record has changed; the refresh that follows restarts it.
    const auto results = dialog.Run();
    const QString failures = FailureText(results);
    if (!failures.isEmpty())
        ErrorBox(failures);
    return results;
}

void TForm1::BatchTransfer(fileops::Operation op)
{
    const std::vector<std::string> files = CheckedFiles();
    if (files.empty())
        return;
    const bool copy = op == fileops::Operation::Copy;
    TMoveFiles dialog(this);
    dialog.setWindowTitle(copy ? QStringLiteral("一括コピー") : QStringLiteral("一括移動"));
    dialog.Title->setText(
        copy ? QStringLiteral("一括コピー先を指定してください") : QStringLiteral("一括移動先を指定してください"));
    dialog.SelectNativeFolder(DefaultFolder);
    const bool ok = RunMoveFiles ? RunMoveFiles(dialog) : dialog.exec() == QDialog::Accepted;
    const std::string folder = dialog.SelectedNativeFolder();
    if (!ok || folder.empty())
        return;
    RunFileOperation(op, files, folder);
    Refresh1Click();
    if (dialog.ElCheckBox1->isChecked())
        DefaultFolder = folder;
}

void TForm1::SelCopyClick()
{
    BatchTransfer(fileops::Operation::Copy);
}

void TForm1::SelMoveClick()
{
    BatchTransfer(fileops::Operation::Move);
}

void TForm1::SelDeleteClick()
{
    const std::vector<std::string> files = CheckedFiles();
    if (files.empty())
        return;
    if (!OkCancel(QStringLiteral("選択された %1 個のファイルをごみ箱に移動してもよろしいですか?").arg(files.size())))
        return;
    RunFileOperation(fileops::Operation::Trash, files);
    Refresh1Click();
}

// --- protection

void TForm1::SetProtection(int index, bool protect, std::vector<fileops::ItemResult>& failures)
{
    {
        catalogue::LockedItem record(Catalogue, index);
        fileops::ItemResult item;
        item.source = record->FileName;
        if (fileops::SetProtected(record->FileName, protect, item.error)) {
            record->ReadOnly = protect;
        } else {
            item.status = fileops::ItemStatus::Failed;
            failures.push_back(item);
        }
    }
    RepaintItem(index);
}

void TForm1::ProtectChecked(bool protect)
{
    std::vector<fileops::ItemResult> failures;
    {
        std::lock_guard lock(Catalogue.Mutex());
        for (int i = 0; i < Catalogue.Count(); ++i)
            if (Catalogue.At(i).Checked)
                SetProtection(i, protect, failures);
    }
    // Told after the lock is released: no lock is held across a message box.
    if (!failures.empty())
        ErrorBox(FailureText(failures));
}

void TForm1::SetProtect()
{
    ProtectChecked(true);
}

void TForm1::UnsetProtect()
{
    ProtectChecked(false);
}

void TForm1::ProtectClick()
{
    const int i = CurrentIndex();
    if (i < 0)
        return;
    bool protect = false;
    {
        catalogue::LockedItem record(Catalogue, i);
        protect = !record->ReadOnly;
    }
    std::vector<fileops::ItemResult> failures;
    SetProtection(i, protect, failures);
    if (!failures.empty())
        ErrorBox(FailureText(failures));
}

// --- the current file

std::string TForm1::FileNameAt(int index) const
{
    std::lock_guard lock(Catalogue.Mutex());
    return index >= 0 && index < Catalogue.Count() ? Catalogue.At(index).FileName : std::string();
}

void TForm1::Delete2Click()
{
    const int i = CurrentIndex();
    const std::string path = FileNameAt(i);
    if (path.empty())
        return;
    if (!OkCancel(
            QStringLiteral("「%1」をごみ箱に移動してもよろしいですか?").arg(DisplayPath(platform::FileNameOf(path)))))
        return;
    RunFileOperation(fileops::Operation::Trash, { path });
    if (!Exists(path))
        RemoveDeletedRecord(i);
}

void TForm1::RemoveDeletedRecord(int index)
{
    int count = 0;
    {
        std::lock_guard lock(Catalogue.Mutex());
        auto& records = Catalogue.Records();
        if (index < static_cast<int>(records.size()))
            records.erase(records.begin() + index); // its thumbnail's bytes stay unreferenced in the cache file
        count = Catalogue.Count();
    }
    ListModel->SetItemCount(count);
    LayoutGrid();
    if (index < count) {
        SelectFile(index);
        if (PictureMode())
            Open1Click();
    } else {
        TellNoCurrentFile();
        if (PictureMode())
            N5Click();
    }
    RepaintViews();
}

void TForm1::R6Click()
{
    const int i = CurrentIndex();
    const std::string path = FileNameAt(i);
    if (path.empty())
        return;
    const std::string name = platform::FileNameOf(path);
    const std::string ext = ExtensionOf(name);
    QString entered = DisplayPath(name);
    bool ok = false;
    if (AskNewFileName) {
        ok = AskNewFileName(entered);
    } else {
        entered = QInputDialog::getText(this, QStringLiteral("ファイル名変更"),
            QStringLiteral("新しいファイル名を入力してください"), QLineEdit::Normal, entered, &ok);
    }
    if (!ok)
        return;
    std::string newName = NativePath(entered);
    const std::string newExt = ExtensionOf(newName);
    if (newExt.empty())
        newName += ext;
    else if (newExt == ".")
        newName = newName.substr(0, newName.size() - 1) + ext;
    else if (newExt != ext && !OkCancel(QStringLiteral("拡張子を変更してもよろしいですか?")))
        return;
    std::string error;
    if (!fileops::RenameFile(path, newName, error)) {
        ErrorBox(QStringLiteral("ファイル名は変更できませんでした。"));
        return;
    }
    const std::string target = path.substr(0, path.size() - name.size()) + newName;
    {
        catalogue::LockedItem record(Catalogue, i);
        record->FileName = target;
    }
    ShowItemInfo(i);
    RepaintItem(i);
    if (PictureMode())
        setWindowTitle(QStringLiteral("Voviro - ") + DisplayPath(target));
}

void TForm1::C2Click()
{
    QString error;
    if (!CreateNewSubFolder(PTShellTree1, error))
        WarnNewFolderFailed(PTShellTree1, error);
}

// --- drag and drop

std::vector<std::string> TForm1::DragFileList() const
{
    const int i = CurrentIndex();
    if (i < 0)
        return {};
    std::lock_guard lock(Catalogue.Mutex());
    if (!Catalogue.At(i).Checked)
        return { Catalogue.At(i).FileName };
    return CheckedFiles();
}

void TForm1::StartFileDrag()
{
    const std::vector<std::string> files = DragFileList();
    if (files.empty())
        return;
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const auto& file : files)
        urls.push_back(QUrl::fromLocalFile(DisplayPath(file)));
    data->setUrls(urls);
    if (RunFileDrag) {
        RunFileDrag(data);
        delete data;
    } else {
        // Whatever the drop target reports, the sources are never deleted here: a target
        // that moved them has done so itself, and the refresh below shows that.
        QDrag drag(this);
        drag.setMimeData(data);
        drag.exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
    }
    dragAllowed_ = false;
    Refresh1Click();
}

void TForm1::DropFileTarget1Drop(const std::vector<std::string>& paths, Qt::DropAction action)
{
    struct stat st { };
    if (paths.size() == 1 && ::stat(paths[0].c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        PTShellTree1->SelectNativePath(paths[0]);
        if (PictureMode())
            N5Click();
        return;
    }
    if (CurrentFolder.empty())
        return;
    // Files only, and none that already lie in the open folder (a drag of our own files back onto us).
    std::vector<std::string> files;
    for (const auto& path : paths)
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)
            && path.substr(0, path.size() - platform::FileNameOf(path).size()) != CurrentFolder)
            files.push_back(path);
    if (files.empty())
        return;
    RunFileOperation(
        action == Qt::MoveAction ? fileops::Operation::Move : fileops::Operation::Copy, files, CurrentFolder);
    Refresh1Click();
}
