// voviro-tool exif: plain and JSON output, exit codes, and JSON that stays
// valid whatever bytes the file held.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "metadata/ExifBuilder.h"
#include "support/TestSupport.h"
#include "tool/ToolRun.h"

namespace {

using Result = tooltest::ToolRun;

Result Exif(std::vector<std::string> args)
{
    args.insert(args.begin(), "exif");
    return tooltest::RunTool(args);
}

void Put16(std::string& s, uint16_t v)
{
    s += static_cast<char>(v >> 8);
    s += static_cast<char>(v & 0xFF);
}

// A JPEG with a comment, an Exif segment (IFD0: Make "Canon", ImageDescription with
// bytes that are neither UTF-8 nor CP932) and a frame header of 64 × 32.
std::string SmallExifJpeg(const std::string& comment)
{
    const std::string description = "x\x01\xff\"\\";
    std::string tiff("MM\0\x2a\0\0\0\x08", 8);
    tiff += std::string("\0\x02", 2);
    tiff += std::string("\x01\x0f\0\x02\0\0\0\x06", 8) + std::string("\0\0\0\x26", 4); // Make at 38
    tiff += std::string("\x01\x0e\0\x02\0\0\0", 7) + static_cast<char>(description.size() + 1)
        + std::string("\0\0\0\x2c", 4); // ImageDescription at 44
    tiff += std::string("\0\0\0\0", 4);
    tiff += std::string("Canon\0", 6) + description + std::string(1, '\0');
    std::string out("\xff\xd8", 2);
    out += "\xff\xe1";
    Put16(out, static_cast<uint16_t>(tiff.size() + 8));
    out += std::string("Exif\0\0", 6) + tiff;
    out += "\xff\xfe";
    Put16(out, static_cast<uint16_t>(comment.size() + 2));
    out += comment;
    out += std::string("\xff\xc0\0\x11\x08\0\x20\0\x40\x03\x01\x22\0\x02\x11\x01\x03\x11\x01", 19);
    out += "\xff\xd9";
    return out;
}

// Valid UTF-8 and no raw control characters inside the lines.
bool CleanJsonLines(const std::string& out)
{
    for (size_t i = 0; i < out.size();) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (c == '\n') {
            ++i;
            continue;
        }
        if (c < 0x20 || c == 0x7F)
            return false;
        size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > out.size())
            return false;
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(out[i + k]) >> 6) != 2)
                return false;
        i += n;
    }
    return true;
}

TEST(ExifTool, JsonLinePerFile)
{
    testsupport::TempDir dir;
    const std::string path = (dir.Path() / "p.jpg").string();
    testsupport::WriteFile(path, SmallExifJpeg(std::string("bad \xfe\x01 bytes\0!", 15)));
    const Result r = Exif({ "--json", path, path });
    EXPECT_EQ(r.exitCode, 0);
    ASSERT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);
    EXPECT_TRUE(CleanJsonLines(r.out)) << r.out;
    const std::string line = r.out.substr(0, r.out.find('\n'));
    EXPECT_EQ(line.rfind("{\"file\":\"" + path + "\"", 0), 0u) << line;
    for (const char* part : { "\"failed\":0", "\"container_kind\":0", "\"width\":64", "\"height\":32",
             "\"has_thumbnail\":0", "\"thumbnail_width\":0", "\"comment\":\"bad \xEF\xBF\xBD\\u0001 bytes!\"",
             "\"photoshop\":{\"source\":0,\"offset\":0,\"length\":0}",
             "\"main\":[{\"key\":271,\"name\":\"メーカー名\",\"value\":\"Canon\"}",
             "\"value\":\"x\\u0001\xEF\xBF\xBD\\\"\\\\\"", "\"exif\":[]", "\"maker\":[]", "\"gps\":[]",
             "\"maker_kind\":0,\"maker_offset\":0,\"maker_damaged\":0,\"version\":\"\",\"model\":\"\",\"focal_length\":"
             "0,"
             "\"rotation_hint\":0,\"lens_wide\":0,\"lens_tele\":0,\"zoom_position\":-1,\"zoom_range\":0,"
             "\"thumbnail_offset\":0,\"thumbnail_length\":0" })
        EXPECT_NE(line.find(part), std::string::npos) << part << "\n" << line;
    EXPECT_EQ(line.back(), '}');
}

