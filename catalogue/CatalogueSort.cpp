// The sort orders of the catalogue.
#include <algorithm>
#include <mutex>

#include "catalogue/Catalogue.h"
#include "metadata/ExifData.h"

namespace catalogue {

int CompareNoCase(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    size_t i = 0;
    while (true) {
        // Equal bytes are equal after folding too: skip them quickly (names
        // in one folder share the whole folder path).
        i = static_cast<size_t>(std::mismatch(a.begin() + i, a.begin() + n, b.begin() + i).first - a.begin());
        if (i == n)
            break;
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        // Letters fold to upper case, so "_" sorts after every letter.
        if (ca >= 'a' && ca <= 'z')
            ca = static_cast<unsigned char>(ca - 'a' + 'A');
        if (cb >= 'a' && cb <= 'z')
            cb = static_cast<unsigned char>(cb - 'a' + 'A');
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

namespace {

using Records = std::vector<std::unique_ptr<TImageCache>>;

// By name without regard to case; names that differ only in case by their bytes.
bool NameLess(const TImageCache& a, const TImageCache& b)
{
    const int order = CompareNoCase(a.FileName, b.FileName);
    return order != 0 ? order < 0 : a.FileName < b.FileName;
}

// Records with equal keys (one camera's picture size, a burst within one
// second) come in name order, not in whatever order the sort leaves them.
template <typename Less> void SortRecords(Records& records, Less less)
{
    std::sort(records.begin(), records.end(),
        [&](const std::unique_ptr<TImageCache>& a, const std::unique_ptr<TImageCache>& b) {
            if (less(*a, *b))
                return true;
            if (less(*b, *a))
                return false;
            return NameLess(*a, *b);
        });
}

// Records without metadata first, then by the item's text; the texts are
// looked up once per record rather than once per comparison.
void SortByMetaItem(Records& records, int32_t tag)
{
    struct Keyed {
        bool hasExif;
        std::string text;
        std::unique_ptr<TImageCache> record;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(records.size());
    for (auto& r : records) {
        const bool hasExif = r->Exif != nullptr;
        std::string text = hasExif ? metadata::GetExifValueText(tag, *r->Exif) : std::string();
        keyed.push_back({ hasExif, std::move(text), std::move(r) });
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (a.hasExif != b.hasExif)
            return !a.hasExif;
        if (const int order = a.hasExif ? CompareNoCase(a.text, b.text) : 0; order != 0)
            return order < 0;
        return NameLess(*a.record, *b.record);
    });
    for (size_t i = 0; i < keyed.size(); ++i)
        records[i] = std::move(keyed[i].record);
}

} // namespace

void SortCatalogue(TCatalogue& catalogue, SortOrder order)
{
    std::lock_guard lock(catalogue.Mutex());
    Records& records = catalogue.Records();
    switch (order.kind) {
    case 0:
        SortRecords(records, NameLess);
        break;
    case 1:
        SortRecords(records, [](const TImageCache& a, const TImageCache& b) { return a.FileKind < b.FileKind; });
        break;
    case 2:
        SortRecords(records, [](const TImageCache& a, const TImageCache& b) { return a.FileTime < b.FileTime; });
        break;
    case 3:
        SortRecords(records, [](const TImageCache& a, const TImageCache& b) { return a.FileSize < b.FileSize; });
        break;
    case 4:
        SortRecords(records, [](const TImageCache& a, const TImageCache& b) {
            return static_cast<int64_t>(a.ImageWidth) * a.ImageHeight
                < static_cast<int64_t>(b.ImageWidth) * b.ImageHeight;
        });
        break;
    case -1:
        SortByMetaItem(records, order.tag);
        break;
    default:
        break; // unknown orders keep the listing order
    }
}

} // namespace catalogue
