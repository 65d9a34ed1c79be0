// The channel, overflow and clipping views, their blink and the YCbCr warning.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "analysis/ViewModes.h"
#include "imaging/JpegWriter.h"
#include "imaging/JpegYcc.h"
#include "support/TestSupport.h"

namespace {

using namespace analysis;
using Rgb = std::array<int, 3>;

// A picture of one pixel column: row y holds pixels[y] (red, green, blue).
imaging::Bitmap Column(const std::vector<Rgb>& pixels)
{
    imaging::Bitmap b(1, static_cast<int>(pixels.size()));
    for (int y = 0; y < b.Height(); ++y) {
        b.Row(y)[0] = static_cast<uint8_t>(pixels[y][2]);
        b.Row(y)[1] = static_cast<uint8_t>(pixels[y][1]);
        b.Row(y)[2] = static_cast<uint8_t>(pixels[y][0]);
    }
    return b;
}

// Stores blue, green, red.
void Put3(uint8_t* p, uint8_t b, uint8_t g, uint8_t r)
{
    p[0] = b;
    p[1] = g;
    p[2] = r;
}

Rgb At(const imaging::Bitmap& b, int x, int y)
{
    const uint8_t* p = b.Row(y) + 3 * x;
    return { p[2], p[1], p[0] };
}

TEST(ViewModes, PixelRulesOnEvenAndOddRows)
{
    struct Case {
        int mode;
        Rgb in, even, odd; // result on row 0 and on row 1
    };
    const Rgb yellow { 255, 255, 0 }, magenta { 255, 0, 255 }, cyan { 0, 255, 255 };
    const Case cases[] = {
        { kModeRed, { 10, 20, 30 }, { 10, 10, 10 }, { 10, 10, 10 } },
        { kModeGreen, { 10, 20, 30 }, { 20, 20, 20 }, { 20, 20, 20 } },
        { kModeBlue, { 10, 20, 30 }, { 30, 30, 30 }, { 30, 30, 30 } },
        // All-channel check: two channels at 255 stripe the odd rows.
        { kModeTobiAll, { 255, 255, 200 }, { 255, 255, 200 }, yellow },
        { kModeTobiAll, { 255, 200, 255 }, { 255, 200, 255 }, magenta },
        { kModeTobiAll, { 3, 255, 255 }, { 3, 255, 255 }, cyan },
        { kModeTobiAll, { 255, 10, 10 }, { 255, 0, 0 }, { 255, 0, 0 } },
        { kModeTobiAll, { 7, 255, 9 }, { 0, 255, 0 }, { 0, 255, 0 } },
        { kModeTobiAll, { 7, 8, 255 }, { 0, 0, 255 }, { 0, 0, 255 } },
        { kModeTobiAll, { 255, 255, 255 }, { 255, 255, 255 }, { 255, 255, 255 } },
        { kModeTobiAll, { 0xF0, 0x0F, 0x3C }, { 0xF0, 0x0F, 0x3C }, { 0xF0, 0x0F, 0x3C } }, // or-ed bits make 255
        { kModeTobiAll, { 254, 254, 254 }, { 254, 254, 254 }, { 254, 254, 254 } },
        // Single-channel checks invert clipped pixels.
        { kModeTobiRed, { 255, 40, 30 }, { 0, 215, 225 }, { 0, 215, 225 } },
        { kModeTobiRed, { 254, 40, 30 }, { 254, 40, 30 }, { 254, 40, 30 } },
        { kModeTobiRed, { 40, 255, 255 }, { 40, 255, 255 }, { 40, 255, 255 } },
        { kModeTobiGreen, { 1, 255, 3 }, { 254, 0, 252 }, { 254, 0, 252 } },
        { kModeTobiBlue, { 1, 2, 255 }, { 254, 253, 0 }, { 254, 253, 0 } },
        { kModeTobiBlue, { 255, 255, 254 }, { 255, 255, 254 }, { 255, 255, 254 } },
        { kModeTobiWhite, { 255, 255, 255 }, { 0, 0, 0 }, { 0, 0, 0 } },
        { kModeTobiWhite, { 255, 255, 254 }, { 255, 255, 254 }, { 255, 255, 254 } },
        // Overflow views: the pure channel colour, else the channel in grey.
        { kModeRedOver, { 255, 9, 9 }, { 255, 0, 0 }, { 255, 0, 0 } },
        { kModeRedOver, { 254, 255, 9 }, { 254, 254, 254 }, { 254, 254, 254 } },
        { kModeGreenOver, { 9, 255, 255 }, { 0, 255, 0 }, { 0, 255, 0 } },
        { kModeGreenOver, { 9, 80, 255 }, { 80, 80, 80 }, { 80, 80, 80 } },
        { kModeBlueOver, { 9, 9, 255 }, { 0, 0, 255 }, { 0, 0, 255 } },
        { kModeBlueOver, { 9, 9, 1 }, { 1, 1, 1 }, { 1, 1, 1 } },
        // White overflow: magenta on pure white, else the luminance in grey.
        { kModeWhiteOver, { 255, 255, 255 }, magenta, magenta },
        { kModeWhiteOver, { 100, 150, 200 }, { 141, 141, 141 }, { 141, 141, 141 } }, // 140.75
        { kModeWhiteOver, { 255, 255, 254 }, { 255, 255, 255 }, { 255, 255, 255 } },
        { kModeWhiteOver, { 0, 80, 110 }, { 60, 60, 60 }, { 60, 60, 60 } }, // an exact tie, to even
        // No rule: unchanged.
        { kModeAllChannels, { 1, 2, 3 }, { 1, 2, 3 }, { 1, 2, 3 } },
    };
    for (const Case& c : cases) {
        const imaging::Bitmap source = Column({ c.in, c.in, c.in });
        imaging::Bitmap out;
        ApplyPixelRule(c.mode, source, out);
        EXPECT_EQ(At(out, 0, 0), c.even) << "mode " << c.mode << " " << c.in[0] << "," << c.in[1] << "," << c.in[2];
        EXPECT_EQ(At(out, 0, 1), c.odd) << "mode " << c.mode << " " << c.in[0] << "," << c.in[1] << "," << c.in[2];
        EXPECT_EQ(At(out, 0, 2), c.even) << "mode " << c.mode;
        // In place gives the same.
        imaging::Bitmap inPlace = source;
        ApplyPixelRule(c.mode, inPlace, inPlace);
        EXPECT_EQ(inPlace, out) << "mode " << c.mode;
        EXPECT_EQ(HasPixelRule(c.mode), c.mode != kModeAllChannels);
    }
}

TEST(ViewModes, OutputTakesTheSourceSizeAndProgressComesEveryHundredRows)
{
    imaging::Bitmap source(7, 250);
    source.Fill(255, 1, 2);
    imaging::Bitmap out(300, 2); // another size: replaced, never overrun
    std::vector<int> rows;
    ApplyPixelRule(kModeRedOver, source, out, [&](int row, int height) {
        EXPECT_EQ(height, 250);
        rows.push_back(row);
    });
    EXPECT_EQ(rows, (std::vector<int> { 0, 100, 200 }));
    ASSERT_EQ(out.Width(), 7);
    ASSERT_EQ(out.Height(), 250);
    EXPECT_EQ(At(out, 6, 249), (Rgb { 255, 0, 0 }));
}

TEST(ViewModes, TextsOfTheModes)
{
    struct Case {
        int mode;
        const char* task;
        const char* channel;
    };
    const Case cases[] = { { kModeRed, "チャンネル抽出", "RED" }, { kModeBlue, "チャンネル抽出", "BLUE" },
        { kModeGreen, "チャンネル抽出", "GREEN" }, { kModeAllChannels, "チャンネル抽出", "" },
        { kModeTobiAll, "色飛び判定中", "" }, { kModeTobiBlue, "青飛び判定中", "" },
        { kModeTobiRed, "赤飛び判定中", "" }, { kModeTobiGreen, "緑飛び判定中", "" },
        { kModeTobiWhite, "白飛び判定中", "" }, { kModeRedOver, "チャンネル抽出", "赤飛び域" },
        { kModeGreenOver, "チャンネル抽出", "緑飛び域" }, { kModeBlueOver, "チャンネル抽出", "青飛び域" },
        { kModeWhiteOver, "チャンネル抽出", "白飛び域" }, { kModeColourManaged, "色校正処理中", "" },
        { kModeYccWarning, "RGB色域判定中", "YCbCr警告" }, { kModeCorrection, "画像補正中", "" }, { 50, "", "" } };
    for (const Case& c : cases) {
        EXPECT_EQ(ViewModeTaskText(c.mode), c.task) << c.mode;
        EXPECT_EQ(ViewModeChannelText(c.mode), c.channel) << c.mode;
    }
}

TEST(ViewModes, BlinkFramesAlternateAndEndOnThePhoto)
{
    // Row 0 has a clipped red pixel, row 1 a plain one.
    const imaging::Bitmap source = Column({ { 255, 10, 10 }, { 1, 2, 3 } });
    for (int mode : { kModeTobiAll, kModeTobiRed }) {
        imaging::Bitmap blink;
        ApplyPixelRule(mode, source, blink);
        TBlinkFrames frames;
        imaging::Bitmap displayed(5, 5);
        frames.Start(mode, source, displayed);
        EXPECT_EQ(displayed, blink) << mode;
        EXPECT_EQ(frames.Kind(), BlinkKindOf(mode));
        std::vector<Rgb> shown;
        for (int tag = kBlinkSteps; tag > 0; --tag) {
            frames.Step(tag, displayed);
            shown.push_back(At(displayed, 0, 0));
            EXPECT_EQ(At(displayed, 0, 1), (Rgb { 1, 2, 3 })) << mode << " " << tag;
        }
        // Kind 1: the mark and black; kind 2: photo on even tags, the mark on odd ones.
        const Rgb mark = At(blink, 0, 0);
        const Rgb off = frames.Kind() == 1 ? Rgb { 0, 0, 0 } : Rgb { 255, 10, 10 };
        const Rgb onEven = frames.Kind() == 1 ? mark : off, onOdd = frames.Kind() == 1 ? off : mark;
        for (size_t i = 0; i < shown.size(); ++i)
            EXPECT_EQ(shown[i], (kBlinkSteps - static_cast<int>(i)) % 2 == 0 ? onEven : onOdd) << mode << " " << i;
    }
    EXPECT_EQ(BlinkKindOf(kModeTobiAll), 1);
    EXPECT_EQ(BlinkKindOf(kModeTobiWhite), 2);
}

// Wide rows go through the vector forms 16 pixels at a time; every pixel must
// come out as the one-pixel rule gives it, ties of the luminance and a
// ragged tail included.
TEST(ViewModes, WideRowsMatchTheRuleOfEachPixel)
{
    const int width = 16 * 40 + 7, height = 4;
    imaging::Bitmap source(width, height);
    uint32_t seed = 7;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = source.Row(y) + 3 * x;
            for (int c = 0; c < 3; ++c) {
                seed = seed * 1103515245u + 12345u;
                const int v = static_cast<int>(seed >> 24);
                p[c] = static_cast<uint8_t>(v < 40 ? 255 : v < 60 ? 254 : v);
            }
            if (x % 53 == 0) // exact luminance ties: (0, 80, 110) and (0, 36, 12)
                Put3(p, 110, 80, 0);
            if (x % 59 == 0)
                Put3(p, 12, 36, 0);
        }
    std::vector<int> modes;
    for (int mode = kModeRed; mode <= kModeWhiteOver; ++mode)
        modes.push_back(mode);
    for (int mode : modes) {
        imaging::Bitmap out;
        ApplyPixelRule(mode, source, out);
        TBlinkFrames frames;
        imaging::Bitmap marked;
        if (IsBlinkMode(mode))
            frames.Start(mode, source, marked);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                imaging::Bitmap one(1, 2);
                std::memcpy(one.Row(y & 1), source.Row(y) + 3 * x, 3);
                imaging::Bitmap expected;
                ApplyPixelRule(mode, one, expected);
                ASSERT_EQ(At(out, x, y), At(expected, 0, y & 1)) << "mode " << mode << " at " << x << "," << y;
                if (IsBlinkMode(mode)) {
                    ASSERT_EQ(At(marked, x, y), At(expected, 0, y & 1)) << "mode " << mode << " at " << x << "," << y;
                }
            }
        if (mode == kModeTobiAll) {
            // The blacked-out frame: every pixel with a channel at 255 black, the rest as marked.
            frames.Step(1, marked);
            for (int x = 0; x < width; ++x) {
                const Rgb m = At(out, x, 1);
                const bool clipped = m[0] == 255 || m[1] == 255 || m[2] == 255;
                const Rgb expected = clipped ? Rgb { 0, 0, 0 } : m;
                ASSERT_EQ(At(marked, x, 1), expected) << x;
            }
        }
    }
}

