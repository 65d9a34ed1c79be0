#pragma once
// A file's full histogram kept in the cache file: the two histogram blocks
// back to back at the record's HistOffset, HistState 10 once stored. And the
// batch that recalculates them for every checked file.

#include <functional>

#include "analysis/Histogram.h"
#include "catalogue/CacheFile.h"
#include "catalogue/ImageCache.h"
#include "imaging/ImageIO.h"

namespace catalogue {

// Writes the histogram's blocks over the record's stored ones, or appends
// them when it has none. HistState becomes 10 (and HistOffset the place)
// only once both blocks are written; a failed write leaves the record as it was.
bool StoreHistogramBlocks(TCacheFile& cache, TImageCache& record, const analysis::TVX_Histogram& histogram);
// The record's stored blocks into the histogram; false when it has none or they cannot be read.
bool LoadStoredHistogram(const TCacheFile& cache, const TImageCache& record, analysis::TVX_Histogram& histogram);

struct THistogramBatchHooks {
    // Read before each load and each store; false once the user cancelled.
    std::function<bool()> Running;
    // Load progress of the file at hand, in percent.
    imaging::ProgressFn Progress;
    // After file `index` got its new stored histogram (its record still locked).
    std::function<void(int index)> Stored;
};

struct THistogramBatchResult {
    int Stored = 0;
    int Failed = 0; // checked files that did not load or could not be written
};

// For every checked record among those present at the start, in order and
// with the record locked: loads its picture, computes its histogram and
// stores it. A file that does not load keeps what it had; after a cancel
// the remaining records are only walked through.
THistogramBatchResult RecalcCheckedHistograms(
    TCatalogue& catalogue, TCacheFile& cache, const THistogramBatchHooks& hooks);

} // namespace catalogue
