// The program as started from a desktop or a shell: a picture named on the
// command line opens with its folder, and the signals of a logout, kill or lost
// display close it cleanly (settings written, cache file deleted).
#include <QApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

#include "app/FolderTree.h"
#include "app/MainForm.h"
#include "app/PictureView.h"
#include "app/StartPath.h"
#include "imaging/ImageIO.h"
#include "support/TestSupport.h"
#include "ui/UiTestSupport.h"

namespace {

class ProgramRunTest : public uitest::WindowTest {
protected:
    testsupport::TempDir photos;
};

// Whether the folder holds a thumbnail cache file ("TN" and a unique part).
bool HasCacheFile(const std::filesystem::path& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().rfind("TN", 0) == 0)
            return true;
    return false;
}

} // namespace

TEST_F(ProgramRunTest, PathArgumentOpensThePictureAndItsFolder)
{
    for (int i = 0; i < 3; ++i)
        imaging::SaveBmpFile(photos.Folder() + "p" + std::to_string(i) + ".bmp", imaging::Bitmap(30 + i, 20));
    char name[] = "voviro";
    std::string file = photos.Folder() + "p2.bmp";
    char* argv[] = { name, file.data(), nullptr };
    const std::string start = StartPath(2, argv);
    EXPECT_EQ(start, file);

    TForm1 form;
    form.show();
    OpenStartPath(form, start);
    EXPECT_EQ(form.CurrentFolder, photos.Folder());
    EXPECT_EQ(form.PTShellTree1->SelectedNativePath(), photos.Folder());
    EXPECT_TRUE(form.PictureMode());
    EXPECT_EQ(form.CurrentIndex(), 2);
    EXPECT_EQ(form.ImageEn1->Bitmap().Width(), 32);

    // A folder is listed without opening anything; a missing path does nothing.
    TForm1 other;
    other.show();
    OpenStartPath(other, photos.Folder());
    EXPECT_EQ(other.CurrentFolder, photos.Folder());
    EXPECT_FALSE(other.PictureMode());
    OpenStartPath(other, photos.Folder() + "missing.jpg");
    EXPECT_EQ(other.CurrentFolder, photos.Folder());
}

TEST_F(ProgramRunTest, TerminationSignalsCloseCleanly)
{
    imaging::SaveBmpFile(photos.Folder() + "a.bmp", imaging::Bitmap(30, 20));
    for (const int signal : { SIGTERM, SIGINT, SIGHUP }) {
        SCOPED_TRACE(signal);
        testsupport::TempDir tmp;
        std::filesystem::remove(settings.Path() / "registry.reg");
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("VOVIRO_SETTINGS_DIR", QString::fromStdString(settings.Path().string()));
        env.insert("TMPDIR", QString::fromStdString(tmp.Path().string()));
        env.remove("VOVIRO_OPEN_FILE");
        env.remove("VOVIRO_SCREENSHOT");
        program.setProcessEnvironment(env);
        program.start(VOVIRO_APP_PATH, { QString::fromStdString(photos.Folder()) });
        ASSERT_TRUE(program.waitForStarted(10000));
        // The cache file shows that the window exists.
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!HasCacheFile(tmp.Path()) && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(HasCacheFile(tmp.Path())) << "no cache file was made";
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ::kill(static_cast<pid_t>(program.processId()), signal);
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0);
        EXPECT_FALSE(HasCacheFile(tmp.Path())) << "the cache file is left behind";
        const platform::RegistryStore saved(settings.Folder() + "registry.reg");
        const auto* path = saved.Find("Main\\Folder", "Path");
        ASSERT_NE(path, nullptr) << "the settings were not written";
        EXPECT_EQ(std::get<std::string>(*path) + "/", photos.Folder());
    }
}
