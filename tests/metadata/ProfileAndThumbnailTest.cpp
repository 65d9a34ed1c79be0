// FitRect, thumbnails made from whole pictures, and embedded ICC profiles.
#include <gtest/gtest.h>

#include "imaging/ImageIO.h"
#include "metadata/EmbeddedProfile.h"
#include "metadata/ExifRead.h"
#include "metadata/ReadFixture.h"
#include "support/TestSupport.h"

namespace {

using exiftest::Bytes;

TEST(FitRect, KeepsTheAspectAndTouchesTheBox)
{
    struct Case {
        int w, h, bw, bh, rw, rh;
    };
    const Case cases[] = {
        { 640, 480, 160, 120, 160, 120 }, { 480, 640, 160, 120, 90, 120 }, { 100, 50, 160, 120, 160, 80 },
        { 16, 16, 160, 120, 120, 120 }, // small pictures are enlarged
        { 1000, 1, 160, 120, 160, 1 }, // never thinner than one row
        { 200, 150, 160, 160, 160, 120 }, { 0, 10, 160, 120, 0, 0 }, { 300, 200, 0, 120, 0, 0 },
        { 3, 8, 4, 4, 2, 4 }, // 1.5 -> 2
        { 5, 8, 4, 4, 2, 4 }, // 2.5 -> 2 (halves to even)
        { 7, 8, 4, 4, 4, 4 }, // 3.5 -> 4
        { 8, 5, 4, 4, 4, 2 }, // 2.5 -> 2
    };
    for (const Case& c : cases) {
        const imaging::Rect r = metadata::FitRect(c.w, c.h, c.bw, c.bh);
        EXPECT_EQ(r.left, 0);
        EXPECT_EQ(r.top, 0);
        EXPECT_EQ(r.Width(), c.rw) << c.w << "x" << c.h << " in " << c.bw << "x" << c.bh;
        EXPECT_EQ(r.Height(), c.rh) << c.w << "x" << c.h << " in " << c.bw << "x" << c.bh;
    }
}

TEST(LoadThumbnailFromImage, ByExtension)
{
    testsupport::TempDir dir;
    const Bytes jpeg = exiftest::EncodeJpeg(640, 480);
    testsupport::WriteFile(dir.Path() / "a.JPG", jpeg);
    testsupport::WriteFile(dir.Path() / "a.dat", jpeg);
    imaging::Bitmap picture(300, 100);
    picture.Fill(10, 20, 30);
    ASSERT_TRUE(imaging::SaveBmpFile((dir.Path() / "b.bmp").string(), picture));

    imaging::Bitmap thumbnail;
    int32_t width = -1, height = -1;
    int progressCalls = 0;
    EXPECT_TRUE(metadata::LoadThumbnailFromImage(
        (dir.Path() / "a.JPG").string(), thumbnail, width, height, [&](int) { return ++progressCalls > 0; }));
    EXPECT_EQ(thumbnail.Width(), 160);
    EXPECT_EQ(thumbnail.Height(), 120);
    EXPECT_EQ(width, -1); // JPEG leaves the size untouched
    EXPECT_TRUE(metadata::LoadThumbnailFromImage((dir.Path() / "b.bmp").string(), thumbnail, width, height));
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 100);
    EXPECT_EQ(thumbnail.Width(), 160);
    EXPECT_EQ(thumbnail.Height(), 53);
    EXPECT_EQ(thumbnail.Row(10)[2], 10);
    EXPECT_FALSE(metadata::LoadThumbnailFromImage((dir.Path() / "a.dat").string(), thumbnail, width, height));
    EXPECT_FALSE(metadata::LoadThumbnailFromImage((dir.Path() / "none.png").string(), thumbnail, width, height));
}

// Bytes standing for a profile: the reader and the extraction never look inside.
Bytes FakeProfile(size_t size, uint8_t seed)
{
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return bytes;
}

metadata::TExifData ReadJpeg(const std::string& path)
{
    metadata::TExifData exif;
    metadata::PhotoshopLocator locator;
    imaging::Bitmap thumbnail;
    metadata::ReadExifData(path, thumbnail, locator, exif);
    return exif;
}

