// Files that lie: truncated, counts and offsets out of the file, loops among
// directories, invalid texts. The reader must stay inside the file, finish,
// and report only ExifReadError.
#include <gtest/gtest.h>

#include <chrono>

#include "metadata/ReadFixture.h"
#include "metadata/TextDecode.h"
#include "metadata/ValueText.h"
#include "support/TestSupport.h"

namespace {

using exiftest::Bytes;
using exiftest::ReadMemory;
using exiftest::TiffBuilder;

void ExpectValidTexts(const metadata::TExifData& exif)
{
    for (const auto* items : { &exif.Main.Items, &exif.Exif.Items, &exif.Gps.Items, &exif.Maker.Items })
        for (const metadata::TIFDItem& item : *items) {
            EXPECT_TRUE(metadata::IsValidUtf8(item.Name)) << item.Key;
            EXPECT_TRUE(metadata::IsValidUtf8(item.Value)) << item.Key;
        }
    EXPECT_TRUE(metadata::IsValidUtf8(exif.Comment));
}

Bytes RichJpeg()
{
    TiffBuilder tiff;
    tiff.ifd0.Ascii(271, "NIKON").Ascii(272, "E5700").Short(274, { 6 });
    tiff.withExif = true;
    tiff.exif.Rational(33434, { { 1, 125 } })
        .Undefined(36864, exiftest::ToBytes("0220"))
        .Undefined(37510, exiftest::ToBytes(std::string("UNICODE\0a\0b\0", 12)))
        .Undefined(37500, exiftest::ToBytes(std::string("Nikon\0\x02\x10\0\0", 10) + std::string(40, '\x05')));
    tiff.withGps = true;
    tiff.gps.Ascii(1, "N").Rational(2, { { 35, 1 }, { 41, 1 }, { 30, 1 } });
    tiff.thumbnailJpeg = exiftest::EncodeJpeg(16, 16);
    return exiftest::JpegBuilder().Exif(tiff.Build().bytes).Icc(Bytes(20, 1)).Comment("c").Frame(64, 48).Build();
}

TEST(BadInput, TruncatedAtEveryByte)
{
    const Bytes jpeg = RichJpeg();
    TiffBuilder tiff;
    tiff.ifd0.Short(256, { 10 }).Short(257, { 10 }).Ascii(305, "software").Byte(34377, Bytes(30, 0x38));
    tiff.withExif = true;
    tiff.exif.Rational(33437, { { 28, 10 } });
    tiff.thumbnailJpeg = exiftest::EncodeJpeg(8, 8);
    tiff.ifd1.Long(254, { 1 });
    const Bytes tif = tiff.Build().bytes;
    for (const auto& [bytes, names] : { std::pair { jpeg, std::vector<std::string> { "a.jpg", "a.mrw" } },
             std::pair { tif, std::vector<std::string> { "a.tif", "a.orf", "a.jpg" } } }) {
        for (const std::string& name : names)
            for (size_t size = 0; size <= bytes.size(); ++size) {
                const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<long>(size));
                exiftest::ReadResult r = ReadMemory(prefix, name);
                ExpectValidTexts(r.exif);
                if (size == bytes.size()) {
                    EXPECT_FALSE(r.raised) << name;
                }
            }
    }
}

TEST(BadInput, CountsOfFourBillionAndOffsetsOutOfTheFile)
{
    TiffBuilder tiff;
    for (uint16_t type = 1; type <= 12; ++type) {
        tiff.ifd0.Raw(static_cast<uint16_t>(1000 + type), type, 0xFFFFFFFF, 16);
        tiff.ifd0.Raw(static_cast<uint16_t>(2000 + type), type, 3, 0xFFFFFFF0);
    }
    for (uint16_t tag : { 33434, 37510, 37500, 37121, 34377, 33723, 34675, 273, 279, 530, 513 })
        tiff.ifd0.Raw(tag, tag == 37500 || tag == 37510 || tag == 37121 || tag == 34675 ? 7 : 4, 0xFFFFFFFF, 8);
    tiff.withExif = true;
    tiff.exif.Raw(37500, 7, 0xFFFFFFFF, 8).Raw(36864, 7, 0xFFFFFFFF, 0xFFFFFFFF);
    tiff.withGps = true;
    tiff.gps.Raw(2, 5, 0xFFFFFFFF, 8).Raw(7, 5, 3, 0xFFFFFF00).Raw(1, 2, 0xFFFFFFFF, 8);
    exiftest::ReadResult r = ReadMemory(tiff.Build().bytes, "a.tif");
    EXPECT_FALSE(r.raised);
    EXPECT_EQ(r.exif.Main.Count, static_cast<int32_t>(tiff.ifd0.entries.size() + 2));
    for (const metadata::TIFDItem& item : r.exif.Main.Items)
        if (item.Key > 1000 && item.Key < 3000) {
            EXPECT_LE(item.Value.size(), 16u) << item.Key; // an unreadable value gives no (or a count) text
        }
    EXPECT_EQ(r.exif.Gps.Count, 3);
    EXPECT_EQ(r.locator.Source, 0);
    EXPECT_EQ(r.exif.IccOffset, 0);
}

