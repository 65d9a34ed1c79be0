// The profile and IPTC tabs over the sample files: every embedded profile
// opens and is described, every Photoshop or IPTC location gives its records,
// and the texts agree with what the files hold (checked once against
// exiftool's ProfileDescription, Keywords, Caption-Abstract and By-line).
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "colour/ProfileRows.h"
#include "imaging/Bitmap.h"
#include "metadata/ExifRead.h"
#include "metadata/InfoRows.h"
#include "support/TestSupport.h"

namespace {

std::string ValueOf(const std::vector<metadata::TInfoRow>& rows, const std::string& name)
{
    std::string out;
    for (const metadata::TInfoRow& r : rows)
        if (r.Name == name)
            out += (out.empty() ? "" : "|") + r.Value;
    return out;
}

struct IptcExpected {
    const char* keywords;
    const char* caption;
    const char* byLine;
};

TEST(PanelCorpus, ProfilesAndIptcOfTheSamples)
{
    const std::filesystem::path dir = testsupport::SamplesDir();
    if (dir.empty())
        GTEST_SKIP() << "sample files not found (../shared/samples)";
    const std::map<std::string, IptcExpected> iptc = {
        { "jpg/xmp/BlueSquare.jpg",
            { "XMP|Blue Square|test file|Photoshop|.jpg",
                "XMPFiles BlueSquare test file, created in Photoshop CS2, saved as .psd, .jpg, and .tif.", "" } },
        { "jpg/xmp/no_exif.jpg", { "tag", "Der Goalie bin ig", "CREDIT" } },
    };
    const std::map<std::string, std::string> descriptions = {
        { "jpg/Canon_40D.jpg", "sRGB IEC61966-2.1" },
        { "jpg/xmp/BlueSquare.jpg", "sRGB IEC61966-2.1" },
        { "tiff/Tless0.tiff", "Color LCD" },
    };
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file())
            continue;
        const std::string rel = std::filesystem::relative(entry.path(), dir).generic_string();
        SCOPED_TRACE(rel);
        metadata::TExifData exif;
        metadata::TInfoRecord record;
        imaging::Bitmap thumbnail;
        try {
            metadata::ReadExifData(entry.path().string(), thumbnail, record.Locator, exif);
        } catch (const std::exception&) {
            continue;
        }
        record.FileName = entry.path().string();
        record.IccOffset = exif.IccOffset;
        record.IccLength = exif.IccLength;
        if (record.IccOffset != 0) {
            const std::vector<metadata::TInfoRow> rows = colour::ProfileRows(record);
            EXPECT_FALSE(ValueOf(rows, "説明").empty());
            if (const auto d = descriptions.find(rel); d != descriptions.end()) {
                EXPECT_EQ(ValueOf(rows, "説明"), d->second);
            }
        }
        const auto it = iptc.find(rel);
        if (record.Locator.Offset == 0) {
            EXPECT_EQ(it, iptc.end()) << "no IPTC location found";
            continue;
        }
        const std::vector<metadata::TInfoRow> rows = metadata::IptcRows(record);
        if (it == iptc.end())
            continue;
        EXPECT_EQ(ValueOf(rows, "キーワード"), it->second.keywords);
        EXPECT_EQ(ValueOf(rows, "キャプション"), it->second.caption);
        EXPECT_EQ(ValueOf(rows, "撮影者"), it->second.byLine);
    }
}

} // namespace
