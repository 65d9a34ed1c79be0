// One grid cell composed off screen: background by check mark, the shadow
// lines of the standard style, the placeholder, the fitted thumbnail with its
// selection frame, the name and the shooting-data caption.
#include <QFont>
#include <QImage>
#include <gtest/gtest.h>

#include "catalogue/CellLayout.h"
#include "catalogue/ui/MakeThumbnailCanvas.h"
#include "ui/UiTestSupport.h"

namespace {

using catalogue::TImageCache;

QFont CellFont()
{
    QFont font;
    font.setPixelSize(12);
    return font;
}

QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// How many pixels of the rectangle have the colour.
int Count(const QImage& image, const QRect& r, const QColor& colour)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += At(image, x, y) == colour;
    return n;
}

// Pixels that are clearly text or marks: dark or strongly red.
int Inked(const QImage& image, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = At(image, x, y);
            n += c.red() < 120 || (c.red() > 200 && c.green() < 120);
        }
    return n;
}

QImage Cell(int viewType, const TImageCache& record, const imaging::Bitmap* thumb, int style, bool selected)
{
    uitest::EnsureApp();
    const auto size = catalogue::CellSizeOf(viewType);
    return ComposeThumbnailCell(size->width, size->height, thumb, style, viewType, selected, record, CellFont());
}

TEST(GridCell, BackgroundShadowsAndPlaceholderInBothStyles)
{
    TImageCache record;
    record.FileName = "/photos/broken.jpg";
    for (int style : { kThumbStyleStandard, kThumbStyleFlat }) {
        for (bool checked : { false, true }) {
            SCOPED_TRACE(style * 10 + checked);
            record.Checked = checked;
            const QImage img = Cell(catalogue::kViewMedium, record, nullptr, style, false);
            ASSERT_EQ(img.size(), QSize(103, 94));
            const QColor background = checked ? QColor(255, 209, 134) : QColor(239, 239, 239);
            EXPECT_EQ(At(img, 3, 3), background);
            EXPECT_EQ(At(img, 0, 0), QColor(Qt::white)) << "outside the inner rectangle";
            // The inner rectangle is 2..100 × 2..91; its right and bottom edges lie at 101 and 92.
            if (style == kThumbStyleStandard) {
                EXPECT_EQ(At(img, 100, 40), QColor(170, 170, 170));
                EXPECT_EQ(At(img, 101, 40), QColor(85, 85, 85));
                EXPECT_EQ(At(img, 40, 91), QColor(170, 170, 170));
                EXPECT_EQ(At(img, 40, 92), QColor(85, 85, 85));
            } else {
                EXPECT_EQ(At(img, 100, 40), background);
                EXPECT_EQ(At(img, 101, 40), QColor(Qt::white));
            }
            // Placeholder: a 65-pixel square centred in the 91 × 65 box at (5, 6), with a diagonal.
            const catalogue::TCellLayout layout = *catalogue::CellLayoutOf(catalogue::kViewMedium);
            const imaging::Rect sq = catalogue::EmptyThumbnailSquare(layout, 5, 6);
            EXPECT_EQ(At(img, sq.left, sq.top + 30), QColor(128, 128, 128));
            EXPECT_EQ(At(img, sq.right - 1, sq.top + 30), QColor(128, 128, 128));
            const QColor diagonal = style == kThumbStyleStandard ? QColor(85, 85, 85) : QColor(0, 0, 0);
            EXPECT_EQ(At(img, sq.left + 30, sq.top + 30), diagonal);
        }
    }
}

TEST(GridCell, ThumbnailIsFittedAndTheSelectedCellIsFramedInRed)
{
    TImageCache record;
    record.FileName = "/photos/a.jpg";
    imaging::Bitmap thumb(160, 120);
    thumb.Fill(0, 0, 255); // blue
    // Large view: the box is 146 × 113 at (4, 5); the 160 × 120 thumbnail fills its width.
    const imaging::Rect fit = catalogue::CenterInBox(160, 120, 4, 5, 146, 113);
    for (bool selected : { false, true }) {
        const QImage img = Cell(catalogue::kViewLarge, record, &thumb, kThumbStyleStandard, selected);
        EXPECT_EQ(At(img, (fit.left + fit.right) / 2, (fit.top + fit.bottom) / 2), QColor(0, 0, 255));
        EXPECT_EQ(At(img, fit.left, fit.top), QColor(0, 0, 255));
        EXPECT_EQ(At(img, fit.right - 1, fit.bottom - 1), QColor(0, 0, 255));
        EXPECT_NE(At(img, fit.right - 1, fit.bottom + 1), QColor(0, 0, 255)) << "nothing drawn outside the fit";
        // The frame: the fit rectangle inflated by 2.
        const QColor frame = At(img, fit.left + 40, fit.top - 2);
        EXPECT_EQ(frame == QColor(255, 0, 0), selected);
        // The name is red when selected, black otherwise.
        const QRect name(4, 123, 146, 14);
        EXPECT_EQ(Count(img, name, QColor(255, 0, 0)) > 0, selected);
        EXPECT_GT(Inked(img, name), 0);
    }
}

TEST(GridCell, LongNamesStartAtTheNameBoxAndShortOnesAreCentred)
{
    TImageCache record;
    record.FileName = "/photos/a.jpg";
    const QImage shortName = Cell(catalogue::kViewSmall, record, nullptr, kThumbStyleFlat, false);
    // Small view: name box from x = 4; a short name leaves its first columns empty.
    const QRect nameRows(4, 44, 56, 14);
    EXPECT_EQ(Inked(shortName, QRect(4, 44, 8, 14)), 0);
    EXPECT_GT(Inked(shortName, nameRows), 0);
    record.FileName = "/photos/a very long file name indeed.jpg";
    const QImage longName = Cell(catalogue::kViewSmall, record, nullptr, kThumbStyleFlat, false);
    EXPECT_GT(Inked(longName, QRect(4, 44, 8, 14)), 0);
    EXPECT_EQ(Inked(longName, QRect(61, 44, 3, 14)), 0) << "cut at the name box's right edge";
}

TEST(GridCell, ShootingViewWritesCaptionsOnlyForExifFiles)
{
    TImageCache record;
    record.FileName = "/photos/a.jpg";
    record.FileKind = catalogue::kKindExifJpeg;
    const QRect captions(15, 118, 120, 70);
    EXPECT_EQ(Inked(Cell(catalogue::kViewShooting, record, nullptr, kThumbStyleStandard, false), captions), 0)
        << "no metadata";
    record.Exif = std::make_unique<metadata::TExifData>();
    const QImage img = Cell(catalogue::kViewShooting, record, nullptr, kThumbStyleStandard, false);
    EXPECT_GT(Inked(img, QRect(15, 118, 120, 14)), 0) << "the exposure line with its placeholders";
    EXPECT_GT(Inked(img, QRect(15, 133, 120, 14)), 0);
    EXPECT_EQ(Count(img, QRect(77, 181, 64, 7), QColor(0, 128, 0)), 0) << "no lens table row: no zoom bar";
    record.FileKind = catalogue::kKindJpeg;
    EXPECT_EQ(Inked(Cell(catalogue::kViewShooting, record, nullptr, kThumbStyleStandard, false), captions), 0);
    EXPECT_TRUE(ComposeThumbnailCell(100, 100, nullptr, 0, 7, false, record, CellFont()).isNull());
}

} // namespace
