// The maker with the real metadata reader and decoders over a folder of
// files built in code: embedded, turned, rejected and decoded thumbnails,
// broken files, and what the cache file holds afterwards.
#include <gtest/gtest.h>

#include <map>

#include "ThumbnailMakerFixture.h"
#include "catalogue/BitmapUtils.h"
#include "catalogue/Catalogue.h"
#include "catalogue/ThumbnailPass.h"
#include "imaging/ImageIO.h"
#include "support/TestSupport.h"

namespace {

using catalogue::TThumbnailSource;
using testcatalogue::ExifJpeg;
using testcatalogue::PlainJpeg;
using testsupport::WriteFile;

struct Folder {
    testsupport::TempDir dir;
    catalogue::TCacheFile cache;
    catalogue::TCatalogue records;
    catalogue::TThumbnailPassResult pass;
    std::map<std::string, int> index;

    void Run(bool noUseRolate = false)
    {
        const int n = catalogue::BuildCatalogue(records, dir.Folder(), cache, {});
        pass = catalogue::RunThumbnailPass(records, cache, noUseRolate, catalogue::TThumbnailReaders::Default());
        for (int i = 0; i < n; ++i)
            index[records.At(i).FileName.substr(dir.Folder().size())] = i;
    }
    const catalogue::TImageCache& Record(const std::string& name) { return records.At(index.at(name)); }
    TThumbnailSource Source(const std::string& name) { return pass.sources[static_cast<size_t>(index.at(name))]; }
    imaging::Bitmap Thumb(const std::string& name)
    {
        imaging::Bitmap b;
        const int32_t offset = Record(name).ThumbOffset;
        if (offset != -1) {
            EXPECT_TRUE(cache.ReadThumbnail(offset, b)) << name;
        }
        return b;
    }
};

void WriteFolder(Folder& f)
{
    const auto& p = f.dir.Path();
    WriteFile(p / "landscape.jpg", ExifJpeg(600, 400, 160, 120, 1));
    WriteFile(p / "turned.jpg", ExifJpeg(600, 400, 160, 120, 6));
    WriteFile(p / "turned-left.jpg", ExifJpeg(600, 400, 160, 120, 8));
    WriteFile(p / "mismatch.jpg", ExifJpeg(600, 400, 120, 160, 1));
    WriteFile(p / "big-thumb.jpg", ExifJpeg(640, 480, 320, 240, 0));
    WriteFile(p / "plain.jpg", PlainJpeg(640, 480));
    WriteFile(p / "zero.jpg", std::string());
    WriteFile(p / "garbage.jpg", std::string(3000, '\x5a'));
    std::vector<uint8_t> half = PlainJpeg(640, 480);
    half.resize(half.size() / 2);
    WriteFile(p / "truncated.jpg", half);
    imaging::Bitmap bmp(100, 50);
    bmp.Fill(0, 0, 255);
    ASSERT_TRUE(imaging::SaveBmpFile((p / "small.bmp").string(), bmp));
}

TEST(ThumbnailMakerFiles, EachFileGetsTheThumbnailItsContentCallsFor)
{
    Folder f;
    WriteFolder(f);
    f.Run();
    struct Case {
        const char* name;
        TThumbnailSource source;
        int width, height; // 0: no thumbnail
        uint8_t rotation;
        uint8_t kind;
        int32_t imageWidth, imageHeight;
    };
    const Case cases[] = {
        { "landscape.jpg", TThumbnailSource::Embedded, 160, 120, 0, catalogue::kKindExifJpeg, 600, 400 },
        { "turned.jpg", TThumbnailSource::Embedded, 120, 160, 1, catalogue::kKindExifJpeg, 600, 400 },
        { "turned-left.jpg", TThumbnailSource::Embedded, 120, 160, 3, catalogue::kKindExifJpeg, 600, 400 },
        { "mismatch.jpg", TThumbnailSource::Decoded, 160, 107, 0, catalogue::kKindExifJpeg, 600, 400 },
        { "big-thumb.jpg", TThumbnailSource::Embedded, 160, 120, 0, catalogue::kKindExifJpeg, 640, 480 },
        { "plain.jpg", TThumbnailSource::Decoded, 160, 120, 0, catalogue::kKindJpeg, 640, 480 },
        { "zero.jpg", TThumbnailSource::None, 0, 0, 0, catalogue::kKindJpeg, 0, 0 },
        { "garbage.jpg", TThumbnailSource::None, 0, 0, 0, catalogue::kKindJpeg, 0, 0 },
        { "small.bmp", TThumbnailSource::Decoded, 160, 80, 0, catalogue::kKindBitmap, 100, 50 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const catalogue::TImageCache& r = f.Record(c.name);
        EXPECT_EQ(r.ThumbState, 10);
        EXPECT_EQ(f.Source(c.name), c.source);
        EXPECT_EQ(r.Rotation, c.rotation);
        EXPECT_EQ(r.FileKind, c.kind);
        EXPECT_EQ(r.ImageWidth, c.imageWidth);
        EXPECT_EQ(r.ImageHeight, c.imageHeight);
        EXPECT_EQ(r.Exif != nullptr, c.kind == catalogue::kKindExifJpeg);
        const imaging::Bitmap thumb = f.Thumb(c.name);
        EXPECT_EQ(thumb.Width(), c.width);
        EXPECT_EQ(thumb.Height(), c.height);
    }
    // The bright top-left corner of the picture ends up where the turn puts it.
    const imaging::Bitmap turned = f.Thumb("turned.jpg");
    EXPECT_GT(turned.Row(5)[3 * (turned.Width() - 5)], 200) << "clockwise: top-left goes to top-right";
    // A truncated picture does not stop the folder; every record was visited and reported.
    EXPECT_EQ(f.Record("truncated.jpg").ThumbState, 10);
    EXPECT_EQ(f.pass.progress.size(), f.index.size() + 2);
    EXPECT_EQ(f.pass.progress.back(), -2);
}

TEST(ThumbnailMakerFiles, OrientationSettingOffKeepsThumbnailsUnturned)
{
    Folder f;
    WriteFile(f.dir.Path() / "turned.jpg", ExifJpeg(600, 400, 160, 120, 6));
    f.Run(true);
    EXPECT_EQ(f.Record("turned.jpg").Rotation, 0);
    EXPECT_EQ(f.Thumb("turned.jpg").Width(), 160);
}

TEST(ThumbnailMakerFiles, CacheHoldsExactlyTheThumbnailsAndATurnRewritesItsSlot)
{
    Folder f;
    WriteFolder(f);
    f.Run();
    int64_t expected = 0;
    for (const auto& [name, i] : f.index) {
        const imaging::Bitmap thumb = f.Thumb(name);
        if (!thumb.Empty())
            expected += 54 + imaging::Bitmap::StrideFor(thumb.Width(), 24) * thumb.Height()
                + catalogue::TCacheFile::ReserveBytes(thumb.Width(), thumb.Height());
    }
    EXPECT_EQ(f.cache.Size(), expected);

    // Turning a landscape thumbnail right: written back into its own slot, nothing moves.
    const int32_t offset = f.Record("big-thumb.jpg").ThumbOffset;
    const imaging::Bitmap before = f.Thumb("big-thumb.jpg");
    const auto turned = catalogue::RotateBitmap(270, before);
    ASSERT_TRUE(turned);
    ASSERT_TRUE(f.cache.RewriteThumbnail(offset, *turned));
    EXPECT_EQ(f.cache.Size(), expected);
    EXPECT_EQ(f.Thumb("big-thumb.jpg"), *turned);
    EXPECT_EQ(f.Thumb("landscape.jpg").Width(), 160) << "the neighbouring slots are untouched";
    EXPECT_EQ(f.Thumb("mismatch.jpg").Width(), 160);
}

TEST(ThumbnailMakerFiles, SampleFolderIsMadeWithoutLosingAFile)
{
    const auto samples = testsupport::SamplesDir();
    if (samples.empty())
        GTEST_SKIP() << "no sample files";
    for (const char* sub : { "jpg", "tiff" }) {
        catalogue::TCacheFile cache;
        catalogue::TCatalogue records;
        const int n = catalogue::BuildCatalogue(records, (samples / sub).string(), cache, {});
        const auto pass = catalogue::RunThumbnailPass(records, cache, false, catalogue::TThumbnailReaders::Default());
        EXPECT_EQ(pass.progress.size(), static_cast<size_t>(n) + 2) << sub;
        for (int i = 0; i < n; ++i) {
            const catalogue::TImageCache& r = records.At(i);
            EXPECT_EQ(r.ThumbState, 10) << r.FileName;
            EXPECT_NE(r.ThumbOffset, -1) << r.FileName << " should have a thumbnail";
        }
    }
}

} // namespace
