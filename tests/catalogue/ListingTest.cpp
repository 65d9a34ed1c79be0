#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>

#include "catalogue/Catalogue.h"
#include "platform/FileTime.h"
#include "support/TestSupport.h"

using namespace catalogue;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

void SetTime(const std::filesystem::path& path, uint32_t packed)
{
    const std::time_t t = platform::UnpackDosDateTime(packed);
    timespec times[2] = { { t, 0 }, { t, 0 } };
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

std::vector<std::string> Names(TCatalogue& catalogue)
{
    std::vector<std::string> names;
    for (int i = 0; i < catalogue.Count(); ++i) {
        const std::string& f = catalogue.At(i).FileName;
        names.push_back(f.substr(f.rfind('/') + 1));
    }
    return names;
}

const TImageCache* Find(TCatalogue& catalogue, const std::string& name)
{
    for (int i = 0; i < catalogue.Count(); ++i)
        if (catalogue.At(i).FileName.ends_with("/" + name))
            return &catalogue.At(i);
    return nullptr;
}

TEST(Listing, KindsAttributesAndSkippedEntries)
{
    TempDir dir;
    const std::map<std::string, uint8_t> listed = {
        { "PHOTO.JPG", kKindJpeg },
        { "photo.jpeg", kKindJpeg },
        { "a.tif", kKindTiff },
        { "b.TIFF", kKindTiff },
        { "c.nef", kKindTiff },
        { "d.NSK", kKindTiff },
        { "e.orf", kKindTiff },
        { "f.Mrw", kKindTiff },
        { "g.bmp", kKindBitmap },
        { "h.png", kKindPng },
        { "i.PCX", kKindPcx },
        { "写真 \"1\".jpg", kKindJpeg },
        { "\xFF\xFE bad.jpg", kKindJpeg },
        { "link.jpg", kKindJpeg },
    };
    for (const auto& [name, kind] : listed)
        if (name != "link.jpg")
            WriteFile(dir.Path() / name, std::string(1536, 'x'));
    for (const char* name : { "photo.jpe", "x.gif", ".hidden.jpg", "noext", "jpg", "readme.txt" })
        WriteFile(dir.Path() / name, "x");
    std::filesystem::create_directory(dir.Path() / "folder.jpg");
    std::filesystem::create_symlink(dir.Path() / "h.png", dir.Path() / "link.jpg");
    std::filesystem::create_symlink(dir.Path() / "gone.jpg", dir.Path() / "dangling.jpg");
    std::filesystem::create_symlink(dir.Path() / "folder.jpg", dir.Path() / "dirlink.jpg");
    ::chmod((dir.Path() / "a.tif").c_str(), 0444);
    SetTime(dir.Path() / "g.bmp", platform::PackDosDateTime(2004, 5, 6, 13, 45, 30));

    TCatalogue catalogue;
    TCacheFile cache;
    ASSERT_EQ(BuildCatalogue(catalogue, dir.Folder(), cache, {}), static_cast<int>(listed.size()));
    for (const auto& [name, kind] : listed) {
        SCOPED_TRACE(name);
        const TImageCache* r = Find(catalogue, name);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->FileName, dir.Folder() + name); // raw bytes, so the file can be opened
        EXPECT_EQ(r->FileKind, kind);
        EXPECT_EQ(r->ReadOnly, name == "a.tif");
        EXPECT_EQ(r->ThumbOffset, -1);
        EXPECT_EQ(r->ThumbState, 0);
        EXPECT_EQ(r->Exif, nullptr);
        EXPECT_EQ(r->FileSize, 1536u);
        EXPECT_EQ(r->SizeText, "2KB");
        EXPECT_EQ(r->DateText, platform::DateText(r->FileTime));
    }
    EXPECT_EQ(Find(catalogue, "g.bmp")->FileTime, platform::PackDosDateTime(2004, 5, 6, 13, 45, 30));
    EXPECT_EQ(Find(catalogue, "g.bmp")->DateText, "2004/05/06 13:45:30");

    // A folder path without its slash lists the same files.
    TCatalogue again;
    EXPECT_EQ(BuildCatalogue(again, dir.Path().string(), cache, {}), catalogue.Count());
    EXPECT_EQ(again.At(0).FileName, catalogue.At(0).FileName);
}

