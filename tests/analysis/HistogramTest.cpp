#include <gtest/gtest.h>

#include <random>

#include "analysis/Histogram.h"
#include "analysis/Luminance.h"
#include "analysis/RasterCanvas.h"

using namespace analysis;
using testanalysis::RasterCanvas;

namespace {

void SetPixel(imaging::Bitmap& bitmap, int x, int y, int r, int g, int b)
{
    uint8_t* p = bitmap.Row(y) + x * 3;
    p[0] = uint8_t(b);
    p[1] = uint8_t(g);
    p[2] = uint8_t(r);
}

} // namespace

TEST(HsvOf, IntegerConversionWithMulDivRounding)
{
    struct Case {
        int r, g, b;
        THsv hsv;
    };
    const Case cases[] = {
        { 128, 128, 128, { -1, 0, 128 } },
        { 0, 0, 0, { -1, 0, 0 } },
        { 255, 0, 0, { 0, 255, 255 } },
        { 0, 255, 0, { 120, 255, 255 } },
        { 0, 0, 255, { 240, 255, 255 } },
        { 255, 0, 1, { 0, 255, 255 } }, // MulDiv(-1, 60, 255) rounds to 0
        { 255, 0, 128, { 330, 255, 255 } }, // -30 + 360
        { 10, 20, 30, { 210, 170, 30 } },
        { 120, 1, 0, { 1, 255, 120 } }, // 0.5 rounds away from zero ...
        { 120, 0, 1, { 359, 255, 120 } }, // ... also below zero
        { 2, 1, 1, { 0, 128, 2 } }, // saturation 127.5 → 128
        { 255, 255, 0, { 60, 255, 255 } },
        { 255, 0, 255, { 300, 255, 255 } },
    };
    for (const Case& c : cases) {
        const THsv hsv = HsvOf(c.r, c.g, c.b);
        EXPECT_EQ(hsv.H, c.hsv.H) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(hsv.S, c.hsv.S) << c.r << "," << c.g << "," << c.b;
        EXPECT_EQ(hsv.V, c.hsv.V) << c.r << "," << c.g << "," << c.b;
    }
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(4, 1, 3), 1);
}

