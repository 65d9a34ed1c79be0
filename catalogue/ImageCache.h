#pragma once
// One catalogue record per listed image file, and the catalogue itself: the
// ordered records of the open folder under one re-entrant lock shared by the
// main thread and the thumbnail maker.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "metadata/ExifData.h"

namespace catalogue {

// File kind codes (FileKind).
enum FileKindCode : uint8_t {
    kKindUnknown = 0,
    kKindExifJpeg = 1,
    kKindExifTiff = 2,
    kKindJpeg = 3,
    kKindTiff = 4,
    kKindBitmap = 5,
    kKindPng = 6,
    kKindGif = 7,
    kKindPcx = 8,
    kKindTiffEp = 10,
};

// The two JPEG kinds, for which the JPEG-only commands are offered.
inline bool IsJpegKind(uint8_t kind)
{
    return kind == kKindExifJpeg || kind == kKindJpeg;
}

struct TImageCache {
    std::string FileName; // folder (ending in '/') + name
    uint8_t FileKind = 0;
    std::string SizeText;
    std::string DateText;
    uint32_t FileTime = 0; // packed DOS date-time, local time, date in the high word
    uint32_t FileSize = 0; // low 32 bits of the size
    int32_t ImageWidth = 0;
    int32_t ImageHeight = 0;
    uint8_t ThumbState = 0; // 0 not visited, 10 visited by the thumbnail maker
    std::unique_ptr<metadata::TExifData> Exif;
    int32_t ThumbOffset = -1;
    uint8_t HistState = 0; // 10 = histogram blocks stored at HistOffset
    int32_t HistOffset = 0;
    uint8_t Rotation = 0; // quarter turns clockwise, 0..3
    bool Flipped = false;
    bool Mirrored = false;
    bool Checked = false;
    int32_t IccOffset = 0;
    int32_t IccLength = 0;
    bool HasComment = false;
    std::string Comment;
    int32_t IptcKind = 0;
    int32_t IptcOffset = 0;
    int32_t IptcLength = 0;
    bool ReadOnly = false;
};

// The ordered records of the open folder. Every access to records takes the
// lock (re-entrant for the thread that holds it); use LockedItem for one record.
class TCatalogue {
public:
    std::recursive_mutex& Mutex() const { return mutex_; }
    // Callers hold the lock for these.
    int Count() const { return static_cast<int>(records_.size()); }
    TImageCache& At(int index) { return *records_.at(static_cast<size_t>(index)); }
    const TImageCache& At(int index) const { return *records_.at(static_cast<size_t>(index)); }
    std::vector<std::unique_ptr<TImageCache>>& Records() { return records_; }

private:
    mutable std::recursive_mutex mutex_;
    std::vector<std::unique_ptr<TImageCache>> records_;
};

// Holds the catalogue's lock for as long as it lives and gives the record at
// an index; the lock is released on every path out, failures included.
class LockedItem {
public:
    LockedItem(TCatalogue& catalogue, int index)
        : lock_(catalogue.Mutex())
        , record_(&catalogue.At(index))
    {
    }
    TImageCache* operator->() const { return record_; }
    TImageCache& operator*() const { return *record_; }

private:
    std::unique_lock<std::recursive_mutex> lock_;
    TImageCache* record_;
};

} // namespace catalogue
