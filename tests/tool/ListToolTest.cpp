#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/FileTime.h"
#include "support/TestSupport.h"
#include "tool/ToolRun.h"

using testsupport::TempDir;
using testsupport::WriteFile;
using tooltest::RunTool;
using tooltest::ToolRun;

namespace {

void Touch(const std::filesystem::path& path, const std::string& bytes, uint32_t packed)
{
    WriteFile(path, bytes);
    const std::time_t t = platform::UnpackDosDateTime(packed);
    timespec times[2] = { { t, 0 }, { t, 0 } };
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

TEST(ListTool, PrintsTheTwelveColumnsPerRecord)
{
    TempDir dir;
    Touch(dir.Path() / "b.JPG", std::string(2560, 'x'), platform::PackDosDateTime(2004, 5, 6, 13, 45, 30));
    Touch(dir.Path() / "a b.png", "x", platform::PackDosDateTime(2005, 1, 2, 0, 0, 0));
    Touch(dir.Path() / "\xFF.tif", "xyz", platform::PackDosDateTime(2003, 1, 1, 9, 0, 0));
    WriteFile(dir.Path() / "c.gif", "x");

    ToolRun run = RunTool({ "list", dir.Path().string() });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
        "a b.png\tPNG\t\t\t\t\t\t\t\t\t1B\t2005/01/02\n"
        "b.JPG\tJPEG\t\t\t\t\t\t\t\t\t2KB\t2004/05/06 13:45:30\n"
        "\xFF.tif\tTIFF\t\t\t\t\t\t\t\t\t3B\t2003/01/01 09:00:00\n");

    run = RunTool({ "list", dir.Folder(), "--sort", "date" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.substr(0, 6), "\xFF.tif\t");
    run = RunTool({ "list", "--sort=size", dir.Folder() });
    EXPECT_EQ(run.out.substr(0, 8), "a b.png\t");
}

TEST(ListTool, UnreadableFolderPrintsNothingAndBadArgumentsFail)
{
    ToolRun run = RunTool({ "list", "/nonexistent/folder" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "");
    for (const auto& args : std::vector<std::vector<std::string>> { { "list" }, { "list", "/tmp", "--sort" },
             { "list", "/tmp", "--sort", "colour" }, { "list", "/tmp", "/var" }, { "list", "--bogus", "/tmp" } }) {
        run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2) << args.size();
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