TEST(HueColour, SectorsAndOutOfRange)
{
    struct Case {
        int hue;
        TColour colour;
    };
    const Case cases[] = {
        { 0, { 255, 0, 0 } },
        { 59, { 255, 251, 0 } },
        { 60, { 255, 255, 0 } },
        { 61, { 251, 255, 0 } },
        { 120, { 0, 255, 0 } },
        { 240, { 0, 0, 255 } },
        { 300, { 255, 0, 255 } },
        { 359, { 255, 0, 5 } },
        { 360, { 255, 0, 0 } },
        { 361, { 0, 0, 0 } },
        { -1, { 0, 0, 0 } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(HueColour(c.hue), c.colour) << c.hue;
}

TEST(HistogramCompute, CountsPrimariesAndGreyIntoTheirEntries)
{
    imaging::Bitmap bitmap(5, 1);
    SetPixel(bitmap, 0, 0, 128, 128, 128);
    SetPixel(bitmap, 1, 0, 255, 0, 0);
    SetPixel(bitmap, 2, 0, 0, 255, 0);
    SetPixel(bitmap, 3, 0, 0, 0, 255);
    SetPixel(bitmap, 4, 0, 255, 0, 128);
    TVX_Histogram h;
    h.Compute(bitmap);
    ASSERT_TRUE(h.Valid);
    EXPECT_EQ(h.Count(TableR, 128), 1u);
    EXPECT_EQ(h.Count(TableY, 128), 1u);
    EXPECT_EQ(h.Count(TableS, 0), 1u);
    EXPECT_EQ(h.Count(TableV, 128), 1u);
    EXPECT_EQ(h.Count(TableY, 76), 1u);
    EXPECT_EQ(h.Count(TableY, 150), 1u);
    EXPECT_EQ(h.Count(TableY, 29), 1u);
    EXPECT_EQ(h.Count(TableS, 255), 4u);
    EXPECT_EQ(h.Count(TableV, 255), 4u);
    EXPECT_EQ(h.Count(TableH, 0), 1u);
    EXPECT_EQ(h.Count(TableH, 120), 1u);
    EXPECT_EQ(h.Count(TableH, 240), 1u);
    EXPECT_EQ(h.Count(TableH, 330), 1u);
    EXPECT_EQ(h.Count(TableH, 360), 0u); // the grey has no hue
    // Peaks leave out levels 0 and 255.
    EXPECT_EQ(h.Peak(TableR), 1u);
    EXPECT_EQ(h.Peak(TableB), 2u); // grey and the magenta both at 128
    EXPECT_EQ(h.Peak(TableS), 0u);
    EXPECT_EQ(h.Peak(TableV), 1u);
    EXPECT_EQ(h.Peak(TableH), 1u);
    for (int t = 0; t < 6; ++t)
        for (int e = 257; e < kTableEntries; ++e)
            ASSERT_EQ(h.Count(t, e), 0u);
}

TEST(HistogramCompute, BlackPictureAndOtherDepths)
{
    TVX_Histogram h;
    h.Compute(imaging::Bitmap(4, 3));
    for (int t = 0; t < 6; ++t)
        EXPECT_EQ(h.Peak(t), 0u) << t;
    EXPECT_EQ(h.Count(TableR, 0), 12u);
    EXPECT_EQ(h.Peak(TableH), 0u);

    // A 32-bit bitmap is not counted: the previous tables and Valid stay.
    imaging::Bitmap deep(2, 2, 32);
    deep.Fill(200, 10, 10);
    h.Compute(deep);
    EXPECT_EQ(h.Count(TableR, 0), 12u);
    TVX_Histogram fresh;
    fresh.Compute(deep);
    EXPECT_FALSE(fresh.Valid);
}

TEST(HistogramCompute, AgreesWithThePerPixelDefinition)
{
    // Odd width and random pixels: the look-up tables and the interleaved
    // counters must give what HsvOf and the extended luminance give.
    std::mt19937 random(7);
    imaging::Bitmap bitmap(301, 97);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const unsigned word = random();
            SetPixel(bitmap, x, y, word & 255, (word >> 8) & 255, (word >> 16) & 255);
        }
    // Plus the luminance ties.
    SetPixel(bitmap, 0, 0, 0, 80, 110);
    SetPixel(bitmap, 1, 0, 0, 36, 12);
    std::vector<uint32_t> expected(kHistogramTables * kTableEntries);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const uint8_t* p = bitmap.Row(y) + 3 * x;
            const int b = p[0], g = p[1], r = p[2];
            ++expected[TableR * kTableEntries + r];
            ++expected[TableG * kTableEntries + g];
            ++expected[TableB * kTableEntries + b];
            ++expected[TableY * kTableEntries + (LuminanceOf(r, g, b) & 255)];
            const THsv hsv = HsvOf(r, g, b);
            ++expected[TableS * kTableEntries + hsv.S];
            ++expected[TableV * kTableEntries + hsv.V];
            if (hsv.H >= 0)
                ++expected[TableH * kTableEntries + hsv.H];
        }
    TVX_Histogram h;
    h.Compute(bitmap);
    for (int t = 0; t < kHistogramTables; ++t)
        for (int e = 0; e < (t == TableH ? 361 : 256); ++e)
            ASSERT_EQ(h.Count(t, e), expected[t * kTableEntries + e]) << "table " << t << " entry " << e;
}

TEST(HistogramBlocks, LittleEndianLayoutRoundTrips)
{
    imaging::Bitmap bitmap(300, 1);
    for (int x = 0; x < 300; ++x)
        SetPixel(bitmap, x, 0, 10, 200, 30);
    TVX_Histogram h;
    h.Compute(bitmap);
    std::vector<uint8_t> levels(kLevelCountsBytes), hues(kHueCountsBytes);
    h.SaveLevelCounts(levels.data());
    h.SaveHueCounts(hues.data());
    ASSERT_EQ(levels.size(), 8664u);
    ASSERT_EQ(hues.size(), 1448u);
    auto u32 = [](const std::vector<uint8_t>& b, size_t at) {
        return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
    };
    EXPECT_EQ(u32(levels, 10 * 4), 300u); // R[10]
    EXPECT_EQ(u32(levels, 256 * 4), 300u); // R's peak
    EXPECT_EQ(u32(levels, (361 + 200) * 4), 300u); // G[200]
    EXPECT_EQ(u32(levels, (2 * 361 + 30) * 4), 300u); // B[30]
    const int hue = HsvOf(10, 200, 30).H;
    EXPECT_EQ(u32(hues, hue * 4), 300u);
    EXPECT_EQ(u32(hues, 361 * 4), 300u); // the hue peak behind the table

    TVX_Histogram loaded;
    loaded.LoadLevelCounts(levels.data());
    loaded.LoadHueCounts(hues.data());
    EXPECT_TRUE(loaded.Valid);
    for (int t = 0; t < kHistogramTables; ++t)
        for (int e = 0; e < kTableEntries; ++e)
            ASSERT_EQ(loaded.Count(t, e), h.Count(t, e));
    EXPECT_EQ(loaded.Peak(TableH), 300u);
}
