#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A file larger than one copy block, so cancels and failures can land in its middle.
std::string LargeContent()
{
    return std::string(20u << 20, 'x') + "end";
}

TEST(CopyFile, CopiesContentPermissionsAndModificationTimeLeavingNoTemporaryFile)
{
    TempDir src, dst;
    WriteFile(src.Path() / "a.jpg", LargeContent());
    ::chmod((src.Path() / "a.jpg").c_str(), 0640);
    const struct timespec times[2] = { { 1000000000, 0 }, { 1200000000, 500 } };
    ::utimensat(AT_FDCWD, (src.Path() / "a.jpg").c_str(), times, 0);
    std::string error;
    ASSERT_EQ(fileops::CopyFile(src.Folder() + "a.jpg", dst.Folder() + "a.jpg", false, {}, error), CopyResult::Done)
        << error;
    EXPECT_EQ(Text(dst.Path() / "a.jpg"), LargeContent());
    EXPECT_EQ(fileopstest::ModeOf(dst.Path() / "a.jpg"), 0640u);
    struct stat st { };
    ::stat((dst.Path() / "a.jpg").c_str(), &st);
    EXPECT_EQ(st.st_mtim.tv_sec, 1200000000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 500);
    EXPECT_EQ(Names(dst.Path()), Strings { "a.jpg" });
}

TEST(CopyFile, AnExistingTargetIsKeptUnlessReplacingIsAllowed)
{
    TempDir dir;
    WriteFile(dir.Path() / "a.jpg", std::string("new"));
    WriteFile(dir.Path() / "b.jpg", std::string("old"));
    std::string error;
    EXPECT_EQ(fileops::CopyFile(dir.Folder() + "a.jpg", dir.Folder() + "b.jpg", false, {}, error), CopyResult::Exists);
    EXPECT_EQ(Text(dir.Path() / "b.jpg"), "old");
    EXPECT_EQ(fileops::CopyFile(dir.Folder() + "a.jpg", dir.Folder() + "b.jpg", true, {}, error), CopyResult::Done);
    EXPECT_EQ(Text(dir.Path() / "b.jpg"), "new");
    EXPECT_EQ(Names(dir.Path()), (Strings { "a.jpg", "b.jpg" }));
}

TEST(CopyFile, OntoItselfIsRefusedThroughEverySpellingOfThePath)
{
    TempDir dir;
    WriteFile(dir.Path() / "a.jpg", std::string("keep me"));
    fs::create_symlink("a.jpg", dir.Path() / "link.jpg");
    fs::create_hard_link(dir.Path() / "a.jpg", dir.Path() / "hard.jpg");
    fs::create_directory(dir.Path() / "sub");
    for (const std::string target : { "a.jpg", "link.jpg", "hard.jpg", "sub/../a.jpg", "./a.jpg" }) {
        SCOPED_TRACE(target);
        std::string error;
        EXPECT_EQ(
            fileops::CopyFile(dir.Folder() + "a.jpg", dir.Folder() + target, true, {}, error), CopyResult::Failed);
        EXPECT_NE(error.find("itself"), std::string::npos) << error;
        EXPECT_EQ(Text(dir.Path() / "a.jpg"), "keep me");
    }
    EXPECT_EQ(Names(dir.Path()), (Strings { "a.jpg", "hard.jpg", "link.jpg", "sub" }));
}

TEST(CopyFile, CancelInTheMiddleOfALargeFileLeavesTheOldTargetAndNoPart)
{
    TempDir src, dst;
    WriteFile(src.Path() / "a.jpg", LargeContent());
    WriteFile(dst.Path() / "a.jpg", std::string("old"));
    uint64_t written = 0;
    fileops::Progress progress;
    progress.advanced = [&](uint64_t bytes) { written += bytes; };
    progress.cancelled = [&] { return written > 0; };
    std::string error;
    EXPECT_EQ(fileops::CopyFile(src.Folder() + "a.jpg", dst.Folder() + "a.jpg", true, progress, error),
        CopyResult::Cancelled);
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, LargeContent().size());
    EXPECT_EQ(Text(dst.Path() / "a.jpg"), "old");
    EXPECT_EQ(Names(dst.Path()), Strings { "a.jpg" });
}

