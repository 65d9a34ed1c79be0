#include <gtest/gtest.h>

#include <cmath>

#include "imaging/JpegWriter.h"
#include "imaging/JpegYcc.h"

using namespace imaging;
using testimaging::EncodeJpeg;

namespace {

// The JFIF conversion a JPEG encoder applies to an RGB pixel.
std::array<double, 3> ExpectedYcc(int r, int g, int b)
{
    return { 0.299 * r + 0.587 * g + 0.114 * b, 128 - 0.168736 * r - 0.331264 * g + 0.5 * b,
        128 + 0.5 * r - 0.418688 * g - 0.081312 * b };
}

void ExpectPixelNear(const YccPicture& picture, int x, int y, std::array<double, 3> expected, double tolerance)
{
    const uint8_t* p = picture.Pixels.data() + (size_t(y) * picture.Width + x) * 3;
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(p[c], expected[c], tolerance) << "component " << c << " at " << x << "," << y;
}

} // namespace

TEST(JpegYcc, GivesStoredSamplesUpsampledToFullSize)
{
    // Two colour halves in 4:2:0 with an odd size: the chroma planes are half
    // size and must come back upsampled to every pixel.
    const auto jpeg = EncodeJpeg(65, 33,
        [](int x, int, uint8_t* rgb) {
            rgb[0] = x < 32 ? 220 : 20;
            rgb[1] = 40;
            rgb[2] = x < 32 ? 30 : 200;
        },
        { JCS_RGB, 100, false, false });
    YccPicture picture;
    ASSERT_EQ(DecodeJpegYcc("", picture), YccDecodeResult::Failed); // no such file
    ASSERT_EQ(DecodeJpegYccMemory(jpeg.data(), jpeg.size(), picture), YccDecodeResult::Ok);
    ASSERT_EQ(picture.Width, 65);
    ASSERT_EQ(picture.Height, 33);
    ASSERT_EQ(picture.Pixels.size(), size_t(65) * 33 * 3);
    ExpectPixelNear(picture, 8, 16, ExpectedYcc(220, 40, 30), 3);
    ExpectPixelNear(picture, 60, 30, ExpectedYcc(20, 40, 200), 3);
}

TEST(JpegYcc, GreyGivesNeutralChromaAndCmykIsUnsupported)
{
    const auto grey = EncodeJpeg(16, 8, [](int x, int, uint8_t* s) { s[0] = uint8_t(x * 16); }, { JCS_GRAYSCALE, 100 });
    YccPicture picture;
    ASSERT_EQ(DecodeJpegYccMemory(grey.data(), grey.size(), picture), YccDecodeResult::Ok);
    for (size_t i = 0; i < picture.Pixels.size(); i += 3) {
        EXPECT_EQ(picture.Pixels[i + 1], 128);
        EXPECT_EQ(picture.Pixels[i + 2], 128);
    }
    EXPECT_NEAR(picture.Pixels[(3 * 16 + 5) * 3], 80, 2);

    const auto cmyk = EncodeJpeg(8, 8, [](int, int, uint8_t* s) { s[0] = s[1] = s[2] = s[3] = 100; }, { JCS_CMYK });
    std::string error;
    EXPECT_EQ(DecodeJpegYccMemory(cmyk.data(), cmyk.size(), picture, &error), YccDecodeResult::Unsupported);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(picture.Width, 0);
    EXPECT_TRUE(picture.Pixels.empty());
}

TEST(JpegYcc, DamagedDataFailsWithAMessage)
{
    const auto jpeg = EncodeJpeg(16, 16, [](int, int, uint8_t* s) { s[0] = s[1] = s[2] = 9; });
    const std::vector<std::vector<uint8_t>> inputs = {
        {}, { 0xFF, 0xD8, 0xFF, 0xD9 }, std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 40), // header cut short
    };
    for (const auto& bytes : inputs) {
        YccPicture picture;
        std::string error;
        EXPECT_EQ(DecodeJpegYccMemory(bytes.data(), bytes.size(), picture, &error), YccDecodeResult::Failed)
            << bytes.size();
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(picture.Pixels.empty());
    }
}
