#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "fileops/FileOpsFixture.h"
#include "fileops/Replace.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using fileopstest::Text;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

TEST(MoveFileReplacing, ReplacesTheTargetInOneRenameKeepingTheSameInodeAsTheSource)
{
    TempDir dir;
    WriteFile(dir.Path() / "new.tmp", std::string("new"));
    WriteFile(dir.Path() / "photo.jpg", std::string("old"));
    struct stat before { };
    ::stat((dir.Path() / "new.tmp").c_str(), &before);
    std::string error;
    ASSERT_TRUE(fileops::MoveFileReplacing(dir.Folder() + "new.tmp", dir.Folder() + "photo.jpg", error)) << error;
    EXPECT_EQ(Text(dir.Path() / "photo.jpg"), "new");
    EXPECT_FALSE(fs::exists(dir.Path() / "new.tmp"));
    struct stat after { };
    ::stat((dir.Path() / "photo.jpg").c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino); // renamed, not copied
}

TEST(MoveFileReplacing, ThroughALinkReplacesTheLinkedFileAndKeepsTheLink)
{
    TempDir dir;
    WriteFile(dir.Path() / "real.jpg", std::string("old"));
    fs::create_symlink("real.jpg", dir.Path() / "link.jpg");
    WriteFile(dir.Path() / "new.tmp", std::string("new"));
    std::string error;
    ASSERT_TRUE(fileops::MoveFileReplacing(dir.Folder() + "new.tmp", dir.Folder() + "link.jpg", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.jpg"));
    EXPECT_EQ(Text(dir.Path() / "real.jpg"), "new");
}

TEST(MoveFileReplacing, AMissingSourceLeavesTheTargetAndNamesTheFile)
{
    TempDir dir;
    WriteFile(dir.Path() / "photo.jpg", std::string("old"));
    std::string error;
    EXPECT_FALSE(fileops::MoveFileReplacing(dir.Folder() + "gone.tmp", dir.Folder() + "photo.jpg", error));
    EXPECT_EQ(Text(dir.Path() / "photo.jpg"), "old");
    EXPECT_NE(error.find("gone.tmp"), std::string::npos) << error;
}

TEST(MoveFileReplacing, FromAnotherFileSystemStagesBesideTheTargetThenRemovesTheSource)
{
    fileopstest::SmallMount other(256);
    if (!other.Ok())
        GTEST_SKIP() << "cannot mount a second file system here";
    TempDir dir;
    WriteFile(dir.Path() / "photo.jpg", std::string("old"));
    WriteFile(other.Folder() + "new.tmp", std::string("new content"));
    std::string error;
    ASSERT_TRUE(fileops::MoveFileReplacing(other.Folder() + "new.tmp", dir.Folder() + "photo.jpg", error)) << error;
    EXPECT_EQ(Text(dir.Path() / "photo.jpg"), "new content");
    EXPECT_FALSE(fs::exists(other.Folder() + "new.tmp"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1); // no temporary left
}

} // namespace
