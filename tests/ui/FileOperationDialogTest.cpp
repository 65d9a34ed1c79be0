#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/FolderTree.h"
#include "fileops/FaultHooks.h"
#include "fileops/ui/FileOperationDialog.h"
#include "fileops/ui/MoveFilesDialog.h"
#include "fileops/ui/ReplaceQuestion.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace fs = std::filesystem;
using fileops::ItemStatus;
using fileops::Operation;
using fileops::ReplaceAnswer;
using testsupport::TempDir;
const auto Text = testsupport::ReadText;
using testsupport::WriteFile;

namespace {

// With VOVIRO_SCREENSHOT_DIR set (run under xvfb-run to look at them), widgets are saved there as PNG.
void Grab(QWidget* widget, const char* name)
{
    if (const char* dir = std::getenv("VOVIRO_SCREENSHOT_DIR"))
        widget->grab().save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name)));
}

struct FileDialogs : ::testing::Test {
    void SetUp() override { uitest::EnsureApp(); }
};

TEST_F(FileDialogs, TheWorkerAsksOnTheWindowThreadAndEachAnswerDecidesItsFile)
{
    TempDir src, dst;
    for (const char* name : { "a.jpg", "b.jpg", "c.jpg" }) {
        WriteFile(src.Path() / name, std::string("new"));
        if (name[0] != 'a')
            WriteFile(dst.Path() / name, std::string("old"));
    }
    TFileOperationDialog dialog(nullptr, Operation::Copy,
        { src.Folder() + "a.jpg", src.Folder() + "b.jpg", src.Folder() + "c.jpg" }, dst.Folder());
    std::vector<std::string> asked;
    dialog.AskReplace = [&](const std::string&, const std::string& target) {
        EXPECT_EQ(QThread::currentThread(), qApp->thread());
        asked.push_back(fs::path(target).filename());
        return asked.size() == 1 ? ReplaceAnswer::Yes : ReplaceAnswer::No;
    };
    const auto results = dialog.Run();
    EXPECT_EQ(asked, (std::vector<std::string> { "b.jpg", "c.jpg" }));
    EXPECT_EQ(results[0].status, ItemStatus::Done);
    EXPECT_EQ(results[1].status, ItemStatus::Done);
    EXPECT_EQ(results[2].status, ItemStatus::Skipped);
    EXPECT_EQ(Text(dst.Path() / "b.jpg"), "new");
    EXPECT_EQ(Text(dst.Path() / "c.jpg"), "old");
    EXPECT_EQ(dialog.ProgressBar->value(), 1000);
}

TEST_F(FileDialogs, CancelDuringALargeFileStopsItAndTheRestLeavingNoPart)
{
    TempDir src, dst;
    WriteFile(src.Path() / "big.tif", std::string(40u << 20, 'b'));
    WriteFile(src.Path() / "next.jpg", std::string("n"));
    TFileOperationDialog dialog(
        nullptr, Operation::Copy, { src.Folder() + "big.tif", src.Folder() + "next.jpg" }, dst.Folder());
    dialog.ShowDelayMs = 0;
    // The worker waits after its first block until the cancel button has been pressed.
    std::atomic<bool> pressed { false };
    fileops::faults::Hooks hooks;
    hooks.beforeWrite = [&](uint64_t done) {
        for (int i = 0; done > 0 && !pressed && i < 500; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return 0;
    };
    fileops::faults::Scoped scoped(hooks);
    dialog.OnProgress = [&](const fileops::BatchProgress& progress) {
        if (progress.bytes > 0 && !pressed) {
            // The first report may come before the dialog is shown (no delay is still a turn of the loop).
            if (dialog.isVisible())
                Grab(&dialog, "file-operation-progress.png");
            dialog.CancelClick();
            pressed = true;
        }
    };
    const auto results = dialog.Run();
    EXPECT_TRUE(pressed);
    EXPECT_EQ(results[0].status, ItemStatus::Cancelled);
    EXPECT_EQ(results[1].status, ItemStatus::Cancelled);
    EXPECT_TRUE(fs::is_empty(dst.Path()));
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(FileDialogs, TheReplaceQuestionNamesTheFileAndBothSizes)
{
    TempDir dir;
    WriteFile(dir.Path() / "new.jpg", std::string(1234, 'n'));
    WriteFile(dir.Path() / "写真.jpg", std::string(56, 'o'));
    const QString text = ReplaceQuestionText(dir.Folder() + "new.jpg", dir.Folder() + "写真.jpg");
    EXPECT_TRUE(text.contains(QStringLiteral("「写真.jpg」"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1,234 バイト"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("56 バイト"))) << text.toStdString();

    // Each button gives its answer; closing the box cancels.
    const std::pair<QString, ReplaceAnswer> buttons[] = {
        { QStringLiteral("はい(&Y)"), ReplaceAnswer::Yes },
        { QStringLiteral("すべて置き換え(&A)"), ReplaceAnswer::YesToAll },
        { QStringLiteral("いいえ(&N)"), ReplaceAnswer::No },
        { QString(), ReplaceAnswer::Cancel },
    };
    for (const auto& [caption, expected] : buttons) {
        QTimer::singleShot(50, [caption = caption] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            Grab(box, "replace-question.png");
            for (QAbstractButton* button : box->buttons())
                if (button->text() == caption)
                    button->click();
            if (caption.isEmpty())
                box->reject();
        });
        EXPECT_EQ(AskReplaceQuestion(nullptr, dir.Folder() + "new.jpg", dir.Folder() + "写真.jpg"), expected);
    }
}

TEST_F(FileDialogs, TheDestinationDialogStartsAtTheDefaultFolderAndMakesNewFolders)
{
    TempDir dir;
    fs::create_directory(dir.Path() / "photos");
    TMoveFiles dialog;
    dialog.setWindowTitle(QStringLiteral("一括コピー"));
    dialog.Title->setText(QStringLiteral("一括コピー先を指定してください"));
    dialog.SelectFolder(QString::fromStdString(dir.Folder() + "photos/"));
    EXPECT_EQ(dialog.SelectedFolder().toStdString(), dir.Folder() + "photos/");
    EXPECT_TRUE(dialog.bok->isEnabled());
    EXPECT_EQ(dialog.size(), QSize(348, 318));
    EXPECT_FALSE(dialog.ElCheckBox1->isChecked());

    dialog.ElGraphicButton1Click();
    EXPECT_EQ(dialog.SelectedFolder().toStdString(), dir.Folder() + "photos/新しいフォルダ/");
    dialog.SelectFolder(QString::fromStdString(dir.Folder() + "photos"));
    dialog.ElGraphicButton1Click();
    EXPECT_TRUE(fs::is_directory(dir.Path() / "photos/新しいフォルダ"));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "photos/新しいフォルダ (2)"));
    EXPECT_EQ(dialog.SelectedFolder().toStdString(), dir.Folder() + "photos/新しいフォルダ (2)/");
    dialog.show();
    Grab(&dialog, "move-files.png");
}

} // namespace
