#include <gtest/gtest.h>

#include <cmath>

#include "analysis/ColourConvert.h"
#include "analysis/Luminance.h"

using namespace analysis;

TEST(Luminance, RoundsTiesInExtendedPrecision)
{
    struct Case {
        int r, g, b, luminance;
    };
    // The first two are exact ties of 299 r + 587 g + 114 b (remainder 500),
    // where only the extended-precision sum decides; the rest round plainly.
    const Case cases[] = {
        { 0, 80, 110, 60 },
        { 0, 36, 12, 23 },
        { 255, 0, 0, 76 },
        { 0, 255, 0, 150 },
        { 0, 0, 255, 29 },
        { 255, 255, 255, 255 },
        { 0, 0, 0, 0 },
        { 128, 128, 128, 128 },
        { 1, 1, 1, 1 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Luminance(c.r, c.g, c.b), c.luminance) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(LuminanceOf(c.r, c.g, c.b), c.luminance) << c.r << "," << c.g << "," << c.b;
    }
}

TEST(Luminance, IntegerPathAgreesWithTheExtendedSumEverywhere)
{
    for (int r = 0; r < 256; r += 1)
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; b += 5)
                ASSERT_EQ(Luminance(r, g, b), LuminanceOf(r, g, b) & 255) << r << "," << g << "," << b;
}

TEST(YccToRgb, ConvertsUnclampedAndFlagsOutOfGamut)
{
    struct Case {
        double y, cb, cr, r, g, b;
        bool out;
    };
    const Case cases[] = {
        { 128, 128, 128, 128, 128, 128, false },
        { 250, 128, 200, 250 + 1.402 * 72, 250 - 0.71414 * 72, 250, true },
        { 0, 128, 128, 0, 0, 0, false },
        { 10, 100, 128, 10, 10 + 0.34414 * 28, 10 - 1.772 * 28, true },
        { 255, 128, 128, 255, 255, 255, false },
    };
    for (const Case& c : cases) {
        const RealRgb rgb = YccToRgb(c.y, c.cb, c.cr);
        EXPECT_NEAR(rgb.R, c.r, 1e-9);
        EXPECT_NEAR(rgb.G, c.g, 1e-9);
        EXPECT_NEAR(rgb.B, c.b, 1e-9);
        EXPECT_EQ(OutOfGamut(rgb), c.out) << c.y << "," << c.cb << "," << c.cr;
    }
}