TEST(CopyFile, AWriteFailureMidwayLeavesTheOldTargetAndNamesTheFile)
{
    TempDir src, dst;
    WriteFile(src.Path() / "a.jpg", LargeContent());
    WriteFile(dst.Path() / "a.jpg", std::string("old"));
    fileops::faults::Hooks hooks;
    hooks.beforeWrite = [](uint64_t done) { return done > 0 ? ENOSPC : 0; };
    fileops::faults::Scoped scoped(hooks);
    std::string error;
    EXPECT_EQ(fileops::CopyFile(src.Folder() + "a.jpg", dst.Folder() + "a.jpg", true, {}, error), CopyResult::Failed);
    EXPECT_NE(error.find(dst.Folder() + "a.jpg"), std::string::npos) << error;
    EXPECT_NE(error.find("space"), std::string::npos) << error;
    EXPECT_EQ(Text(dst.Path() / "a.jpg"), "old");
    EXPECT_EQ(Names(dst.Path()), Strings { "a.jpg" });
}

TEST(CopyFile, AFullFileSystemFailsWithoutLeavingAPartOrTouchingTheOldTarget)
{
    fileopstest::SmallMount card(512);
    if (!card.Ok())
        GTEST_SKIP() << "cannot mount a small file system here";
    TempDir src;
    WriteFile(src.Path() / "big.jpg", std::string(2u << 20, 'b'));
    WriteFile(card.Folder() + "big.jpg", std::string("old"));
    std::string error;
    EXPECT_EQ(
        fileops::CopyFile(src.Folder() + "big.jpg", card.Folder() + "big.jpg", true, {}, error), CopyResult::Failed);
    EXPECT_NE(error.find(card.Folder() + "big.jpg"), std::string::npos) << error;
    EXPECT_EQ(Text(card.Folder() + "big.jpg"), "old");
    EXPECT_EQ(Names(card.Folder()), Strings { "big.jpg" });
}

TEST(CopyFile, ATargetThatAppearsBeforeTheRenameIsNotReplaced)
{
    TempDir dir;
    WriteFile(dir.Path() / "a.jpg", std::string("copy"));
    fs::create_directory(dir.Path() / "out");
    fileops::faults::Hooks hooks;
    hooks.beforePlace = [](const std::string& target) { WriteFile(target, std::string("theirs")); };
    fileops::faults::Scoped scoped(hooks);
    std::string error;
    EXPECT_EQ(
        fileops::CopyFile(dir.Folder() + "a.jpg", dir.Folder() + "out/a.jpg", false, {}, error), CopyResult::Exists);
    EXPECT_EQ(Text(dir.Path() / "out/a.jpg"), "theirs");
    EXPECT_EQ(Names(dir.Path() / "out"), Strings { "a.jpg" });
}

TEST(CopyFile, AReadOnlyTargetFolderFailsAndNamesTheTarget)
{
    fileopstest::ReadOnlyFolder folder;
    if (!folder.Lock())
        GTEST_SKIP() << "cannot make a read-only folder here";
    TempDir src;
    WriteFile(src.Path() / "a.jpg", std::string("data"));
    std::string error;
    EXPECT_EQ(
        fileops::CopyFile(src.Folder() + "a.jpg", folder.Folder() + "a.jpg", false, {}, error), CopyResult::Failed);
    EXPECT_NE(error.find(folder.Folder() + "a.jpg"), std::string::npos) << error;
    EXPECT_TRUE(Names(folder.Folder()).empty());
}

TEST(CopyFile, AFolderOrAMissingSourceFailsNamingIt)
{
    TempDir dir;
    fs::create_directory(dir.Path() / "folder");
    for (const std::string source : { "folder", "missing.jpg" }) {
        std::string error;
        EXPECT_EQ(
            fileops::CopyFile(dir.Folder() + source, dir.Folder() + "x.jpg", false, {}, error), CopyResult::Failed);
        EXPECT_NE(error.find(dir.Folder() + source), std::string::npos) << error;
    }
    EXPECT_FALSE(fs::exists(dir.Path() / "x.jpg"));
}

} // namespace
