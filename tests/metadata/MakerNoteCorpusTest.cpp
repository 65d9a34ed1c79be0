// The sample camera files' maker notes: every note of a decoded kind yields
// named items without damage, and a few values agree with what the files hold
// (checked once against exiftool).
#include <filesystem>

#include <gtest/gtest.h>

#include "metadata/ExifRead.h"
#include "metadata/MakerNote.h"
#include "metadata/TextDecode.h"
#include "support/TestSupport.h"

namespace {

struct Pinned {
    const char* file;
    int kind;
    int key;
    const char* value;
};

const Pinned kPinned[] = {
    { "jpg/Canon_PowerShot_S40.jpg", 8, 0x910019, "7.09375-21.3125(mm)" },
    { "jpg/Canon_PowerShot_S40.jpg", 8, 0x80006, "IMG:PowerShotS40JPEG" },
    { "jpg/gps/DSCN0010.jpg", 6, 0x60005, "AUTO" },
    { "jpg/gps/DSCN0010.jpg", 6, 0x60001, "0210" },
    { "jpg/Fujifilm_FinePix_E500.jpg", 12, 0xC1000, "FINE" },
    { "jpg/Fujifilm_FinePix_E500.jpg", 12, 0xC1002, "オート" },
    { "jpg/exif-org/nikon-e950.jpg", 5, 0x50003, "UXGA FINE" },
    { "jpg/exif-org/olympus-c960.jpg", 1, 0x10207, "SR874" },
    { "jpg/exif-org/sanyo-vpcsx550.jpg", 3, 0x30202, "通常" },
    { "jpg/Panasonic_DMC-FZ30.jpg", 25, 0x19001C, "オフ" },
};

std::string MakerValue(const metadata::TExifData& exif, int key)
{
    for (const metadata::TIFDItem& item : exif.Maker.Items)
        if (item.Key == key)
            return item.Value;
    return "<absent>";
}

TEST(MakerNoteCorpus, EveryDecodedNoteGivesNamedItems)
{
    const std::filesystem::path dir = testsupport::SamplesDir();
    if (dir.empty())
        GTEST_SKIP() << "sample files not found (../shared/samples)";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
        if (!entry.is_regular_file())
            continue;
        const std::string rel = std::filesystem::relative(entry.path(), dir).generic_string();
        SCOPED_TRACE(rel);
        metadata::TExifData exif;
        metadata::PhotoshopLocator locator;
        imaging::Bitmap thumbnail;
        ASSERT_NO_THROW(metadata::ReadExifData(entry.path().string(), thumbnail, locator, exif));
        EXPECT_EQ(exif.Maker.Damaged, 0);
        if (exif.Exif.MakerOffset != 0 && metadata::IsDirectoryMakerNote(exif.MakerNoteKind)) {
            EXPECT_GT(exif.Maker.Count, 0);
        }
        for (const metadata::TIFDItem& item : exif.Maker.Items) {
            EXPECT_FALSE(item.Name.empty());
            EXPECT_TRUE(metadata::IsValidUtf8(item.Name) && metadata::IsValidUtf8(item.Value));
        }
        for (const Pinned& p : kPinned) {
            if (rel != p.file)
                continue;
            EXPECT_EQ(exif.MakerNoteKind, p.kind);
            EXPECT_EQ(MakerValue(exif, p.key), p.value) << std::hex << p.key;
        }
    }
}

} // namespace