TEST(ExifTool, JsonCarriesTheMakerNoteAndCaptionFields)
{
    const std::filesystem::path samples = testsupport::SamplesDir();
    if (samples.empty())
        GTEST_SKIP() << "sample files not found (../shared/samples)";
    const Result r = Exif({ "--json", (samples / "jpg/Canon_PowerShot_S40.jpg").string() });
    EXPECT_EQ(r.exitCode, 0);
    for (const char* part : { "\"maker_kind\":8,\"maker_offset\":942,\"maker_damaged\":0,\"version\":\"0220\","
                              "\"model\":\"Canon PowerShot S40\",\"focal_length\":21.3125,\"rotation_hint\":0,"
                              "\"lens_wide\":7.09375,\"lens_tele\":21.3125,\"zoom_position\":2.00440528634361,"
                              "\"zoom_range\":2.00440528634361,\"thumbnail_offset\":2036,\"thumbnail_length\":5448",
             "{\"key\":9502745,\"name\":\"レンズ焦点距離\",\"value\":\"7.09375-21.3125(mm)\"}" })
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
}

TEST(ExifTool, PlainOutputHasAHeadingAndOneLinePerItem)
{
    testsupport::TempDir dir;
    const std::string path = (dir.Path() / "p.jpg").string();
    testsupport::WriteFile(path, SmallExifJpeg("hello"));
    const Result r = Exif({ path });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("== " + path + "\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("  main 271 メーカー名: Canon\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("size: 64 x 32"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("comment: -1 hello"), std::string::npos) << r.out;
}

TEST(ExifTool, ErrorsAndExitCodes)
{
    testsupport::TempDir dir;
    const std::string good = (dir.Path() / "good.jpg").string();
    const std::string empty = (dir.Path() / "empty.jpg").string();
    const std::string truncated = (dir.Path() / "truncated.tif").string();
    testsupport::WriteFile(good, SmallExifJpeg("c"));
    testsupport::WriteFile(empty, std::string());
    // A byte-order mark and then no TIFF header up to the end of the file.
    testsupport::WriteFile(truncated, std::string("II\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e", 16));

    // A file that cannot be read through raises inside the reader: reported, exit 0.
    Result r = Exif({ "--json", truncated });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("\"error\":\""), std::string::npos) << r.out;
    // A file too short for any metadata simply has none.
    r = Exif({ "--json", empty });
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("empty.jpg\",\"failed\":1"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\"error\""), std::string::npos) << r.out;

    // A file that cannot be opened: still one line for it, exit 1.
    r = Exif({ "--json", good, (dir.Path() / "missing.jpg").string() });
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);
    EXPECT_NE(r.out.find("missing.jpg\",\"failed\":1"), std::string::npos) << r.out;

    EXPECT_EQ(Exif({}).exitCode, 2);
    EXPECT_EQ(Exif({ "--json" }).exitCode, 2);
    EXPECT_EQ(Exif({ "--bogus", good }).exitCode, 2);
}

TEST(ExifTool, SampleFilesGiveCleanJson)
{
    const std::filesystem::path samples = testsupport::SamplesDir();
    if (samples.empty())
        GTEST_SKIP() << "sample files not found (../shared/samples)";
    std::vector<std::string> args = { "--json" };
    for (const auto& entry : std::filesystem::recursive_directory_iterator(samples))
        if (entry.is_regular_file())
            args.push_back(entry.path().string());
    const Result r = Exif(args);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(static_cast<size_t>(std::count(r.out.begin(), r.out.end(), '\n')), args.size() - 1);
    EXPECT_TRUE(CleanJsonLines(r.out));
    EXPECT_EQ(r.out.find("\"error\""), std::string::npos);
}

} // namespace

