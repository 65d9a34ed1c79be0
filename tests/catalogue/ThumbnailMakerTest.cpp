// The thumbnail maker over a catalogue built in code, with stand-in readers:
// what each kind of file leaves in its record and in the cache file, and the
// progress messages of a whole pass.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "ThumbnailMakerFixture.h"
#include "catalogue/CacheFile.h"
#include "catalogue/ThumbnailMaker.h"

namespace {

using catalogue::TImageCache;
using catalogue::TThumbnailMaker;

using FakeHost = testcatalogue::RecordingHost;

// What the stand-in metadata reader finds in a file, by file name.
struct FakeFile {
    std::string name;
    uint8_t kind = catalogue::kKindJpeg;
    uint32_t size = 1000;
    int32_t container = 1;
    int thumbWidth = 0, thumbHeight = 0; // embedded thumbnail, 0 = none
    int32_t width = 3000, height = 2000; // picture size from the metadata
    uint8_t hint = 0;
    bool readerThrows = false;
    bool decodes = true; // the reduced decode succeeds
    int decodeWidth = 160, decodeHeight = 107;
    int32_t decodedWidth = 0, decodedHeight = 0; // what the decode reports (BMP, PNG, PCX)
};

imaging::Bitmap Solid(int w, int h)
{
    imaging::Bitmap b(w, h);
    b.Fill(10, 20, 30);
    if (w > 0 && h > 0)
        b.Row(0)[0] = 200; // marks the top-left pixel's blue byte
    return b;
}

struct Counters {
    std::atomic<int> reads { 0 };
    std::atomic<int> decodes { 0 };
};

catalogue::TThumbnailReaders FakeReaders(const std::vector<FakeFile>& files, Counters& counters)
{
    const auto find = [files](const std::string& name) {
        for (const FakeFile& f : files)
            if (f.name == name)
                return f;
        throw std::logic_error("unknown file " + name);
    };
    catalogue::TThumbnailReaders readers;
    readers.ReadExifData = [find, &counters](const std::string& name, imaging::Bitmap& thumb,
                               metadata::PhotoshopLocator& locator, metadata::TExifData& exif) {
        ++counters.reads;
        const FakeFile f = find(name);
        exif.IccOffset = 100;
        exif.IccLength = 3144;
        exif.HasComment = -1;
        exif.Comment = "comment of " + name;
        if (f.readerThrows)
            throw std::runtime_error("damaged maker note");
        exif.ContainerKind = f.container;
        exif.Width = f.width;
        exif.Height = f.height;
        exif.Main.RotationHint = f.hint;
        exif.Main.Model = "Camera";
        locator = { 0, 40, 12 };
        if (f.thumbWidth > 0) {
            thumb = Solid(f.thumbWidth, f.thumbHeight);
            exif.HasThumbnail = -1;
        }
    };
    readers.LoadThumbnailFromImage = [find, &counters](const std::string& name, imaging::Bitmap& thumb, int32_t& width,
                                         int32_t& height, const imaging::ProgressFn&) {
        ++counters.decodes;
        const FakeFile f = find(name);
        if (!f.decodes)
            return false;
        thumb = Solid(f.decodeWidth, f.decodeHeight);
        if (f.decodedWidth) {
            width = f.decodedWidth;
            height = f.decodedHeight;
        }
        return true;
    };
    return readers;
}

void AddRecords(catalogue::TCatalogue& catalogue, const std::vector<FakeFile>& files)
{
    std::lock_guard lock(catalogue.Mutex());
    for (const FakeFile& f : files) {
        auto record = std::make_unique<TImageCache>();
        record->FileName = "/photos/" + f.name;
        record->FileKind = f.kind;
        record->FileSize = f.size;
        catalogue.Records().push_back(std::move(record));
    }
}

std::vector<FakeFile> WithFolder(std::vector<FakeFile> files)
{
    for (FakeFile& f : files)
        f.name = "/photos/" + f.name;
    return files;
}

struct Pass {
    FakeHost host;
    platform::MainThreadQueue queue;
    catalogue::TCatalogue catalogue;
    Counters counters;

