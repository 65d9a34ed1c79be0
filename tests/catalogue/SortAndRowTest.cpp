#include <gtest/gtest.h>

#include "catalogue/Catalogue.h"
#include "platform/FileTime.h"

using namespace catalogue;

namespace {

struct Spec {
    std::string name;
    uint8_t kind;
    uint32_t time;
    uint32_t size;
    int width, height;
};

void Fill(TCatalogue& catalogue, const std::vector<Spec>& specs)
{
    catalogue.Records().clear();
    for (const Spec& s : specs) {
        auto r = std::make_unique<TImageCache>();
        r->FileName = "/photos/" + s.name;
        r->FileKind = s.kind;
        r->FileTime = s.time;
        r->FileSize = s.size;
        r->ImageWidth = s.width;
        r->ImageHeight = s.height;
        catalogue.Records().push_back(std::move(r));
    }
}

std::string Order(TCatalogue& catalogue)
{
    std::string out;
    for (int i = 0; i < catalogue.Count(); ++i)
        out += (out.empty() ? "" : " ") + catalogue.At(i).FileName.substr(8);
    return out;
}

metadata::TIFDItem Item(int32_t key, std::string value)
{
    return { key, "name", std::move(value) };
}

TEST(Sort, TheFiveOrders)
{
    const uint32_t t1 = platform::PackDosDateTime(2003, 12, 31, 23, 59, 58);
    const uint32_t t2 = platform::PackDosDateTime(2004, 1, 1, 0, 0, 0);
    const uint32_t t3 = platform::PackDosDateTime(2004, 1, 1, 0, 0, 2);
    const std::vector<Spec> specs = {
        { "b.jpg", kKindTiffEp, t2, 3000, 10, 10 }, // 100 pixels
        { "\xE5\x86\x99.jpg", kKindJpeg, t3, 10, 0, 0 }, // non-ASCII bytes after letters
        { "A.jpg", kKindTiff, t1, 2'000'000'000, 1, 50 },
        { "ab.jpg", kKindExifJpeg, 0, 5, 3000, 2000 },
        { "a.jpg.jpg", kKindPng, platform::PackDosDateTime(2010, 1, 1, 0, 0, 0), 4'000'000'000u, 7, 8 },
    };
    const std::pair<int, const char*> cases[] = {
        { 0, "A.jpg a.jpg.jpg ab.jpg b.jpg \xE5\x86\x99.jpg" },
        { 1, "ab.jpg \xE5\x86\x99.jpg A.jpg a.jpg.jpg b.jpg" }, // ExifJPEG, JPEG, TIFF, PNG, TIFF/EP
        { 2, "ab.jpg A.jpg b.jpg \xE5\x86\x99.jpg a.jpg.jpg" },
        { 3, "ab.jpg \xE5\x86\x99.jpg b.jpg A.jpg a.jpg.jpg" }, // sizes as unsigned 32-bit values
        { 4, "\xE5\x86\x99.jpg A.jpg a.jpg.jpg b.jpg ab.jpg" },
    };
    for (const auto& [kind, expected] : cases) {
        TCatalogue catalogue;
        Fill(catalogue, specs);
        SortCatalogue(catalogue, { kind, 0 });
        EXPECT_EQ(Order(catalogue), expected) << "sort kind " << kind;
    }
}

// Equal keys come out in name order in every sort order; the key still rules first.
TEST(Sort, EqualKeysFollowTheName)
{
    const uint32_t second = platform::PackDosDateTime(2004, 5, 6, 7, 8, 9);
    const std::vector<Spec> specs = {
        { "e.jpg", kKindJpeg, second, 100, 3000, 2000 }, { "D.jpg", kKindJpeg, second, 100, 3000, 2000 },
        { "c.jpg", kKindJpeg, second, 100, 3000, 2000 }, { "b.jpg", kKindJpeg, second, 100, 3000, 2000 },
        { "B.jpg", kKindJpeg, second, 100, 3000, 2000 }, // differs from b.jpg only in case
        { "A.jpg", kKindJpeg, second, 100, 3000, 2000 },
        { "z.jpg", kKindExifJpeg, second - 1, 99, 2000, 1500 }, // a smaller key in every order
    };
    for (int kind : { 0, 1, 2, 3, 4, -1 }) {
        SCOPED_TRACE("sort kind " + std::to_string(kind));
        TCatalogue catalogue;
        Fill(catalogue, specs);
        for (int i = 0; i + 1 < catalogue.Count(); ++i) {
            // The same metadata text for all but z.jpg, which has no metadata.
            catalogue.At(i).Exif = std::make_unique<metadata::TExifData>();
            catalogue.At(i).Exif->Exif.Items.push_back(Item(0x9208, "Pattern"));
        }
        SortCatalogue(catalogue, { kind, 0x9208 });
        EXPECT_EQ(Order(catalogue),
            kind == 0 ? "A.jpg B.jpg b.jpg c.jpg D.jpg e.jpg z.jpg" : "z.jpg A.jpg B.jpg b.jpg c.jpg D.jpg e.jpg");
    }
}

TEST(Sort, NameComparison)
{
    EXPECT_EQ(CompareNoCase("abc", "ABC"), 0);
    EXPECT_LT(CompareNoCase("ab", "abc"), 0);
    EXPECT_GT(CompareNoCase("b", "A"), 0);
    EXPECT_LT(CompareNoCase("z", "_"), 0); // letters fold to upper case: 'Z' (0x5A) < '_' (0x5F)
    EXPECT_GT(CompareNoCase("\xE3", "z"), 0);
}

TEST(Sort, MetadataItemPutsRecordsWithoutMetadataFirst)
{
    TCatalogue catalogue;
    Fill(catalogue,
        { { "p1.jpg", 1, 0, 0, 0, 0 }, { "none1.jpg", 3, 0, 0, 0, 0 }, { "p2.jpg", 1, 0, 0, 0, 0 },
            { "p3.jpg", 1, 0, 0, 0, 0 }, { "none2.jpg", 3, 0, 0, 0, 0 } });
    const char* texts[] = { "Manual", nullptr, "auto", "", nullptr };
    for (int i = 0; i < 5; ++i) {
        if (!texts[i])
            continue;
        auto exif = std::make_unique<metadata::TExifData>();
        if (*texts[i])
            exif->Exif.Items.push_back(Item(0x9208, texts[i]));
        catalogue.At(i).Exif = std::move(exif);
    }
    SortCatalogue(catalogue, { -1, 0x9208 });
    const std::string order = Order(catalogue);
    EXPECT_TRUE(
        order == "none1.jpg none2.jpg p3.jpg p2.jpg p1.jpg" || order == "none2.jpg none1.jpg p3.jpg p2.jpg p1.jpg")
        << order;
}

TEST(ListRow, DefaultColumns)
{
    TListConfigs config;
    InitListConfig(config);
    ASSERT_EQ(config.Count, 12);
    ASSERT_EQ(config.Items.size(), 12u);
    const char* captions[] = { "ファイル名", "種類", "シャッタースピード", "絞り", "露出補正", "W/B", "フラッシュ",
        "AE", "ズーム", "撮影日時", "サイズ", "更新日時" };
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(config.Items[i].Caption, captions[i]);
    EXPECT_EQ(config.Items[5].Keys[5], 0x00070007);
    EXPECT_EQ(config.Items[5].Keys[6], 0);
    EXPECT_EQ(config.Items[10].Alignment, TListConfig::Align::Right);
    EXPECT_EQ(config.Items[0].Width, 150);
}

TEST(ListRow, TextsFromRecordAndMetadata)
{
    TListConfigs config;
    InitListConfig(config);
    TImageCache record;
    record.FileName = "/photos/2004/P1010001.JPG";
    record.FileKind = kKindExifJpeg;
    record.SizeText = "2KB";
    record.DateText = "2004/05/06 13:45:30";
    EXPECT_EQ(FillListRow(record, config),
        (std::vector<std::string> {
            "P1010001.JPG", "ExifJPEG", "", "", "", "", "", "", "", "", "2KB", "2004/05/06 13:45:30" }));
    EXPECT_EQ(ShootingSummary(record), "");

    auto exif = std::make_unique<metadata::TExifData>();
    exif->Exif.Items = { Item(0x829A, "1/125秒"), Item(0x9202, ""), Item(0x829D, "F4.0"), Item(0x9209, "発光"),
        Item(0x8822, "プログラム"), Item(0x9003, "2004:05:06 13:45:30") };
    exif->Maker.Items = { Item(0x000C1002, "晴天"), Item(0x00060005, "太陽光") };
    exif->Main.Items = { Item(0x920A, "from IFD0") };
    record.Exif = std::move(exif);
    const auto row = FillListRow(record, config);
    EXPECT_EQ(row[2], "1/125秒"); // ShutterSpeedValue absent: ExposureTime
    EXPECT_EQ(row[3], "F4.0"); // empty ApertureValue falls through to FNumber
    EXPECT_EQ(row[4], "");
    EXPECT_EQ(row[5], "晴天"); // first maker key with a text
    EXPECT_EQ(row[6], "発光");
    EXPECT_EQ(row[7], "プログラム");
    EXPECT_EQ(row[8], "from IFD0");
    EXPECT_EQ(row[9], "2004:05:06 13:45:30");
    EXPECT_EQ(ShootingSummary(record), "1/125秒  F4.0    W/B:晴天  Fla:発光  プログラム  2004:05:06 13:45:30");

    // Without white balance and flash that part is left out altogether.
    record.Exif->Maker.Items.clear();
    record.Exif->Exif.Items = { Item(0x9201, "1/60"), Item(0x9204, "+0.3") };
    EXPECT_EQ(ShootingSummary(record), "1/60    +0.3    ");
    record.Exif->Exif.Items.push_back(Item(0x9209, "非発光"));
    EXPECT_EQ(ShootingSummary(record), "1/60    +0.3    Fla:非発光    ");
}

TEST(ListRow, KindOfAndKindText)
{
    const std::pair<const char*, uint8_t> cases[] = {
        { "a.JPG", 3 },
        { "a.Jpeg", 3 },
        { "a.jpe", 0 },
        { "a.tif", 4 },
        { "a.NEF", 4 },
        { "a.mrw", 4 },
        { "a.orf", 4 },
        { "a.nsk", 4 },
        { "a.tiff", 4 },
        { "a.bmp", 5 },
        { "a.png", 6 },
        { "a.gif", 0 },
        { "a.pcx", 8 },
        { "jpg", 0 },
        { "/x.jpg/file", 0 },
        { "a.thm", 0 },
        { "a.jpgx", 0 },
    };
    for (const auto& [name, kind] : cases)
        EXPECT_EQ(ImageKindOf(name), kind) << name;
    EXPECT_EQ(KindText(1), "ExifJPEG");
    EXPECT_EQ(KindText(10), "TIFF/EP");
    EXPECT_EQ(KindText(7), "GIF");
    EXPECT_EQ(KindText(9), "Unknown");
}

} // namespace
