// Every sample camera file: read without a fault, and the shooting data agree
// with what the files hold (values recorded once and checked against exiftool).
#include <filesystem>
#include <map>

#include <gtest/gtest.h>

#include "metadata/ExifRead.h"
#include "metadata/ReadFixture.h"
#include "metadata/TextDecode.h"
#include "support/TestSupport.h"

namespace {

struct Expected {
    const char* file;
    int failed;
    int containerKind;
    int width, height;
    // Value texts; nullptr where the file has no such entry.
    const char* make;
    const char* model;
    const char* dateTaken;
    const char* exposureTime;
    const char* fNumber;
    const char* iso;
    const char* latitude;
    const char* longitude;
};

const Expected kSamples[] = {
    { "jpg/Canon_40D.jpg", 0, 1, 100, 68, "Canon", "Canon EOS 40D", "2008:05:30 15:56:01", "1/160秒", "F7.1", "100",
        nullptr, nullptr },
    { "jpg/Canon_40D_photoshop_import.jpg", 0, 1, 100, 77, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr, nullptr },
    { "jpg/Canon_DIGITAL_IXUS_400.jpg", 0, 1, 100, 75, "Canon", "Canon DIGITAL IXUS 400", "2004:08:27 13:52:55",
        "1/200秒", "F10.0", nullptr, nullptr, nullptr },
    { "jpg/Canon_PowerShot_S40.jpg", 0, 1, 480, 360, "Canon", "Canon PowerShot S40", "2003:12:14 12:01:44", "1/500秒",
        "F4.9", nullptr, nullptr, nullptr },
    { "jpg/Fujifilm_FinePix6900ZOOM.jpg", 0, 1, 100, 75, "FUJIFILM", "FinePix6900ZOOM", "2001:02:19 06:40:05", nullptr,
        "F4.0", "100", nullptr, nullptr },
    { "jpg/Fujifilm_FinePix_E500.jpg", 0, 1, 59, 100, "FUJIFILM", "FinePix E500", "2006:08:17 09:24:48", "1/80秒",
        "F2.9", "100", nullptr, nullptr },
    { "jpg/Kodak_CX7530.jpg", 0, 1, 100, 78, "EASTMAN KODAK COMPANY", "KODAK CX7530 ZOOM DIGITAL CAMERA",
        "2005:08:13 09:47:23", "1/250秒", "F4.6", nullptr, "0ﾟ 22.278 [DM]   0ﾟ 22' 16.68\" [DMS]",
        "36ﾟ 3.385 [DM]   36ﾟ 3' 23.10\" [DMS]" },
    { "jpg/Konica_Minolta_DiMAGE_Z3.jpg", 0, 1, 70, 100, "KONICA MINOLTA", "DiMAGE Z3", "2005:03:10 15:10:48", "1/40秒",
        "F2.8", "200", nullptr, nullptr },
    { "jpg/Nikon_COOLPIX_P1.jpg", 0, 1, 100, 75, "NIKON", "COOLPIX P1", "2008:03:07 09:55:46", "1/219秒", "F6.0", "50",
        nullptr, nullptr },
    { "jpg/Nikon_D70.jpg", 0, 1, 100, 66, "NIKON CORPORATION", "NIKON D70", "2008:03:15 09:52:01", "1/200秒", "F9.0",
        "200", nullptr, nullptr },
    { "jpg/Olympus_C8080WZ.jpg", 0, 1, 100, 72, "OLYMPUS CORPORATION", "C8080WZ", "2006:10:22 15:44:29", "1/160秒",
        "F2.8", "50", nullptr, nullptr },
    { "jpg/PaintTool_sample.jpg", 0, 1, 88, 100, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr },
    { "jpg/Panasonic_DMC-FZ30.jpg", 0, 1, 100, 75, "Panasonic", "DMC-FZ30", "2008:07:16 11:33:20", "1/30秒", "F3.2",
        "100", nullptr, nullptr },
    { "jpg/Pentax_K10D.jpg", 0, 1, 100, 72, "PENTAX Corporation", "PENTAX K10D", "2008:05:04 16:47:24", "1/180秒",
        "F11.0", "200", nullptr, nullptr },
    { "jpg/Reconyx_HC500_Hyperfire.jpg", 0, 1, 2048, 1536, nullptr, nullptr, nullptr, "1/55秒", nullptr, "100", nullptr,
        nullptr },
    { "jpg/Ricoh_Caplio_RR330.jpg", 0, 1, 100, 75, "Caplio", "RR330", "2004:08:31 19:52:58", "1/33秒", "F2.9", "100",
        nullptr, nullptr },
    { "jpg/Samsung_Digimax_i50_MP3.jpg", 0, 1, 100, 75, "Samsung Techwin", "<Digimax i50 MP3, Samsung #1 MP3>",
        "2006:08:15 17:50:57", "1/6秒", "F3.5", "150", nullptr, nullptr },
    { "jpg/Sony_HDR-HC3.jpg", 0, 1, 100, 64, "SONY", "HDR-HC3", "2007:06:15 04:42:32", "1/60秒", "F4.0", nullptr,
        nullptr, nullptr },
    { "jpg/WWL_(Polaroid)_ION230.jpg", 0, 1, 75, 100, "WWL", "ION230", "2026:11:24 14:41:16", "1/33秒", "F2.8", "100",
        nullptr, nullptr },
    { "jpg/exif-org/canon-ixus.jpg", 0, 1, 640, 480, "Canon", "Canon DIGITAL IXUS", "2001:06:09 15:17:32", "1/350秒",
        "F4.0", nullptr, nullptr, nullptr },
    { "jpg/exif-org/fujifilm-dx10.jpg", 0, 1, 1024, 768, "FUJIFILM", "DX-10", "2001:04:12 20:33:14", nullptr, "F4.2",
        "150", nullptr, nullptr },
    { "jpg/exif-org/fujifilm-finepix40i.jpg", 0, 1, 600, 450, "FUJIFILM", "FinePix40i", "2000:08:04 18:22:57", nullptr,
        "F2.8", "200", nullptr, nullptr },
    { "jpg/exif-org/fujifilm-mx1700.jpg", 0, 1, 640, 480, "FUJIFILM", "MX-1700ZOOM", "2000:09:02 14:30:10", nullptr,
        "F7.0", "125", nullptr, nullptr },
    { "jpg/exif-org/kodak-dc210.jpg", 0, 1, 640, 480, "Eastman Kodak Company", "DC210 Zoom (V05.00)",
        "2000:10:26 16:46:51", "1/30秒", "F4.0", nullptr, nullptr, nullptr },
    { "jpg/exif-org/kodak-dc240.jpg", 0, 1, 640, 480, "EASTMAN KODAK COMPANY", "KODAK DC240 ZOOM DIGITAL CAMERA",
        "1999:05:25 21:00:09", "1/30秒", "F4.0", nullptr, nullptr, nullptr },
    { "jpg/exif-org/nikon-e950.jpg", 0, 1, 800, 600, "NIKON", "E950", "2001:04:06 11:51:40", "1/77秒", "F5.5", "80",
        nullptr, nullptr },
    { "jpg/exif-org/olympus-c960.jpg", 0, 1, 640, 480, "OLYMPUS OPTICAL CO.,LTD", "C960Z,D460Z", "2000:11:07 10:41:43",
        "1/345秒", "F8.0", "125", nullptr, nullptr },
    { "jpg/exif-org/olympus-d320l.jpg", 1, 0, 640, 480, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr },
    { "jpg/exif-org/ricoh-rdc5300.jpg", 0, 1, 896, 600, "RICOH", "RDC-5300", "2000:05:31 21:50:40", nullptr, nullptr,
        nullptr, nullptr, nullptr },
    { "jpg/exif-org/sanyo-vpcg250.jpg", 0, 1, 640, 480, "SANYO Electric Co.,Ltd.", "SR6", "1998:01:01 00:00:00",
        "1/171秒", "F8.0", nullptr, nullptr, nullptr },
    { "jpg/exif-org/sanyo-vpcsx550.jpg", 0, 1, 640, 480, "SANYO Electric Co.,Ltd.", "SX113", "2000:11:18 21:14:19",
        "1/48秒", "F2.4", "400", nullptr, nullptr },
    { "jpg/exif-org/sony-cybershot.jpg", 0, 1, 640, 480, "SONY", "CYBERSHOT", "2000:09:30 10:59:45", "1/197秒", "F4.0",
        "100", nullptr, nullptr },
    { "jpg/exif-org/sony-d700.jpg", 0, 1, 672, 512, "SONY", "DSC-D700", "1998:12:01 14:22:36", nullptr, nullptr, "200",
        nullptr, nullptr },
    { "jpg/exif-org/sony-powershota5.jpg", 1, 0, 1024, 768, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr, nullptr },
    { "jpg/gps/DSCN0010.jpg", 0, 1, 640, 480, "NIKON", "COOLPIX P6000", "2008:10:22 16:28:39", "1/75秒", "F5.9", "64",
        "43ﾟ 28' 2.814\" [DMS]", "11ﾟ 53' 6.45599999\" [DMS]" },
    { "jpg/gps/DSCN0012.jpg", 0, 1, 640, 480, "NIKON", "COOLPIX P6000", "2008:10:22 16:29:49", "1/178秒", "F4.5", "64",
        "43ﾟ 28' 1.76399999\" [DMS]", "11ﾟ 53' 7.42199999\" [DMS]" },
    { "jpg/gps/DSCN0021.jpg", 0, 1, 640, 480, "NIKON", "COOLPIX P6000", "2008:10:22 16:38:20", "1/96秒", "F4.7", "64",
        "43ﾟ 28' 1.49399999\" [DMS]", "11ﾟ 53' 4.33799999\" [DMS]" },
    { "jpg/gps/DSCN0025.jpg", 0, 1, 640, 480, "NIKON", "COOLPIX P6000", "2008:10:22 16:43:21", "1/123秒", "F3.7", "64",
        "43ﾟ 28' 6.114\" [DMS]", "11ﾟ 52' 53.8859999\" [DMS]" },
    { "jpg/gps/DSCN0027.jpg", 0, 1, 640, 480, "NIKON", "COOLPIX P6000", "2008:10:22 16:44:01", "1/148秒", "F4.1", "64",
        "43ﾟ 28' 6.39\" [DMS]", "11ﾟ 52' 53.454\" [DMS]" },
    { "jpg/gps/DSCN0029.jpg", 0, 1, 640, 480, "NIKON", "COOLPIX P6000", "2008:10:22 16:46:53", "1/65秒", "F5.6", "64",
        "43ﾟ 28' 5.67599999\" [DMS]", "11ﾟ 52' 48.6179999\" [DMS]" },
    { "jpg/gps/DSCN0038.jpg", 0, 1, 640, 480, "NIKON", "COOLPIX P6000", "2008:10:22 16:52:15", "1/64秒", "F5.9", "103",
        "43ﾟ 28' 2.11799999\" [DMS]", "11ﾟ 52' 45.168\" [DMS]" },
    { "jpg/gps/DSCN0040.jpg", 0, 1, 640, 480, "NIKON", "COOLPIX P6000", "2008:10:22 16:55:37", "1/131秒", "F4.1", "64",
        "43ﾟ 27' 57.6419999\" [DMS]", "11ﾟ 52' 44.8019999\" [DMS]" },
    { "jpg/gps/DSCN0042.jpg", 0, 1, 640, 480, "NIKON", "COOLPIX P6000", "2008:10:22 17:00:07", "1/100秒", "F4.4", "64",
        "43ﾟ 27' 52.038\" [DMS]", "11ﾟ 52' 53.322\" [DMS]" },
    { "jpg/long_description.jpg", 0, 1, 100, 73, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr },
    { "jpg/mobile/HMD_Nokia_8.3_5G.jpg", 0, 1, 4608, 1976, "HMD Global", "Nokia 8.3 5G", "2022:08:14 14:12:31",
        "1/1848秒", "F2.2", "100", "60ﾟ 8' 48.14\" [DMS]", "24ﾟ 54' 24.38\" [DMS]" },
    { "jpg/mobile/jolla.jpg", 0, 1, 3264, 2448, "Jolla", "Jolla", "2014:09:21 16:00:56", "1/25秒", "F2.4", "320",
        nullptr, nullptr },
    { "jpg/xmp/BlueSquare.jpg", 0, 1, 360, 216, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr },
    { "jpg/xmp/no_exif.jpg", 0, 1, 322, 466, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr },
    { "tiff/Arbitro.tiff", 0, 4, 174, 38, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr },
    { "tiff/BSG1.tiff", 0, 4, 635, 348, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr },
    { "tiff/DudleyLeavittUtah.tiff", 0, 4, 196, 257, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr },
    { "tiff/Jobagent.tiff", 0, 4, 264, 84, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr },
    { "tiff/Picoawards.tiff", 0, 4, 436, 547, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr },
    { "tiff/Rudless.tiff", 0, 4, 734, 328, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr },
    { "tiff/Tless0.tiff", 0, 4, 643, 448, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr },
};

std::string Text(const char* expected)
{
    return expected ? expected : "<absent>";
}

bool AllValid(const std::vector<metadata::TIFDItem>& items)
{
    for (const metadata::TIFDItem& item : items)
        if (!metadata::IsValidUtf8(item.Name) || !metadata::IsValidUtf8(item.Value))
            return false;
    return true;
}

TEST(Corpus, SampleFilesAgreeWithWhatTheyHold)
{
    const std::filesystem::path dir = testsupport::SamplesDir();
    if (dir.empty())
        GTEST_SKIP() << "sample files not found (../shared/samples)";
    std::map<std::string, const Expected*> expected;
    for (const Expected& e : kSamples)
        expected[e.file] = &e;
    int checked = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file())
            continue;
        const std::string rel = std::filesystem::relative(entry.path(), dir).generic_string();
        metadata::TExifData exif;
        metadata::PhotoshopLocator locator;
        imaging::Bitmap thumbnail;
        const auto it = expected.find(rel);
        ASSERT_NO_THROW(metadata::ReadExifData(entry.path().string(), thumbnail, locator, exif)) << rel;
        EXPECT_TRUE(AllValid(exif.Main.Items) && AllValid(exif.Exif.Items) && AllValid(exif.Gps.Items)) << rel;
        if (it == expected.end())
            continue;
        const Expected& e = *it->second;
        SCOPED_TRACE(rel);
        EXPECT_EQ(exif.Failed, e.failed);
        EXPECT_EQ(exif.ContainerKind, e.containerKind);
        EXPECT_EQ(exif.Width, e.width);
        EXPECT_EQ(exif.Height, e.height);
        EXPECT_EQ(exiftest::ValueOf(exif.Main.Items, 271), Text(e.make));
        EXPECT_EQ(exiftest::ValueOf(exif.Main.Items, 272), Text(e.model));
        EXPECT_EQ(exiftest::ValueOf(exif.Exif.Items, 36867), Text(e.dateTaken));
        EXPECT_EQ(exiftest::ValueOf(exif.Exif.Items, 33434), Text(e.exposureTime));
        EXPECT_EQ(exiftest::ValueOf(exif.Exif.Items, 33437), Text(e.fNumber));
        EXPECT_EQ(exiftest::ValueOf(exif.Exif.Items, 34855), Text(e.iso));
        EXPECT_EQ(exiftest::ValueOf(exif.Gps.Items, 2), Text(e.latitude));
        EXPECT_EQ(exiftest::ValueOf(exif.Gps.Items, 4), Text(e.longitude));
        if (exif.HasThumbnail == -1) {
            EXPECT_GT(thumbnail.Width(), 0);
            EXPECT_LE(thumbnail.Width(), 200);
        }
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(std::size(kSamples)));
}

} // namespace
