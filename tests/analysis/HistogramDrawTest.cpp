#include <gtest/gtest.h>

#include "analysis/Histogram.h"
#include "analysis/RasterCanvas.h"

using namespace analysis;
using testanalysis::RasterCanvas;

namespace {

constexpr TColour kRed { 255, 0, 0 }, kGreen { 0, 255, 0 }, kYellow { 255, 255, 0 };

TVX_Histogram WithChannels(const std::vector<int>& tables, TVX_Type type = VX_SMOOTH)
{
    TVX_Histogram h;
    h.GraphType = type;
    for (int t : tables)
        h.Channels[t] = true;
    return h;
}

imaging::Bitmap Grey(int width, int level)
{
    imaging::Bitmap bitmap(width, 1);
    bitmap.Fill(uint8_t(level), uint8_t(level), uint8_t(level));
    return bitmap;
}

} // namespace

TEST(HistogramDraw, EveryLevelOnceReachesTheFullPlotHeight)
{
    imaging::Bitmap bitmap(256, 1);
    for (int v = 0; v < 256; ++v)
        bitmap.Row(0)[3 * v + 2] = uint8_t(v);
    for (TVX_Type type : { VX_SMOOTH, VX_DOT }) {
        TVX_Histogram h = WithChannels({ TableR }, type);
        h.LineColor = kBlack;
        h.Compute(bitmap);
        RasterCanvas canvas(300, 120);
        h.Draw(canvas, 10, 5, 265, 120, -1); // plot 5 .. 105, one pixel per level
        for (int x = 10; x < 265; ++x) {
            ASSERT_EQ(canvas.TopOf(x, kRed), 5) << "type " << type << " x " << x;
            ASSERT_EQ(canvas.At(x, 104), kRed);
            ASSERT_EQ(canvas.At(x, 105), kBlack); // the gap above the scale bar
        }
    }
}

TEST(HistogramDraw, BlackPictureDrawsAtScaleOneWithItsSpikeClipped)
{
    TVX_Histogram h = WithChannels({ TableR, TableG, TableB }, VX_DOT);
    h.LineColor = kBlack;
    h.Compute(Grey(50, 0));
    RasterCanvas canvas(300, 120);
    h.Draw(canvas, 10, 5, 265, 120, -1);
    EXPECT_EQ(canvas.TopOf(10, kWhite), 5); // level 0: clipped to the plot top
    EXPECT_EQ(canvas.TopOf(11, kWhite), -1);
    EXPECT_EQ(canvas.At(11, 104), kBlack);
}

TEST(HistogramDraw, MergePenAddsOverlappingChannels)
{
    // Red and green share level 100, so their columns OR into yellow.
    imaging::Bitmap bitmap(1, 1);
    bitmap.Fill(100, 100, 0);
    TVX_Histogram h = WithChannels({ TableR, TableG }, VX_DOT);
    h.LineColor = kBlack;
    h.Compute(bitmap);
    RasterCanvas canvas(300, 120);
    h.Draw(canvas, 10, 5, 265, 120, -1);
    EXPECT_EQ(canvas.TopOf(110, kYellow), 5);
    EXPECT_EQ(canvas.PenMode(), TPenMode::Merge);
    // The line style draws in copy mode with the lighter blue.
    TVX_Histogram line = WithChannels({ TableB }, VX_LINE);
    line.Compute(bitmap);
    RasterCanvas lined(300, 120);
    line.Draw(lined, 10, 5, 265, 120, -1);
    EXPECT_EQ(lined.PenMode(), TPenMode::Copy);
    EXPECT_EQ(lined.TopOf(10, TColour { 163, 176, 233 }), 5);
}

TEST(HistogramDraw, GridScaleBarAndSizeLimits)
{
    TVX_Histogram h = WithChannels({});
    h.Compute(Grey(4, 50));
    RasterCanvas small(300, 25);
    h.Draw(small, 10, 0, 265, 25, -1);
    EXPECT_EQ(small.lines, 0);
    EXPECT_EQ(small.At(10, 7), kBlack);

    RasterCanvas canvas(300, 120);
    h.Draw(canvas, 10, 5, 265, 120, -1); // grey bar, grid, no curve
    EXPECT_EQ(canvas.At(10 + 200, 107), (TColour { 200, 200, 200 }));
    EXPECT_EQ(canvas.At(10 + 200, 116), kBlack);
    EXPECT_EQ(canvas.At(10 + 25, 50), kGridGrey); // vertical line at level 25
    EXPECT_EQ(canvas.At(10 + 26, 80), kGridGrey); // horizontal line at 25 %
    EXPECT_EQ(canvas.At(10 + 255 + 1, 50), kGridGrey); // closing line at R + round(s)
    EXPECT_EQ(canvas.At(62, 40), kBlack);

    h.LineColor = kBlack;
    RasterCanvas bare(300, 120);
    h.Draw(bare, 10, 5, 265, 120, -1);
    EXPECT_EQ(bare.At(10 + 25, 50), kBlack);
    EXPECT_EQ(bare.At(10 + 26, 80), kBlack);
}

TEST(HistogramDraw, PanelsTakeTheirChannelsScaleBar)
{
    struct Case {
        std::vector<int> channels;
        int panel;
        TColour barAt200; // x = 10 + 200 in the bar
        std::vector<std::string> texts;
    };
    const std::vector<Case> cases = {
        { { TableR, TableG, TableB }, 2, { 0, 200, 0 }, {} },
        { { TableR, TableG, TableB }, 3, { 0, 0, 200 }, {} },
        { { TableR, TableY }, 2, { 200, 200, 200 }, {} },
        { { TableS }, 1, kBlack, { "Min", "Max", "Saturation" } },
        { { TableV, TableH }, 1, kBlack, { "Min", "Max", "Value" } },
    };
    for (const Case& c : cases) {
        TVX_Histogram h = WithChannels(c.channels);
        h.Mode = 1;
        h.Compute(Grey(4, 50));
        RasterCanvas canvas(300, 120);
        h.Draw(canvas, 10, 5, 265, 120, c.panel);
        EXPECT_EQ(canvas.At(210, 107), c.barAt200) << c.panel;
        for (const std::string& text : c.texts)
            EXPECT_TRUE(canvas.HasText(text)) << text;
    }
    // The hue panel has the hue band over 360 degrees.
    TVX_Histogram hue = WithChannels({ TableH });
    hue.Mode = 1;
    hue.Compute(Grey(4, 50));
    RasterCanvas canvas(380, 120);
    hue.Draw(canvas, 10, 5, 369, 120, 1); // one pixel per degree
    EXPECT_EQ(hue.Gradation, VX_HUE);
    EXPECT_EQ(canvas.At(10 + 120, 107), kGreen);
    EXPECT_EQ(canvas.At(10 + 90, 50), kGridGrey);
}

TEST(HistogramDraw, NarrowLabelSpaceDropsTheMiddleLabel)
{
    TVX_Histogram h = WithChannels({ TableS });
    h.Mode = 1;
    h.Gradation = VX_HSV_S;
    RasterCanvas canvas(60, 120);
    h.Draw(canvas, 10, 5, 50, 120, -1);
    EXPECT_TRUE(canvas.HasText("Min"));
    EXPECT_FALSE(canvas.HasText("Saturation"));
}
