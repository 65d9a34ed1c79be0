#include <gtest/gtest.h>

#include "imaging/ImageIO.h"
#include "imaging/LittleEndian.h"
#include "imaging/Pixels.h"

using namespace imaging;
using testimaging::Bgr;

namespace {

// A PCX file: header, the encoded stream, and for 8-bit palette pictures the
// 0x0C marker and 256 colours (index i = red i, green 255 - i, blue 7).
std::vector<uint8_t> MakePcx(int width, int height, int bpp, int planes, int bytesPerLine,
    const std::vector<uint8_t>& stream, bool endPalette = false)
{
    std::vector<uint8_t> file(128, 0);
    file[0] = 0x0A;
    file[1] = 5;
    file[2] = 1;
    file[3] = uint8_t(bpp);
    le::Put16(file.data() + 8, uint32_t(width - 1));
    le::Put16(file.data() + 10, uint32_t(height - 1));
    // Header palette: colour i = (16 i, 0, 255 - 16 i).
    for (int i = 0; i < 16; ++i) {
        file[16 + 3 * i] = uint8_t(16 * i);
        file[18 + 3 * i] = uint8_t(255 - 16 * i);
    }
    file[65] = uint8_t(planes);
    le::Put16(file.data() + 66, uint32_t(bytesPerLine));
    file.insert(file.end(), stream.begin(), stream.end());
    if (endPalette) {
        file.push_back(0x0C);
        for (int i = 0; i < 256; ++i) {
            file.push_back(uint8_t(i));
            file.push_back(uint8_t(255 - i));
            file.push_back(7);
        }
    }
    return file;
}

} // namespace

TEST(Pcx, DecodesEveryDepth)
{
    // 8-bit: 3 × 2, four bytes per line; a run of six 0x05 crosses the line end.
    const auto eight = MakePcx(3, 2, 8, 1, 4, { 0xC6, 5, 0xC1, 0xC8, 9 }, true);
    // 24-bit: 2 × 1 with planes red, green, blue.
    const auto rgb = MakePcx(2, 1, 8, 3, 2, { 10, 11, 20, 21, 0xC2, 30 });
    // 1-bit: 0b10100000.
    const auto mono = MakePcx(3, 1, 1, 1, 2, { 0xA0, 0 });
    // 16 colours in four 1-bit planes: pixel 0 has planes 0 and 2 set (index 5),
    // pixel 1 plane 3 (index 8).
    const auto planar = MakePcx(2, 1, 1, 4, 2, { 0x80, 0, 0, 0, 0x80, 0, 0x40, 0 });
    // 16 colours packed 4 bits: indices 3, 15.
    const auto packed = MakePcx(2, 1, 4, 1, 2, { 0x3F, 0 });

    struct Case {
        const std::vector<uint8_t>* file;
        int x, y;
        std::vector<int> bgr;
    } cases[] = {
        { &eight, 0, 0, { 7, 250, 5 } },
        { &eight, 2, 0, { 7, 250, 5 } },
        { &eight, 1, 1, { 7, 250, 5 } },
        { &eight, 2, 1, { 7, 255 - 0xC8, 0xC8 } }, // a value ≥ 0xC0 needs a run of one
        { &rgb, 0, 0, { 30, 20, 10 } },
        { &rgb, 1, 0, { 30, 21, 11 } },
        { &mono, 0, 0, { 255, 255, 255 } },
        { &mono, 1, 0, { 0, 0, 0 } },
        { &mono, 2, 0, { 255, 255, 255 } },
        { &planar, 0, 0, { 255 - 80, 0, 80 } },
        { &planar, 1, 0, { 255 - 128, 0, 128 } },
        { &packed, 0, 0, { 255 - 48, 0, 48 } },
        { &packed, 1, 0, { 255 - 240, 0, 240 } },
    };
    for (const auto& c : cases) {
        Bitmap b;
        ASSERT_TRUE(LoadPcxMemory(c.file->data(), c.file->size(), b));
        EXPECT_EQ(Bgr(b, c.x, c.y), c.bgr) << (c.file == &eight ? "8" : "") << " at " << c.x << "," << c.y;
    }
}

TEST(Pcx, TruncatedAndMalformedFiles)
{
    // A stream that ends early leaves the rest black but still loads.
    const auto shortStream = MakePcx(4, 2, 8, 3, 4, { 0xC4, 200 });
    Bitmap b;
    ASSERT_TRUE(LoadPcxMemory(shortStream.data(), shortStream.size(), b));
    EXPECT_EQ(Bgr(b, 0, 0), (std::vector<int> { 0, 0, 200 }));
    EXPECT_EQ(Bgr(b, 3, 1), (std::vector<int> { 0, 0, 0 }));

    const std::vector<uint8_t> badManufacturer = [] {
        auto f = MakePcx(2, 1, 8, 3, 2, { 1, 2, 3, 4, 5, 6 });
        f[0] = 0x0B;
        return f;
    }();
    const auto narrowLines = MakePcx(20, 1, 8, 1, 4, { 1, 2, 3, 4 });
    const auto badDepth = MakePcx(2, 1, 2, 1, 2, { 1, 2 });
    const auto huge = MakePcx(60000, 60000, 8, 3, 60000, { 0xFF, 1 });
    const std::vector<uint8_t> inverted = [] {
        auto f = MakePcx(2, 1, 8, 3, 2, { 1, 2, 3, 4, 5, 6 });
        f[4] = 9; // xMin beyond xMax
        return f;
    }();
    for (const auto* file : { &badManufacturer, &narrowLines, &badDepth, &huge, &inverted }) {
        Bitmap bitmap(2, 2);
        EXPECT_FALSE(LoadPcxMemory(file->data(), file->size(), bitmap));
        EXPECT_TRUE(bitmap.Empty());
    }
    std::vector<uint8_t> headerOnly(shortStream.begin(), shortStream.begin() + 100);
    EXPECT_FALSE(LoadPcxMemory(headerOnly.data(), headerOnly.size(), b));
    EXPECT_FALSE(LoadPcxFile("/nonexistent.pcx", b));
}