namespace {

// A JPEG whose APP13 segment holds one IPTC-NAA resource with a keyword.
std::string PhotoshopJpeg()
{
    const std::string iptc = std::string("\x1c\x02\x19\0\x03", 5) + "key" + std::string(1, '\0');
    std::string resource
        = "8BIM" + std::string("\x04\x04\0\0", 4) + std::string("\0\0\0", 3) + static_cast<char>(iptc.size()) + iptc;
    std::string payload = std::string("Photoshop 3.0\0", 14) + resource;
    std::string out("\xff\xd8\xff\xed", 4);
    Put16(out, static_cast<uint16_t>(payload.size() + 2));
    out += payload;
    out += std::string("\xff\xc0\0\x11\x08\0\x20\0\x40\x03\x01\x22\0\x02\x11\x01\x03\x11\x01", 19);
    return out + "\xff\xd9";
}

TEST(ExifTool, JsonCarriesPhotoshopResourcesAndIptcWhenPresent)
{
    testsupport::TempDir dir;
    const std::string with = (dir.Path() / "ps.jpg").string();
    const std::string without = (dir.Path() / "p.jpg").string();
    testsupport::WriteFile(with, PhotoshopJpeg());
    testsupport::WriteFile(without, SmallExifJpeg("c"));
    const Result r = Exif({ "--json", with, without });
    EXPECT_EQ(r.exitCode, 0);
    const std::string first = r.out.substr(0, r.out.find('\n'));
    const std::string second = r.out.substr(r.out.find('\n') + 1);
    EXPECT_NE(first.find("\"photoshop_resources\":[{\"key\":1028,\"name\":\"IPTC-NAA\",\"value\":\"10Byte\"}]"),
        std::string::npos)
        << first;
    EXPECT_NE(first.find("\"iptc\":[{\"key\":537,\"name\":\"キーワード\",\"value\":\"key\"}]"), std::string::npos)
        << first;
    EXPECT_EQ(second.find("photoshop_resources"), std::string::npos);
    EXPECT_EQ(second.find("\"iptc\""), std::string::npos);
}

} // namespace

namespace {

TEST(PanelTool, RowsOfEachTabAndMode)
{
    testsupport::TempDir dir;
    testsupport::EnvGuard settings("VOVIRO_SETTINGS_DIR", dir.Path().c_str());
    const std::string exif = (dir.Path() / "p.jpg").string();
    const std::string ps = (dir.Path() / "ps.jpg").string();
    exiftest::TiffBuilder tiff(false);
    tiff.ifd0.Ascii(271, "Canon").Ascii(305, "fw");
    tiff.exif.Rational(33434, { { 1, 250 } });
    tiff.withExif = true;
    testsupport::WriteFile(
        exif, exiftest::JpegBuilder().Exif(tiff.Build().bytes).Comment("one\ntwo").Frame(64, 32).Build());
    testsupport::WriteFile(ps, PhotoshopJpeg());

    Result r = tooltest::RunTool({ "panel", exif });
    EXPECT_EQ(r.exitCode, 0);
    for (const char* line : { "0\t0\tファイル情報\t\n", "1\t-1\tファイル名\tp.jpg\n", "1\t-5\t画像サイズ\t64×32\n",
             "1\t-6\tコメント\tone\\ntwo\n", "0\t0\tExif情報\t\n", "1\t271\tメーカー名\tCanon\n",
             "1\t33434\t露出時間\t1/250秒\n" })
        EXPECT_NE(r.out.find(line), std::string::npos) << line << r.out;
    // The automatic view keeps Make and drops Software.
    r = tooltest::RunTool({ "panel", exif, "--mode", "auto" });
    EXPECT_NE(r.out.find("\t271\t"), std::string::npos);
    EXPECT_EQ(r.out.find("\t305\t"), std::string::npos) << r.out;

    r = tooltest::RunTool({ "panel", ps, "--tab", "iptc" });
    EXPECT_EQ(r.out,
        "0\t0\tIPTC情報\t\n1\t0\t保存方式\tPhotoshop(JPEG)\n1\t0\tAdobeResource\t\n2\t1028\tIPTC-NAA\t10Byte\n"
        "1\t537\tキーワード\tkey\n");
    r = tooltest::RunTool({ "panel", ps, "--tab", "profile" });
    EXPECT_EQ(r.out, "0\t0\tプロファイル情報\t\n1\t0\t見つかりません\t\n");

    EXPECT_EQ(tooltest::RunTool({ "panel", (dir.Path() / "none.jpg").string() }).exitCode, 1);
    EXPECT_EQ(tooltest::RunTool({ "panel", exif, "--tab", "maker" }).exitCode, 2);
    EXPECT_EQ(tooltest::RunTool({ "panel" }).exitCode, 2);
}

} // namespace
