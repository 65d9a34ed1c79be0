#include "catalogue/StoredHistogram.h"

#include <vector>

#include "analysis/HistogramFile.h"

namespace catalogue {

bool StoreHistogramBlocks(TCacheFile& cache, TImageCache& record, const analysis::TVX_Histogram& histogram)
{
    std::vector<uint8_t> levels(kLevelBlockSize), hues(kHueBlockSize);
    histogram.SaveLevelCounts(levels.data());
    histogram.SaveHueCounts(hues.data());
    if (record.HistState != 0) {
        if (!cache.WriteHistogram(record.HistOffset, levels.data(), hues.data()))
            return false;
    } else {
        const int32_t offset = cache.AppendHistogram(levels.data(), hues.data());
        if (offset < 0)
            return false;
        record.HistOffset = offset;
    }
    record.HistState = 10;
    return true;
}

bool LoadStoredHistogram(const TCacheFile& cache, const TImageCache& record, analysis::TVX_Histogram& histogram)
{
    if (record.HistState != 10)
        return false;
    std::vector<uint8_t> levels(kLevelBlockSize), hues(kHueBlockSize);
    if (!cache.ReadHistogram(record.HistOffset, levels.data(), hues.data()))
        return false;
    histogram.LoadLevelCounts(levels.data());
    histogram.LoadHueCounts(hues.data());
    return true;
}

THistogramBatchResult RecalcCheckedHistograms(
    TCatalogue& catalogue, TCacheFile& cache, const THistogramBatchHooks& hooks)
{
    THistogramBatchResult result;
    analysis::TVX_Histogram histogram;
    auto running = [&] { return !hooks.Running || hooks.Running(); };
    int count = 0;
    {
        std::lock_guard lock(catalogue.Mutex());
        count = catalogue.Count();
    }
    for (int i = 0; i < count; ++i) {
        // The record is read and written under the lock; the picture is decoded without it,
        // so the thumbnail maker and the views do not wait for a whole decode.
        std::string fileName;
        {
            std::lock_guard lock(catalogue.Mutex());
            if (i >= catalogue.Count())
                break; // the folder changed under the batch
            const TImageCache& record = catalogue.At(i);
            if (!record.Checked || !running())
                continue;
            fileName = record.FileName;
        }
        imaging::Bitmap picture;
        const analysis::THistogramFileResult loaded
            = analysis::ComputeFileHistogram(fileName, histogram, picture, hooks.Progress);
        if (!running())
            continue;
        std::lock_guard lock(catalogue.Mutex());
        if (i >= catalogue.Count() || catalogue.At(i).FileName != fileName)
            break; // the folder changed under the batch
        if (!loaded.Ok || !StoreHistogramBlocks(cache, catalogue.At(i), histogram)) {
            ++result.Failed;
            continue;
        }
        ++result.Stored;
        if (hooks.Stored)
            hooks.Stored(i);
    }
    return result;
}

} // namespace catalogue
