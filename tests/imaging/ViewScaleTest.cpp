#include "imaging/ViewScale.h"

#include <gtest/gtest.h>
#include <vector>

using imaging::Bitmap;

namespace {

uint32_t Rgb(int r, int g, int b)
{
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

void SetPixel(Bitmap& bitmap, int x, int y, int r, int g, int b)
{
    uint8_t* p = bitmap.Row(y) + x * bitmap.BytesPerPixel();
    p[0] = static_cast<uint8_t>(b);
    p[1] = static_cast<uint8_t>(g);
    p[2] = static_cast<uint8_t>(r);
}

} // namespace

TEST(ScaleForView, HalvingAveragesEachTwoByTwoBlock)
{
    // 4 × 2 source: columns alternate black and white, rows differ in red.
    Bitmap src(4, 2);
    for (int x = 0; x < 4; ++x) {
        SetPixel(src, x, 0, 100, x % 2 ? 255 : 0, 0);
        SetPixel(src, x, 1, 200, x % 2 ? 255 : 0, 0);
    }
    std::vector<uint32_t> out(2, 0);
    imaging::ScaleForView(src, 0.5, 0, 0, { 0, 0, 2, 1 }, out.data(), 2);
    EXPECT_EQ(out[0], Rgb(150, 128, 0));
    EXPECT_EQ(out[1], Rgb(150, 128, 0));
}

TEST(ScaleForView, WritesOnlyPictureAreaAtItsPlace)
{
    Bitmap src(10, 10);
    src.Fill(10, 20, 30);
    // 30 % with the picture at (5, 2) in a 12 × 8 area starting at (1, 1).
    std::vector<uint32_t> out(12 * 8, 0);
    imaging::ScaleForView(src, 0.3, 5, 2, { 1, 1, 13, 9 }, out.data(), 12);
    int painted = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x) {
            const uint32_t p = out[y * 12 + x];
            const int vx = x + 1, vy = y + 1;
            const bool inside = vx >= 5 && vx < 8 && vy >= 2 && vy < 5;
            EXPECT_EQ(p, inside ? Rgb(10, 20, 30) : 0u) << vx << "," << vy;
            painted += p != 0;
        }
    EXPECT_EQ(painted, 9);
}

TEST(ScaleForView, PremultipliedSourceComesOutOnBlackAndBadInputIsIgnored)
{
    Bitmap src(2, 2, 32);
    src.Fill(200, 100, 50);
    std::vector<uint32_t> out(1, 0);
    imaging::ScaleForView(src, 0.5, 0, 0, { 0, 0, 1, 1 }, out.data(), 1);
    EXPECT_EQ(out[0], Rgb(200, 100, 50));
    out[0] = 7;
    imaging::ScaleForView(src, 0, 0, 0, { 0, 0, 1, 1 }, out.data(), 1);
    imaging::ScaleForView(Bitmap(), 0.5, 0, 0, { 0, 0, 1, 1 }, out.data(), 1);
    imaging::ScaleForView(src, 0.5, 0, 0, { 0, 0, 0, 0 }, out.data(), 1);
    EXPECT_EQ(out[0], 7u);
}
