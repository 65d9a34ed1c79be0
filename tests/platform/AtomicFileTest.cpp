#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/AtomicFile.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

size_t EntryCount(const fs::path& dir)
{
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

} // namespace

TEST(AtomicFile, ReplacesKeepingPermissionsAndLeavesNoTemporaryFile)
{
    testsupport::TempDir dir;
    const fs::path target = dir.Path() / "photo.jpg";
    std::ofstream(target) << "old";
    ::chmod(target.c_str(), 0640);
    std::string error;
    ASSERT_TRUE(platform::WriteFileAtomically(target.string(), "new bytes", error)) << error;
    EXPECT_EQ(Slurp(target), "new bytes");
    struct stat st { };
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(EntryCount(dir.Path()), 1u);
}

TEST(AtomicFile, DroppedWithoutCommitLeavesTheTargetAlone)
{
    testsupport::TempDir dir;
    const fs::path target = dir.Path() / "a.txt";
    std::ofstream(target) << "keep";
    {
        platform::AtomicFile file(target.string());
        ASSERT_TRUE(file.Ok());
        file.Write("half", 4);
    }
    EXPECT_EQ(Slurp(target), "keep");
    EXPECT_EQ(EntryCount(dir.Path()), 1u);
}

TEST(AtomicFile, WritesThroughASymbolicLinkToItsTarget)
{
    testsupport::TempDir dir;
    fs::create_directory(dir.Path() / "real");
    const fs::path real = dir.Path() / "real" / "settings.reg";
    std::ofstream(real) << "old";
    fs::create_symlink("real/settings.reg", dir.Path() / "link.reg");
    std::string error;
    ASSERT_TRUE(platform::WriteFileAtomically((dir.Path() / "link.reg").string(), "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "link.reg"));
    EXPECT_EQ(Slurp(real), "new");
}

TEST(AtomicFile, AMissingFolderIsReportedByName)
{
    testsupport::TempDir dir;
    const std::string target = (dir.Path() / "missing" / "x.jpg").string();
    std::string error;
    EXPECT_FALSE(platform::WriteFileAtomically(target, "x", error));
    EXPECT_NE(error.find("x.jpg"), std::string::npos) << error;
}
