#include <gtest/gtest.h>

#include "catalogue/StoredHistogram.h"
#include "imaging/ImageIO.h"
#include "support/TestSupport.h"

using namespace catalogue;

namespace {

analysis::TVX_Histogram HistogramOf(uint8_t red, int pixels)
{
    imaging::Bitmap bitmap(pixels, 1);
    bitmap.Fill(red, 0, 0);
    analysis::TVX_Histogram h;
    h.Compute(bitmap);
    return h;
}

std::string WriteBmp(const testsupport::TempDir& dir, const char* name, uint8_t red, int pixels)
{
    imaging::Bitmap bitmap(pixels, 2);
    bitmap.Fill(red, 0, 0);
    const std::string path = (dir.Path() / name).string();
    EXPECT_TRUE(imaging::SaveBmpFile(path, bitmap));
    return path;
}

void AddRecord(TCatalogue& catalogue, const std::string& path, bool checked)
{
    auto record = std::make_unique<TImageCache>();
    record->FileName = path;
    record->Checked = checked;
    catalogue.Records().push_back(std::move(record));
}

} // namespace

TEST(StoredHistogram, FirstStoreAppendsAndARecalculationRewritesInPlace)
{
    TCacheFile cache;
    TImageCache record;
    ASSERT_TRUE(StoreHistogramBlocks(cache, record, HistogramOf(40, 3)));
    EXPECT_EQ(record.HistState, 10);
    EXPECT_EQ(record.HistOffset, 0);
    const int64_t size = cache.Size();
    EXPECT_EQ(size, kLevelBlockSize + kHueBlockSize);

    ASSERT_TRUE(StoreHistogramBlocks(cache, record, HistogramOf(90, 5)));
    EXPECT_EQ(cache.Size(), size); // the cache file does not grow
    analysis::TVX_Histogram loaded;
    ASSERT_TRUE(LoadStoredHistogram(cache, record, loaded));
    EXPECT_EQ(loaded.Count(analysis::TableR, 90), 5u);
    EXPECT_EQ(loaded.Count(analysis::TableR, 40), 0u);

    TImageCache none;
    EXPECT_FALSE(LoadStoredHistogram(cache, none, loaded));
    // A write that fails leaves the record as it was.
    TImageCache broken;
    broken.HistState = 10;
    broken.HistOffset = -8;
    EXPECT_FALSE(StoreHistogramBlocks(cache, broken, HistogramOf(1, 1)));
    EXPECT_EQ(broken.HistOffset, -8);
}

TEST(StoredHistogram, BatchStoresCheckedFilesThatLoadAndStopsOnCancel)
{
    testsupport::TempDir dir;
    TCatalogue catalogue;
    AddRecord(catalogue, WriteBmp(dir, "a.bmp", 10, 4), true);
    AddRecord(catalogue, WriteBmp(dir, "b.bmp", 20, 4), false);
    const std::string broken = (dir.Path() / "c.bmp").string();
    testsupport::WriteFile(broken, std::string("BM not a picture"));
    AddRecord(catalogue, broken, true);
    AddRecord(catalogue, WriteBmp(dir, "d.bmp", 30, 6), true);
    TCacheFile cache;

    std::vector<int> stored;
    const THistogramBatchResult result
        = RecalcCheckedHistograms(catalogue, cache, { {}, {}, [&](int i) { stored.push_back(i); } });
    EXPECT_EQ(result.Stored, 2);
    EXPECT_EQ(result.Failed, 1);
    EXPECT_EQ(stored, (std::vector<int> { 0, 3 }));
    EXPECT_EQ(catalogue.At(1).HistState, 0); // not checked
    EXPECT_EQ(catalogue.At(2).HistState, 0); // did not load: nothing stored for it
    analysis::TVX_Histogram loaded;
    ASSERT_TRUE(LoadStoredHistogram(cache, catalogue.At(3), loaded));
    EXPECT_EQ(loaded.Count(analysis::TableR, 30), 12u);

    // Cancelled while the first file loads: nothing more is stored.
    TCatalogue again;
    AddRecord(again, WriteBmp(dir, "e.bmp", 50, 4), true);
    AddRecord(again, WriteBmp(dir, "f.bmp", 60, 4), true);
    bool running = true;
    THistogramBatchHooks hooks;
    hooks.Running = [&] { return running; };
    hooks.Progress = [&](int) {
        running = false;
        return true;
    };
    // BMP loads report no progress, so cancel from the store of the first file instead.
    hooks.Stored = [&](int) { running = false; };
    const THistogramBatchResult cancelled = RecalcCheckedHistograms(again, cache, hooks);
    EXPECT_EQ(cancelled.Stored, 1);
    EXPECT_EQ(again.At(0).HistState, 10);
    EXPECT_EQ(again.At(1).HistState, 0);
}
