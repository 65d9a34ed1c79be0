// voviro-tool thumbs over a copy of the sample photos plus broken files:
// one line per file, the pictures written, the closing count line.
#include <gtest/gtest.h>

#include <sstream>

#include "support/TestSupport.h"
#include "tool/ToolRun.h"

namespace {

namespace fs = std::filesystem;
using testsupport::TempDir;
using tooltest::RunTool;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::stringstream s(text);
    for (std::string line; std::getline(s, line);)
        lines.push_back(line);
    return lines;
}

TEST(ThumbsTool, WritesEveryThumbnailAndCellAndReportsEachFile)
{
    const fs::path samples = testsupport::SamplesDir();
    if (samples.empty())
        GTEST_SKIP() << "no sample files";
    TempDir dir, out;
    for (const char* name : { "Canon_40D.jpg", "Nikon_D70.jpg", "Pentax_K10D.jpg" })
        fs::copy_file(samples / "jpg" / name, dir.Path() / name);
    testsupport::WriteFile(dir.Path() / "zero.jpg", std::string());
    testsupport::WriteFile(dir.Path() / "x-broken.png", std::string("\x89PNG\r\n\x1a\n broken"));

    // Drawing cells needs the user interface; a core-only build has the tool without it.
#ifdef VOVIRO_TOOL_WITH_QT
    const std::vector<std::string> view { "--view", "9" };
#else
    const std::vector<std::string> view;
#endif
    std::vector<std::string> args { "thumbs", dir.Path().string(), "--out", (out.Path() / "o").string() };
    args.insert(args.end(), view.begin(), view.end());
    const tooltest::ToolRun run = RunTool(args);
    ASSERT_EQ(run.exitCode, 0);
    const std::string& text = run.out;
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 6u) << text;
    EXPECT_EQ(lines[0].rfind("0\tExifJPEG\t0\t", 0), 0u) << lines[0];
    EXPECT_NE(lines[0].find("\tembedded\tCanon_40D.jpg"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[3], "3\tPNG\t0\t-\tnone\tx-broken.png");
    EXPECT_EQ(lines[4], "4\tJPEG\t0\t-\tnone\tzero.jpg");
    EXPECT_EQ(lines[5].rfind("5 files\t", 0), 0u) << lines[5];
    EXPECT_NE(lines[5].find(" files/s"), std::string::npos);
    const fs::path o = out.Path() / "o";
    EXPECT_TRUE(fs::exists(o / "Canon_40D.jpg.png"));
    EXPECT_FALSE(fs::exists(o / "zero.jpg.png")) << "no thumbnail, no picture";
    if (!view.empty()) {
        EXPECT_TRUE(fs::exists(o / "zero.jpg.view9.png")) << "the placeholder cell is drawn";
        EXPECT_GT(fs::file_size(o / "Nikon_D70.jpg.view9.png"), 1000u);
    }
}

TEST(ThumbsTool, ListShowsTheShootingDataTheMakerReads)
{
    const fs::path samples = testsupport::SamplesDir();
    if (samples.empty())
        GTEST_SKIP() << "no sample files";
    TempDir dir;
    fs::copy_file(samples / "jpg" / "Canon_40D.jpg", dir.Path() / "Canon_40D.jpg");
    const tooltest::ToolRun run = RunTool({ "list", dir.Path().string() });
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("Canon_40D.jpg\tExifJPEG\t1/166秒\tF7.0\t", 0), 0u) << run.out;
}

TEST(ThumbsTool, BadArgumentsAreRefused)
{
    for (const auto& args : std::vector<std::vector<std::string>> { { "thumbs" }, { "thumbs", "/tmp" },
             { "thumbs", "/tmp", "--out" }, { "thumbs", "/tmp", "--out", "x", "--view", "7" } })
        EXPECT_EQ(RunTool(args).exitCode, 2) << args.size();
}

} // namespace
