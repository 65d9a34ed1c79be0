// Listing and re-listing a folder into the catalogue.
#include "catalogue/Catalogue.h"

#include <dirent.h>
#include <sys/stat.h>

#include <mutex>
#include <string_view>
#include <unordered_map>

#include "platform/FileTime.h"

namespace catalogue {

namespace {

// Closes the folder handle on every path out.
struct FolderReader {
    DIR* dir;
    explicit FolderReader(const std::string& folder)
        : dir(::opendir(folder.c_str()))
    {
    }
    ~FolderReader()
    {
        if (dir)
            ::closedir(dir);
    }
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;
};

// One listable folder entry: a visible regular file (or a link to one).
struct Entry {
    const char* name;
    uint8_t kind;
    struct stat st;
};

// Calls `visit(entry)` for every visible regular file of an image kind.
// A folder that cannot be read has no entries.
template <typename Visit> void ForEachImageFile(const std::string& folder, Visit visit)
{
    FolderReader reader(folder);
    if (!reader.dir)
        return;
    const int dirFd = ::dirfd(reader.dir);
    while (const dirent* d = ::readdir(reader.dir)) {
        // Dot files are the hidden files here; this also drops "." and "..".
        if (d->d_name[0] == '.')
            continue;
        if (d->d_type != DT_REG && d->d_type != DT_LNK && d->d_type != DT_UNKNOWN)
            continue;
        Entry entry { d->d_name, ImageKindOf(d->d_name), {} };
        if (entry.kind == kKindUnknown)
            continue;
        // stat follows links: a link to a file lists as that file, a dangling one not at all.
        if (::fstatat(dirFd, d->d_name, &entry.st, 0) != 0 || !S_ISREG(entry.st.st_mode))
            continue;
        visit(entry);
    }
}

std::unique_ptr<TImageCache> NewRecord(
    const std::string& folder, const Entry& entry, uint32_t fileTime, std::string dateText)
{
    auto record = std::make_unique<TImageCache>();
    record->FileName.reserve(folder.size() + std::char_traits<char>::length(entry.name));
    record->FileName = folder;
    record->FileName += entry.name;
    record->FileKind = entry.kind;
    record->FileTime = fileTime;
    record->FileSize = static_cast<uint32_t>(static_cast<uint64_t>(entry.st.st_size));
    record->SizeText = SizeText(static_cast<uint64_t>(entry.st.st_size));
    record->DateText = std::move(dateText);
    record->ReadOnly = (entry.st.st_mode & S_IWUSR) == 0;
    return record;
}

std::string WithSlash(const std::string& folder)
{
    if (folder.empty() || folder.back() == '/')
        return folder;
    return folder + '/';
}

} // namespace

void ClearCatalogue(TCatalogue& catalogue, TCacheFile* cache)
{
    std::lock_guard lock(catalogue.Mutex());
    catalogue.Records().clear();
    if (cache)
        cache->Truncate();
}

int BuildCatalogue(TCatalogue& catalogue, const std::string& folderPath, TCacheFile* cache, SortOrder order)
{
    std::lock_guard lock(catalogue.Mutex());
    ClearCatalogue(catalogue, cache);
    const std::string folder = WithSlash(folderPath);
    auto& records = catalogue.Records();
    ForEachImageFile(folder, [&](const Entry& entry) {
        const uint32_t fileTime = platform::PackDosDateTime(entry.st.st_mtime);
        records.push_back(NewRecord(folder, entry, fileTime, platform::DateText(fileTime)));
    });
    records.shrink_to_fit();
    SortCatalogue(catalogue, order);
    return catalogue.Count();
}

int BuildCatalogue(TCatalogue& catalogue, const std::string& folder, TCacheFile& cache, SortOrder order)
{
    return BuildCatalogue(catalogue, folder, &cache, order);
}

int RefreshCatalogue(TCatalogue& catalogue, const std::string& folderPath, SortOrder order)
{
    std::lock_guard lock(catalogue.Mutex());
    const std::string folder = WithSlash(folderPath);
    std::vector<std::unique_ptr<TImageCache>> old = std::move(catalogue.Records());
    catalogue.Records().clear();

    // Old records by path: the last one with a path, and for each record the
    // one before it with the same path, so a look-up walks from the last match back.
    std::unordered_map<std::string_view, size_t> lastByName;
    lastByName.reserve(old.size());
    constexpr size_t kNone = static_cast<size_t>(-1);
    std::vector<size_t> previous(old.size(), kNone);
    for (size_t i = 0; i < old.size(); ++i) {
        auto [it, inserted] = lastByName.try_emplace(old[i]->FileName, i);
        if (!inserted) {
            previous[i] = it->second;
            it->second = i;
        }
    }

    std::vector<std::unique_ptr<TImageCache>> fresh;
    fresh.reserve(old.size() + 16);
    std::string path = folder;
    ForEachImageFile(folder, [&](const Entry& entry) {
        path.resize(folder.size());
        path += entry.name;
        const uint32_t fileTime = platform::PackDosDateTime(entry.st.st_mtime);
        std::string dateText; // computed only when needed
        bool haveDateText = false;
        auto found = lastByName.find(path);
        for (size_t i = found == lastByName.end() ? kNone : found->second; i != kNone; i = previous[i]) {
            if (!old[i])
                continue; // already taken
            // Unchanged means the same date text; an equal packed time always gives one.
            bool same = old[i]->FileTime == fileTime;
            if (!same) {
                if (!haveDateText) {
                    dateText = platform::DateText(fileTime);
                    haveDateText = true;
                }
                same = old[i]->DateText == dateText;
            }
            if (same) {
                fresh.push_back(std::move(old[i]));
                return;
            }
        }
        fresh.push_back(
            NewRecord(folder, entry, fileTime, haveDateText ? std::move(dateText) : platform::DateText(fileTime)));
    });
    lastByName.clear();

    // Records left in the old list belong to files deleted or changed since; their
    // cache-file slots stay unused until the next folder empties the file.
    old.clear();
    fresh.shrink_to_fit();
    catalogue.Records() = std::move(fresh);
    SortCatalogue(catalogue, order);
    return catalogue.Count();
}

std::unique_ptr<TCacheFile> CreateCatalogue(TCatalogue& catalogue)
{
    ClearCatalogue(catalogue, nullptr);
    return std::make_unique<TCacheFile>();
}

void DestroyCatalogue(TCatalogue& catalogue, std::unique_ptr<TCacheFile>& cache)
{
    ClearCatalogue(catalogue, nullptr);
    cache.reset();
}

} // namespace catalogue