TEST(Listing, FoldersWithoutImagesAndVanishedFolders)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "sub");
    WriteFile(dir.Path() / "anim.gif", "GIF89a");
    TCatalogue catalogue;
    TCacheFile cache;
    EXPECT_EQ(BuildCatalogue(catalogue, dir.Folder(), cache, {}), 0);

    WriteFile(dir.Path() / "a.jpg", "x");
    ASSERT_EQ(BuildCatalogue(catalogue, dir.Folder(), cache, {}), 1);
    const std::string folder = dir.Folder();
    std::filesystem::remove_all(dir.Path());
    EXPECT_EQ(RefreshCatalogue(catalogue, folder, {}), 0);
    EXPECT_EQ(catalogue.Count(), 0);
    EXPECT_EQ(BuildCatalogue(catalogue, folder, cache, {}), 0);
    std::filesystem::create_directory(dir.Path()); // for the TempDir clean-up
}

TEST(Listing, BuildEmptiesTheCacheFile)
{
    TempDir dir;
    WriteFile(dir.Path() / "a.jpg", "x");
    TCatalogue catalogue;
    TCacheFile cache;
    cache.AppendThumbnail(imaging::Bitmap(4, 4));
    ASSERT_GT(cache.Size(), 0);
    BuildCatalogue(catalogue, dir.Folder(), cache, {});
    EXPECT_EQ(cache.Size(), 0);
}