TEST(BadInput, DirectoriesThatPointBackDoNotLoop)
{
    TiffBuilder tiff;
    tiff.ifd0.Ascii(272, "loop").Raw(34665, 4, 1, 8).Raw(34853, 4, 1, 8).Long(254, { 1 });
    exiftest::BuiltTiff built = tiff.Build();
    // IFD0's link to the next directory points at IFD0 itself.
    const size_t link = 8 + 2 + 12 * tiff.ifd0.entries.size();
    built.bytes[link] = 8;
    for (const char* name : { "a.tif", "a.nef" }) {
        exiftest::ReadResult r = ReadMemory(built.bytes, name);
        EXPECT_FALSE(r.raised);
        EXPECT_EQ(r.exif.Main.NextOffset, 8);
        EXPECT_EQ(r.exif.Exif.Count, r.exif.Main.Count);
        EXPECT_EQ(r.exif.Gps.Count, r.exif.Main.Count);
    }
}

TEST(BadInput, EntryTableBeyondTheFileRaises)
{
    Bytes bytes = { 'I', 'I', 42, 0, 8, 0, 0, 0, 0xFF, 0xFF, 1, 1, 3, 0, 1, 0, 0, 0, 5, 0, 0, 0 };
    EXPECT_TRUE(ReadMemory(bytes, "a.tif").raised);
    // The file ends right behind the byte-order mark scan.
    EXPECT_TRUE(ReadMemory(Bytes { 'I', 'I', 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14 }, "a.tif").raised);
}

// Files too short to hold any metadata fail quietly, whatever their name.
TEST(BadInput, FilesShorterThanTheRecognitionFailWithoutRaising)
{
    const Bytes tiffStart = { 'I', 'I', 42, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0 };
    const std::pair<Bytes, const char*> cases[] = {
        { {}, "a.jpg" },
        { { 0xFF, 0xD8, 0xFF }, "a.jpg" },
        { { 0xFF, 0xD8, 0xFF, 0xE1, 0, 8, 'E', 'x', 'i', 'f', 0, 0, 'I' }, "a.jpg" },
        { tiffStart, "a.tif" },
        { Bytes(tiffStart.begin(), tiffStart.begin() + 8), "a.nef" },
        { { 'M', 'R', 'M', 0 }, "a.mrw" },
    };
    for (const auto& [bytes, name] : cases) {
        SCOPED_TRACE(std::to_string(bytes.size()) + " bytes as " + name);
        for (const exiftest::ReadResult& r : { ReadMemory(bytes, name), exiftest::ReadFileBytes(bytes, name) }) {
            EXPECT_FALSE(r.raised);
            EXPECT_EQ(r.exif.Failed, 1);
            EXPECT_EQ(r.exif.ContainerKind, 0);
        }
    }
}

TEST(BadInput, JpegSegmentsThatDoNotAdvance)
{
    for (uint8_t length : { 0, 1 }) {
        Bytes jpeg = { 0xFF, 0xD8, 0xFF, 0xE0, 0, length, 'J', 'F', 'I', 'X', 0, 0, 0, 0, 0, 0 };
        exiftest::ReadResult r = ReadMemory(jpeg, "a.jpg");
        EXPECT_FALSE(r.raised);
        EXPECT_EQ(r.exif.Failed, 1);
    }
}

TEST(BadInput, LongArraysAreCut)
{
    TiffBuilder tiff;
    tiff.ifd0.Byte(700, Bytes(200000, 0xAB)).Short(701, std::vector<uint16_t>(100000, 65535));
    exiftest::ReadResult r = exiftest::ReadTiff(tiff);
    ASSERT_EQ(r.exif.Main.Count, 2);
    for (const metadata::TIFDItem& item : r.exif.Main.Items) {
        EXPECT_LE(item.Value.size(), metadata::kMaxValueText + 16);
        EXPECT_EQ(item.Value.substr(item.Value.size() - 3), "…");
    }
}

