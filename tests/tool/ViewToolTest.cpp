// voviro-tool view: the view modes and colour management of one photo, their
// status texts, and agreement with Little CMS's own jpgicc.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "colour/ColourTestSupport.h"
#include "imaging/ImageIO.h"
#include "imaging/JpegWriter.h"
#include "support/TestSupport.h"
#include "tool/ToolRun.h"

namespace {

using tooltest::RunTool;

// Flat colour patches of 32 × 32 on a grid: JPEG re-encoding keeps each
// patch's inside, so a lossy reference still compares pixel for pixel there.
constexpr int kPatch = 32, kColumns = 8, kRows = 6;

uint8_t PatchValue(int patch, int channel)
{
    static const uint8_t levels[] = { 0, 18, 47, 90, 128, 170, 211, 240, 255 };
    return levels[(patch * (channel + 2) + channel * 3) % 9];
}

std::vector<uint8_t> PatchJpeg()
{
    testimaging::JpegSettings settings;
    settings.quality = 100;
    settings.fullChroma = true;
    return testimaging::EncodeJpeg(
        kPatch * kColumns, kPatch * kRows,
        [](int x, int y, uint8_t* s) {
            const int patch = (y / kPatch) * kColumns + x / kPatch;
            for (int c = 0; c < 3; ++c)
                s[c] = PatchValue(patch, c);
        },
        settings);
}

class ViewToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        photo = (dir.Path() / "patches.jpg").string();
        testsupport::WriteFile(photo, PatchJpeg());
        monitor = colourtest::WriteProfile(dir.Path(), "wide.icc", colourtest::WideRgbProfileBytes());
    }
    imaging::Bitmap Output(const std::string& path)
    {
        imaging::Bitmap b;
        EXPECT_TRUE(imaging::LoadBmpFile(path, b)) << path;
        return b;
    }
    testsupport::TempDir dir;
    std::string photo, monitor;
};

TEST_F(ViewToolTest, ModesAndColourManagementPrintTheirStatus)
{
    const std::string out = (dir.Path() / "out.bmp").string();
    struct Case {
        std::vector<std::string> extra;
        std::string status;
    };
    const Case cases[] = {
        { { "--mode", "r" }, "RED" },
        { { "--mode", "wover" }, "白飛び域" },
        { { "--mode", "tobi-all" }, "" },
        { { "--mode", "ycc" }, "YCbCr警告" },
        { { "--monitor", monitor }, "ICM" },
        { { "--monitor", monitor, "--input", "AdobeRGB", "--intent", "3", "--bpc" }, "ICM" },
        { { "--monitor", monitor, "--input", (dir.Path() / "none.icc").string() }, "ICM(失敗)" },
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = { "view", photo, "--out", out };
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const tooltest::ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 0) << c.extra[1];
        EXPECT_EQ(run.out, c.status + "\n") << c.extra[1];
        EXPECT_EQ(Output(out).Width(), kPatch * kColumns);
    }
    // The red channel view: every pixel grey of the red value.
    ASSERT_EQ(RunTool({ "view", photo, "--out", out, "--mode", "r" }).exitCode, 0);
    const imaging::Bitmap red = Output(out);
    const uint8_t* p = red.Row(kPatch + 5) + 3 * (kPatch * 2 + 5); // patch 10
    EXPECT_NEAR(p[2], PatchValue(kColumns + 2, 0), 1);
    EXPECT_EQ(p[0], p[2]);
    EXPECT_EQ(p[1], p[2]);

    const std::vector<std::vector<std::string>> wrong = { { "view", photo }, { "view", photo, "--out", "x.jpg" },
        { "view", photo, "--out", out, "--mode", "z" }, { "view", photo, "--out", out, "--intent", "4" },
        { "view", photo, "--out", out, "--mode", "r", "--monitor", monitor } };
    for (const auto& args : wrong)
        EXPECT_EQ(RunTool(args).exitCode, 2) << args.back();
    EXPECT_EQ(RunTool({ "view", photo + ".none", "--out", out }).exitCode, 1);
}

// jpgicc writes a JPEG, so only the insides of the flat patches are compared.
TEST_F(ViewToolTest, AgreesWithJpgiccWithinOneLevel)
{
    if (std::system("command -v jpgicc >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "jpgicc (liblcms2-utils) is not installed";
    const std::string input = colourtest::WriteProfile(dir.Path(), "srgb.icc", colourtest::SrgbProfileBytes());
    struct Case {
        int intent;
        bool bpc;
    };
    for (const Case& c : { Case { 0, false }, Case { 1, true }, Case { 3, false } }) {
        const std::string ours = (dir.Path() / "ours.bmp").string();
        const std::string theirs = (dir.Path() / "theirs.jpg").string();
        std::vector<std::string> args = { "view", photo, "--out", ours, "--monitor", monitor, "--input", input,
            "--intent", std::to_string(c.intent) };
        if (c.bpc)
            args.push_back("--bpc");
        ASSERT_EQ(RunTool(args).exitCode, 0);
        // -d1: the library's own default observer adaptation, which jpgicc otherwise sets to none.
        const std::string command = "jpgicc -d1 -q100 -t" + std::to_string(c.intent) + (c.bpc ? " -b" : "") + " '-i"
            + input + "' '-o" + monitor + "' '" + photo + "' '" + theirs + "' >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const imaging::Bitmap a = Output(ours);
        imaging::Bitmap b;
        ASSERT_TRUE(imaging::LoadJpegFile(theirs, b));
        ASSERT_EQ(a.Width(), b.Width());
        int worst = 0;
        for (int patch = 0; patch < kColumns * kRows; ++patch) {
            const int x0 = (patch % kColumns) * kPatch, y0 = (patch / kColumns) * kPatch;
            for (int y = y0 + 8; y < y0 + kPatch - 8; y += 3)
                for (int x = x0 + 8; x < x0 + kPatch - 8; x += 3)
                    for (int ch = 0; ch < 3; ++ch)
                        worst = std::max(worst, std::abs(a.Row(y)[3 * x + ch] - b.Row(y)[3 * x + ch]));
        }
        EXPECT_LE(worst, 1) << "intent " << c.intent << (c.bpc ? " with" : " without") << " black-point compensation";
    }
}

} // namespace
