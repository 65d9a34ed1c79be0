#pragma once
// Listing a folder into the catalogue, re-listing it, sorting, and the texts
// of the detail list and the status bar.

#include <array>
#include <cstdint>
#include <string>
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

// Lists a folder (path ending in '/') anew: records cleared, cache file emptied.
int BuildCatalogue(TCatalogue& catalogue, const std::string& folder, TCacheFile& cache, SortOrder order);
// Re-lists the folder already listed, keeping the records of unchanged files.
int RefreshCatalogue(TCatalogue& catalogue, const std::string& folder, SortOrder order);
// Disposes every record; with a cache file, also empties it.
void ClearCatalogue(TCatalogue& catalogue, TCacheFile* cache);
void SortCatalogue(TCatalogue& catalogue, SortOrder order);

// One detail-list column.
struct TListConfig {
    std::string Caption;
    char Source = 'd'; // 'd' a record field, 'n' metadata texts
    std::array<int32_t, 9> Keys{};
    int32_t Width = 0;
    enum class Align { Left, Right, Center } Alignment = Align::Left;
};
struct TListConfigs {
    uint8_t Count = 0;
    std::vector<TListConfig> Items; // room for 101
};
void InitListConfig(TListConfigs& config);
// The texts of one list row, one per configured column, in order.
std::vector<std::string> FillListRow(const TImageCache& record, const TListConfigs& config);
std::string ShootingSummary(const TImageCache& record);

} // namespace catalogue
