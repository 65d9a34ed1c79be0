#include "imaging/BitmapTransform.h"

#include <gtest/gtest.h>

using imaging::Bitmap;

namespace {

// Every pixel carries its own coordinates, so any misplaced pixel shows.
Bitmap Numbered(int w, int h, int bpp)
{
    Bitmap b(w, h, bpp);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = b.Row(y) + x * b.BytesPerPixel();
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(x ^ y);
            if (bpp == 32)
                p[3] = static_cast<uint8_t>(x + y);
        }
    return b;
}

bool SamePixel(const Bitmap& a, int ax, int ay, const Bitmap& b, int bx, int by)
{
    const int n = a.BytesPerPixel();
    return std::equal(a.Row(ay) + ax * n, a.Row(ay) + ax * n + n, b.Row(by) + bx * n);
}

} // namespace

TEST(BitmapTransform, TurnsFlipsAndMirrorsMapEveryPixel)
{
    // Odd sizes and a width past one tile, so padding, middle rows and tile edges are crossed.
    for (int bpp : { 24, 32 }) {
        const Bitmap src = Numbered(67, 5, bpp);
        const int w = src.Width(), h = src.Height();
        struct Case {
            const char* name;
            void (*apply)(Bitmap&);
            int outW, outH;
            // The target position of source pixel (x, y).
            void (*map)(int x, int y, int w, int h, int& tx, int& ty);
        };
        const Case cases[] = {
            { "cw", [](Bitmap& b) { imaging::RotateClockwise(b, 1); }, h, w,
                [](int x, int y, int, int h, int& tx, int& ty) { tx = h - 1 - y, ty = x; } },
            { "ccw", [](Bitmap& b) { imaging::RotateClockwise(b, -1); }, h, w,
                [](int x, int y, int w, int, int& tx, int& ty) { tx = y, ty = w - 1 - x; } },
            { "half", [](Bitmap& b) { imaging::RotateClockwise(b, 2); }, w, h,
                [](int x, int y, int w, int h, int& tx, int& ty) { tx = w - 1 - x, ty = h - 1 - y; } },
            { "flip", imaging::FlipVertical, w, h,
                [](int x, int y, int, int h, int& tx, int& ty) { tx = x, ty = h - 1 - y; } },
            { "mirror", imaging::MirrorHorizontal, w, h,
                [](int x, int y, int w, int, int& tx, int& ty) { tx = w - 1 - x, ty = y; } },
        };
        for (const Case& c : cases) {
            Bitmap b = src;
            c.apply(b);
            ASSERT_EQ(b.Width(), c.outW) << c.name;
            ASSERT_EQ(b.Height(), c.outH) << c.name;
            ASSERT_EQ(b.Stride(), Bitmap::StrideFor(c.outW, bpp)) << c.name;
            int wrong = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    int tx, ty;
                    c.map(x, y, w, h, tx, ty);
                    wrong += !SamePixel(src, x, y, b, tx, ty);
                }
            EXPECT_EQ(wrong, 0) << c.name << " at " << bpp << " bits";
        }
    }
}

TEST(BitmapTransform, FourQuarterTurnsAndDoubleFlipsRestore)
{
    const Bitmap src = Numbered(130, 71, 24);
    Bitmap b = src;
    for (int i = 0; i < 4; ++i)
        imaging::RotateClockwise(b, 1);
    EXPECT_EQ(b, src);
    imaging::RotateClockwise(b, 3);
    imaging::RotateClockwise(b, 5);
    EXPECT_EQ(b, src);
    imaging::FlipVertical(b);
    imaging::MirrorHorizontal(b);
    Bitmap half = src;
    imaging::RotateClockwise(half, 2);
    EXPECT_EQ(b, half);

    Bitmap empty;
    imaging::RotateClockwise(empty, 1);
    imaging::FlipVertical(empty);
    imaging::MirrorHorizontal(empty);
    EXPECT_TRUE(empty.Empty());
}
