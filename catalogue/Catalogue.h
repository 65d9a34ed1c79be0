#pragma once
// Listing a folder into the catalogue, re-listing it, sorting, and the texts
// of the detail list and the status bar.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/CacheFile.h"
#include "catalogue/ImageCache.h"

namespace catalogue {

// Sort kinds: 0 name, 1 kind, 2 modified date, 3 file size, 4 picture size,
// -1 the metadata item whose key is the sort tag.
struct SortOrder {
    int kind = 0;
    int32_t tag = 0;
};

// Kind code of a file name by its lower-cased extension: 3, 4, 5, 6, 8, or 0 (not listed).
uint8_t ImageKindOf(const std::string& fileName);
std::string KindText(uint8_t kind);
std::string SizeText(uint64_t size);

// Case-insensitive byte comparison: ASCII letters folded to upper case, other bytes compared
// unsigned, a prefix first. Negative, zero or positive.
int CompareNoCase(std::string_view a, std::string_view b);

// The empty catalogue's companion: a new cache file ("TN" in the temporary
// folder). The main window keeps both for its whole life.
std::unique_ptr<TCacheFile> CreateCatalogue(TCatalogue& catalogue);
// Disposes every record and closes and deletes the cache file.
void DestroyCatalogue(TCatalogue& catalogue, std::unique_ptr<TCacheFile>& cache);

// Lists a folder (path ending in '/'; one is added when missing) anew: records
// cleared, cache file emptied, then sorted. The visible regular files (links
// to files included) of an image kind, no sub-folders; a folder that cannot
// be read gives 0 records. Takes the lock for the whole listing.
int BuildCatalogue(TCatalogue& catalogue, const std::string& folder, TCacheFile& cache, SortOrder order);
// The same without a cache file to empty (cache may be null).
int BuildCatalogue(TCatalogue& catalogue, const std::string& folder, TCacheFile* cache, SortOrder order);
// Re-lists the folder already listed, keeping the records of unchanged files
// (same path and same DateText) with all their data; the others are disposed
// and their cache-file slots left unused.
int RefreshCatalogue(TCatalogue& catalogue, const std::string& folder, SortOrder order);
// Disposes every record; with a cache file, also empties it.
void ClearCatalogue(TCatalogue& catalogue, TCacheFile* cache);
// Sorts under the lock (not stable): 0 name, 1 kind, 2 date, 3 size, 4 picture
// size, -1 the text of the metadata item order.tag (records without metadata first).
void SortCatalogue(TCatalogue& catalogue, SortOrder order);

// One detail-list column.
struct TListConfig {
    std::string Caption;
    char Source = 'd'; // 'd' a record field, 'n' metadata texts
    std::array<int32_t, 9> Keys {};
    int32_t Width = 0;
    enum class Align { Left, Right, Center } Alignment = Align::Left;
};
struct TListConfigs {
    uint8_t Count = 0;
    std::vector<TListConfig> Items; // room for 101
};
void InitListConfig(TListConfigs& config);
// The texts of one list row, one per configured column, in order (the first
// is the row caption). File names are the raw bytes of the name.
std::vector<std::string> FillListRow(const TImageCache& record, const TListConfigs& config);
// The status bar's shooting summary; empty for a record without metadata.
std::string ShootingSummary(const TImageCache& record);

} // namespace catalogue