TEST(EmbeddedProfile, ExtractTheProfileOfAJpeg)
{
    const Bytes profile = FakeProfile(600, 3);
    exiftest::TiffBuilder tiff;
    tiff.withExif = true;
    tiff.exif.Undefined(36864, exiftest::ToBytes("0220"));
    const Bytes jpeg = exiftest::JpegBuilder().Exif(tiff.Build().bytes).Icc(profile).Frame(8, 8).Build();
    testsupport::TempDir dir;
    const std::string path = (dir.Path() / "p.jpg").string();
    testsupport::WriteFile(path, jpeg);

    const metadata::TExifData exif = ReadJpeg(path);
    ASSERT_EQ(exif.IccLength, static_cast<int32_t>(profile.size()));
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(metadata::ReadEmbeddedProfile(path, exif.IccOffset, exif.IccLength, bytes));
    EXPECT_EQ(bytes, profile);

    const std::string target = (dir.Path() / "out.icc").string();
    EXPECT_TRUE(metadata::ExtractEmbeddedProfile(path, target, exif.IccOffset, exif.IccLength));
    EXPECT_EQ(testsupport::ReadFile(target), profile);

    // Outside the file, or no file at all.
    EXPECT_FALSE(metadata::ReadEmbeddedProfile(path, exif.IccOffset, 1 << 30, bytes));
    EXPECT_FALSE(metadata::ReadEmbeddedProfile(path + ".missing", 0, 10, bytes));
    EXPECT_FALSE(metadata::ExtractEmbeddedProfile(path, target, -5, 10));
    EXPECT_FALSE(metadata::ExtractEmbeddedProfile(path, (dir.Path() / "no/dir.icc").string(), 0, 10));
}

TEST(EmbeddedProfile, APieceOfASplitProfileLocatesAllPiecesInSequenceOrder)
{
    const Bytes a = FakeProfile(300, 1), b = FakeProfile(200, 50), c = FakeProfile(100, 90);
    Bytes whole = a;
    whole.insert(whole.end(), b.begin(), b.end());
    whole.insert(whole.end(), c.begin(), c.end());
    // The pieces stand out of order in the file, with an unrelated single profile between them.
    exiftest::JpegBuilder builder;
    builder.IccPart(b, 2, 3).IccPart(a, 1, 3).Icc(FakeProfile(40, 200)).IccPart(c, 3, 3).Frame(8, 8);
    const Bytes jpeg = builder.Build();
    const auto piece = [&](size_t segment) { return static_cast<int64_t>(builder.SegmentDataOffset(segment) + 14); };
    testsupport::TempDir dir;
    const std::string path = (dir.Path() / "split.jpg").string();
    testsupport::WriteFile(path, jpeg);

    const metadata::TExifData exif = ReadJpeg(path);
    ASSERT_NE(exif.IccOffset, 0);
    // Whichever piece the reader noted, the joined profile is the same.
    const int64_t pieceOffsets[] = { exif.IccOffset, piece(0), piece(1), piece(3) };
    for (int64_t offset : pieceOffsets) {
        const std::vector<metadata::ByteRange> ranges = metadata::LocateEmbeddedProfile(path, offset, 1);
        ASSERT_EQ(ranges.size(), 3u) << offset;
        EXPECT_EQ(ranges[0].length, 300);
        EXPECT_EQ(ranges[2].length, 100);
    }
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(metadata::ReadEmbeddedProfile(path, exif.IccOffset, exif.IccLength, bytes));
    EXPECT_EQ(bytes, whole);
    const std::string target = (dir.Path() / "out.icc").string();
    EXPECT_TRUE(metadata::ExtractEmbeddedProfile(path, target, exif.IccOffset, exif.IccLength));
    EXPECT_EQ(testsupport::ReadFile(target), whole);
    // The single profile between them stays on its own.
    EXPECT_TRUE(metadata::ReadEmbeddedProfile(path, piece(2), 40, bytes));
    EXPECT_EQ(bytes, FakeProfile(40, 200));
}

} // namespace
