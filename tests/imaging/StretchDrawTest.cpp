#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "imaging/ImageIO.h"
#include "imaging/Pixels.h"
#include "imaging/RowReducer.h"

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

// Reducing rows as they arrive gives what drawing the whole picture into the
// box gives, whatever order the rows and pixels come in (interlaced files).
TEST(RowReducer, MatchesStretchDrawInAnyOrder)
{
    const struct {
        int width, height, boxWidth, boxHeight;
    } cases[] = {
        { 333, 517, 160, 120 },
        { 1000, 7, 160, 120 },
        { 161, 121, 160, 120 },
        { 2, 900, 160, 120 },
        { 640, 480, 160, 120 },
        { 5, 5, 2, 2 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        Bitmap whole(c.width, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width * 3; ++x)
                whole.Row(y)[x] = static_cast<uint8_t>((x * 7919 + y * 104729 + x * y) % 251);
        const Bitmap expected = testimaging::FittedInto(whole, c.boxWidth, c.boxHeight);
        const int tw = expected.Width(), th = expected.Height();

        RowReducer inOrder(c.width, c.height, tw, th, 3);
        for (int y = 0; y < c.height; ++y)
            inOrder.Add(y, whole.Row(y), c.width);
        Bitmap reduced;
        inOrder.Finish(reduced);
        EXPECT_EQ(testimaging::FirstDifference(reduced, expected), -1);

        // Rows from the bottom up, each as its odd columns and then its even ones.
        RowReducer scattered(c.width, c.height, tw, th, 3);
        std::vector<uint8_t> part(size_t(c.width) * 3);
        for (int y = c.height - 1; y >= 0; --y)
            for (int first : { 1, 0 }) {
                int count = 0;
                for (int x = first; x < c.width; x += 2, ++count)
                    std::copy_n(whole.Row(y) + x * 3, 3, part.data() + count * 3);
                scattered.Add(y, part.data(), count, first, 2);
            }
        scattered.Finish(reduced);
        EXPECT_EQ(testimaging::FirstDifference(reduced, expected), -1);

        // Bi-level rows, packed eight pixels to a byte.
        Bitmap bilevel(c.width, c.height);
        RowReducer bits(c.width, c.height, tw, th, 1);
        std::vector<uint8_t> packed(size_t(c.width + 7) / 8);
        for (int y = 0; y < c.height; ++y) {
            std::fill(packed.begin(), packed.end(), 0);
            for (int x = 0; x < c.width; ++x)
                if ((x * 31 + y * 17) % 5 < 2) {
                    packed[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
                    std::fill_n(bilevel.Row(y) + x * 3, 3, 255);
                }
            bits.AddBits(y, packed.data(), c.width);
        }
        bits.Finish(reduced);
        EXPECT_EQ(testimaging::FirstDifference(reduced, testimaging::FittedInto(bilevel, c.boxWidth, c.boxHeight)), -1);
    }
}
