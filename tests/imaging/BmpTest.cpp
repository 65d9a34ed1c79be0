#include <gtest/gtest.h>

#include "imaging/ImageIO.h"
#include "imaging/LittleEndian.h"
#include "imaging/Pixels.h"
#include "support/TestSupport.h"

using namespace imaging;
using testimaging::Bgr;

namespace {

// A BMP file with a 40-byte info header; `extra` (palette or masks) follows
// the header and the pixel bytes follow that.
std::vector<uint8_t> MakeBmp(int width, int height, int bpp, uint32_t compression, const std::vector<uint8_t>& extra,
    const std::vector<uint8_t>& pixels)
{
    std::vector<uint8_t> file(54);
    file[0] = 'B';
    file[1] = 'M';
    le::Put32(file.data() + 10, uint32_t(54 + extra.size()));
    le::Put32(file.data() + 14, 40);
    le::Put32(file.data() + 18, uint32_t(width));
    le::Put32(file.data() + 22, uint32_t(height));
    le::Put16(file.data() + 26, 1);
    le::Put16(file.data() + 28, uint32_t(bpp));
    le::Put32(file.data() + 30, compression);
    file.insert(file.end(), extra.begin(), extra.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    le::Put32(file.data() + 2, uint32_t(file.size()));
    return file;
}

// Palette of RGBQUADs: 0 black, 1 white, 2 red, 3 blue.
const std::vector<uint8_t> kPalette = { 0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 255, 0, 0, 0 };

} // namespace

TEST(Bmp, EncodeLoadRoundTrip)
{
    for (int bpp : { 24, 32 })
        for (int width : { 1, 2, 3, 5 }) {
            Bitmap bitmap(width, 3, bpp);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < width * bitmap.BytesPerPixel(); ++x)
                    bitmap.Row(y)[x] = uint8_t(y * 50 + x * 7 + 1);
            const auto file = EncodeBmp(bitmap);
            ASSERT_EQ(file.size(), 54u + size_t(bitmap.Stride()) * 3);
            EXPECT_EQ(file[10], 54);
            EXPECT_EQ(file[14], 40);
            EXPECT_EQ(file[22], 3); // positive height: bottom-up
            EXPECT_EQ(file[28], bpp);
            // The first stored row is the bottom one.
            EXPECT_EQ(file[54], bitmap.Row(2)[0]);
            Bitmap loaded;
            ASSERT_TRUE(LoadBmpMemory(file.data(), file.size(), loaded));
            ASSERT_EQ(loaded.Width(), width);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < width; ++x)
                    EXPECT_EQ(Bgr(loaded, x, y), Bgr(bitmap, x, y)) << bpp << " " << width;
        }

    testsupport::TempDir dir;
    const auto path = (dir.Path() / "a.bmp").string();
    Bitmap bitmap(7, 2);
    bitmap.Fill(10, 20, 30);
    ASSERT_TRUE(SaveBmpFile(path, bitmap));
    Bitmap loaded;
    ASSERT_TRUE(LoadBmpFile(path, loaded));
    EXPECT_EQ(loaded, bitmap);
}

TEST(Bmp, PaletteAndPackedDepths)
{
    // 1-bit, 2 × 2 bottom-up: bottom row "1 0", top row "0 1".
    auto oneBit = MakeBmp(2, 2, 1, 0, kPalette, { 0x80, 0, 0, 0, 0x40, 0, 0, 0 });
    // 4-bit top-down (negative height): indices 2, 3, 1.
    auto fourBit = MakeBmp(3, -1, 4, 0, kPalette, { 0x23, 0x10, 0, 0 });
    // 8-bit, one row, index 3 then an index beyond the palette (black).
    auto eightBit = MakeBmp(2, 1, 8, 0, kPalette, { 3, 200, 0, 0 });
    // 16-bit 5-5-5: pure red 0x7C00, then green 0x03E0.
    auto sixteen = MakeBmp(2, 1, 16, 0, {}, { 0x00, 0x7C, 0xE0, 0x03 });
    // 32-bit with masks red 0xFF, green 0xFF00, blue 0xFF0000 (R,G,B,0 byte order).
    auto masked = MakeBmp(1, 1, 32, 3, { 0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0 }, { 10, 20, 30, 0 });

    struct Case {
        const std::vector<uint8_t>* file;
        int x, y;
        std::vector<int> bgr;
    } cases[] = {
        { &oneBit, 0, 1, { 255, 255, 255 } },
        { &oneBit, 1, 1, { 0, 0, 0 } },
        { &oneBit, 1, 0, { 255, 255, 255 } },
        { &fourBit, 0, 0, { 0, 0, 255 } },
        { &fourBit, 1, 0, { 255, 0, 0 } },
        { &fourBit, 2, 0, { 255, 255, 255 } },
        { &eightBit, 0, 0, { 255, 0, 0 } },
        { &eightBit, 1, 0, { 0, 0, 0 } },
        { &sixteen, 0, 0, { 0, 0, 255 } },
        { &sixteen, 1, 0, { 0, 255, 0 } },
        { &masked, 0, 0, { 30, 20, 10 } },
    };
    for (const auto& c : cases) {
        Bitmap b;
        ASSERT_TRUE(LoadBmpMemory(c.file->data(), c.file->size(), b));
        EXPECT_EQ(Bgr(b, c.x, c.y), c.bgr) << (c.file - &oneBit) << " at " << c.x << "," << c.y;
    }
}

