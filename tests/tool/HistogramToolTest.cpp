// voviro-tool histogram: the tables of a small picture in both outputs, the
// error of an unreadable file, and the chart written as a PNG.
#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "tool/ToolRun.h"

namespace {

using testsupport::TempDir;
using tooltest::RunTool;

// A 2 × 1 BMP: pure red and a grey of 100.
std::vector<uint8_t> TwoPixelBmp()
{
    std::vector<uint8_t> bmp(54 + 8, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = uint8_t(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, uint32_t(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, 2);
    put32(22, 1);
    bmp[26] = 1;
    bmp[28] = 24;
    const uint8_t pixels[] = { 0, 0, 255, 100, 100, 100 }; // blue, green, red order
    std::copy(std::begin(pixels), std::end(pixels), bmp.begin() + 54);
    return bmp;
}

} // namespace

TEST(HistogramTool, PrintsTablesAndPeaks)
{
    TempDir dir;
    const std::string file = (dir.Path() / "two.bmp").string();
    testsupport::WriteFile(file, TwoPixelBmp());

    const auto json = RunTool({ "histogram", "--json", file, (dir.Path() / "missing.jpg").string() });
    EXPECT_EQ(json.exitCode, 1);
    EXPECT_NE(json.out.find("\"width\":2,\"height\":1,\"r\":[0,"), std::string::npos) << json.out;
    // Luminance of red is 76, of the grey 100; hue 0 once; the level peaks leave out 0 and 255.
    EXPECT_NE(json.out.find("\"peaks\":{\"r\":1,\"g\":1,\"b\":1,\"y\":1,\"s\":0,\"v\":1,\"h\":1}"), std::string::npos);
    EXPECT_NE(json.out.find("missing.jpg\",\"error\":"), std::string::npos);
    const size_t h = json.out.find("\"h\":[");
    ASSERT_NE(h, std::string::npos);
    EXPECT_EQ(json.out.compare(h, 8, "\"h\":[1,0"), 0);

    const auto plain = RunTool({ "histogram", file });
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_NE(plain.out.find("size: 2 x 1\n"), std::string::npos);
    EXPECT_NE(plain.out.find("\ny peak 1: "), std::string::npos);

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>> {
             { "histogram" },
             { "histogram", file, "--chart", "rgb" }, // no --out
             { "histogram", file, "--chart", "pie", "--out", "x.png" },
             { "histogram", file, "--out", "x.png" },
             { "histogram", file, "--chart", "rgb", "--out", "x.png", "--size", "0x10" },
         })
        EXPECT_EQ(RunTool(bad).exitCode, 2) << bad.size();
}

#ifdef VOVIRO_TOOL_WITH_QT
TEST(HistogramTool, WritesTheChartOfEveryMode)
{
    TempDir dir;
    const std::string file = (dir.Path() / "two.bmp").string();
    testsupport::WriteFile(file, TwoPixelBmp());
    for (const char* mode : { "rgb", "hsv", "ab", "uv", "lab3d" }) {
        const auto png = dir.Path() / (std::string(mode) + ".png");
        const auto run = RunTool({ "histogram", file, "--chart", mode, "--out", png.string(), "--size", "320x160" });
        EXPECT_EQ(run.exitCode, 0) << mode;
        const auto bytes = testsupport::ReadFile(png);
        ASSERT_GT(bytes.size(), 24u) << mode;
        EXPECT_EQ(bytes[1], 'P');
        EXPECT_EQ(bytes[19], 320 & 255); // width in the header
        EXPECT_EQ(bytes[23], 160);
    }
    // The YCbCr source needs a JPEG.
    EXPECT_EQ(
        RunTool({ "histogram", file, "--chart", "ab", "--ycc", "--out", (dir.Path() / "y.png").string() }).exitCode, 1);
}
#endif
