// The file commands as the main window runs them: check marks, batch copy,
// move, trash and protection of the checked files, rename, delete of the
// current file, drag out and drop in, and the refresh that keeps marks.
#include <QApplication>
#include <QCheckBox>
#include <QMimeData>
#include <QUrl>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/FolderTree.h"
#include "app/MainForm.h"
#include "catalogue/ui/CatalogueListModel.h"
#include "fileops/ui/FileOperationDialog.h"
#include "fileops/ui/MoveFilesDialog.h"
#include "imaging/ImageIO.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace fs = std::filesystem;
using testsupport::EnvGuard;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

using Strings = std::vector<std::string>;

class FileCommands : public uitest::WindowTest {
protected:
    std::string File(const std::string& name) const { return folder + name; }

    // a.bmp ... of widths 20, 21 ... in the photo folder, and the window on it with its questions answered here.
    std::unique_ptr<TForm1> Window(const Strings& names)
    {
        for (size_t i = 0; i < names.size(); ++i)
            imaging::SaveBmpFile(File(names[i]), imaging::Bitmap(20 + static_cast<int>(i), 10));
        auto form = std::make_unique<TForm1>();
        form->show();
        form->FolderOpen(QString::fromStdString(folder), false);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (form->ThumbnailMakerRunning() && std::chrono::steady_clock::now() < end)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        form->AskOkCancel = [this](const QString& text) {
            questions.push_back(text.toStdString());
            return answer;
        };
        form->ShowError = [this](const QString& text) { errors.push_back(text.toStdString()); };
        form->RunMoveFiles = [this](TMoveFiles& dialog) {
            dialog.SelectFolder(QString::fromStdString(destination));
            dialog.ElCheckBox1->setChecked(makeDefault);
            return true;
        };
        return form;
    }
    Strings Listed(TForm1& form) const
    {
        Strings names;
        std::lock_guard lock(form.Catalogue.Mutex());
        for (int i = 0; i < form.Catalogue.Count(); ++i)
            names.push_back(fs::path(form.Catalogue.At(i).FileName).filename());
        return names;
    }
    Strings CheckedNames(TForm1& form) const
    {
        Strings names;
        for (const auto& file : form.CheckedFiles())
            names.push_back(fs::path(file).filename());
        return names;
    }
    void Check(TForm1& form, const Strings& names)
    {
        std::lock_guard lock(form.Catalogue.Mutex());
        for (int i = 0; i < form.Catalogue.Count(); ++i)
            for (const auto& name : names)
                if (fs::path(form.Catalogue.At(i).FileName).filename() == name)
                    form.Catalogue.At(i).Checked = true;
    }

    TempDir photos;
    std::string folder = photos.Folder();
    TempDir other;
    std::string destination = other.Folder();
    bool makeDefault = false;
    Strings questions;
    Strings errors;
    bool answer = true;
};

TEST_F(FileCommands, MarksAreSetClearedInvertedAndSurviveARefreshOfUnchangedFiles)
{
    auto form = Window({ "a.bmp", "b.bmp", "c.bmp" });
    form->SelectAllClick(true);
    EXPECT_EQ(CheckedNames(*form), (Strings { "a.bmp", "b.bmp", "c.bmp" }));
    form->SelectAllClick(false);
    EXPECT_TRUE(CheckedNames(*form).empty());
    Check(*form, { "b.bmp" });
    form->DeSelectRevClick();
    EXPECT_EQ(CheckedNames(*form), (Strings { "a.bmp", "c.bmp" }));

    // c.bmp is rewritten (a new modification time): its record, and its mark, are new.
    const struct timespec times[2] = { { 1000000000, 0 }, { 1000000000, 0 } };
    ::utimensat(AT_FDCWD, File("c.bmp").c_str(), times, 0);
    form->Refresh1Click();
    EXPECT_EQ(CheckedNames(*form), Strings { "a.bmp" });
}

