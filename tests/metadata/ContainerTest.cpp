// Recognition of containers, the marker walks, the order of directories and
// the embedded thumbnails.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "metadata/ReadFixture.h"
#include "support/TestSupport.h"

namespace {

using exiftest::Bytes;
using exiftest::JpegBuilder;
using exiftest::ReadFileBytes;
using exiftest::ReadMemory;
using exiftest::TiffBuilder;

// An Exif directory with a version, a camera in IFD0 and a JPEG thumbnail of the given size in IFD1.
TiffBuilder CameraTiff(int thumbWidth = 160, int thumbHeight = 120)
{
    TiffBuilder tiff;
    tiff.ifd0.Ascii(271, "Canon").Ascii(272, "Canon PowerShot S40").Short(274, { 1 });
    tiff.withExif = true;
    tiff.exif.Undefined(36864, exiftest::ToBytes("0220")).Rational(33434, { { 1, 60 } });
    if (thumbWidth > 0)
        tiff.thumbnailJpeg = exiftest::EncodeJpeg(thumbWidth, thumbHeight);
    return tiff;
}

TEST(Container, ExifFirstJpeg)
{
    const Bytes jpeg = JpegBuilder().Exif(CameraTiff().Build().bytes).Comment("hi").Frame(640, 480).Build();
    exiftest::ReadResult r = ReadFileBytes(jpeg, "photo.jpg");
    ASSERT_FALSE(r.raised);
    EXPECT_EQ(r.exif.Failed, 0);
    EXPECT_EQ(r.exif.ContainerKind, 1);
    EXPECT_EQ(r.exif.Width, 640);
    EXPECT_EQ(r.exif.Height, 480);
    EXPECT_EQ(r.exif.Comment, "hi");
    EXPECT_EQ(r.exif.HasComment, -1);
    EXPECT_EQ(exiftest::ValueOf(r.exif.Main.Items, 272), "Canon PowerShot S40");
    EXPECT_EQ(r.exif.Main.Model, "Canon PowerShot S40");
    EXPECT_EQ(r.exif.Exif.Version, "0220");
    EXPECT_EQ(metadata::GetExifValueText(33434, r.exif), "1/60秒");
    EXPECT_EQ(r.exif.HasThumbnail, -1);
    EXPECT_EQ(r.thumbnail.Width(), 160);
    EXPECT_EQ(r.thumbnail.Height(), 120);
}

TEST(Container, JfifBeforeExifIsFoundByTheSecondWalk)
{
    JpegBuilder builder;
    builder.Jfif().Exif(CameraTiff(0).Build().bytes).Frame(100, 50);
    const Bytes jpeg = builder.Build();
    exiftest::ReadResult r = ReadMemory(jpeg, "a.jpeg");
    EXPECT_EQ(r.exif.Failed, 0);
    EXPECT_EQ(r.exif.ContainerKind, 1);
    EXPECT_EQ(r.exif.Width, 100);
    EXPECT_EQ(r.exif.Main.Model, "Canon PowerShot S40");
}

TEST(Container, JpegWithoutExifKeepsWhatTheWalkFound)
{
    JpegBuilder builder;
    builder.Jfif().Icc(Bytes(40, 1)).Icc(Bytes(30, 2)).Comment(std::string("a\0b", 3)).Frame(320, 200);
    const Bytes jpeg = builder.Build();
    exiftest::ReadResult r = ReadMemory(jpeg, "a.jpg");
    EXPECT_FALSE(r.raised);
    EXPECT_EQ(r.exif.Failed, 1);
    EXPECT_EQ(r.exif.ContainerKind, 0);
    EXPECT_EQ(r.exif.Width, 320);
    EXPECT_EQ(r.exif.Height, 200);
    // The second profile segment replaces the first.
    EXPECT_EQ(r.exif.IccOffset, static_cast<int32_t>(builder.SegmentDataOffset(2) + 14));
    EXPECT_EQ(r.exif.IccLength, 30);
    EXPECT_EQ(r.exif.Comment, "ab");
}

TEST(Container, PhotoshopSegmentIsLocated)
{
    // Found by both walks: behind a JFIF segment and behind a leading Exif segment.
    for (bool exifFirst : { false, true }) {
        JpegBuilder builder;
        if (exifFirst)
            builder.Exif(CameraTiff(0).Build().bytes).Photoshop(Bytes(20, 0));
        else
            builder.Jfif().Photoshop(Bytes(20, 0)).Exif(CameraTiff(0).Build().bytes);
        builder.Frame(8, 8);
        exiftest::ReadResult r = ReadMemory(builder.Build(), "a.jpg");
        EXPECT_EQ(r.exif.ContainerKind, 1);
        EXPECT_EQ(r.locator.Source, 0);
        EXPECT_EQ(r.locator.Offset, static_cast<int32_t>(builder.SegmentDataOffset(1) + 13));
        EXPECT_EQ(r.locator.Length, 2 + 14 + 20);
    }
}

TEST(Container, FifoIsNotWaitedFor)
{
    testsupport::TempDir dir;
    const std::string path = (dir.Path() / "pipe.jpg").string();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    metadata::TExifData exif;
    metadata::PhotoshopLocator locator;
    imaging::Bitmap thumbnail;
    metadata::ReadExifData(path, thumbnail, locator, exif);
    EXPECT_EQ(exif.Failed, 1);
}

TEST(Container, OnlyTheFirstHundredEntriesAreStored)
{
    TiffBuilder tiff = CameraTiff(40, 30);
    tiff.withExif = false;
    tiff.ifd0.Long(254, { 1 });
    for (int i = 0; i < 150; ++i)
        tiff.ifd0.Short(static_cast<uint16_t>(60000 + i), { static_cast<uint16_t>(i) });
    exiftest::ReadResult r = ReadMemory(tiff.Build().bytes, "a.tif");
    EXPECT_EQ(r.exif.Main.Count, 100);
    ASSERT_EQ(r.exif.Main.Items.size(), 100u);
    // The link behind all 150 entries still leads to the thumbnail directory.
    EXPECT_NE(r.exif.Main.NextOffset, 0);
    EXPECT_EQ(r.exif.HasThumbnail, -1);
    EXPECT_EQ(r.thumbnail.Width(), 40);
}

TEST(Container, LargeThumbnailIsFittedIntoTheBox)
{
    const Bytes jpeg = JpegBuilder().Exif(CameraTiff(320, 100).Build().bytes).Frame(8, 8).Build();
    exiftest::ReadResult r = ReadMemory(jpeg, "a.jpg");
    EXPECT_EQ(r.exif.HasThumbnail, -1);
    EXPECT_EQ(r.thumbnail.Width(), 160);
    EXPECT_EQ(r.thumbnail.Height(), 50);
}

TEST(Container, BrokenThumbnailLeavesNoThumbnail)
{
    TiffBuilder tiff = CameraTiff(0);
    tiff.thumbnailJpeg = Bytes(100, 0x55);
    exiftest::ReadResult r = ReadMemory(JpegBuilder().Exif(tiff.Build().bytes).Frame(8, 8).Build(), "a.jpg");
    EXPECT_FALSE(r.raised);
    EXPECT_EQ(r.exif.HasThumbnail, 0);
    EXPECT_EQ(r.exif.ContainerKind, 1);
}

TEST(Container, OlympusRawMarkAndTheTiffExtension)
{
    TiffBuilder tiff;
    tiff.magic = "RO";
    tiff.ifd0.Ascii(271, "OLYMPUS");
    const Bytes bytes = tiff.Build().bytes;
    exiftest::ReadResult orf = ReadMemory(bytes, "P1.ORF");
    EXPECT_FALSE(orf.raised);
    EXPECT_EQ(orf.exif.ContainerKind, 4);
    EXPECT_EQ(exiftest::ValueOf(orf.exif.Main.Items, 271), "OLYMPUS");
    // As .tif the header has no 42, 0 pair anywhere: the file is unreadable.
    EXPECT_TRUE(ReadMemory(bytes, "P1.tif").raised);
}

TEST(Container, TiffExtensionsAndByteOrders)
{
    for (bool little : { true, false }) {
        TiffBuilder tiff(little);
        tiff.ifd0.Short(256, { 300 }).Long(257, { 200 }).Ascii(272, "X");
        for (const char* name : { "a.tif", "a.TIFF", "a.NEF", "a.nsk", "a.orf" }) {
            exiftest::ReadResult r = ReadMemory(tiff.Build().bytes, name);
            EXPECT_EQ(r.exif.ContainerKind, 4) << name;
            EXPECT_EQ(r.exif.Main.Model, "X") << name;
        }
        exiftest::ReadResult r = ReadMemory(tiff.Build().bytes, "a.tif");
        EXPECT_EQ(r.exif.Width, 300);
        EXPECT_EQ(r.exif.Height, 200);
        // A .nef takes its size only from an Exif directory.
        EXPECT_EQ(ReadMemory(tiff.Build().bytes, "a.nef").exif.Width, 0);
    }
}

TEST(Container, JpegNamedTifIsNotTiff)
{
    const Bytes jpeg = JpegBuilder().Jfif().Frame(8, 8).Build();
    exiftest::ReadResult r = ReadMemory(jpeg, "a.tif");
    EXPECT_FALSE(r.raised);
    EXPECT_EQ(r.exif.Failed, 1);
    EXPECT_EQ(r.exif.ContainerKind, 0);
}

TEST(Container, TiffEpStandardIdAndExifPointer)
{
    struct Case {
        const char* name;
        bool withExif;
        int kind;
    };
    for (const Case& c : { Case { "a.tif", false, 10 }, Case { "a.nef", false, 10 }, Case { "a.nef", true, 1 },
             Case { "a.tif", true, 2 } }) {
        TiffBuilder tiff;
        tiff.ifd0.Byte(37398, { 1, 0, 0, 0 });
        tiff.withExif = c.withExif;
        tiff.exif.Short(37383, { 2 });
        exiftest::ReadResult r = ReadMemory(tiff.Build().bytes, c.name);
        EXPECT_EQ(r.exif.Main.Version, "EP1.0.0.0");
        EXPECT_EQ(r.exif.ContainerKind, c.kind) << c.name << " exif " << c.withExif;
    }
}

TEST(Container, OrientationGivesTheRotationHint)
{
    // 6 and 7 turn clockwise, 5 and 8 counter-clockwise, 3 and 4 half way round.
    const std::pair<uint16_t, int> cases[]
        = { { 1, 0 }, { 2, 0 }, { 3, 2 }, { 4, 2 }, { 5, 3 }, { 6, 1 }, { 7, 1 }, { 8, 3 }, { 9, 0 } };
    for (auto [orientation, hint] : cases) {
        TiffBuilder tiff;
        tiff.ifd0.Short(274, { orientation });
        EXPECT_EQ(exiftest::ReadTiff(tiff).exif.Main.RotationHint, hint) << orientation;
    }
}

TEST(Container, TiffLocatorsIccAndPhotoshopThumbnail)
{
    TiffBuilder tiff;
    tiff.ifd0.Short(256, { 10 }).Short(257, { 10 });
    tiff.ifd0.Undefined(34675, Bytes(64, 3));
    tiff.ifd0.Byte(34377, exiftest::PhotoshopThumbnailResources(exiftest::EncodeJpeg(80, 60)));
    const exiftest::BuiltTiff built = tiff.Build();
    exiftest::ReadResult r = ReadMemory(built.bytes, "a.tif");
    EXPECT_EQ(r.exif.IccOffset, static_cast<int32_t>(built.valueOffsets.at({ 0, 34675 })));
    EXPECT_EQ(r.exif.IccLength, 64);
    EXPECT_EQ(r.locator.Source, 1);
    EXPECT_EQ(r.locator.Offset, static_cast<int32_t>(built.valueOffsets.at({ 0, 34377 })));
    EXPECT_EQ(r.exif.HasThumbnail, -1);
    EXPECT_EQ(r.thumbnail.Width(), 80);

    TiffBuilder iptc;
    iptc.ifd0.Long(33723, { 1, 2, 3 });
    const exiftest::BuiltTiff builtIptc = iptc.Build();
    exiftest::ReadResult ri = ReadMemory(builtIptc.bytes, "a.tif");
    EXPECT_EQ(ri.locator.Source, 2);
    EXPECT_EQ(ri.locator.Offset, static_cast<int32_t>(builtIptc.valueOffsets.at({ 0, 33723 })));
    EXPECT_EQ(ri.locator.Length, 12);
}

TEST(Container, UncompressedRgbThumbnail)
{
    TiffBuilder tiff;
    tiff.ifd0.Short(256, { 1000 }).Short(257, { 800 });
    tiff.withIfd1 = true;
    Bytes strip;
    for (int i = 0; i < 32 * 16; ++i)
        strip.insert(strip.end(), { 255, 0, 0 }); // red
    tiff.ifd1.Long(254, { 1 })
        .Short(256, { 32 })
        .Short(257, { 16 })
        .Short(262, { 2 })
        .Short(279, { uint16_t(strip.size()) });
    tiff.ifd1.Raw(273, 4, 1, 0); // patched below
    exiftest::BuiltTiff built = tiff.Build();
    const uint32_t stripOffset = static_cast<uint32_t>(built.bytes.size());
    built.bytes.insert(built.bytes.end(), strip.begin(), strip.end());
    // Patch the StripOffsets field (the last entry of IFD1).
    const size_t field = built.ifd1Offset + 2 + 12 * 5 + 8;
    for (int i = 0; i < 4; ++i)
        built.bytes[field + i] = uint8_t(stripOffset >> (8 * i));
    exiftest::ReadResult r = ReadMemory(built.bytes, "a.tif");
    EXPECT_EQ(r.exif.HasThumbnail, -1);
    EXPECT_EQ(r.thumbnail.Width(), 160);
    EXPECT_EQ(r.thumbnail.Height(), 80);
    EXPECT_EQ(r.thumbnail.Row(40)[2], 255); // red stays red (blue, green, red order)
    EXPECT_EQ(r.thumbnail.Row(40)[0], 0);
    EXPECT_EQ(r.exif.Width, 1000); // the size is taken right after IFD0
}

TEST(Container, GpsDirectoryAndUnreadableDirectories)
{
    TiffBuilder tiff = CameraTiff(0);
    tiff.withGps = true;
    tiff.gps.Byte(0, { 2, 2, 0, 0 }).Ascii(1, "N").Rational(2, { { 35, 1 }, { 415, 10 }, { 0, 1 } });
    exiftest::ReadResult r = ReadMemory(JpegBuilder().Exif(tiff.Build().bytes).Frame(8, 8).Build(), "a.jpg");
    ASSERT_EQ(r.exif.Gps.Count, 3);
    EXPECT_EQ(r.exif.Gps.Items[1].Name, "緯度(N/S)");
    EXPECT_EQ(r.exif.Gps.Items[1].Value, "N");

    TiffBuilder badExif;
    badExif.ifd0.Raw(34665, 4, 1, 0x7FFFFFF0);
    exiftest::ReadResult re = ReadMemory(badExif.Build().bytes, "a.tif");
    EXPECT_FALSE(re.raised);
    EXPECT_EQ(re.exif.Exif.Count, -1);

    Bytes badIfd0 = { 'I', 'I', 42, 0, 0xF0, 0xFF, 0xFF, 0x0F, 0, 0, 0, 0, 0, 0, 0, 0 };
    exiftest::ReadResult ri = ReadMemory(badIfd0, "a.tif");
    EXPECT_FALSE(ri.raised);
    EXPECT_EQ(ri.exif.Main.Count, -1);
    EXPECT_EQ(ri.exif.ContainerKind, 99);
}

TEST(Container, MinoltaRawWithCompanionThumbnail)
{
    // MRM header block, a PRD block with the picture size, then the TIFF block.
    TiffBuilder tiff;
    tiff.ifd0.Ascii(271, "Minolta");
    const Bytes tiffBytes = tiff.Build().bytes;
    Bytes mrw = { 0, 'M', 'R', 'M', 0, 0, 0, 0 };
    Bytes prd = { 0, 'P', 'R', 'D', 0, 0, 0, 24 };
    prd.resize(prd.size() + 24, 0);
    prd[8 + 12] = 0x07; // image height 0x0780 = 1920
    prd[8 + 13] = 0x80;
    prd[8 + 14] = 0x0A; // image width 0x0A00 = 2560
    prd[8 + 15] = 0x00;
    Bytes ttw = { 0, 'T', 'T', 'W', 0, 0, uint8_t(tiffBytes.size() >> 8), uint8_t(tiffBytes.size()) };
    mrw.insert(mrw.end(), prd.begin(), prd.end());
    mrw.insert(mrw.end(), ttw.begin(), ttw.end());
    const uint32_t headerLength = static_cast<uint32_t>(mrw.size() - 8 + tiffBytes.size());
    mrw[6] = uint8_t(headerLength >> 8);
    mrw[7] = uint8_t(headerLength);
    mrw.insert(mrw.end(), tiffBytes.begin(), tiffBytes.end());

    testsupport::TempDir dir;
    testsupport::WriteFile(dir.Path() / "PICT0001.MRW", mrw);
    testsupport::WriteFile(dir.Path() / "PICT0001.THM", exiftest::EncodeJpeg(320, 240));
    metadata::TExifData exif;
    metadata::PhotoshopLocator locator;
    imaging::Bitmap thumbnail;
    metadata::ReadExifData((dir.Path() / "PICT0001.MRW").string(), thumbnail, locator, exif);
    EXPECT_EQ(exif.ContainerKind, 4);
    EXPECT_EQ(exif.Width, 2560);
    EXPECT_EQ(exif.Height, 1920);
    EXPECT_EQ(exiftest::ValueOf(exif.Main.Items, 271), "Minolta");
    EXPECT_EQ(exif.HasThumbnail, -1);
    EXPECT_EQ(thumbnail.Width(), 160);
    EXPECT_EQ(thumbnail.Height(), 120);
}

TEST(Container, MissingFileFails)
{
    metadata::TExifData exif;
    metadata::PhotoshopLocator locator;
    imaging::Bitmap thumbnail;
    metadata::ReadExifData("/nonexistent/file.jpg", thumbnail, locator, exif);
    EXPECT_EQ(exif.Failed, 1);
    EXPECT_EQ(exif.FileName, "/nonexistent/file.jpg");
}

TEST(Container, ValueTextLookupOrder)
{
    metadata::TExifData exif;
    exif.Main.Items = { { 271, "m", "main" }, { 7, "x", "main7" } };
    exif.Maker.Items = { { 7, "x", "maker7" }, { 0x80004, "y", "maker" } };
    exif.Exif.Items = { { 33434, "e", "exif" } };
    EXPECT_EQ(metadata::GetExifValueText(33434, exif), "exif");
    EXPECT_EQ(metadata::GetExifValueText(7, exif), "maker7");
    EXPECT_EQ(metadata::GetExifValueText(0x80004, exif), "maker");
    EXPECT_EQ(metadata::GetExifValueText(271, exif), "main");
    EXPECT_EQ(metadata::GetExifValueText(1, exif), "");
}

} // namespace
