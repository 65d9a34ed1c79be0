// The grid's geometry and the shooting-data caption texts.
#include <gtest/gtest.h>

#include "catalogue/CellCaption.h"
#include "catalogue/CellLayout.h"
#include "catalogue/ZoomPosition.h"

namespace {

using namespace catalogue;

TEST(CellLayout, CenterInBoxFitsAndCentresWithHalvesToEven)
{
    struct Case {
        int w, h, x, y, bw, bh;
        imaging::Rect expected;
    };
    const Case cases[] = {
        { 160, 120, 0, 0, 146, 113, { 0, 2, 146, 111 } }, // landscape into the large box: width-bound
        { 120, 160, 0, 0, 146, 113, { 31, 0, 115, 113 } }, // portrait: narrower, centred
        { 200, 50, 10, 20, 91, 65, { 10, 41, 101, 64 } }, // wide strip: width-bound, centred vertically
        { 10, 10, 0, 0, 56, 38, { 9, 0, 47, 38 } }, // small pictures are enlarged
        { 91, 65, 5, 7, 91, 65, { 5, 7, 96, 72 } }, // exact fit
        { 100, 100, 0, 0, 5, 4, { 0, 0, 4, 4 } }, // halves round to even: 0.5 → 0, 4.5 → 4
        { 100, 100, 0, 0, 7, 4, { 2, 0, 6, 4 } }, // 1.5 → 2, 5.5 → 6
    };
    for (const Case& c : cases) {
        const imaging::Rect r = CenterInBox(c.w, c.h, c.x, c.y, c.bw, c.bh);
        EXPECT_EQ(r.left, c.expected.left) << c.w << "x" << c.h;
        EXPECT_EQ(r.top, c.expected.top) << c.w << "x" << c.h;
        EXPECT_EQ(r.right, c.expected.right) << c.w << "x" << c.h;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.w << "x" << c.h;
    }
}

TEST(CellLayout, GridShapeFollowsWidthCellSizeAndCount)
{
    struct Case {
        int gridWidth, cellWidth, count, cols, rows;
    };
    const Case cases[] = {
        { 260, 155, 7, 1, 7 },
        { 350, 155, 7, 2, 4 },
        { 10, 155, 0, 1, 1 },
        { 800, 64, 0, 12, 1 },
        { 800, 64, 25, 12, 3 },
    };
    for (const Case& c : cases) {
        const TGridShape s = GridShapeOf(c.gridWidth, c.cellWidth, c.count);
        EXPECT_EQ(s.cols, c.cols) << c.gridWidth;
        EXPECT_EQ(s.rows, c.rows) << c.gridWidth;
    }
}

TEST(CellLayout, ViewTypesHaveTheirCellsAndBoxes)
{
    EXPECT_FALSE(CellSizeOf(0));
    EXPECT_FALSE(CellLayoutOf(7));
    EXPECT_EQ(CellSizeOf(9)->height, 220);
    const TCellLayout small = *CellLayoutOf(5);
    // The empty square of the small cell: side 38, centred in the 56-wide box.
    const imaging::Rect sq = EmptyThumbnailSquare(small, 4, 4);
    EXPECT_EQ(sq.left, 4 + 9);
    EXPECT_EQ(sq.right, 4 + 47);
    EXPECT_EQ(sq.Height(), 38);
    // A short name is centred on the box; a long one starts at the name box's left.
    EXPECT_EQ(NameTextLeft(small, 4, 4, 56, 20), 22);
    EXPECT_EQ(NameTextLeft(small, 4, 4, 56, 56), 4);
}

TEST(CellLayout, ZoomBarMarkerFromTheLensRange)
{
    // A 7–21 mm lens: 14 mm is position 1 of range 2; 5 and 30 mm are held at the ends.
    struct Case {
        double focal;
        int offset;
    };
    for (const Case c : { Case { 14, 29 }, Case { 5, 0 }, Case { 30, 58 }, Case { 7, 0 } }) {
        double position = 0, range = 0;
        RelativeZoomPosition(7, 21, c.focal, position, range);
        EXPECT_EQ(ZoomMarkerOffset(position, range), c.offset) << c.focal;
    }
    double position = 0, range = 0;
    RelativeZoomPosition(0, 21, 14, position, range);
    EXPECT_FALSE(ZoomMarkerOffset(position, range));
    EXPECT_FALSE(ZoomMarkerOffset(1, 0));
}

TEST(CellLayout, ZoomPositionFromTheModelsLensTable)
{
    struct Case {
        const char* model;
        double focal;
        double position;
        double range;
    };
    // E995: 8–32 mm. Positions are held within 0..range; unknown and empty models give -1, range untouched.
    const Case cases[] = {
        { "E995", 16, 1, 3 },
        { "E995", 40, 3, 3 },
        { "E995", 4, 0, 3 },
        { "C-1Z,D-150Z", 10, 1, 2 },
        { "e995", 16, -1, 99 },
        { "E995 ", 16, -1, 99 },
        { "", 16, -1, 99 },
    };
    for (const Case& c : cases) {
        double position = 0, range = 99;
        GetZoomPosition(c.model, c.focal, position, range);
        EXPECT_DOUBLE_EQ(position, c.position) << c.model;
        EXPECT_DOUBLE_EQ(range, c.range) << c.model;
    }
}

metadata::TIFDItem Item(int32_t key, const char* value)
{
    return { key, "", value };
}

TEST(CellCaption, ShootingLinesWithTheirPlaceholders)
{
    TImageCache record;
    record.FileKind = kKindExifJpeg;
    EXPECT_FALSE(ShootingCaptionLines(record)) << "no metadata, no caption";
    record.Exif = std::make_unique<metadata::TExifData>();
    auto lines = ShootingCaptionLines(record);
    ASSERT_TRUE(lines);
    EXPECT_EQ((*lines)[0].text, "--/--秒 F-- ");
    EXPECT_EQ((*lines)[1].text, "W/B:--- Fla:---");
    EXPECT_EQ((*lines)[0].y, 118);
    EXPECT_EQ((*lines)[4].y, 178);

    metadata::TExifData& exif = *record.Exif;
    exif.Exif.Items = { Item(0x829A, "1/250秒"), Item(0x9202, "F4.0"), Item(0x9204, "+0.3EV"), Item(0x9209, "発光"),
        Item(0x8822, "プログラム"), Item(0x9003, "2004:01:01 10:00:00"), Item(0x920A, "7.8mm") };
    exif.Exif.Count = static_cast<int32_t>(exif.Exif.Items.size());
    // White balance only in an Olympus maker note (kind 1, tag 0x1015).
    exif.Maker.Items = { Item(0x00011015, "オート") };
    exif.Maker.Count = 1;
    lines = ShootingCaptionLines(record);
    ASSERT_TRUE(lines);
    EXPECT_EQ((*lines)[0].text, "1/250秒 F4.0 +0.3EV");
    EXPECT_EQ((*lines)[1].text, "W/B:オート Fla:発光");
    EXPECT_EQ((*lines)[2].text, "プログラム");
    EXPECT_EQ((*lines)[3].text, "2004:01:01 10:00:00");
    EXPECT_EQ((*lines)[4].text, "7.8mm");

    record.FileKind = kKindJpeg;
    EXPECT_FALSE(ShootingCaptionLines(record)) << "only Exif JPEG and Exif TIFF files have a caption";
    // No lens table row for the camera: no zoom bar, unless the maker note records a lens range.
    exif.Exif.FocalLength = 14;
    EXPECT_FALSE(ZoomBarOffset(exif));
    exif.Maker.LensWide = 7;
    exif.Maker.LensTele = 21;
    EXPECT_EQ(ZoomBarOffset(exif), 29);
    exif.Maker.LensTele = 7; // a fixed lens gives no bar
    EXPECT_FALSE(ZoomBarOffset(exif));
    // A camera of the table: its range, replaced by the maker note's.
    exif.Main.Model = "E995";
    exif.Exif.FocalLength = 16;
    EXPECT_EQ(ZoomBarOffset(exif), 19); // position 1 of range 3
    exif.Maker.LensTele = 21;
    exif.Exif.FocalLength = 14;
    EXPECT_EQ(ZoomBarOffset(exif), 29);
}

} // namespace