TEST(Bmp, RunLengthEncoded)
{
    // RLE8, 4 × 3 bottom-up: row 0 "run of 3 × index 2, EOL"; row 1 "literal 1 3 1, EOL";
    // then a delta down one row and right 1, one index 3, end of bitmap.
    const std::vector<uint8_t> rle8 = { 3, 2, 0, 0, 0, 3, 1, 3, 1, 0, 0, 0, 0, 2, 1, 0, 1, 3, 0, 1 };
    const auto file8 = MakeBmp(4, 3, 8, 1, kPalette, rle8);
    Bitmap b;
    ASSERT_TRUE(LoadBmpMemory(file8.data(), file8.size(), b));
    EXPECT_EQ(Bgr(b, 0, 2), (std::vector<int> { 0, 0, 255 })); // file row 0 is the bottom
    EXPECT_EQ(Bgr(b, 3, 2), (std::vector<int> { 0, 0, 0 }));
    EXPECT_EQ(Bgr(b, 1, 1), (std::vector<int> { 255, 0, 0 }));
    EXPECT_EQ(Bgr(b, 1, 0), (std::vector<int> { 255, 0, 0 })); // after the delta
    EXPECT_EQ(Bgr(b, 0, 0), (std::vector<int> { 0, 0, 0 }));

    // RLE4: run of 3 alternating 2,1; literal of 3 indices 3,3,2 (padded).
    const std::vector<uint8_t> rle4 = { 3, 0x21, 0, 3, 0x33, 0x20, 0, 1 };
    const auto file4 = MakeBmp(6, 1, 4, 2, kPalette, rle4);
    ASSERT_TRUE(LoadBmpMemory(file4.data(), file4.size(), b));
    EXPECT_EQ(Bgr(b, 0, 0), (std::vector<int> { 0, 0, 255 }));
    EXPECT_EQ(Bgr(b, 1, 0), (std::vector<int> { 255, 255, 255 }));
    EXPECT_EQ(Bgr(b, 2, 0), (std::vector<int> { 0, 0, 255 }));
    EXPECT_EQ(Bgr(b, 4, 0), (std::vector<int> { 255, 0, 0 }));
    EXPECT_EQ(Bgr(b, 5, 0), (std::vector<int> { 0, 0, 255 }));
}

TEST(Bmp, MalformedFilesFailCleanly)
{
    const auto good = MakeBmp(3, 2, 24, 0, {}, std::vector<uint8_t>(24, 9));
    auto shortData = good;
    shortData.resize(shortData.size() - 6);
    auto zeroWidth = MakeBmp(0, 2, 24, 0, {}, std::vector<uint8_t>(24, 9));
    auto hugeDeclared = MakeBmp(60000, 60000, 24, 0, {}, std::vector<uint8_t>(24, 9));
    auto hugeRle = MakeBmp(60000, 60000, 8, 1, kPalette, { 0, 1 });
    auto badDepth = MakeBmp(3, 2, 7, 0, {}, std::vector<uint8_t>(24, 9));
    auto badCompression = MakeBmp(3, 2, 24, 1, {}, std::vector<uint8_t>(24, 9));
    auto offsetPastEnd = good;
    le::Put32(offsetPastEnd.data() + 10, 5000);
    for (const auto* file :
        { &shortData, &zeroWidth, &hugeDeclared, &hugeRle, &badDepth, &badCompression, &offsetPastEnd }) {
        Bitmap b(2, 2);
        EXPECT_FALSE(LoadBmpMemory(file->data(), file->size(), b));
        EXPECT_TRUE(b.Empty());
    }
    // Every prefix of a valid file is handled without reading past it; only
    // the padding of the last row may be missing.
    for (size_t n = 0; n < good.size() - 3; ++n) {
        Bitmap b;
        std::vector<uint8_t> prefix(good.begin(), good.begin() + n);
        EXPECT_FALSE(LoadBmpMemory(prefix.data(), prefix.size(), b)) << n;
    }
    Bitmap b;
    EXPECT_FALSE(LoadBmpFile("/nonexistent.bmp", b));
}
