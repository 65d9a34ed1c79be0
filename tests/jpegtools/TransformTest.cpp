// Lossless turns: the pixels match the jpegtran reference for every sampling,
// scan mode and size; the Exif data follow the turn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "jpegtools/JpegFixtures.h"
#include "jpegtools/LosslessTransform.h"
#include "metadata/ExifData.h"
#include "metadata/ExifRead.h"
#include "support/TestSupport.h"

using namespace jpegtest;

namespace {

const PictureShape kPictures[] = {
    { "baseline 4:2:0", 64, 48 },
    { "odd size 4:2:0", 77, 53 },
    { "4:2:2", 61, 35, 3, 2, 1 },
    { "4:4:4", 45, 29, 3, 1, 1 },
    { "progressive", 70, 41, 3, 2, 2, true },
    { "restart interval", 83, 67, 3, 2, 2, false, 2 },
    { "greyscale", 37, 50, 1, 1, 1 },
    { "greyscale progressive", 50, 19, 1, 1, 1, true },
};

} // namespace

TEST(LosslessTransform, PixelsMatchJpegtranForEveryLayout)
{
    if (!HaveJpegtran())
        GTEST_SKIP() << "jpegtran (libjpeg-turbo-progs) is not installed";
    for (const PictureShape& shape : kPictures)
        for (int code = 1; code <= 3; ++code) {
            SCOPED_TRACE(std::string(shape.name) + " code " + std::to_string(code));
            const Bytes source = MakeJpeg(shape);
            std::vector<uint8_t> turned;
            std::string error;
            ASSERT_TRUE(jpegtools::TurnPhoto(source.data(), source.size(), code, turned, error)) << error;
            const Pixels mine = Decode(turned), reference = Decode(Jpegtran(source, code));
            ASSERT_GT(reference.width, 0);
            EXPECT_EQ(mine.width, reference.width);
            EXPECT_EQ(mine.height, reference.height);
            EXPECT_TRUE(mine == reference);
            // A progressive file stays progressive.
            const std::vector<Seg> segments = Segments(turned);
            const bool sof2
                = std::any_of(segments.begin(), segments.end(), [](const Seg& s) { return s.code == 0xC2; });
            EXPECT_EQ(sof2, shape.progressive);
        }
}

TEST(LosslessTransform, OrientationThumbnailAndDimensionsFollowTheTurn)
{
    const Bytes thumbnail = MakeJpeg({ "thumb", 160, 120 });
    const PictureShape shape { "photo", 77, 53 };
    // Exif first (which the transform library adjusts itself) or behind the JFIF header; either byte order.
    for (const bool little : { true, false })
        for (const size_t at : { size_t(2), size_t(20) })
            for (int code = 1; code <= 3; ++code) {
                SCOPED_TRACE("code " + std::to_string(code) + (little ? " II" : " MM") + " at " + std::to_string(at));
                const Bytes photo = InsertSegment(MakeJpeg(shape), 0xE1, ExifPayload(6, 77, 53, thumbnail, little), at);
                std::vector<uint8_t> turned;
                std::string error;
                ASSERT_TRUE(jpegtools::TurnPhoto(photo.data(), photo.size(), code, turned, error)) << error;
                testsupport::TempDir dir;
                const auto path = dir.Path() / "t.jpg";
                testsupport::WriteFile(path, turned);
                metadata::TExifData exif;
                metadata::PhotoshopLocator locator;
                imaging::Bitmap thumb;
                metadata::ReadExifData(path.string(), thumb, locator, exif);
                ASSERT_EQ(exif.ContainerKind, 1);
                const Pixels picture = Decode(turned);
                // Orientation 1 ("左上"; the fixture had 6), pixel dimensions of the turned (and trimmed) picture.
                EXPECT_EQ(metadata::GetMainValueText(274, exif.Main), "左上");
                EXPECT_EQ(metadata::GetExifValueText(40962, exif), std::to_string(picture.width));
                EXPECT_EQ(metadata::GetExifValueText(40963, exif), std::to_string(picture.height));
                // The thumbnail is turned exactly as jpegtran turns it.
                ASSERT_EQ(exif.HasThumbnail, -1);
                ASSERT_EQ(thumb.Width() > thumb.Height(), code == 2);
                if (HaveJpegtran()) {
                    const Pixels expected = Decode(Jpegtran(thumbnail, code));
                    const int w = expected.width, h = expected.height;
                    ASSERT_EQ(thumb.Width(), w);
                    ASSERT_EQ(thumb.Height(), h);
                    int worst = 0;
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x)
                            for (int c = 0; c < 3; ++c) // the bitmap holds blue, green, red
                                worst = std::max(worst,
                                    std::abs(
                                        int(thumb.Row(y)[x * 3 + 2 - c]) - int(expected.samples[(y * w + x) * 3 + c])));
                    EXPECT_LE(worst, 4); // decoders may round differently
                }
            }
}

TEST(LosslessTransform, LibraryCallFillsTheDestinationOrFailsLeavingIt)
{
    testsupport::TempDir dir;
    const auto good = dir.Path() / "good.jpg", bad = dir.Path() / "bad.jpg", out = dir.Path() / "out.tmp";
    const Bytes photo = MakeJpeg({ "photo", 40, 24 });
    testsupport::WriteFile(good, photo);
    testsupport::WriteFile(bad, Bytes(photo.begin(), photo.begin() + 200));
    testsupport::WriteFile(out, std::string());
    EXPECT_NE(jpegtools::jpegtran(1, 1, bad.c_str(), out.c_str()), 0);
    EXPECT_TRUE(testsupport::ReadFile(out).empty());
    EXPECT_NE(jpegtools::jpegtran(1, 1, (dir.Path() / "missing.jpg").c_str(), out.c_str()), 0);
    ASSERT_EQ(jpegtools::jpegtran(2, 1, good.c_str(), out.c_str()), 0);
    std::vector<uint8_t> expected;
    std::string error;
    ASSERT_TRUE(jpegtools::TurnPhoto(photo.data(), photo.size(), 2, expected, error));
    EXPECT_EQ(testsupport::ReadFile(out), expected);
}
