#include <gtest/gtest.h>

#include <cmath>

#include "analysis/CIEChart.h"
#include "analysis/ColourScience.h"
#include "analysis/RasterCanvas.h"

using namespace analysis;
using testanalysis::RasterCanvas;

TEST(ColourScience, LabOfWhiteBlackAndPrimaries)
{
    const TLab white = RgbToLab(1, 1, 1, 0);
    EXPECT_NEAR(white.L, 100, 1e-6);
    EXPECT_NEAR(white.A, 0, 0.05);
    EXPECT_NEAR(white.B, 0, 0.05);
    EXPECT_NEAR(RgbToLab(0, 0, 0, 0).L, 0, 1e-9);
    const TLab red = RgbToLab(1, 0, 0, 0);
    EXPECT_GT(red.A, 0);
    EXPECT_GT(red.B, 0);
    for (int space = 0; space < kColourSpaces; ++space)
        EXPECT_NEAR(RgbToLab(1, 1, 1, space).L, 100, 0.01) << space;

    bool out = false;
    YccToLab(250, 128, 200, 0, out);
    EXPECT_TRUE(out);
    YccToLab(128, 128, 128, 0, out);
    EXPECT_FALSE(out);
    EXPECT_EQ(LabDisplayColour(100, 0, 0), (TColour { 247, 255, 233 })); // the fixed display matrix
    EXPECT_EQ(LabDisplayColour(0, 0, 0), (TColour { 0, 0, 0 }));
    const TLuv black = RgbToUv(0, 0, 0, 0);
    EXPECT_EQ(black.U, 0);
    EXPECT_EQ(black.V, 0);
}

TEST(CIEChart, SamplingSteps)
{
    struct Case {
        int height, step;
    };
    for (const Case c : { Case { 150, 1 }, Case { 199, 1 }, Case { 400, 2 }, Case { 1000, 5 } })
        EXPECT_EQ(ChartStep(c.height), c.step) << c.height;

    // 3D: every sixteenth pixel of a 1000-high picture; a panorama stays bounded.
    imaging::Bitmap square(1000, 1000);
    TLabCloud cloud;
    BuildLabCloud(cloud, ChartPictureOf(square), SourceRgb, 0, {});
    EXPECT_EQ(cloud.Points.size(), size_t(62 * 62)); // round(1000 / 16), halves to even, per side
    imaging::Bitmap panorama(100000, 100);
    BuildLabCloud(cloud, ChartPictureOf(panorama), SourceRgb, 0, {});
    EXPECT_LE(int64_t(cloud.Points.size()), kMaxCloudPoints);
    EXPECT_GT(cloud.Points.size(), 1000u);
    EXPECT_TRUE(cloud.Ready);
}

TEST(CIEChart, NoSourceShowsOnlyNotSelect)
{
    for (auto draw : { DrawAbDistribution, DrawUvDistribution }) {
        RasterCanvas canvas(300, 200);
        imaging::Bitmap picture(10, 10);
        draw(ChartPictureOf(picture), 300, 200, {}, SourceNone, 0, canvas);
        ASSERT_EQ(canvas.texts.size(), 1u);
        EXPECT_EQ(canvas.texts[0].text, "Not Select");
        EXPECT_EQ(canvas.lines, 0);
    }
}