TEST(ViewModes, YccWarningPaintsOutOfGamutRedAndTheRestGrey)
{
    struct Case {
        int y, cb, cr;
        Rgb expected;
    };
    const Case cases[] = {
        { 250, 128, 200, { 255, 0, 0 } }, // R = 350.944
        { 128, 128, 128, { 128, 128, 128 } }, { 0, 128, 127, { 255, 0, 0 } }, // R = -1.402
        { 0, 128, 128, { 0, 0, 0 } }, { 255, 128, 128, { 255, 255, 255 } },
        { 10, 200, 128, { 255, 0, 0 } }, // G = -14.8
        { 100, 140, 120, { 100, 100, 100 } }, // in gamut
    };
    imaging::YccPicture ycc;
    ycc.Width = static_cast<int>(std::size(cases));
    ycc.Height = 1;
    for (const Case& c : cases)
        ycc.Pixels.insert(ycc.Pixels.end(), { uint8_t(c.y), uint8_t(c.cb), uint8_t(c.cr) });
    const imaging::Bitmap bitmap = YccAsBitmap(ycc);
    ASSERT_EQ(bitmap.Width(), ycc.Width);
    EXPECT_EQ(At(bitmap, 0, 0), (Rgb { 200, 128, 250 })); // Y in the blue byte, Cr in the red byte
    imaging::Bitmap displayed(2, 2);
    MarkYccClipping(bitmap, displayed);
    ASSERT_EQ(displayed.Width(), ycc.Width);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(At(displayed, static_cast<int>(i), 0), cases[i].expected) << i;
    // Samples that do not fill the picture give no bitmap.
    ycc.Pixels.pop_back();
    EXPECT_TRUE(YccAsBitmap(ycc).Empty());
}

