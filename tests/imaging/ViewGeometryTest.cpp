#include "imaging/ViewGeometry.h"

#include <gtest/gtest.h>

using imaging::ViewGeometry;

TEST(FitZoom, SmallerRatioTruncatedOverSizes)
{
    struct Case {
        int pw, ph, vw, vh, zoom;
    };
    const Case cases[] = {
        { 6000, 4000, 1000, 800, 16 }, // wide: width decides (16.67 truncated)
        { 4000, 6000, 1000, 800, 13 }, // tall: height decides (13.33 truncated)
        { 300, 200, 1000, 800, 333 }, // small picture is enlarged
        { 1000, 800, 1000, 800, 100 }, // exact fit
        { 1, 1, 999, 500, 50000 }, // one pixel
        { 12000, 9000, 640, 480, 5 }, // huge picture
        { 6000, 4000, 0, 800, 0 }, // no view: nothing to do
        { 0, 4000, 1000, 800, 0 }, // no picture
        { 6000, 0, 1000, 800, 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(imaging::FitZoom(c.pw, c.ph, c.vw, c.vh), c.zoom)
            << c.pw << "x" << c.ph << " in " << c.vw << "x" << c.vh;
}

TEST(WheelZoomStep, StepsOfFifteenThenFactor)
{
    struct Case {
        double zoom;
        int delta;
        double next;
    };
    const Case cases[] = {
        { 200, 120, 215 }, { 215, 120, 258 }, { 201, -120, 168 }, // 167.5 rounds to even
        { 15, -120, 0 }, { 100, -120, 85 }, { 1000, 120, 1200 }, { 1000, -120, 833 }, { 202, -120, 168 }, // 168.33
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(imaging::WheelZoomStep(c.zoom, c.delta), c.next) << c.zoom << " delta " << c.delta;
}

TEST(ClickZoomStep, MovesAlongLadderAndStopsAtEnds)
{
    EXPECT_DOUBLE_EQ(imaging::ClickZoomStep(100, true), 150);
    EXPECT_DOUBLE_EQ(imaging::ClickZoomStep(100, false), 75);
    EXPECT_DOUBLE_EQ(imaging::ClickZoomStep(16, true), 20);
    EXPECT_DOUBLE_EQ(imaging::ClickZoomStep(16, false), 15);
    EXPECT_DOUBLE_EQ(imaging::ClickZoomStep(5000, true), 5000);
    EXPECT_DOUBLE_EQ(imaging::ClickZoomStep(1, false), 1);
}

TEST(ClampZoom, LimitsZoomedExtent)
{
    EXPECT_DOUBLE_EQ(imaging::ClampZoom(250, 6000, 4000), 250);
    EXPECT_LE(imaging::ClampZoom(1e9, 12000, 9000) * 12000 / 100, imaging::kMaxZoomedExtent);
    EXPECT_DOUBLE_EQ(imaging::ClampZoom(1e9, 1, 1), imaging::kMaxZoomPercent);
}

TEST(ViewGeometry, CentresSmallPictureAndScrollsLargeOne)
{
    ViewGeometry g { 400, 300, 1000, 800, 100, 50, 50 };
    g.ClampScroll();
    EXPECT_EQ(g.MaxScrollX(), 0);
    EXPECT_EQ(g.scrollX, 0);
    EXPECT_DOUBLE_EQ(g.OriginX(), 300);
    EXPECT_DOUBLE_EQ(g.OriginY(), 250);

    ViewGeometry big { 4000, 3000, 1000, 800, 50, 5000, 123 };
    g = big;
    g.ClampScroll();
    EXPECT_EQ(g.ContentWidth(), 2000);
    EXPECT_EQ(g.MaxScrollX(), 1000);
    EXPECT_EQ(g.scrollX, 1000);
    EXPECT_DOUBLE_EQ(g.OriginX(), -1000);
    EXPECT_DOUBLE_EQ(g.OriginY(), -123);
    // Wide at this zoom but not tall: scrolls across, centred up and down.
    ViewGeometry wide { 4000, 1000, 1000, 800, 50, 0, 0 };
    EXPECT_EQ(wide.MaxScrollY(), 0);
    EXPECT_DOUBLE_EQ(wide.OriginY(), 150);
}

TEST(ViewGeometry, ZoomAboutKeepsPointUnderView)
{
    struct Case {
        double from, to;
        double vx, vy;
    };
    const Case cases[] = { { 100, 300, 500, 400 }, { 300, 100, 20, 700 }, { 16, 215, 640, 360 }, { 250, 258, 999, 1 } };
    for (const Case& c : cases) {
        ViewGeometry g { 6000, 4000, 1280, 720, c.from, 0, 0 };
        g.scrollX = g.MaxScrollX() / 2;
        g.scrollY = g.MaxScrollY() / 3;
        const auto before = g.ViewToPicture({ c.vx, c.vy });
        g.ZoomAbout(c.to, { c.vx, c.vy });
        const auto after = g.PictureToView(before);
        EXPECT_NEAR(after.x, c.vx, 1.0) << c.from << "->" << c.to;
        EXPECT_NEAR(after.y, c.vy, 1.0) << c.from << "->" << c.to;
    }
    // Where the range ends, the scroll position stays inside it.
    ViewGeometry g { 6000, 4000, 1280, 720, 100, 0, 0 };
    g.ZoomAbout(400, { 0, 0 });
    EXPECT_EQ(g.scrollX, 0);
    EXPECT_EQ(g.scrollY, 0);
}

TEST(ViewGeometry, VisiblePartCoversExposedArea)
{
    // 300 %, scrolled: the view shows columns 100..100+1280/3.
    ViewGeometry g { 6000, 4000, 1280, 720, 300, 300, 600 };
    const auto part = g.Visible({ 0, 0, 1280, 720 });
    EXPECT_EQ(part.source.left, 100);
    EXPECT_EQ(part.source.top, 200);
    EXPECT_EQ(part.source.right, 100 + 427); // 426.67 rounded up
    EXPECT_EQ(part.source.bottom, 200 + 240);
    EXPECT_DOUBLE_EQ(part.target.left, 0);
    EXPECT_GE(part.target.right, 1280);

    // A centred small picture: only its own pixels, at its place.
    ViewGeometry small { 100, 50, 1000, 800, 200, 0, 0 };
    const auto s = small.Visible({ 0, 0, 1000, 800 });
    EXPECT_EQ(s.source.Width(), 100);
    EXPECT_EQ(s.source.Height(), 50);
    EXPECT_DOUBLE_EQ(s.target.left, 400);
    EXPECT_DOUBLE_EQ(s.target.top, 350);
    // The black border beside it shows nothing of the picture.
    EXPECT_TRUE(small.Visible({ 0, 0, 300, 800 }).source.Empty());
    // No picture: nothing to draw.
    EXPECT_TRUE(ViewGeometry {}.Visible({ 0, 0, 100, 100 }).source.Empty());
}