TEST(CIEChart, DotsLandWhereTheirColoursLie)
{
    // a*b*: a red picture puts its dots right of and above the centre.
    imaging::Bitmap red(20, 20);
    red.Fill(255, 0, 0);
    RasterCanvas ab(400, 400);
    int rowsReported = 0;
    DrawAbDistribution(
        ChartPictureOf(red), 400, 400, [&](int) { ++rowsReported; }, SourceRgb, 0, ab);
    EXPECT_EQ(rowsReported, 20);
    const TLab lab = RgbToLab(1, 0, 0, 0);
    const double d = 2;
    const int x = 200 + int(std::nearbyint(d * lab.A / 127 * 90)),
              y = 200 + int(std::nearbyint(-(lab.B / 127 * 90 * d)));
    EXPECT_GT(x, 200);
    EXPECT_LT(y, 200);
    EXPECT_EQ(ab.At(x - 1, y - 1), LabDisplayColour(80, lab.A, lab.B));
    EXPECT_TRUE(ab.HasText("CIE L*a*b* Color distribution sRGB(D65)"));

    // An out-of-gamut YCbCr sample is a white dot; the title says so.
    imaging::YccPicture ycc { 4, 4, std::vector<uint8_t>(48) };
    for (size_t i = 0; i < ycc.Pixels.size(); i += 3) {
        ycc.Pixels[i] = 250;
        ycc.Pixels[i + 1] = 128;
        ycc.Pixels[i + 2] = 200;
    }
    RasterCanvas direct(400, 400);
    DrawAbDistribution(ChartPictureOf(ycc), 400, 400, {}, SourceYcc, 1, direct);
    EXPECT_TRUE(direct.HasText("CIE L*a*b* Color distribution AdobeRGB/YCbCr Direct"));
    bool out = false;
    const TLab yl = YccToLab(250, 128, 200, 1, out);
    const int yx = 200 + int(std::nearbyint(d * yl.A / 127 * 90)),
              yy = 200 + int(std::nearbyint(-(yl.B / 127 * 90 * d)));
    EXPECT_EQ(direct.At(yx, yy), kWhite);
}

TEST(CIEChart, UvLeavesOutBlackAndDrawsTheLocus)
{
    imaging::Bitmap black(30, 30);
    RasterCanvas uv(400, 400);
    DrawUvDistribution(ChartPictureOf(black), 400, 400, {}, SourceRgb, 0, uv);
    // Black would land at the origin: no pixel anywhere has its dot colour.
    const TColour dot = LabDisplayColour(80, 0, 0);
    for (int x = 0; x < 400; ++x)
        for (int y = 0; y < 400; ++y)
            ASSERT_FALSE(uv.At(x, y) == dot) << x << "," << y;
    // The locus passes the green corner near u' 0.03, v' 0.58 (about 520 nm).
    bool locus = false;
    for (int x = 0; x < 400 && !locus; ++x)
        for (int y = 0; y < 150 && !locus; ++y)
            locus = uv.At(x, y) == (TColour { 190, 190, 190 });
    EXPECT_TRUE(locus);
    EXPECT_TRUE(uv.HasText("0.6"));
}

TEST(CIEChart, ProjectionAndRotation)
{
    TLabCloud cloud;
    const auto centre = ProjectPoint(cloud, 0, 0, 0, 500, 500);
    ASSERT_TRUE(centre);
    EXPECT_EQ(*centre, (TPoint { 250, 250 }));
    // A point at the eye (x2 + D near 0) is left out instead of overflowing.
    cloud.Theta1 = 0;
    cloud.Theta2 = 0;
    cloud.Theta3 = 0;
    EXPECT_FALSE(ProjectPoint(cloud, -500, 0, 0, 500, 500));
    EXPECT_FALSE(ProjectPoint(cloud, -499.5, 0, 0, 500, 500));
    EXPECT_TRUE(ProjectPoint(cloud, -498, 10, 10, 500, 500));

    struct Case {
        double theta1, theta2;
        int dx, dy;
        double want1, want2;
    };
    const Case cases[] = {
        { 190, 260, -200, 0, 190, 100 }, // 460 wraps to 100
        { 190, 260, 300, 0, 190, 320 },
        { 10, 20, 0, -30, 340, 20 },
        { 350, 20, 0, 20, 10, 20 },
    };
    for (const Case& c : cases) {
        RotateCloud(cloud, c.theta1, c.theta2, 100, 100, 100 + c.dx, 100 + c.dy);
        EXPECT_DOUBLE_EQ(cloud.Theta1, c.want1);
        EXPECT_DOUBLE_EQ(cloud.Theta2, c.want2);
    }
    RasterCanvas before(100, 100);
    RenderLabCloud(TLabCloud {}, before);
    EXPECT_EQ(before.lines, 0);
}
