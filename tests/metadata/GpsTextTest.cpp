// Names and value texts of the GPS directory.
#include <functional>

#include <gtest/gtest.h>

#include "metadata/ReadFixture.h"

namespace {

using exiftest::Ifd;
using P = std::pair<uint32_t, uint32_t>;

struct GpsCase {
    const char* what;
    std::function<void(Ifd&)> add;
    const char* name;
    const char* value;
};

TEST(GpsText, NamesAndValues)
{
    const std::vector<GpsCase> cases = {
        { "version",
            [](Ifd& d) {
                d.Byte(0, { 2, 2, 0, 0 });
            },
            "GPSタグバージョン", "2,2,0,0" },
        { "latitude ref", [](Ifd& d) { d.Ascii(1, "N"); }, "緯度(N/S)", "N" },
        { "latitude D M",
            [](Ifd& d) {
                d.Rational(2, { P { 35, 1 }, P { 415, 10 }, P { 0, 1 } });
            },
            "緯度(数値)", "35ﾟ 41.5 [DM]   35ﾟ 41' 30.00\" [DMS]" },
        { "longitude D M S",
            [](Ifd& d) {
                d.Rational(4, { P { 139, 1 }, P { 41, 1 }, P { 305, 10 } });
            },
            "経度(数値)", "139ﾟ 41' 30.5\" [DMS]" },
        { "degrees with a denominator",
            [](Ifd& d) {
                d.Rational(2, { P { 3550, 100 }, P { 0, 1 }, P { 0, 1 } });
            },
            "緯度(数値)", "35.5ﾟ 0 [DM]   35.5ﾟ 0' 0.00\" [DMS]" },
        { "minutes denominator 0",
            [](Ifd& d) {
                d.Rational(2, { P { 35, 1 }, P { 1, 0 }, P { 0, 1 } });
            },
            "緯度(数値)", "35" },
        { "altitude ref sea level", [](Ifd& d) { d.Byte(5, { 0 }); }, "高度基準", "海抜基準" },
        { "altitude ref other", [](Ifd& d) { d.Byte(5, { 1 }); }, "高度基準", "予約(1)" },
        { "altitude",
            [](Ifd& d) {
                d.Rational(6, { P { 1234, 10 } });
            },
            "高度(数値)", "1234/10 メートル" },
        { "time",
            [](Ifd& d) {
                d.Rational(7, { P { 9, 1 }, P { 5, 1 }, P { 33, 1 } });
            },
            "GPS時間(UTC)", "09:05:33" },
        { "time zero denominator",
            [](Ifd& d) {
                d.Rational(7, { P { 9, 1 }, P { 5, 0 }, P { 33, 1 } });
            },
            "GPS時間(UTC)", "" },
        { "track true", [](Ifd& d) { d.Ascii(14, "T"); }, "進行方向基準", "真方位" },
        { "image direction magnetic", [](Ifd& d) { d.Ascii(16, "M"); }, "撮影した画像の方向基準", "磁方位" },
        { "bearing ref other", [](Ifd& d) { d.Ascii(23, "X"); }, "目的地の方角基準", "X" },
        { "track",
            [](Ifd& d) {
                d.Rational(15, { P { 12345, 100 } });
            },
            "進行方向(数値)", "123.45°" },
        { "DOP list",
            [](Ifd& d) {
                d.Rational(11, { P { 1, 2 }, P { 3, 4 } });
            },
            "測位の信頼性", "1/2,3/4" },
        { "map datum", [](Ifd& d) { d.Ascii(18, "WGS-84   "); }, "測地系", "WGS-84" },
        { "differential SHORT",
            [](Ifd& d) {
                d.Short(30, { 1, 5 });
            },
            "GPS補正情報", "1" },
        { "unknown tag", [](Ifd& d) { d.Short(31, { 1 }); }, "不明(31)", "1" },
        { "processing method UNDEFINED", [](Ifd& d) { d.Undefined(27, exiftest::ToBytes("ASCII\0\0\0GPS")); },
            "GPS処理方法", "" },
    };
    for (const GpsCase& c : cases) {
        exiftest::TiffBuilder tiff;
        tiff.withGps = true;
        c.add(tiff.gps);
        exiftest::ReadResult r = exiftest::ReadTiff(tiff);
        ASSERT_EQ(r.exif.Gps.Count, 1) << c.what;
        EXPECT_EQ(r.exif.Gps.Items[0].Name, c.name) << c.what;
        EXPECT_EQ(r.exif.Gps.Items[0].Value, c.value) << c.what;
    }
}

} // namespace
