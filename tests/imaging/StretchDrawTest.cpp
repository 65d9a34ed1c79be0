#include <gtest/gtest.h>

#include "imaging/ImageIO.h"

using namespace imaging;

TEST(StretchDraw, ShrinkAveragesAndEnlargeRepeats)
{
    // 4 × 2 source: left 2 × 2 block 0 and 100, right block 200.
    Bitmap source(4, 2);
    const uint8_t values[2][4] = { { 0, 100, 200, 200 }, { 100, 0, 200, 200 } };
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            std::fill_n(source.Row(y) + x * 3, 3, values[y][x]);
    Bitmap small(2, 1);
    StretchDraw(source, small, { 0, 0, 2, 1 });
    EXPECT_EQ(small.Row(0)[0], 50);
    EXPECT_EQ(small.Row(0)[3], 200);

    Bitmap big(8, 4);
    StretchDraw(source, big, { 0, 0, 8, 4 });
    EXPECT_EQ(big.Row(0)[0], 0);
    EXPECT_EQ(big.Row(0)[2 * 3], 100);
    EXPECT_EQ(big.Row(3)[0], 100);
    EXPECT_EQ(big.Row(3)[7 * 3], 200);
}

TEST(StretchDraw, ClipsToTargetAndConvertsDepth)
{
    Bitmap source(10, 10, 32);
    source.Fill(1, 2, 3);
    Bitmap target(4, 4);
    StretchDraw(source, target, { -2, 2, 6, 10 }); // hangs over the left and bottom edges
    EXPECT_EQ(target.Row(1)[0], 0); // above the rectangle: untouched
    const uint8_t* p = target.Row(3) + 3 * 3;
    EXPECT_EQ(p[0], 3);
    EXPECT_EQ(p[1], 2);
    EXPECT_EQ(p[2], 1);
    StretchDraw(source, target, { 10, 10, 20, 20 }); // entirely outside: nothing happens
    StretchDraw(Bitmap(), target, { 0, 0, 4, 4 });

    Bitmap source24(2, 2);
    source24.Fill(9, 9, 9);
    Bitmap target32(2, 2, 32);
    StretchDraw(source24, target32, { 0, 0, 2, 2 });
    EXPECT_EQ(target32.Row(1)[4 + 3], 255);
}
