#include <gtest/gtest.h>

#include <cstdlib>

#include "imaging/ImageIO.h"
#include "imaging/JpegWriter.h"
#include "imaging/Pixels.h"
#include "imaging/TurboDecode.h"
#include "support/TestSupport.h"

using namespace imaging;
using testimaging::EncodeJpeg;
using testimaging::JpegSettings;
using testimaging::PatternJpeg;

namespace {

// Largest difference of one channel between a decoded pixel and the expected one.
int Distance(const uint8_t* bgr, int red, int green, int blue)
{
    return std::max({ std::abs(bgr[2] - red), std::abs(bgr[1] - green), std::abs(bgr[0] - blue) });
}

std::vector<uint8_t> FlatJpeg(int width, int height, J_COLOR_SPACE space, std::vector<uint8_t> samples)
{
    return EncodeJpeg(width, height, [&](int, int, uint8_t* out) { std::copy(samples.begin(), samples.end(), out); },
        { space, 100, false, true });
}

} // namespace

TEST(JpegDecode, FullSizeGivesBgrPixels)
{
    // Left half red, right half blue: the byte order must come out B, G, R.
    const auto jpeg = EncodeJpeg(64, 32, [](int x, int, uint8_t* rgb) {
        rgb[0] = x < 32 ? 230 : 10;
        rgb[1] = 20;
        rgb[2] = x < 32 ? 10 : 230;
    });
    Bitmap bitmap;
    DecodeInfo info;
    ASSERT_TRUE(LoadJpegMemory(jpeg.data(), jpeg.size(), bitmap, { 0, 0, {}, &info }));
    EXPECT_EQ(bitmap.Width(), 64);
    EXPECT_EQ(bitmap.Height(), 32);
    EXPECT_EQ(bitmap.BitsPerPixel(), 24);
    EXPECT_LE(Distance(bitmap.Row(16) + 8 * 3, 230, 20, 10), 8);
    EXPECT_LE(Distance(bitmap.Row(16) + 56 * 3, 10, 20, 230), 8);
    EXPECT_FALSE(info.truncated);
    EXPECT_FALSE(info.damaged);
    EXPECT_EQ(info.fullWidth, 64);
}

TEST(JpegDecode, GrayAndCmykBecomeBgr)
{
    Bitmap gray;
    const auto grayJpeg = FlatJpeg(16, 16, JCS_GRAYSCALE, { 77 });
    ASSERT_TRUE(LoadJpegMemory(grayJpeg.data(), grayJpeg.size(), gray));
    EXPECT_LE(Distance(gray.Row(5) + 15, 77, 77, 77), 1);

    // libjpeg writes an Adobe marker with CMYK, so the stored values count as
    // inverted (255 = no ink): c=255, m=128, y=0, k=255 is red 255, green 128, blue 0.
    Bitmap cmyk;
    const auto cmykJpeg = FlatJpeg(16, 16, JCS_CMYK, { 255, 128, 0, 255 });
    ASSERT_TRUE(LoadJpegMemory(cmykJpeg.data(), cmykJpeg.size(), cmyk));
    EXPECT_EQ(cmyk.BitsPerPixel(), 24);
    EXPECT_LE(Distance(cmyk.Row(3) + 9, 255, 128, 0), 2);
}

