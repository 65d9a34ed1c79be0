#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "fileops/CopyFile.h"
#include "fileops/FaultHooks.h"
#include "fileops/FileOpsFixture.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using fileops::CopyResult;
using fileopstest::Names;
using fileopstest::Text;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

using Strings = std::vector<std::string>;

ino_t InodeOf(const fs::path& path)
{
    struct stat st { };
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

TEST(MoveFile, WithinAFileSystemIsOneRenameAndNeverReplacesUnasked)
{
    TempDir dir;
    fs::create_directory(dir.Path() / "out");
    WriteFile(dir.Path() / "a.jpg", std::string("a"));
    WriteFile(dir.Path() / "b.jpg", std::string("b"));
    WriteFile(dir.Path() / "out/b.jpg", std::string("theirs"));
    const ino_t inode = InodeOf(dir.Path() / "a.jpg");
    std::string error;
    ASSERT_EQ(fileops::MoveFile(dir.Folder() + "a.jpg", dir.Folder() + "out/a.jpg", false, {}, error), CopyResult::Done)
        << error;
    EXPECT_EQ(InodeOf(dir.Path() / "out/a.jpg"), inode);
    EXPECT_EQ(
        fileops::MoveFile(dir.Folder() + "b.jpg", dir.Folder() + "out/b.jpg", false, {}, error), CopyResult::Exists);
    EXPECT_EQ(Text(dir.Path() / "b.jpg"), "b");
    EXPECT_EQ(Text(dir.Path() / "out/b.jpg"), "theirs");
    EXPECT_EQ(fileops::MoveFile(dir.Folder() + "b.jpg", dir.Folder() + "b.jpg", true, {}, error), CopyResult::Failed);
    EXPECT_EQ(Text(dir.Path() / "b.jpg"), "b");
}

struct AcrossFileSystems : ::testing::Test {
    void SetUp() override
    {
        if (other.Folder().empty())
            GTEST_SKIP() << "no second file system here";
        WriteFile(src.Path() / "a.jpg", std::string(9u << 20, 'm'));
        ::chmod((src.Path() / "a.jpg").c_str(), 0604);
    }
    std::string Source() const { return src.Folder() + "a.jpg"; }
    std::string Target() const { return other.Folder() + "a.jpg"; }
    TempDir src;
    fileopstest::OtherFileSystem other;
};

TEST_F(AcrossFileSystems, CopiesWithPermissionsThenRemovesTheSource)
{
    std::string error;
    ASSERT_EQ(fileops::MoveFile(Source(), Target(), false, {}, error), CopyResult::Done) << error;
    EXPECT_FALSE(fs::exists(Source()));
    EXPECT_EQ(fs::file_size(Target()), 9u << 20);
    EXPECT_EQ(fileopstest::ModeOf(Target()), 0604u);
}

TEST_F(AcrossFileSystems, AFailureWhileCopyingKeepsTheSourceAndLeavesNoPart)
{
    fileops::faults::Hooks hooks;
    hooks.beforeWrite = [](uint64_t done) { return done > 0 ? EIO : 0; };
    fileops::faults::Scoped scoped(hooks);
    std::string error;
    EXPECT_EQ(fileops::MoveFile(Source(), Target(), false, {}, error), CopyResult::Failed);
    EXPECT_EQ(fs::file_size(Source()), 9u << 20);
    EXPECT_TRUE(Names(other.Folder()).empty());
    EXPECT_NE(error.find(Target()), std::string::npos) << error;
}

TEST_F(AcrossFileSystems, AFailureAfterTheCopyKeepsTheSourceAndReportsIt)
{
    fileops::faults::Hooks hooks;
    hooks.beforeRemoveSource = [](const std::string&) { return EACCES; };
    fileops::faults::Scoped scoped(hooks);
    std::string error;
    EXPECT_EQ(fileops::MoveFile(Source(), Target(), false, {}, error), CopyResult::Failed);
    EXPECT_EQ(fs::file_size(Source()), 9u << 20);
    EXPECT_EQ(fs::file_size(Target()), 9u << 20);
    EXPECT_NE(error.find(Source()), std::string::npos) << error;
}

TEST_F(AcrossFileSystems, ACancelKeepsTheSourceAndLeavesNoPart)
{
    fileops::Progress progress;
    bool started = false;
    progress.advanced = [&](uint64_t) { started = true; };
    progress.cancelled = [&] { return started; };
    std::string error;
    EXPECT_EQ(fileops::MoveFile(Source(), Target(), false, progress, error), CopyResult::Cancelled);
    EXPECT_EQ(fs::file_size(Source()), 9u << 20);
    EXPECT_TRUE(Names(other.Folder()).empty());
}

} // namespace
