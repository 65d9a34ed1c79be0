#include <gtest/gtest.h>

#include "imaging/ImageIO.h"
#include "imaging/PictureEncode.h"
#include "imaging/Pixels.h"
#include "support/TestSupport.h"

using namespace imaging;

namespace {

Bitmap Sample(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = bitmap.Row(y) + 3 * x;
            p[0] = uint8_t(x < width / 2 ? 0xC5 : x * 3); // runs and bytes that need an escape
            p[1] = uint8_t(y * 20);
            p[2] = uint8_t(200 + (x & 1));
        }
    return bitmap;
}

} // namespace

TEST(PictureEncode, TiffAndPcxReadBackAsWritten)
{
    testsupport::TempDir dir;
    for (const auto& size : { std::pair { 1, 1 }, std::pair { 7, 3 }, std::pair { 130, 5 } }) {
        const Bitmap picture = Sample(size.first, size.second);
        const auto tiffPath = dir.Path() / "chart.tif";
        testsupport::WriteFile(tiffPath, EncodeTiff(picture));
        Bitmap tiff;
        ASSERT_TRUE(LoadTiffFile(tiffPath.string(), tiff)) << size.first;
        EXPECT_EQ(tiff, picture);

        const auto pcxBytes = EncodePcx(picture);
        Bitmap pcx;
        ASSERT_TRUE(LoadPcxMemory(pcxBytes.data(), pcxBytes.size(), pcx)) << size.first;
        EXPECT_EQ(pcx, picture);
        EXPECT_EQ(pcxBytes[12], 72); // dots per inch
    }
}