    void Run(const std::vector<FakeFile>& files)
    {
        AddRecords(catalogue, files);
        host.queue = &queue;
        catalogue::TThumbnailMakerOptions options;
        options.readers = FakeReaders(WithFolder(files), counters);
        TThumbnailMaker maker(catalogue, host, queue, std::move(options));
        maker.WaitFor();
        EXPECT_TRUE(maker.Finished());
    }
    TImageCache& At(int i) { return catalogue.At(i); }
    imaging::Bitmap Thumb(int i)
    {
        imaging::Bitmap b;
        EXPECT_TRUE(host.cache.ReadThumbnail(At(i).ThumbOffset, b)) << i;
        return b;
    }
};

TEST(ThumbnailMaker, EachKindOfFileLeavesItsRecordAsExpected)
{
    struct Case {
        FakeFile file;
        bool noUseRolate;
        int thumbWidth, thumbHeight; // -1: no thumbnail
        uint8_t rotation;
        uint8_t kind;
        bool metadata;
        int32_t imageWidth, imageHeight;
        int reads, decodes;
    };
    const Case cases[] = {
        // Embedded thumbnail of a landscape picture: kept as it is.
        { { "embedded.jpg", catalogue::kKindJpeg, 1000, 1, 160, 120 }, false, 160, 120, 0, 1, true, 3000, 2000, 1, 0 },
        // Rotation hint 1: turned clockwise, now portrait; hint 3 counter-clockwise.
        { { "turn-right.jpg", catalogue::kKindJpeg, 1000, 1, 160, 120, 3000, 2000, 1 }, false, 120, 160, 1, 1, true,
            3000, 2000, 1, 0 },
        { { "turn-left.jpg", catalogue::kKindJpeg, 1000, 1, 160, 120, 3000, 2000, 3 }, false, 120, 160, 3, 1, true,
            3000, 2000, 1, 0 },
        // Hint 2 (taken upside down): a half turn keeps the shape.
        { { "upside-down.jpg", catalogue::kKindJpeg, 1000, 1, 160, 120, 3000, 2000, 2 }, false, 160, 120, 2, 1, true,
            3000, 2000, 1, 0 },
        // The orientation setting off: the thumbnail stays landscape and the record unturned.
        { { "no-rotate.jpg", catalogue::kKindJpeg, 1000, 1, 160, 120, 3000, 2000, 1 }, true, 160, 120, 0, 1, true, 3000,
            2000, 1, 0 },
        // A portrait thumbnail of a landscape picture is rejected: reduced decode, no rotation.
        { { "mismatch.jpg", catalogue::kKindJpeg, 1000, 1, 120, 160, 3000, 2000, 1 }, false, 160, 107, 0, 1, true, 3000,
            2000, 1, 1 },
        // And the other way round.
        { { "mismatch2.jpg", catalogue::kKindJpeg, 1000, 1, 160, 120, 2000, 3000, 0 }, false, 160, 107, 0, 1, true,
            2000, 3000, 1, 1 },
        // No usable thumbnail but a hint: the rotation is kept, the decode is not turned.
        { { "hint-only.jpg", catalogue::kKindJpeg, 1000, 1, 0, 0, 3000, 2000, 1 }, false, 160, 107, 1, 1, true, 3000,
            2000, 1, 1 },
        // No Exif (container 0): no metadata, decoded, the picture size still kept.
        { { "plain.jpg", catalogue::kKindJpeg, 1000, 0, 0, 0, 640, 480 }, false, 160, 107, 0, 3, false, 640, 480, 1,
            1 },
        // Unreadable structure (99): not decoded either.
        { { "broken.tif", catalogue::kKindTiff, 1000, 99, 0, 0, 0, 0 }, false, -1, -1, 0, 4, false, 0, 0, 1, 0 },
        // A TIFF/EP container keeps its kind.
        { { "raw.nef", catalogue::kKindTiff, 1000, 10, 160, 120, 3008, 2000 }, false, 160, 120, 0, 10, true, 3008, 2000,
            1, 0 },
        // The reader throws: nothing taken from it, decoded instead.
        { { "throws.jpg", catalogue::kKindJpeg, 1000, 1, 160, 120, 3000, 2000, 1, true }, false, 160, 107, 0, 3, false,
            0, 0, 1, 1 },
        // A zero-byte file is neither read nor decoded.
        { { "empty.jpg", catalogue::kKindJpeg, 0 }, false, -1, -1, 0, 3, false, 0, 0, 0, 0 },
        // A BMP is not read for metadata; its decode gives the size (enlarged thumbnail).
        { { "small.bmp", catalogue::kKindBitmap, 1000, 0, 0, 0, 0, 0, 0, false, true, 160, 80, 100, 50 }, false, 160,
            80, 0, 5, false, 100, 50, 0, 1 },
        // A decode that fails leaves no thumbnail.
        { { "corrupt.png", catalogue::kKindPng, 1000, 0, 0, 0, 0, 0, 0, false, false }, false, -1, -1, 0, 6, false, 0,
            0, 0, 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.name);
        Pass pass;
        pass.host.noUseRolate = c.noUseRolate;
        pass.Run({ c.file });
        TImageCache& r = pass.At(0);
        EXPECT_EQ(r.ThumbState, 10);
        EXPECT_EQ(r.FileKind, c.kind);
        EXPECT_EQ(r.Rotation, c.rotation);
        EXPECT_EQ(r.Exif != nullptr, c.metadata);
        EXPECT_EQ(r.ImageWidth, c.imageWidth);
        EXPECT_EQ(r.ImageHeight, c.imageHeight);
        EXPECT_EQ(pass.counters.reads, c.reads);
        EXPECT_EQ(pass.counters.decodes, c.decodes);
        if (c.thumbWidth < 0) {
            EXPECT_EQ(r.ThumbOffset, -1);
            EXPECT_EQ(pass.host.cache.Size(), 0);
        } else {
            const imaging::Bitmap thumb = pass.Thumb(0);
            EXPECT_EQ(thumb.Width(), c.thumbWidth);
            EXPECT_EQ(thumb.Height(), c.thumbHeight);
        }
        // The ICC location and comment are kept whatever the container, unless the reader failed.
        const bool read = c.reads > 0 && !c.file.readerThrows;
        EXPECT_EQ(r.IccLength, read ? 3144 : 0);
        EXPECT_EQ(r.HasComment, read);
        EXPECT_EQ(pass.host.Posts(), (std::vector<int> { -1, 0, -2 }));
        EXPECT_FALSE(pass.host.writeOffMainThread);
    }
}

TEST(ThumbnailMaker, TurnedThumbnailMovesTheCornerPixel)
{
    Pass pass;
    pass.Run({ { "right.jpg", catalogue::kKindJpeg, 1000, 1, 4, 2, 3000, 2000, 1 },
        { "left.jpg", catalogue::kKindJpeg, 1000, 1, 4, 2, 3000, 2000, 3 } });
    // Clockwise: the top-left pixel goes to the top-right corner; counter-clockwise to the bottom-left.
    const imaging::Bitmap right = pass.Thumb(0);
    ASSERT_EQ(right.Width(), 2);
    EXPECT_EQ(right.Row(0)[3], 200);
    const imaging::Bitmap left = pass.Thumb(1);
    ASSERT_EQ(left.Height(), 4);
    EXPECT_EQ(left.Row(3)[0], 200);
}

TEST(ThumbnailMaker, WholeFolderPostsEveryIndexAndGrowsTheCacheByItsThumbnails)
{
    std::vector<FakeFile> files;
    for (int i = 0; i < 30; ++i) {
        FakeFile f { "p" + std::to_string(i) + ".jpg" };
        if (i % 3 == 0) { // embedded thumbnails of several sizes
            f.thumbWidth = 160 - i;
            f.thumbHeight = 120;
        } else if (i % 3 == 1) {
            f.container = 0; // decoded
            f.decodeWidth = 100 + i;
        } else {
            f.size = 0; // zero bytes: no thumbnail
        }
        files.push_back(f);
    }
    Pass pass;
    pass.Run(files);
    std::vector<int> expected { -1 };
    int64_t bytes = 0;
    for (int i = 0; i < 30; ++i) {
        expected.push_back(i);
        const TImageCache& r = pass.At(i);
        EXPECT_EQ(r.ThumbState, 10);
        if (i % 3 == 2) {
            EXPECT_EQ(r.ThumbOffset, -1);
            continue;
        }
        const imaging::Bitmap thumb = pass.Thumb(i);
        EXPECT_EQ(r.ThumbOffset, bytes) << "thumbnails follow one another in the order made";
        bytes += 54 + imaging::Bitmap::StrideFor(thumb.Width(), 24) * thumb.Height()
            + catalogue::TCacheFile::ReserveBytes(thumb.Width(), thumb.Height());
    }
    expected.push_back(-2);
    EXPECT_EQ(pass.host.Posts(), expected);
    EXPECT_EQ(pass.host.cache.Size(), bytes);
}

TEST(ThumbnailMaker, VisitedRecordsAreLeftAsTheyAre)
{
    Pass pass;
    AddRecords(pass.catalogue, { { "kept.jpg" } });
    {
        TImageCache& kept = pass.At(0);
        kept.ThumbState = 10;
        kept.ThumbOffset = 1234;
        kept.Rotation = 2;
    }
    pass.Run({ { "new.jpg", catalogue::kKindJpeg, 1000, 1, 160, 120 } });
    EXPECT_EQ(pass.counters.reads, 1);
    EXPECT_EQ(pass.At(0).ThumbOffset, 1234);
    EXPECT_EQ(pass.At(0).Rotation, 2);
    EXPECT_EQ(pass.At(1).ThumbState, 10);
    EXPECT_EQ(pass.host.Posts(), (std::vector<int> { -1, 0, 1, -2 }));
}

TEST(ThumbnailMaker, EmptyCatalogueStillReportsStartAndEnd)
{
    Pass pass;
    pass.Run({});
    EXPECT_EQ(pass.host.Posts(), (std::vector<int> { -1, -2 }));
}

} // namespace