TEST(JpegDecode, ReducedScaleCoversTheBox)
{
    struct Case {
        int width, height, boxWidth, boxHeight, numerator;
    };
    const Case cases[] = {
        { 4000, 3000, 160, 120, 1 }, // 500 × 375
        { 3000, 4000, 160, 120, 1 },
        { 1024, 768, 160, 120, 2 }, // 1/8 gives 128 × 96: too small
        { 640, 480, 160, 120, 2 },
        { 320, 240, 160, 120, 4 },
        { 200, 100, 160, 120, 7 }, // fitted 160 × 80: 7/8 gives 175 × 88
        { 100, 100, 160, 120, 8 }, // smaller than the box: full size
        { 4000, 3000, 0, 0, 8 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(JpegScaleForBox(c.width, c.height, c.boxWidth, c.boxHeight), c.numerator)
            << c.width << "x" << c.height;

    const auto jpeg = PatternJpeg(1000, 750);
    Bitmap bitmap;
    DecodeInfo info;
    ASSERT_TRUE(LoadJpegMemory(jpeg.data(), jpeg.size(), bitmap, { 160, 120, {}, &info }));
    EXPECT_EQ(bitmap.Width(), 250); // 2/8
    EXPECT_EQ(bitmap.Height(), 188); // 750 × 2 / 8 rounded up
    EXPECT_EQ(info.fullWidth, 1000);
    EXPECT_EQ(info.fullHeight, 750);
}

// With a box to reduce into, the picture is decoded at the box's DCT scale and
// reduced row by row: the same pixels as the scaled decode drawn into the box.
TEST(JpegDecode, ReducedIntoABoxWhileDecoding)
{
    const struct {
        const char* name;
        std::vector<uint8_t> jpeg;
        int boxWidth, boxHeight;
    } cases[] = {
        { "colour", PatternJpeg(1000, 750), 160, 120 },
        { "grey", FlatJpeg(2000, 300, JCS_GRAYSCALE, { 77 }), 160, 160 },
        { "cmyk", FlatJpeg(500, 900, JCS_CMYK, { 10, 200, 30, 240 }), 160, 120 },
        { "within the box", PatternJpeg(150, 100), 160, 120 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap scaled, reduced;
        ASSERT_TRUE(LoadJpegMemory(c.jpeg.data(), c.jpeg.size(), scaled, { c.boxWidth, c.boxHeight, {}, nullptr }));
        DecodeInfo info;
        DecodeOptions options;
        options.reduceWidth = c.boxWidth;
        options.reduceHeight = c.boxHeight;
        options.info = &info;
        ASSERT_TRUE(LoadJpegMemory(c.jpeg.data(), c.jpeg.size(), reduced, options));
        const bool within = scaled.Width() <= c.boxWidth && scaled.Height() <= c.boxHeight;
        EXPECT_EQ(testimaging::FirstDifference(
                      reduced, within ? scaled : testimaging::FittedInto(scaled, c.boxWidth, c.boxHeight)),
            -1);
        int width = 0, height = 0;
        ASSERT_TRUE(ReadJpegSizeMemory(c.jpeg.data(), c.jpeg.size(), width, height));
        EXPECT_EQ(info.fullWidth, width);
        EXPECT_EQ(info.fullHeight, height);
    }
}

// A progressive stream keeps every coefficient in libjpeg's buffers; one that
// declares a large picture fails within the decoder's memory limit instead of
// taking gigabytes.
TEST(JpegDecode, DecoderMemoryLimit)
{
    auto jpeg = EncodeJpeg(
        16, 16, [](int, int, uint8_t* rgb) { rgb[0] = rgb[1] = rgb[2] = 9; }, { JCS_RGB, 90, true, false });
    for (size_t pos = 2; pos + 9 < jpeg.size(); pos += 2 + ((jpeg[pos + 2] << 8) | jpeg[pos + 3]))
        if (jpeg[pos + 1] == 0xC2) {
            jpeg[pos + 5] = jpeg[pos + 7] = 8000 >> 8;
            jpeg[pos + 6] = jpeg[pos + 8] = 8000 & 0xFF;
            break;
        }
    DecodeOptions options;
    options.reduceWidth = options.reduceHeight = 160;
    options.decoderMemoryLimit = 32L << 20;
    const uint64_t before = testsupport::PeakMemoryBytes();
    Bitmap bitmap;
    EXPECT_FALSE(LoadJpegMemory(jpeg.data(), jpeg.size(), bitmap, options));
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_LT(testsupport::PeakMemoryBytes() - before, 64u << 20);
}

TEST(JpegDecode, TruncatedStreamGivesPartialPictureAndSaysSo)
{
    for (bool progressive : { false, true }) {
        auto jpeg = EncodeJpeg(128, 128,
            [](int x, int y, uint8_t* rgb) { rgb[0] = rgb[1] = rgb[2] = y < 8 ? 250 : uint8_t(x * y); },
            { JCS_RGB, 90, progressive });
        jpeg.resize(jpeg.size() / 2);
        Bitmap bitmap;
        DecodeInfo info;
        EXPECT_TRUE(LoadJpegMemory(jpeg.data(), jpeg.size(), bitmap, { 0, 0, {}, &info })) << progressive;
        EXPECT_EQ(bitmap.Width(), 128);
        EXPECT_TRUE(info.truncated);
        EXPECT_TRUE(info.damaged);
        EXPECT_GE(bitmap.Row(0)[0], 200); // the first rows were there
    }
}

TEST(JpegDecode, GarbageAndHeaderOnlyFail)
{
    const auto jpeg = PatternJpeg(32, 32);
    std::vector<uint8_t> garbage(500, 0x5A);
    std::vector<uint8_t> headerOnly(jpeg.begin(), jpeg.begin() + 20);
    std::vector<uint8_t> soiGarbage = { 0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x02, 0x12, 0x34 };
    for (const auto* bytes : { &garbage, &headerOnly, &soiGarbage }) {
        Bitmap bitmap;
        EXPECT_FALSE(LoadJpegMemory(bytes->data(), bytes->size(), bitmap));
    }
    Bitmap bitmap;
    EXPECT_FALSE(LoadJpegMemory(nullptr, 0, bitmap));
    EXPECT_FALSE(LoadJpegFile("/nonexistent/file.jpg", bitmap));
}

TEST(JpegDecode, ProgressFalseAborts)
{
    const auto jpeg = PatternJpeg(256, 512);
    int calls = 0;
    DecodeOptions options;
    options.progress = [&](int percent) {
        EXPECT_GE(percent, 0);
        EXPECT_LE(percent, 100);
        return ++calls < 3;
    };
    Bitmap bitmap;
    EXPECT_FALSE(LoadJpegMemory(jpeg.data(), jpeg.size(), bitmap, options));
    EXPECT_EQ(calls, 3);

    std::vector<int> seen;
    options.progress = [&](int percent) {
        seen.push_back(percent);
        return true;
    };
    EXPECT_TRUE(LoadJpegMemory(jpeg.data(), jpeg.size(), bitmap, options));
    ASSERT_GE(seen.size(), 4u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), 100);
}

TEST(JpegDecode, SizeFromFrameHeader)
{
    testsupport::TempDir dir;
    // An application segment before the frame header must be skipped.
    auto jpeg = PatternJpeg(123, 45);
    std::vector<uint8_t> app1 = { 0xFF, 0xE1, 0x00, 0x08, 'E', 'x', 'i', 'f', 0, 0 };
    jpeg.insert(jpeg.begin() + 2, app1.begin(), app1.end());
    testsupport::WriteFile(dir.Path() / "a.jpg", jpeg);
    int width = 0, height = 0;
    ASSERT_TRUE(ReadJpegSize((dir.Path() / "a.jpg").string(), width, height));
    EXPECT_EQ(width, 123);
    EXPECT_EQ(height, 45);
    width = height = 0;
    ASSERT_TRUE(ReadJpegSizeMemory(jpeg.data(), jpeg.size(), width, height));
    EXPECT_EQ(width, 123);
    std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + 14);
    EXPECT_FALSE(ReadJpegSizeMemory(cut.data(), cut.size(), width, height));
    EXPECT_FALSE(ReadJpegSize((dir.Path() / "missing.jpg").string(), width, height));
}

TEST(TurboDecode, FullDecodeMatchesLibjpeg)
{
    testsupport::TempDir dir;
    const auto jpeg = PatternJpeg(301, 77);
    const auto path = (dir.Path() / "p.jpg").string();
    testsupport::WriteFile(path, jpeg);
    Bitmap turbo, reference;
    ASSERT_TRUE(DecodeJpegWithIjl(turbo, path));
    ASSERT_TRUE(LoadJpegMemory(jpeg.data(), jpeg.size(), reference));
    EXPECT_EQ(turbo.BitsPerPixel(), 24);
    EXPECT_EQ(turbo, reference); // same accurate DCT, same rows and padding
}

TEST(TurboDecode, FourChannelsArePremultipliedBgra)
{
    uint8_t pixel[4] = { 200, 100, 50, 128 };
    PremultiplyRgbaToBgra(pixel, 1);
    EXPECT_EQ(pixel[0], 25);
    EXPECT_EQ(pixel[1], 50);
    EXPECT_EQ(pixel[2], 100);
    EXPECT_EQ(pixel[3], 128);

    testsupport::TempDir dir;
    const auto path = (dir.Path() / "cmyk.jpg").string();
    testsupport::WriteFile(path, FlatJpeg(24, 8, JCS_CMYK, { 200, 100, 50, 128 }));
    Bitmap bitmap;
    ASSERT_TRUE(DecodeJpegWithIjl(bitmap, path));
    EXPECT_EQ(bitmap.BitsPerPixel(), 32);
    EXPECT_EQ(bitmap.Width(), 24);
    const uint8_t* p = bitmap.Row(7) + 23 * 4;
    EXPECT_NEAR(p[0], 25, 1);
    EXPECT_NEAR(p[1], 50, 1);
    EXPECT_NEAR(p[2], 100, 1);
    EXPECT_NEAR(p[3], 128, 1);
}

TEST(TurboDecode, FailureLeavesEmptyBitmap)
{
    testsupport::TempDir dir;
    const auto path = (dir.Path() / "bad.jpg").string();
    testsupport::WriteFile(path, std::vector<uint8_t>(100, 0xFF));
    Bitmap bitmap(10, 10);
    EXPECT_FALSE(DecodeJpegWithIjl(bitmap, path));
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_FALSE(DecodeJpegWithIjl(bitmap, (dir.Path() / "none.jpg").string()));
    testsupport::WriteFile(path, std::vector<uint8_t>());
    EXPECT_FALSE(DecodeJpegWithIjl(bitmap, path));
}