TEST_F(FileCommands, BatchCopyAndMoveGoToTheChosenFolderWhichCanBecomeTheDefault)
{
    auto form = Window({ "a.bmp", "b.bmp", "c.bmp" });
    Check(*form, { "a.bmp", "c.bmp" });
    makeDefault = true;
    form->SelCopyClick();
    EXPECT_EQ(testsupport::ReadFile(other.Path() / "a.bmp"), testsupport::ReadFile(File("a.bmp")));
    EXPECT_TRUE(fs::exists(other.Path() / "c.bmp"));
    EXPECT_FALSE(fs::exists(other.Path() / "b.bmp"));
    EXPECT_EQ(form->DefaultFolder, other.Folder());
    EXPECT_EQ(CheckedNames(*form), (Strings { "a.bmp", "c.bmp" })); // unchanged files keep their marks

    // The move finds both targets there: the question answers keep one and replace the other.
    fs::create_directory(other.Path() / "sub");
    destination = other.Folder() + "sub/";
    WriteFile(other.Path() / "sub/a.bmp", std::string("theirs"));
    form->FileOperationSetup = [](TFileOperationDialog& dialog) {
        dialog.AskReplace = [](const std::string&, const std::string&) { return fileops::ReplaceAnswer::No; };
    };
    makeDefault = false;
    form->SelMoveClick();
    EXPECT_EQ(Listed(*form), (Strings { "a.bmp", "b.bmp" }));
    EXPECT_TRUE(fs::exists(other.Path() / "sub/c.bmp"));
    EXPECT_EQ(fs::file_size(other.Path() / "sub/a.bmp"), 6u);
    EXPECT_EQ(form->DefaultFolder, other.Folder());
    EXPECT_TRUE(errors.empty());

    // Nothing checked: nothing is asked and nothing happens.
    form->SelectAllClick(false);
    form->RunMoveFiles = [](TMoveFiles&) -> bool {
        ADD_FAILURE() << "asked for a destination";
        return false;
    };
    form->SelCopyClick();
    form->SelDeleteClick();
    EXPECT_TRUE(questions.empty());
}

TEST_F(FileCommands, BatchDeleteTrashesTheCheckedFilesAfterAskingAndProtectChangesOnlyTheWriteBits)
{
    TempDir data;
    EnvGuard trash("XDG_DATA_HOME", data.Path().c_str());
    auto form = Window({ "a.bmp", "b.bmp", "c.bmp" });
    ::chmod(File("a.bmp").c_str(), 0754);
    Check(*form, { "a.bmp", "b.bmp" });
    form->SetProtect();
    EXPECT_EQ(fs::status(File("a.bmp")).permissions(), fs::perms(0554));
    {
        catalogue::LockedItem first(form->Catalogue, 0);
        EXPECT_TRUE(first->ReadOnly);
    }
    form->UnsetProtect();
    EXPECT_EQ(fs::status(File("a.bmp")).permissions(), fs::perms(0754));

    answer = false;
    form->SelDeleteClick();
    EXPECT_EQ(Listed(*form).size(), 3u);
    answer = true;
    form->SelDeleteClick();
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_EQ(Listed(*form), Strings { "c.bmp" });
    EXPECT_TRUE(fs::exists(data.Path() / "Trash/files/a.bmp"));
    EXPECT_TRUE(fs::exists(data.Path() / "Trash/files/b.bmp"));
}