TEST(Listing, SizeText)
{
    const std::pair<uint64_t, const char*> cases[] = {
        { 0, "0B" },
        { 1023, "1023B" },
        { 1024, "1KB" },
        { 1535, "1KB" },
        { 1536, "2KB" },
        { 2560, "2KB" },
        { 2561, "3KB" },
        { 3584, "4KB" },
        { 5u * 1024 * 1024, "5120KB" },
        { 5'000'000'000ull, "4882812KB" } /* 4882812.5 */,
    };
    for (const auto& [size, text] : cases)
        EXPECT_EQ(SizeText(size), text) << size;
}

TEST(Listing, MidnightShowsTheDateAlone)
{
    TempDir dir;
    WriteFile(dir.Path() / "midnight.jpg", "x");
    WriteFile(dir.Path() / "noon.jpg", "x");
    SetTime(dir.Path() / "midnight.jpg", platform::PackDosDateTime(2005, 1, 2, 0, 0, 0));
    SetTime(dir.Path() / "noon.jpg", platform::PackDosDateTime(2005, 1, 2, 12, 0, 0));
    TCatalogue catalogue;
    BuildCatalogue(catalogue, dir.Folder(), nullptr, {});
    EXPECT_EQ(Find(catalogue, "midnight.jpg")->DateText, "2005/01/02");
    EXPECT_EQ(Find(catalogue, "noon.jpg")->DateText, "2005/01/02 12:00:00");
}

TEST(Refresh, KeepsUnchangedRecordsAndRenewsTheRest)
{
    TempDir dir;
    const uint32_t t0 = platform::PackDosDateTime(2004, 1, 1, 10, 0, 0);
    for (const char* name : { "a.jpg", "b.jpg", "c.jpg", "d.jpg" }) {
        WriteFile(dir.Path() / name, "x");
        SetTime(dir.Path() / name, t0);
    }
    TCatalogue catalogue;
    TCacheFile cache;
    ASSERT_EQ(BuildCatalogue(catalogue, dir.Folder(), cache, {}), 4);
    for (int i = 0; i < 4; ++i) {
        TImageCache& r = catalogue.At(i);
        r.ThumbState = 10;
        r.ThumbOffset = 1000 * (i + 1);
        r.Checked = true;
        r.Rotation = 1;
        r.Exif = std::make_unique<metadata::TExifData>();
    }
    const metadata::TExifData* aExif = Find(catalogue, "a.jpg")->Exif.get();
    ASSERT_GE(cache.AppendThumbnail(imaging::Bitmap(2, 2)), 0);
    const int64_t sizeBefore = cache.Size();

    WriteFile(dir.Path() / "b.jpg", "rewritten"); // new time, new size
    SetTime(dir.Path() / "b.jpg", platform::PackDosDateTime(2004, 1, 1, 10, 0, 2));
    std::filesystem::remove(dir.Path() / "c.jpg");
    WriteFile(dir.Path() / "0new.jpg", "x");
    WriteFile(dir.Path() / "d.jpg", "same time, other size");
    SetTime(dir.Path() / "d.jpg", t0);

    ASSERT_EQ(RefreshCatalogue(catalogue, dir.Folder(), {}), 4);
    EXPECT_EQ(Names(catalogue), (std::vector<std::string> { "0new.jpg", "a.jpg", "b.jpg", "d.jpg" }));
    const TImageCache& a = *Find(catalogue, "a.jpg");
    EXPECT_EQ(a.ThumbOffset, 1000);
    EXPECT_TRUE(a.Checked);
    EXPECT_EQ(a.Rotation, 1);
    EXPECT_EQ(a.Exif.get(), aExif); // the very record
    const TImageCache& b = *Find(catalogue, "b.jpg");
    EXPECT_EQ(b.ThumbState, 0);
    EXPECT_EQ(b.ThumbOffset, -1);
    EXPECT_FALSE(b.Checked);
    EXPECT_EQ(b.FileSize, 9u);
    // Unchanged is decided by path and date alone: the record keeps its old size.
    const TImageCache& d = *Find(catalogue, "d.jpg");
    EXPECT_EQ(d.ThumbOffset, 4000);
    EXPECT_EQ(d.FileSize, 1u);
    EXPECT_EQ(Find(catalogue, "0new.jpg")->ThumbOffset, -1);
    EXPECT_EQ(cache.Size(), sizeBefore); // slots of dropped records stay
}

TEST(Refresh, TheLastMatchingOldRecordIsKeptAndSortOrderApplies)
{
    TempDir dir;
    WriteFile(dir.Path() / "x.jpg", "xxx");
    WriteFile(dir.Path() / "y.jpg", "y");
    TCatalogue catalogue;
    BuildCatalogue(catalogue, dir.Folder(), nullptr, {});
    ASSERT_EQ(catalogue.Count(), 2);
    // A second record for the same file (as after an odd sequence of commands).
    auto twin = std::make_unique<TImageCache>();
    twin->FileName = Find(catalogue, "x.jpg")->FileName;
    twin->DateText = Find(catalogue, "x.jpg")->DateText;
    twin->FileTime = Find(catalogue, "x.jpg")->FileTime + 1; // equal text, other packed value
    twin->FileSize = 3;
    twin->ThumbOffset = 77;
    catalogue.Records().push_back(std::move(twin));

    ASSERT_EQ(RefreshCatalogue(catalogue, dir.Folder(), { 3, 0 }), 2);
    EXPECT_EQ(Names(catalogue), (std::vector<std::string> { "y.jpg", "x.jpg" })); // by size
    EXPECT_EQ(Find(catalogue, "x.jpg")->ThumbOffset, 77);
}

TEST(Catalogue, CreateAndDestroy)
{
    TCatalogue catalogue;
    std::unique_ptr<TCacheFile> cache = CreateCatalogue(catalogue);
    ASSERT_TRUE(cache);
    const std::string path = cache->Path();
    EXPECT_TRUE(std::filesystem::exists(path));
    catalogue.Records().push_back(std::make_unique<TImageCache>());
    DestroyCatalogue(catalogue, cache);
    EXPECT_EQ(catalogue.Count(), 0);
    EXPECT_FALSE(cache);
    EXPECT_FALSE(std::filesystem::exists(path));
}

} // namespace
