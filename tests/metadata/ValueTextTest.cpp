// Names and value texts of TIFF and Exif entries, one fixture directory per case.
#include <functional>
#include <limits>

#include <gtest/gtest.h>

#include "metadata/ReadFixture.h"

namespace {

using exiftest::Bytes;
using exiftest::Ifd;
using exiftest::TiffBuilder;

struct TextCase {
    const char* what;
    std::function<void(Ifd&)> add;
    const char* value;
    bool bigEndian = false;
};

std::string ReadOneValue(const TextCase& c)
{
    TiffBuilder tiff(!c.bigEndian);
    c.add(tiff.ifd0);
    exiftest::ReadResult r = exiftest::ReadTiff(tiff);
    EXPECT_FALSE(r.raised) << c.what;
    return r.exif.Main.Items.empty() ? "<no item>" : r.exif.Main.Items[0].Value;
}

TEST(ValueText, TagRulesAndGenericTypes)
{
    using P = std::pair<uint32_t, uint32_t>;
    using S = std::pair<int32_t, int32_t>;
    const std::vector<TextCase> cases = {
        { "exposure 1/250",
            [](Ifd& d) {
                d.Rational(33434, { P { 1, 250 } });
            },
            "1/250秒" },
        { "exposure 2/1",
            [](Ifd& d) {
                d.Rational(33434, { P { 2, 1 } });
            },
            "2.00秒" },
        { "exposure d=0",
            [](Ifd& d) {
                d.Rational(33434, { P { 1, 0 } });
            },
            "不明" },
        { "exposure d=all bits",
            [](Ifd& d) {
                d.Rational(33434, { P { 1, 0xFFFFFFFF } });
            },
            "不明" },
        { "exposure rounding half to even",
            [](Ifd& d) {
                d.Rational(33434, { P { 2, 5 } });
            },
            "1/2秒" },
        { "exposure 0/10 divides by zero",
            [](Ifd& d) {
                d.Rational(33434, { P { 0, 10 } });
            },
            "" },
        { "shutter 8",
            [](Ifd& d) {
                d.SRational(37377, { S { 8, 1 } });
            },
            "1/256秒" },
        { "shutter -1",
            [](Ifd& d) {
                d.SRational(37377, { S { -1, 1 } });
            },
            "2.00秒" },
        { "shutter beyond any number",
            [](Ifd& d) {
                d.SRational(37377, { S { 2147483647, 1 } });
            },
            "" },
        { "shutter overflowing the other way",
            [](Ifd& d) {
                d.SRational(37377, { S { -2147483647 - 1, 1 } });
            },
            "" },
        { "aperture beyond any number",
            [](Ifd& d) {
                d.Rational(37378, { P { 4294967295u, 1 } });
            },
            "" },
        { "max aperture beyond any number",
            [](Ifd& d) {
                d.Rational(37381, { P { 4294967295u, 1 } });
            },
            "" },
        { "aperture 3",
            [](Ifd& d) {
                d.Rational(37378, { P { 3, 1 } });
            },
            "F2.8" },
        { "max aperture 4",
            [](Ifd& d) {
                d.Rational(37381, { P { 4, 1 } });
            },
            "F4.0" },
        { "f-number 28/10",
            [](Ifd& d) {
                d.Rational(33437, { P { 28, 10 } });
            },
            "F2.8" },
        { "f-number zero denominator",
            [](Ifd& d) {
                d.Rational(33437, { P { 28, 0 } });
            },
            "" },
        { "bias -2/3",
            [](Ifd& d) {
                d.SRational(37380, { S { -2, 3 } });
            },
            "EV-0.7" },
        { "bias 0/1",
            [](Ifd& d) {
                d.SRational(37380, { S { 0, 1 } });
            },
            "EV0.0" },
        { "brightness 1/2",
            [](Ifd& d) {
                d.SRational(37379, { S { 1, 2 } });
            },
            "EV0.5" },
        { "focal length 78/10",
            [](Ifd& d) {
                d.Rational(37386, { P { 78, 10 } });
            },
            "7.80(mm)" },
        { "focal length d=0",
            [](Ifd& d) {
                d.Rational(37386, { P { 78, 0 } });
            },
            "不明" },
        { "subject distance infinity",
            [](Ifd& d) {
                d.Rational(37382, { P { 0xFFFFFFFF, 1 } });
            },
            "無限遠" },
        { "subject distance unknown",
            [](Ifd& d) {
                d.Rational(37382, { P { 0, 1 } });
            },
            "不明" },
        { "subject distance 3/2",
            [](Ifd& d) {
                d.Rational(37382, { P { 3, 2 } });
            },
            "1.500000(m)" },
        { "compressed bits",
            [](Ifd& d) {
                d.Rational(37122, { P { 5, 1 } });
            },
            "5/1 (bit/pixel)" },
        { "flash 89", [](Ifd& d) { d.Short(37385, { 89 }); }, "発光(自動・赤目軽減)" },
        { "flash 2", [](Ifd& d) { d.Short(37385, { 2 }); }, "Unknown(2)" },
        { "exposure program 9", [](Ifd& d) { d.Short(34850, { 9 }); }, "不明(9)" },
        { "compression 8", [](Ifd& d) { d.Short(259, { 8 }); }, "Unknown (8)" },
        { "light source D65", [](Ifd& d) { d.Short(37384, { 21 }); }, "D65" },
        { "orientation 6", [](Ifd& d) { d.Short(274, { 6 }); }, "右下" },
        { "colour space", [](Ifd& d) { d.Short(40961, { 65535 }); }, "sRGB以外" },
        { "sensing method 41495", [](Ifd& d) { d.Short(41495, { 2 }); }, "１チップカラーエリアセンサー" },
        { "subsampling 4:2:2",
            [](Ifd& d) {
                d.Short(530, { 2, 1 });
            },
            "YCbCr 4:2:2" },
        { "subsampling 4:2:0",
            [](Ifd& d) {
                d.Short(530, { 2, 2 });
            },
            "YCbCr 4:2:0" },
        { "subsampling other",
            [](Ifd& d) {
                d.Short(530, { 1, 1 });
            },
            "1,1" },
        { "enumeration read big-endian", [](Ifd& d) { d.Short(296, { 3 }); }, "センチメートル", true },
        { "generic SHORT list",
            [](Ifd& d) {
                d.Short(258, { 8, 8, 65535 });
            },
            "8,8,65535" },
        { "generic LONG, unsigned",
            [](Ifd& d) {
                d.Long(278, { 4294967295u, 7 });
            },
            "4294967295,7" },
        { "rational list",
            [](Ifd& d) {
                d.Rational(282, { P { 100000, 1 }, P { 2, 3 }, P { 70000, 10 } });
            },
            "100000/1,2/3,70000/10" },
        { "srational list",
            [](Ifd& d) {
                d.SRational(9999, { S { -1, 3 }, S { 2, -5 } });
            },
            "-1/3,2/-5" },
        { "generic BYTE as hex",
            [](Ifd& d) {
                d.Byte(700, { 0x0A, 0xFF, 0x00 });
            },
            "0AFF00" },
        { "generic UNDEFINED", [](Ifd& d) { d.Undefined(41484, Bytes(9, 1)); }, "9 Bytes" },
        { "DOUBLE",
            [](Ifd& d) {
                d.Double(9000, { 41.5, 0.001 });
            },
            "41.5,0.001" },
        { "DOUBLE big-endian", [](Ifd& d) { d.Double(9000, { 35 }); }, "35", true },
        { "DOUBLE not a number",
            [](Ifd& d) {
                d.Double(9000, { 1, std::numeric_limits<double>::quiet_NaN() });
            },
            "" },
        { "DOUBLE infinite", [](Ifd& d) { d.Double(9000, { -std::numeric_limits<double>::infinity() }); }, "" },
        { "SSHORT is not shown",
            [](Ifd& d) {
                d.Add(9001, 8, 1, Bytes { 1, 0 });
            },
            "" },
        { "ASCII trimmed", [](Ifd& d) { d.Ascii(271, "Canon   \0\0", false); }, "Canon" },
        { "ASCII ends at its NUL", [](Ifd& d) { d.Ascii(272, std::string("ION230\0F", 8), false); }, "ION230" },
        { "ASCII exactly 4 bytes lies in the entry", [](Ifd& d) { d.Ascii(305, "abc"); }, "abc" },
        { "ASCII of 5 bytes lies at the offset", [](Ifd& d) { d.Ascii(305, "abcd"); }, "abcd" },
        { "ASCII in CP932", [](Ifd& d) { d.Ascii(270, "\x93\xfa\x96\x7b"); }, "日本" },
        { "ASCII in UTF-8", [](Ifd& d) { d.Ascii(270, "日本"); }, "日本" },
        { "StandardID",
            [](Ifd& d) {
                d.Byte(37398, { 1, 0, 0, 0 });
            },
            "1.0.0.0" },
        { "Kodak effects offset", [](Ifd& d) { d.Long(50030, { 12 }); }, "Offset:12" },
        { "ICC profile", [](Ifd& d) { d.Undefined(34675, Bytes(20, 0)); }, "20 Bytes" },
        { "Exif version", [](Ifd& d) { d.Undefined(36864, exiftest::ToBytes("0220")); }, "0220" },
        { "Flashpix version", [](Ifd& d) { d.Undefined(40960, exiftest::ToBytes("0100")); }, "0100" },
        { "Flashpix version of control bytes",
            [](Ifd& d) {
                d.Undefined(40960, Bytes { 8, 9, 10, 11 });
            },
            "08090A0B" },
        { "Exif version with a byte above ASCII",
            [](Ifd& d) {
                d.Undefined(36864, Bytes { '0', '2', 0xB2, '0' });
            },
            "3032B230" },
        { "Exif version padded with NULs",
            [](Ifd& d) {
                d.Undefined(36864, Bytes { '2', '2', 0, 0 });
            },
            "22" },
        { "components",
            [](Ifd& d) {
                d.Undefined(37121, Bytes { 1, 2, 3, 0 });
            },
            "YCbCr" },
        { "file source DSC", [](Ifd& d) { d.Undefined(41728, Bytes { 3 }); }, "DSC" },
        { "file source other", [](Ifd& d) { d.Undefined(41728, Bytes { 2 }); }, "予約 (2)" },
        { "scene type", [](Ifd& d) { d.Undefined(41729, Bytes { 1 }); }, "直接撮影された画像" },
        { "scene type other", [](Ifd& d) { d.Undefined(41729, Bytes { 5 }); }, "予約 (5)" },
        { "user comment ASCII",
            [](Ifd& d) { d.Undefined(37510, exiftest::ToBytes(std::string("ASCII\0\0\0Hello", 13))); }, "Hello" },
        { "user comment undefined code",
            [](Ifd& d) { d.Undefined(37510, exiftest::ToBytes(std::string("\0\0\0\0\0\0\0\0H\0i\0", 12))); }, "Hi" },
        { "user comment all NUL", [](Ifd& d) { d.Undefined(37510, Bytes(20, 0)); }, "" },
        { "user comment UNICODE little-endian",
            [](Ifd& d) { d.Undefined(37510, exiftest::ToBytes(std::string("UNICODE\0\xE5\x65\x2C\x67", 12))); },
            "日本" },
        { "user comment UNICODE big-endian",
            [](Ifd& d) { d.Undefined(37510, exiftest::ToBytes(std::string("UNICODE\0\x65\xE5\x67\x2C", 12))); }, "日本",
            true },
        { "user comment JIS",
            [](Ifd& d) { d.Undefined(37510, exiftest::ToBytes(std::string("JIS\0\0\0\0\0\x1b$BF|K\\\x1b(B", 18))); },
            "日本" },
        { "user comment JIS holding plain Shift-JIS",
            [](Ifd& d) { d.Undefined(37510, exiftest::ToBytes(std::string("JIS\0\0\0\0\0\x93\xfa\x96\x7b", 12))); },
            "日本" },
        { "user comment JIS then ASCII",
            [](Ifd& d) {
                d.Undefined(37510, exiftest::ToBytes(std::string("JIS\0\0\0\0\0\x1b$B\x30\x21\x1b(BA", 17)));
            },
            "亜A" },
        { "user comment invalid bytes stay valid UTF-8",
            [](Ifd& d) { d.Undefined(37510, exiftest::ToBytes(std::string("ASCII\0\0\0\xff\xfe", 10))); },
            "\xEF\xBF\xBD\xEF\xBF\xBD" },
        { "owner JIS kept as text",
            [](Ifd& d) { d.Undefined(50003, exiftest::ToBytes(std::string("JIS\0\0\0\0\0ab", 10))); }, "ab" },
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(ReadOneValue(c), c.value) << c.what;
}

TEST(ValueText, OffsetTextsShowTheValuePosition)
{
    TiffBuilder tiff;
    tiff.ifd0.Byte(34377, Bytes(10, 7)).Byte(33723, Bytes(6, 1));
    const exiftest::BuiltTiff built = tiff.Build();
    exiftest::ReadResult r = exiftest::ReadMemory(built.bytes, "a.tif");
    ASSERT_EQ(r.exif.Main.Count, 2);
    EXPECT_EQ(
        r.exif.Main.Items[0].Value, "Offset:" + std::to_string(built.valueOffsets.at({ 0, 34377 })) + " (10byte)");
    EXPECT_EQ(r.exif.Main.Items[1].Value, "Offset:" + std::to_string(built.valueOffsets.at({ 0, 33723 })) + " (6byte)");
}

TEST(TagNames, KnownAndUnknownTags)
{
    const std::vector<std::pair<std::function<void(Ifd&)>, const char*>> cases = {
        { [](Ifd& d) { d.Short(256, { 1 }); }, "画像の幅" },
        { [](Ifd& d) {
             d.Rational(33434, { { 1, 2 } });
         },
            "露出時間" },
        { [](Ifd& d) { d.Long(50031, { 1 }); }, "KodakBorders IFD" },
        { [](Ifd& d) {
             d.Rational(0xA500, { { 1, 2 } });
         },
            "Unknown (A500)5,1" },
        { [](Ifd& d) {
             d.Short(7, { 1, 2 });
         },
            "Unknown (0007)3,2" },
    };
    for (const auto& [add, expected] : cases) {
        TiffBuilder tiff;
        add(tiff.ifd0);
        exiftest::ReadResult r = exiftest::ReadTiff(tiff);
        ASSERT_EQ(r.exif.Main.Count, 1);
        EXPECT_EQ(r.exif.Main.Items[0].Name, expected);
    }
}

TEST(ValueText, FocalLengthFieldFollowsTheRational)
{
    for (auto [rational, expected] :
        { std::pair { std::pair<uint32_t, uint32_t> { 78, 10 }, 7.8 }, { { 78, 0 }, 0.0 } }) {
        TiffBuilder tiff;
        tiff.withExif = true;
        tiff.exif.Rational(37386, { rational });
        exiftest::ReadResult r = exiftest::ReadTiff(tiff);
        EXPECT_DOUBLE_EQ(r.exif.Exif.FocalLength, expected);
    }
}

} // namespace