TEST_F(FileCommands, RenameKeepsOrAsksAboutTheExtensionAndRefusesAnExistingName)
{
    struct Case {
        std::string typed;
        bool answer;
        std::string result; // the listed name afterwards
        size_t questions;
        size_t errors;
    };
    const Case cases[] = {
        { "holiday", true, "holiday.BMP", 0, 0 },
        { "holiday.", true, "holiday.BMP", 0, 0 },
        { "holiday.bmp", false, "IMG_1.BMP", 1, 0 },
        { "holiday.bmp", true, "holiday.bmp", 1, 0 },
        { "other.BMP", true, "IMG_1.BMP", 0, 1 },
        { "sub/x.BMP", true, "IMG_1.BMP", 0, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TempDir fresh;
        folder = fresh.Folder();
        auto form = Window({ "IMG_1.BMP", "other.BMP" });
        const auto otherBytes = testsupport::ReadFile(File("other.BMP"));
        questions.clear();
        errors.clear();
        answer = c.answer;
        form->SelectFile(0);
        form->AskNewFileName = [&](QString& name) {
            EXPECT_EQ(name, QStringLiteral("IMG_1.BMP"));
            name = QString::fromStdString(c.typed);
            return true;
        };
        form->R6Click();
        EXPECT_EQ(Listed(*form)[0], c.result);
        EXPECT_TRUE(fs::exists(File(c.result)));
        EXPECT_EQ(questions.size(), c.questions);
        EXPECT_EQ(errors.size(), c.errors);
        if (c.errors) {
            EXPECT_EQ(errors[0], "ファイル名は変更できませんでした。");
        }
        EXPECT_EQ(testsupport::ReadFile(File("other.BMP")), otherBytes);
    }
}

TEST_F(FileCommands, DeletingAMiddleFileShowsTheNextAndTheLastInPictureModeGoesBackToBrowsing)
{
    TempDir data;
    EnvGuard trash("XDG_DATA_HOME", data.Path().c_str());
    auto form = Window({ "a.bmp", "b.bmp", "c.bmp" });
    form->SelectFile(1);
    form->Delete2Click();
    EXPECT_EQ(Listed(*form), (Strings { "a.bmp", "c.bmp" }));
    EXPECT_EQ(form->CurrentIndex(), 1);
    EXPECT_EQ(form->ListModel->ItemCount(), 2);

    form->Open1Click();
    ASSERT_TRUE(form->PictureMode());
    form->Delete2Click();
    EXPECT_EQ(Listed(*form), Strings { "a.bmp" });
    EXPECT_FALSE(form->PictureMode());
    EXPECT_FALSE(fs::exists(File("c.bmp")));

    answer = false; // declined: the file and its record stay
    form->SelectFile(0);
    form->Delete2Click();
    EXPECT_EQ(Listed(*form), Strings { "a.bmp" });
}

TEST_F(FileCommands, ADragCarriesTheCheckedFilesOnlyFromACheckedFileAndNeverDeletesThem)
{
    auto form = Window({ "a.bmp", "b.bmp", "c.bmp" });
    Check(*form, { "a.bmp", "c.bmp" });
    QList<QUrl> dragged;
    form->RunFileDrag = [&](QMimeData* data) { dragged = data->urls(); };
    form->SelectFile(1);
    form->StartFileDrag();
    EXPECT_EQ(dragged, QList<QUrl> { QUrl::fromLocalFile(QString::fromStdString(File("b.bmp"))) });
    form->SelectFile(2);
    form->StartFileDrag();
    EXPECT_EQ(dragged,
        (QList<QUrl> { QUrl::fromLocalFile(QString::fromStdString(File("a.bmp"))),
            QUrl::fromLocalFile(QString::fromStdString(File("c.bmp"))) }));
    EXPECT_EQ(Listed(*form).size(), 3u);
}

TEST_F(FileCommands, ADroppedFolderOpensAndDroppedFilesAreCopiedOrMovedIn)
{
    auto form = Window({ "a.bmp" });
    WriteFile(other.Path() / "x.bmp", std::string("x"));
    WriteFile(other.Path() / "y.bmp", std::string("y"));
    form->DropFileTarget1Drop({ other.Folder() + "x.bmp" }, Qt::CopyAction);
    EXPECT_EQ(Listed(*form), (Strings { "a.bmp", "x.bmp" }));
    EXPECT_TRUE(fs::exists(other.Path() / "x.bmp"));
    form->DropFileTarget1Drop({ other.Folder() + "y.bmp" }, Qt::MoveAction);
    EXPECT_FALSE(fs::exists(other.Path() / "y.bmp"));
    // Our own files dropped back do nothing.
    form->DropFileTarget1Drop({ File("a.bmp") }, Qt::MoveAction);
    EXPECT_TRUE(errors.empty());

    form->DropFileTarget1Drop({ other.Path().string() }, Qt::CopyAction);
    EXPECT_EQ(form->PTShellTree1->SelectedPath().toStdString(), other.Folder());
}

} // namespace

namespace {

TEST_F(FileCommands, LeavingAFolderWithCheckedFilesAsksFirstWhenTheWarningIsOn)
{
    struct Case {
        bool warn;
        bool checked;
        bool sameFolder;
        bool answer;
        bool allowed;
        size_t asked;
    };
    const Case cases[] = {
        { false, true, false, false, true, 0 },
        { true, false, false, false, true, 0 },
        { true, true, true, false, true, 0 },
        { true, true, false, false, false, 1 },
        { true, true, false, true, true, 1 },
    };
    auto form = Window({ "a.bmp", "b.bmp" });
    for (const Case& c : cases) {
        form->setup_warnselect = c.warn;
        form->SelectAllClick(c.checked);
        questions.clear();
        answer = c.answer;
        EXPECT_EQ(form->PTShellTree1Changing(c.sameFolder ? folder : other.Folder()), c.allowed);
        ASSERT_EQ(questions.size(), c.asked);
        if (c.asked) {
            EXPECT_EQ(questions[0], "画像が選択されています。\r\nフォルダを変更してもよろしいですか?");
        }
    }
}

} // namespace