TEST(BadInput, ThumbnailsThatLie)
{
    // An RGB thumbnail of 65535 × 65535 pixels in a strip of a few bytes.
    TiffBuilder rgb;
    rgb.withIfd1 = true;
    rgb.ifd1.Long(254, { 1 })
        .Long(256, { 65535 })
        .Long(257, { 65535 })
        .Short(262, { 2 })
        .Long(273, { 8 })
        .Long(279, { 0xFFFFFFF0 });
    exiftest::ReadResult r = exiftest::ReadTiff(rgb);
    EXPECT_FALSE(r.raised);
    EXPECT_EQ(r.exif.HasThumbnail, 0);

    // A JPEG thumbnail length far beyond the file.
    TiffBuilder jpeg;
    jpeg.ifd0.Long(254, { 1 });
    jpeg.withIfd1 = true;
    jpeg.ifd1.Long(513, { 8 }).Long(514, { 0xFFFFFF00 });
    EXPECT_EQ(exiftest::ReadTiff(jpeg).exif.HasThumbnail, 0);

    // Photoshop resources whose sizes run past their block.
    TiffBuilder photoshop;
    Bytes resources = { '8', 'B', 'I', 'M', 0x04, 0x0C, 0, 0, 0xFF, 0xFF, 0xFF, 0xF0, 0, 0, 0, 1 };
    resources.resize(64, 0);
    photoshop.ifd0.Byte(34377, resources);
    exiftest::ReadResult rp = exiftest::ReadTiff(photoshop);
    EXPECT_FALSE(rp.raised);
    EXPECT_EQ(rp.exif.HasThumbnail, 0);
    EXPECT_EQ(rp.locator.Source, 1);
}

// A small real JPEG stream whose frame header is changed to declare width × height.
Bytes JpegDeclaring(int width, int height)
{
    Bytes jpeg = exiftest::EncodeJpeg(16, 16);
    for (size_t pos = 2; pos + 9 < jpeg.size(); pos += 2 + ((jpeg[pos + 2] << 8) | jpeg[pos + 3])) {
        if (jpeg[pos + 1] >= 0xC0 && jpeg[pos + 1] <= 0xC2) {
            jpeg[pos + 5] = uint8_t(height >> 8), jpeg[pos + 6] = uint8_t(height);
            jpeg[pos + 7] = uint8_t(width >> 8), jpeg[pos + 8] = uint8_t(width);
            return jpeg;
        }
    }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

// A file of a few hundred bytes whose embedded thumbnail declares 30000 × 30000
// pixels is read at once in little memory, with a thumbnail within the box or none.
TEST(BadInput, ThumbnailsThatDeclareAHugePicture)
{
    const Bytes huge = JpegDeclaring(30000, 30000);
    TiffBuilder exif;
    exif.ifd0.Short(274, { 1 });
    exif.thumbnailJpeg = huge;
    TiffBuilder photoshop;
    photoshop.ifd0.Byte(34377, exiftest::PhotoshopThumbnailResources(huge));
    const struct {
        const char* name;
        Bytes bytes;
        const char* file;
    } cases[] = {
        { "IFD1 of a JPEG", exiftest::JpegBuilder().Exif(exif.Build().bytes).Frame(8, 8).Build(), "a.jpg" },
        { "Photoshop resource of a TIFF", photoshop.Build().bytes, "a.tif" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const uint64_t before = testsupport::PeakMemoryBytes();
        const auto start = std::chrono::steady_clock::now();
        exiftest::ReadResult r = ReadMemory(c.bytes, c.file);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_FALSE(r.raised);
        EXPECT_LT(testsupport::PeakMemoryBytes() - before, 64u << 20);
        EXPECT_LT(seconds, 5.0);
        EXPECT_LE(r.thumbnail.Width(), 160);
        EXPECT_LE(r.thumbnail.Height(), 160);
        EXPECT_EQ(r.exif.HasThumbnail != 0, !r.thumbnail.Empty());
    }
}

TEST(BadInput, InvalidTextBytesBecomeValidUtf8)
{
    TiffBuilder tiff;
    tiff.ifd0.Ascii(271, "\xff\xfe\x80ok")
        .Ascii(270, "\x82\xa0\x82")
        .Undefined(37500, exiftest::ToBytes("\xff\xc0\x80\x00zzzz"));
    tiff.withExif = true;
    tiff.exif.Undefined(37510, exiftest::ToBytes(std::string("UNICODE\0\x00\xD8\x41\x00", 12)));
    const Bytes jpeg
        = exiftest::JpegBuilder().Exif(tiff.Build().bytes).Comment("\xff\xfe bad \x01").Frame(8, 8).Build();
    exiftest::ReadResult r = ReadMemory(jpeg, "a.jpg");
    EXPECT_FALSE(r.raised);
    ExpectValidTexts(r.exif);
    EXPECT_EQ(exiftest::ValueOf(r.exif.Exif.Items, 37510),
        "\xEF\xBF\xBD"
        "A"); // a lone surrogate, then "A"
}

} // namespace
