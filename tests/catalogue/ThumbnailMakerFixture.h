#pragma once
// Shared pieces of the maker's tests: a host that records what the maker asks
// of the window, and JPEG files built in memory (a picture with an optional
// Exif segment carrying an orientation and an IFD1 JPEG thumbnail).
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "catalogue/CacheFile.h"
#include "catalogue/ThumbnailMaker.h"
#include "platform/MainThreadQueue.h"

namespace testcatalogue {

// The window's side of the maker: the orientation setting, a real cache file,
// the posted messages, and whether a thumbnail was ever written off the main thread.
class RecordingHost : public catalogue::TThumbnailMakerHost {
public:
    bool noUseRolate = false;
    catalogue::TCacheFile cache;
    std::atomic<int> writes { 0 };
    std::atomic<bool> writeOffMainThread { false };
    platform::MainThreadQueue* queue = nullptr; // set to check the thread of each write

    bool NoUseRolate() override { return noUseRolate; }
    int32_t WriteThumbnail(const imaging::Bitmap& bitmap) override
    {
        ++writes;
        if (queue && !queue->IsMainThread())
            writeOffMainThread = true;
        return cache.AppendThumbnail(bitmap);
    }
    void PostProgress(int wParam, int) override
    {
        std::lock_guard lock(mutex_);
        posts_.push_back(wParam);
    }
    std::vector<int> Posts()
    {
        std::lock_guard lock(mutex_);
        return posts_;
    }

private:
    std::mutex mutex_;
    std::vector<int> posts_;
};

// A colour JPEG of width × height (a gradient with a bright top-left corner).
std::vector<uint8_t> PlainJpeg(int width, int height, int quality = 85);

// The same with an APP1 Exif segment right after SOI: IFD0 with the
// orientation (0 = none), and when thumbWidth > 0 an IFD1 JPEG thumbnail.
std::vector<uint8_t> ExifJpeg(int width, int height, int thumbWidth, int thumbHeight, int orientation);

} // namespace testcatalogue
