// voviro-tool rotate and markers: their lines and exit codes.
#include <gtest/gtest.h>

#include "imaging/JpegWriter.h"
#include "support/TestSupport.h"
#include "tool/ToolRun.h"

namespace fs = std::filesystem;

TEST(RotateTool, OneLinePerFileAndExitZeroOnlyWhenAllTurned)
{
    testsupport::TempDir dir;
    const fs::path good = dir.Path() / "a.jpg", bad = dir.Path() / "b.jpg";
    const std::vector<uint8_t> photo = testimaging::PatternJpeg(48, 32);
    testsupport::WriteFile(good, photo);
    testsupport::WriteFile(bad, std::string("not a photo"));
    auto run = tooltest::RunTool({ "rotate", good.string(), "--turn", "90", "--mode", "rename" });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "ok " + (dir.Path() / "a_90.jpg").string() + "\n");
    EXPECT_EQ(testsupport::ReadFile(good), photo);

    run = tooltest::RunTool({ "rotate", good.string(), bad.string(), "--turn", "180" });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1), "ok " + good.string() + "\n");
    EXPECT_EQ(run.out.rfind("failed: ", run.out.find('\n') + 1), run.out.find('\n') + 1) << run.out;
    EXPECT_NE(testsupport::ReadFile(good), photo);

    for (const auto& args : std::vector<std::vector<std::string>> { { "rotate", good.string() },
             { "rotate", good.string(), "--turn", "45" }, { "rotate", "--turn", "90" },
             { "rotate", good.string(), "--turn", "90", "--mode", "copy" } })
        EXPECT_EQ(tooltest::RunTool(args).exitCode, 2);
}

TEST(MarkersTool, ListsSegmentsAndEditsThem)
{
    testsupport::TempDir dir;
    const fs::path file = dir.Path() / "m.jpg";
    testsupport::WriteFile(file, testimaging::PatternJpeg(16, 16));
    auto run = tooltest::RunTool({ "markers", file.string() });
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.substr(0, 35), "0\tFFD8\t0\tSOI\n2\tFFE0\t16\tJFIF\n20\tFFDB");

    run = tooltest::RunTool({ "markers", file.string(), "--comment", "メモ", "--mode", "rename" });
    EXPECT_EQ(run.exitCode, 0);
    const fs::path edited = dir.Path() / "m_EDITTAG.jpg";
    EXPECT_EQ(run.out, "ok " + edited.string() + "\n");
    run = tooltest::RunTool({ "markers", edited.string() });
    EXPECT_NE(run.out.find("\tFFFE\t9\tCOM\n"), std::string::npos) << run.out;

    // A profile too large for one segment goes in numbered pieces.
    const fs::path profile = dir.Path() / "big.icc";
    testsupport::WriteFile(profile, std::vector<uint8_t>(150000, 7));
    run = tooltest::RunTool({ "markers", edited.string(), "--icc", profile.string() });
    EXPECT_EQ(run.exitCode, 0) << run.out;
    run = tooltest::RunTool({ "markers", edited.string() });
    EXPECT_NE(run.out.find("\tFFE2\t65535\tICC_PROFILE 1/3\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("ICC_PROFILE 3/3\n"), std::string::npos) << run.out;

    run = tooltest::RunTool({ "markers", file.string(), "--export-icc", (dir.Path() / "x.icc").string() });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out.rfind("failed: ", 0), 0u);
    EXPECT_EQ(tooltest::RunTool({ "markers", file.string(), "--delete-icc", "--icc", "p.icc" }).exitCode, 2);
}
