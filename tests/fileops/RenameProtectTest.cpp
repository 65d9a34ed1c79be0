#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "fileops/FaultHooks.h"
#include "fileops/FileOpsFixture.h"
#include "fileops/Protect.h"
#include "fileops/Rename.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using fileopstest::ModeOf;
using fileopstest::Names;
using fileopstest::Text;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

using Strings = std::vector<std::string>;

TEST(RenameFile, RefusesBadNamesAndExistingFilesLeavingBothAsTheyWere)
{
    TempDir dir;
    WriteFile(dir.Path() / "IMG_1.JPG", std::string("one"));
    WriteFile(dir.Path() / "IMG_2.JPG", std::string("two"));
    for (const std::string& name :
        Strings { "", ".", "..", "a/b.JPG", "../IMG_1.JPG", "IMG_2.JPG", std::string("a\0b", 3) }) {
        SCOPED_TRACE(name);
        std::string error;
        EXPECT_FALSE(fileops::RenameFile(dir.Folder() + "IMG_1.JPG", name, error));
        EXPECT_NE(error.find("IMG_1.JPG"), std::string::npos) << error;
    }
    EXPECT_EQ(Names(dir.Path()), (Strings { "IMG_1.JPG", "IMG_2.JPG" }));
    EXPECT_EQ(Text(dir.Path() / "IMG_2.JPG"), "two");
}

TEST(RenameFile, RenamesInItsFolderAndTheSameNameChangesNothing)
{
    TempDir dir;
    WriteFile(dir.Path() / "IMG_1.JPG", std::string("one"));
    std::string error;
    EXPECT_TRUE(fileops::RenameFile(dir.Folder() + "IMG_1.JPG", "IMG_1.JPG", error)) << error;
    EXPECT_TRUE(fileops::RenameFile(dir.Folder() + "IMG_1.JPG", "休日.JPG", error)) << error;
    EXPECT_EQ(Names(dir.Path()), Strings { "休日.JPG" });
    EXPECT_FALSE(fileops::RenameFile(dir.Folder() + "IMG_1.JPG", "x.JPG", error));
}

TEST(RenameFile, AFileThatAppearsAtTheNewNameIsNotReplaced)
{
    TempDir dir;
    WriteFile(dir.Path() / "a.jpg", std::string("a"));
    // The check before the rename is the rename itself, so a file made just before it still wins.
    WriteFile(dir.Path() / "b.jpg", std::string("theirs"));
    std::string error;
    EXPECT_FALSE(fileops::RenameFile(dir.Folder() + "a.jpg", "b.jpg", error));
    EXPECT_NE(error.find("already exists"), std::string::npos) << error;
    EXPECT_EQ(Text(dir.Path() / "b.jpg"), "theirs");
}

TEST(SetProtected, ChangesOnlyTheWriteBits)
{
    struct Case {
        mode_t before;
        bool protect;
        mode_t after;
    };
    const Case cases[] = {
        { 0664, true, 0444 },
        { 0755, true, 0555 },
        { 0600, true, 0400 },
        { 0444, false, 0644 },
        { 0555, false, 0755 },
        { 0440, false, 0640 },
        { 0644, false, 0644 },
    };
    TempDir dir;
    const fs::path file = dir.Path() / "a.jpg";
    WriteFile(file, std::string("x"));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.before) + (c.protect ? " protect" : " unprotect"));
        ::chmod(file.c_str(), c.before);
        std::string error;
        EXPECT_TRUE(fileops::SetProtected(file, c.protect, error)) << error;
        EXPECT_EQ(ModeOf(file), c.after);
        EXPECT_EQ(fileops::IsProtected(file), (c.after & 0200) == 0);
    }
    std::string error;
    EXPECT_FALSE(fileops::SetProtected(dir.Folder() + "missing.jpg", true, error));
    EXPECT_NE(error.find("missing.jpg"), std::string::npos);
}

} // namespace