// A 32 x 16 JPEG whose left half is a plain grey and whose right half is a
// saturated red that converts out of gamut: the marks must follow the photo's
// turn, flip and mirror.
TEST(ViewModes, YccWarningMarksFollowTheOrientation)
{
    testimaging::JpegSettings settings;
    settings.fullChroma = true;
    settings.quality = 100;
    const std::vector<uint8_t> jpeg = testimaging::EncodeJpeg(
        32, 16,
        [](int x, int, uint8_t* s) {
            const bool red = x >= 16;
            s[0] = red ? 255 : 120;
            s[1] = red ? 0 : 120;
            s[2] = red ? 0 : 120;
        },
        settings);
    testsupport::TempDir dir;
    const std::string path = (dir.Path() / "half.jpg").string();
    testsupport::WriteFile(path, jpeg);

    struct Case {
        int rotation;
        bool flipped, mirrored;
        int width, height;
        int markedX, markedY; // a pixel well inside the marked half
        int plainX, plainY;
    };
    const Case cases[] = {
        { 0, false, false, 32, 16, 28, 8, 3, 8 },
        { 0, false, true, 32, 16, 3, 8, 28, 8 }, // mirrored: the red half on the left
        { 0, true, false, 32, 16, 28, 8, 3, 8 }, // upside down: halves stay
        { 1, false, false, 16, 32, 8, 28, 8, 3 }, // a quarter turn clockwise: the right half goes down
        { 3, false, false, 16, 32, 8, 3, 8, 28 },
        { 1, false, true, 16, 32, 8, 3, 8, 28 }, // mirrored in its own axes, then turned
        { 2, false, false, 32, 16, 3, 8, 28, 8 },
    };
    for (const Case& c : cases) {
        imaging::Bitmap displayed(32, 16);
        std::string error;
        ASSERT_TRUE(ShowYccClipping(path, c.rotation, c.flipped, c.mirrored, displayed, {}, &error)) << error;
        ASSERT_EQ(displayed.Width(), c.width);
        ASSERT_EQ(displayed.Height(), c.height);
        const std::string what
            = std::to_string(c.rotation) + (c.flipped ? " flipped" : "") + (c.mirrored ? " mirrored" : "");
        EXPECT_EQ(At(displayed, c.markedX, c.markedY), (Rgb { 255, 0, 0 })) << what;
        const Rgb plain = At(displayed, c.plainX, c.plainY);
        EXPECT_EQ(plain[0], plain[1]) << what;
        EXPECT_NEAR(plain[0], 120, 2) << what;
    }

    // Data that is not a JPEG: false and the picture untouched.
    testsupport::WriteFile(dir.Path() / "bad.jpg", std::vector<uint8_t>(100, 7));
    imaging::Bitmap displayed(3, 3);
    displayed.Fill(1, 2, 3);
    const imaging::Bitmap before = displayed;
    EXPECT_FALSE(ShowYccClipping((dir.Path() / "bad.jpg").string(), 0, false, false, displayed));
    EXPECT_EQ(displayed, before);
}

} // namespace
