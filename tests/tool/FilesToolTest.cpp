#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/TestSupport.h"
#include "tool/ToolRun.h"

namespace fs = std::filesystem;
using testsupport::EnvGuard;
using testsupport::TempDir;
const auto Text = testsupport::ReadText;
using testsupport::WriteFile;
using tooltest::RunTool;

namespace {

TEST(FilesTool, CopyKeepsOrReplacesExistingTargetsAsAskedWithOneLinePerFile)
{
    struct Case {
        std::vector<std::string> options;
        std::string bLine;
        std::string bContent;
        int exitCode;
    };
    const Case cases[] = {
        { {}, "skipped", "old", 1 },
        { { "--replace", "no" }, "skipped", "old", 1 },
        { { "--replace", "yes" }, "ok", "new", 0 },
    };
    for (const Case& c : cases) {
        TempDir src, dst;
        WriteFile(src.Path() / "a.jpg", std::string("a"));
        WriteFile(src.Path() / "b.jpg", std::string("new"));
        WriteFile(dst.Path() / "b.jpg", std::string("old"));
        std::vector<std::string> args { "files", "copy" };
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.insert(args.end(), { src.Folder() + "a.jpg", src.Folder() + "b.jpg", dst.Path().string() });
        const auto run = RunTool(args);
        EXPECT_EQ(run.exitCode, c.exitCode);
        EXPECT_EQ(run.out, src.Folder() + "a.jpg: ok\n" + src.Folder() + "b.jpg: " + c.bLine + "\n");
        EXPECT_EQ(Text(dst.Path() / "b.jpg"), c.bContent);
        EXPECT_EQ(Text(dst.Path() / "a.jpg"), "a");
    }
}

TEST(FilesTool, MoveRenameProtectAndTrashReportFailuresByFile)
{
    TempDir dir, data;
    EnvGuard trash("XDG_DATA_HOME", data.Path().c_str());
    fs::create_directory(dir.Path() / "out");
    WriteFile(dir.Path() / "a.jpg", std::string("a"));
    WriteFile(dir.Path() / "b.jpg", std::string("b"));

    auto run = RunTool({ "files", "move", dir.Folder() + "a.jpg", dir.Folder() + "gone.jpg", dir.Folder() + "out" });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), dir.Folder() + "a.jpg: ok\n");
    EXPECT_NE(run.out.find(dir.Folder() + "gone.jpg: failed: cannot "), std::string::npos) << run.out;
    EXPECT_TRUE(fs::exists(dir.Path() / "out/a.jpg"));

    run = RunTool({ "files", "rename", dir.Folder() + "b.jpg", "out" });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.out.find("already exists"), std::string::npos) << run.out;
    run = RunTool({ "files", "rename", dir.Folder() + "b.jpg", "c.jpg" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, dir.Folder() + "b.jpg: ok\n");

    run = RunTool({ "files", "protect", dir.Folder() + "c.jpg" });
    EXPECT_EQ(run.exitCode, 0);
    struct stat st { };
    ::stat((dir.Path() / "c.jpg").c_str(), &st);
    EXPECT_EQ(st.st_mode & 0222, 0u);

    run = RunTool({ "files", "trash", dir.Folder() + "c.jpg" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(fs::exists(data.Path() / "Trash/files/c.jpg"));
    EXPECT_FALSE(fs::exists(dir.Path() / "c.jpg"));

    EXPECT_EQ(RunTool({ "files", "copy", dir.Folder() + "x.jpg" }).exitCode, 2);
    EXPECT_EQ(RunTool({ "files", "copy", "--replace", "maybe", dir.Folder() + "x.jpg", dir.Folder() }).exitCode, 2);
}

} // namespace
