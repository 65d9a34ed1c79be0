// Photoshop resources, IPTC records and the JIS conversions, over byte fixtures in memory.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "metadata/ExifBuilder.h"
#include "metadata/FileReader.h"
#include "metadata/JisConvert.h"
#include "metadata/PhotoshopResources.h"
#include "metadata/ReadFixture.h"
#include "support/TestSupport.h"

namespace {

using exiftest::Bytes;
using metadata::TMakerResult;

void Append(Bytes& out, const std::string& text)
{
    out.insert(out.end(), text.begin(), text.end());
}
void U16(Bytes& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}
void U32(Bytes& out, uint32_t v)
{
    U16(out, v >> 16);
    U16(out, v & 0xFFFF);
}

// One resource in the length-prefixed layout (name padded to even, data padded to even).
void PascalResource(Bytes& out, uint16_t id, const std::string& name, const Bytes& data, const char* sig = "8BIM")
{
    Append(out, sig);
    U16(out, id);
    out.push_back(static_cast<uint8_t>(name.size()));
    Append(out, name);
    if (name.size() % 2 == 0)
        out.push_back(0);
    U32(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 == 1)
        out.push_back(0);
}

// One IPTC record with the short length form.
void Record(Bytes& out, uint8_t record, uint8_t dataset, const std::string& data)
{
    out.push_back(0x1C);
    out.push_back(record);
    out.push_back(dataset);
    U16(out, static_cast<uint32_t>(data.size()));
    Append(out, data);
}

TMakerResult Resources(const Bytes& bytes, int64_t start, int64_t length)
{
    metadata::FileReader file(bytes.data(), bytes.size());
    TMakerResult r;
    metadata::ReadPhotoshopResources(file, false, start, r, length);
    return r;
}

TMakerResult Iptc(const Bytes& bytes)
{
    metadata::FileReader file(bytes.data(), bytes.size());
    TMakerResult r;
    metadata::ReadIptcRecords(file, false, 0, r, static_cast<int64_t>(bytes.size()));
    return r;
}

TEST(JisConvert, PairsAndTexts)
{
    EXPECT_EQ(metadata::JisPairToShiftJis(0x30, 0x21), std::make_pair(uint8_t(0x88), uint8_t(0x9F)));
    EXPECT_EQ(metadata::JisPairToShiftJis(0x46, 0x7C), std::make_pair(uint8_t(0x93), uint8_t(0xFA))); // 日
    EXPECT_EQ(metadata::JisPairToShiftJis(0x4B, 0x5C), std::make_pair(uint8_t(0x96), uint8_t(0x7B))); // 本
    EXPECT_EQ(metadata::JisPairToShiftJis(0x24, 0x22), std::make_pair(uint8_t(0x82), uint8_t(0xA0))); // あ
    EXPECT_EQ(metadata::JisPairToShiftJis(0x60, 0x60), std::make_pair(uint8_t(0xE0), uint8_t(0xDE))); // row above 94

    struct Case {
        std::string in, out;
    };
    const std::vector<Case> jis = {
        { "\x1B$B\x30\x21\x1B(BA",
            "\x88\x9F"
            "A" },
        { "\x1B$@F|K\\", "\x93\xFA\x96\x7B" }, // the older double-byte sequence, left open
        { "\x93\xFA\x96\x7B", "\x93\xFA\x96\x7B" }, // Shift-JIS under a JIS label is copied
        { "ab\x1B", "ab" }, // escape at the very end
        { "ab\x1B$", "ab" }, { "\x1B$BF|K", "\x93\xFA" }, // odd byte in double-byte mode dropped
        { "\x1B&@x", "x" }, // unknown sequence keeps the mode
    };
    for (const Case& c : jis)
        EXPECT_EQ(metadata::JisToShiftJis(c.in), c.out) << c.in;

    const std::vector<Case> iptc = {
        { std::string("\x0E\x30\x21\x0F", 4), "\x88\x9F" },
        { std::string("a\0b", 3), "ab" },
        { std::string("\x0E\x30\x21\x46", 4), "\x88\x9F" }, // trailing half pair dropped
        { std::string("\x0E", 1), "" },
        { std::string("x\x0E\x46\x7C\x0Fy", 6), "x\x93\xFAy" },
    };
    for (const Case& c : iptc)
        EXPECT_EQ(metadata::DecodeIptcText(c.in), c.out);
}

TEST(PhotoshopResources, LengthPrefixedLayoutAsInJpeg)
{
    Bytes block = { 0 }; // the NUL that ends "Photoshop 3.0"
    Bytes thumb;
    U32(thumb, 1); // JFIF format
    thumb.resize(40, 0xAA);
    PascalResource(block, 1036, "", thumb);
    PascalResource(block, 1060, "", { 1, 2, 3 }); // no table name: hexadecimal id
    PascalResource(block, 1005, "Own", { 9 }); // a name of its own wins over the table
    PascalResource(block, 1030, "", { 0, 0, 0, 1, 0x00, 0x01, 0x01, 0x00 });
    PascalResource(block, 1030, "", { 0, 0, 0, 1 }); // too short for the quality word
    PascalResource(block, 1001, "", {}, "MeSa"); // another signature: walked over, no item
    Bytes iptc;
    Record(iptc, 2, 25, "key");
    const size_t iptcAt = block.size() + 4 + 2 + 2 + 4;
    PascalResource(block, 1028, "", iptc);

    const TMakerResult r = Resources(block, 0, static_cast<int64_t>(block.size()));
    ASSERT_EQ(r.Count, 6);
    const std::vector<std::pair<std::string, std::string>> expected = {
        { "ThumbnailResource", "JPEG形式 (Offset:41 Size:40)" },
        { "424", "4Byte" }, // size rounded up to even
        { "Own", "2Byte" },
        { "JPEG quality", "00010100" },
        { "JPEG quality", "" },
        { "IPTC-NAA", "8Byte" },
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(r.Items[i].Name, expected[i].first) << i;
        EXPECT_EQ(r.Items[i].Value, expected[i].second) << i;
    }
    EXPECT_EQ(r.Items[0].Key, 1036);
    EXPECT_EQ(r.IptcBlockOffset, static_cast<int32_t>(iptcAt));
    EXPECT_EQ(r.IptcBlockLength, 8); // iptc (8 bytes) is even already
}

TEST(PhotoshopResources, NulTerminatedLayoutAsInTiff)
{
    Bytes block;
    Append(block, "8BIM");
    U16(block, 1039);
    block.push_back(0);
    block.push_back(0); // empty name: two NULs consumed whole
    U32(block, 3); // odd size used as stored
    Append(block, "abc");
    Append(block, "8BIM");
    U16(block, 2999);
    block.push_back(0);
    block.push_back(0);
    U32(block, 0);
    const TMakerResult r = Resources(block, 0, static_cast<int64_t>(block.size()));
    ASSERT_EQ(r.Count, 2);
    EXPECT_EQ(r.Items[0].Name, "ICC Profile");
    EXPECT_EQ(r.Items[0].Value, "3Byte");
    EXPECT_EQ(r.Items[1].Name, "Name of clipping path");
}

TEST(PhotoshopResources, DamagedBlocksEndTheWalk)
{
    // A size that would wrap a 32-bit position back to the start: the walk stops instead of looping.
    Bytes wrap = { 0 };
    PascalResource(wrap, 1005, "", { 1, 2 });
    Append(wrap, "8BIM");
    U16(wrap, 1011);
    U16(wrap, 0);
    U32(wrap, 0xFFFFFFF0u);
    wrap.resize(wrap.size() + 32, 0);
    TMakerResult r = Resources(wrap, 0, static_cast<int64_t>(wrap.size()));
    EXPECT_EQ(r.Count, 1);

    // A block cut short inside a resource, and a locator beyond the data.
    Bytes cut = { 0 };
    PascalResource(cut, 1005, "", { 1, 2 });
    Append(cut, "8BIM\x04");
    r = Resources(cut, 0, 1000);
    EXPECT_EQ(r.Count, 1);
    EXPECT_EQ(Resources(cut, 5000, 100).Count, 0);

    // More than 101 resources: the rest are read past without being stored.
    Bytes many = { 0 };
    for (int i = 0; i < 150; ++i)
        PascalResource(many, 1005, "", {});
    EXPECT_EQ(Resources(many, 0, static_cast<int64_t>(many.size())).Count, 101);
}

TEST(IptcRecords, NamesValuesAndTexts)
{
    Bytes b;
    Record(b, 1, 0, std::string("\x00\x04", 2));
    Record(b, 1, 30, std::string("svc\0", 4));
    Record(b, 1, 99, "x");
    Record(b, 2, 0, std::string("\x00\x02", 2));
    Record(b, 2, 25, std::string("\x0E\x30\x21\x0F", 4));
    Record(b, 2, 120, "\x93\xFA\x96\x7B"); // Shift-JIS
    Record(b, 2, 218, "odd");
    Record(b, 3, 10, "z");
    b.push_back(0x1D); // a record with another marker: walked over
    b.push_back(2);
    b.push_back(80);
    U16(b, 2);
    Append(b, "no");
    Record(b, 2, 80, "撮影者名"); // UTF-8 bytes stay UTF-8
    const TMakerResult r = Iptc(b);
    struct Row {
        int key;
        const char* name;
        const char* value;
    };
    const std::vector<Row> rows = {
        { 256, "モデルバージョン", "0004" },
        { 286, "サービスID", "svc" },
        { 355, "Unkown(99)", "" },
        { 512, "レコードバージョン", "0002" },
        { 537, "キーワード", "亜" },
        { 632, "キャプション", "日本" },
        { 730, "2,218", "odd" },
        { 778, "", "" },
        { 592, "撮影者", "撮影者名" },
    };
    ASSERT_EQ(r.Items.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(r.Items[i].Key, rows[i].key) << i;
        EXPECT_EQ(r.Items[i].Name, rows[i].name) << i;
        EXPECT_EQ(r.Items[i].Value, rows[i].value) << i;
    }
}

TEST(IptcRecords, Utf8DeclarationExtendedLengthAndTruncation)
{
    Bytes b;
    Record(b, 1, 90, "\x1B%G");
    // Bytes that are also valid Shift-JIS double-byte pairs must not be read as such.
    Record(b, 2, 105, "\xE6\x97\xA5");
    // An extended-length record: 0x8004 says four bytes hold the length.
    b.push_back(0x1C);
    b.push_back(2);
    b.push_back(202);
    U16(b, 0x8004);
    U32(b, 5);
    Append(b, "12345");
    Record(b, 2, 25, "after");
    TMakerResult r = Iptc(b);
    ASSERT_EQ(r.Count, 4);
    EXPECT_EQ(r.Items[0].Value, "1B2547");
    EXPECT_EQ(r.Items[1].Value, "日");
    EXPECT_EQ(r.Items[2].Key, 2 * 256 + 202);
    EXPECT_EQ(r.Items[2].Value, "12345");
    EXPECT_EQ(r.Items[3].Value, "after");

    // A record whose data run past the end: the walk ends with what it has.
    Bytes cut;
    Record(cut, 2, 5, "title");
    cut.push_back(0x1C);
    cut.push_back(2);
    cut.push_back(120);
    U16(cut, 200);
    Append(cut, "short");
    r = Iptc(cut);
    ASSERT_EQ(r.Count, 1);
    EXPECT_EQ(r.Items[0].Value, "title");
}

TEST(PhotoshopData, JpegApp13ThroughTheLocator)
{
    Bytes resources;
    Bytes iptc;
    Record(iptc, 2, 25, "k");
    PascalResource(resources, 1028, "", iptc);
    const Bytes jpeg = exiftest::JpegBuilder().Jfif().Photoshop(resources).Frame(8, 8).Build();
    testsupport::TempDir dir;
    const std::string path = (dir.Path() / "a.jpg").string();
    testsupport::WriteFile(path, jpeg);
    exiftest::ReadResult read = exiftest::ReadFileBytes(jpeg, "a.jpg");
    ASSERT_NE(read.locator.Offset, 0);
    const metadata::TPhotoshopData data = metadata::ReadPhotoshopData(path, read.locator);
    EXPECT_TRUE(data.Opened);
    ASSERT_EQ(data.Resources.Count, 1);
    ASSERT_EQ(data.Iptc.Count, 1);
    EXPECT_EQ(data.Iptc.Items[0].Value, "k");
    EXPECT_FALSE(metadata::ReadPhotoshopData((dir.Path() / "gone.jpg").string(), read.locator).Opened);
}

} // namespace
