// Turning and flipping thumbnails: where each pixel goes, and what is refused.
#include <gtest/gtest.h>

#include "catalogue/BitmapUtils.h"

namespace {

using catalogue::FlipBitmap;
using catalogue::RotateBitmap;

// A 3 × 2 bitmap whose pixel (x, y) has blue = 10·x + y.
imaging::Bitmap Numbered(int w = 3, int h = 2, int bpp = 24)
{
    imaging::Bitmap b(w, h, bpp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.Row(y)[x * b.BytesPerPixel()] = static_cast<uint8_t>(10 * x + y);
    return b;
}

int At(const imaging::Bitmap& b, int x, int y)
{
    return b.Row(y)[x * b.BytesPerPixel()];
}

TEST(BitmapUtils, RotateBitmapMovesEveryPixelWhereTheAngleSays)
{
    const imaging::Bitmap src = Numbered();
    const int W = 3, H = 2;
    struct Case {
        int angle;
        int width, height;
        // destination of source pixel (x, y)
        std::function<std::pair<int, int>(int x, int y)> to;
    };
    const Case cases[] = {
        { 0, W, H,
            [](int x, int y) {
                return std::pair { x, y };
            } },
        // counter-clockwise: row W − 1 − x, column y
        { 90, H, W,
            [](int x, int y) {
                return std::pair { y, W - 1 - x };
            } },
        { 180, W, H,
            [](int x, int y) {
                return std::pair { W - 1 - x, H - 1 - y };
            } },
        // clockwise: row x, column H − 1 − y
        { 270, H, W,
            [](int x, int y) {
                return std::pair { H - 1 - y, x };
            } },
        { 360, W, H,
            [](int x, int y) {
                return std::pair { x, y };
            } },
        { 450, H, W,
            [](int x, int y) {
                return std::pair { y, W - 1 - x };
            } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        const auto out = RotateBitmap(c.angle, src);
        ASSERT_TRUE(out);
        ASSERT_EQ(out->Width(), c.width);
        ASSERT_EQ(out->Height(), c.height);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const auto [dx, dy] = c.to(x, y);
                EXPECT_EQ(At(*out, dx, dy), 10 * x + y);
            }
    }
    EXPECT_EQ(src, Numbered()) << "the source is left alone";
}

TEST(BitmapUtils, RotateBitmapRefusesOddAnglesAndDepths)
{
    for (int angle : { 45, -90, 91, 1 })
        EXPECT_FALSE(RotateBitmap(angle, Numbered())) << angle;
    EXPECT_FALSE(RotateBitmap(90, Numbered(3, 2, 32)));
}

TEST(BitmapUtils, FlipBitmapMirrorsRowsAndColumns)
{
    const imaging::Bitmap src = Numbered();
    for (bool vertical : { false, true })
        for (bool horizontal : { false, true }) {
            const imaging::Bitmap out = FlipBitmap(vertical, horizontal, src);
            ASSERT_EQ(out.Width(), 3);
            ASSERT_EQ(out.Height(), 2);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x)
                    EXPECT_EQ(At(out, horizontal ? 2 - x : x, vertical ? 1 - y : y), 10 * x + y);
        }
    try {
        FlipBitmap(true, false, Numbered(3, 2, 32));
        FAIL() << "a 32-bit bitmap must be refused";
    } catch (const catalogue::BitmapError& e) {
        EXPECT_STREQ(e.what(), "Can Flip/Reverse only 24-bit bitmap");
    }
}

} // namespace
