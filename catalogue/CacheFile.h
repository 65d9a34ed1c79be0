#pragma once
// The temporary cache file of the open folder: thumbnails as 24-bit BMP file
// images, each followed by a reserve so it can be rewritten in place turned by
// a quarter turn, and stored histogram blocks. Created in the system temporary
// folder with the prefix "TN", emptied for each new folder, deleted on destruction.
// Only the main thread touches it.

#include <cstdint>
#include <string>

#include "imaging/Bitmap.h"
#include "platform/TempFile.h"

namespace catalogue {

inline constexpr int kLevelBlockSize = 8664; // LevelCounts
inline constexpr int kHueBlockSize = 1448; // HueCounts

class TCacheFile {
public:
    TCacheFile(); // throws std::runtime_error when the file cannot be created
    ~TCacheFile(); // closes and deletes the file
    TCacheFile(const TCacheFile&) = delete;
    TCacheFile& operator=(const TCacheFile&) = delete;

    const std::string& Path() const { return file_.Path(); }
    int64_t Size() const;
    void Truncate();

    // Spare bytes behind a W × H thumbnail: max(0, W·R(H) − H·R(W)), R(n) = ((24n + 31) / 32) · 4.
    static int64_t ReserveBytes(int width, int height);

    // Appends a bitmap (32-bit ones lose their alpha) as a 24-bit BMP image and
    // its reserve at the end; returns its offset, -1 on failure or an empty bitmap.
    int32_t AppendThumbnail(const imaging::Bitmap& bitmap);
    bool ReadThumbnail(int32_t offset, imaging::Bitmap& out) const;
    // Rewrites the slot at offset (the same picture turned or flipped); false
    // when it is larger than the slot, which is never overwritten past its end.
    bool RewriteThumbnail(int32_t offset, const imaging::Bitmap& bitmap);

    // The two histogram blocks, in that order; append returns the offset, -1 on failure.
    int32_t AppendHistogram(const uint8_t* levels, const uint8_t* hues);
    bool WriteHistogram(int32_t offset, const uint8_t* levels, const uint8_t* hues);
    bool ReadHistogram(int32_t offset, uint8_t* levels, uint8_t* hues) const;

private:
    bool WriteAt(int64_t offset, const void* data, size_t size);
    bool ReadAt(int64_t offset, void* data, size_t size) const;
    bool WriteBitmapAt(int64_t offset, const imaging::Bitmap& bitmap);

    platform::TempFile file_;
};

} // namespace catalogue
