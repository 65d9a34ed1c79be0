#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "fileops/FileOpsFixture.h"
#include "fileops/Trash.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using fileops::TrashResult;
using fileopstest::Text;
using testsupport::EnvGuard;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct HomeTrash {
    TempDir data;
    EnvGuard guard { "XDG_DATA_HOME", data.Path().c_str() };
    fs::path Files() const { return data.Path() / "Trash" / "files"; }
    fs::path Info() const { return data.Path() / "Trash" / "info"; }
};

TEST(Trash, AFileGoesToTheHomeTrashWithItsEscapedPathAndDate)
{
    HomeTrash home;
    TempDir dir;
    const std::string name = "写真 1%.jpg";
    WriteFile(dir.Path() / name, std::string("pixels"));
    std::string error;
    ASSERT_EQ(fileops::MoveToTrash(dir.Folder() + name, error), TrashResult::Trashed) << error;
    EXPECT_FALSE(fs::exists(dir.Path() / name));
    EXPECT_EQ(Text(home.Files() / name), "pixels");
    const std::string info = Text(home.Info() / (name + ".trashinfo"));
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + dir.Path().string() + "/%E5%86%99%E7%9C%9F%201%25.jpg\n", 0), 0u)
        << info;
    EXPECT_NE(info.find("\nDeletionDate=20"), std::string::npos) << info;
}

TEST(Trash, ASecondFileOfTheSameNameGetsItsOwnTrashNameAndKeepsTheFirst)
{
    HomeTrash home;
    TempDir a, b;
    WriteFile(a.Path() / "IMG_1.JPG", std::string("first"));
    WriteFile(b.Path() / "IMG_1.JPG", std::string("second"));
    std::string error;
    ASSERT_EQ(fileops::MoveToTrash(a.Folder() + "IMG_1.JPG", error), TrashResult::Trashed) << error;
    ASSERT_EQ(fileops::MoveToTrash(b.Folder() + "IMG_1.JPG", error), TrashResult::Trashed) << error;
    EXPECT_EQ(Text(home.Files() / "IMG_1.JPG"), "first");
    EXPECT_EQ(Text(home.Files() / "IMG_1.2.JPG"), "second");
    EXPECT_NE(Text(home.Info() / "IMG_1.2.JPG.trashinfo").find(b.Path().string() + "/IMG_1.JPG"), std::string::npos);
}

TEST(Trash, AMissingFileFailsAndNamesIt)
{
    HomeTrash home;
    TempDir dir;
    std::string error;
    EXPECT_EQ(fileops::MoveToTrash(dir.Folder() + "gone.jpg", error), TrashResult::Failed);
    EXPECT_NE(error.find("gone.jpg"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(home.Info() / "gone.jpg.trashinfo"));
}

TEST(Trash, AnotherFileSystemUsesTheTrashAtItsTopWithARelativePath)
{
    HomeTrash home;
    fileopstest::SmallMount card(256);
    if (!card.Ok())
        GTEST_SKIP() << "cannot mount a second file system here";
    fs::create_directory(card.Folder() + "DCIM");
    WriteFile(card.Folder() + "DCIM/P1.JPG", std::string("shot"));
    std::string error;
    ASSERT_EQ(fileops::MoveToTrash(card.Folder() + "DCIM/P1.JPG", error), TrashResult::Trashed) << error;
    const std::string trash = card.Folder() + ".Trash-" + std::to_string(::getuid());
    EXPECT_EQ(Text(trash + "/files/P1.JPG"), "shot");
    EXPECT_NE(Text(trash + "/info/P1.JPG.trashinfo").find("\nPath=DCIM/P1.JPG\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(home.Files() / "P1.JPG"));
}

TEST(Trash, AFileSystemWhoseTopCannotHoldATrashGivesNoTrashAndKeepsTheFile)
{
    HomeTrash home;
    fileopstest::SmallMount card(256);
    if (!card.Ok())
        GTEST_SKIP() << "cannot mount a second file system here";
    WriteFile(card.Folder() + "P1.JPG", std::string("shot"));
    ASSERT_TRUE(card.MakeReadOnly());
    std::string error;
    EXPECT_EQ(fileops::MoveToTrash(card.Folder() + "P1.JPG", error), TrashResult::NoTrash);
    EXPECT_TRUE(fs::exists(card.Folder() + "P1.JPG"));
    EXPECT_FALSE(error.empty());
}

} // namespace
