#pragma once
// TThumbnailMaker: the background worker that walks the catalogue once, reads
// each file's metadata, makes its thumbnail (the embedded one where it fits,
// otherwise a reduced decode), has the main thread append it to the cache
// file, stores the results into the record and reports each record by a
// posted progress message (-1 at the start, the index, -2 at the end).

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "catalogue/ImageCache.h"
#include "imaging/Bitmap.h"
#include "imaging/ImageIO.h"
#include "metadata/ExifData.h"
#include "platform/MainThreadQueue.h"

namespace catalogue {

// What the maker needs of the window that runs it.
class TThumbnailMakerHost {
public:
    virtual ~TThumbnailMakerHost() = default;
    // Main thread (CopySettings): whether thumbnails are left unturned by the Exif orientation.
    virtual bool NoUseRolate() = 0;
    // Main thread (WriteThumbnail): appends the thumbnail to the cache file; its offset, -1 on failure.
    virtual int32_t WriteThumbnail(const imaging::Bitmap& bitmap) = 0;
    // Maker thread: posts the progress message without waiting for it to be handled.
    virtual void PostProgress(int wParam, int lParam) = 0;
};

// The readers the maker calls; tests may put stand-ins here.
struct TThumbnailReaders {
    std::function<void(const std::string& fileName, imaging::Bitmap& thumbnail, metadata::PhotoshopLocator& locator,
        metadata::TExifData& exif)>
        ReadExifData;
    std::function<bool(const std::string& fileName, imaging::Bitmap& thumbnail, int32_t& width, int32_t& height,
        const imaging::ProgressFn& progress)>
        LoadThumbnailFromImage;
    // The metadata reader's own functions (ThumbnailReaders.cpp).
    static TThumbnailReaders Default();
};

// Where a record's thumbnail came from.
enum class TThumbnailSource { None, Embedded, Decoded };

struct TThumbnailMakerOptions {
    // An empty reader is not called (the program passes TThumbnailReaders::Default()).
    TThumbnailReaders readers;
    // Called on the maker thread before each record is read (tests slow the maker down with it).
    std::function<void(int index)> beforeRecord;
    // Called on the maker thread after a record's results were stored.
    std::function<void(int index, TThumbnailSource source)> recordMade;
};

class TThumbnailMaker {
public:
    // Starts the worker at once. The catalogue, host and queue outlive it.
    TThumbnailMaker(TCatalogue& catalogue, TThumbnailMakerHost& host, platform::MainThreadQueue& queue,
        TThumbnailMakerOptions options = {});
    // Stops the worker and waits for it (on the main thread).
    ~TThumbnailMaker();
    TThumbnailMaker(const TThumbnailMaker&) = delete;
    TThumbnailMaker& operator=(const TThumbnailMaker&) = delete;

    // Any thread: asks the worker to stop. No progress message is posted after this returns,
    // and a decode under way is aborted through its progress callback.
    void Terminate();
    bool Terminated() const { return stop_.load(); }
    bool Finished() const { return finished_.load(); }
    // Main thread: waits until the worker has ended, running its main-thread calls meanwhile.
    void WaitFor();

private:
    void Execute();
    // Handles one record; false when the index is past the catalogue's end.
    bool MakeOne(int index);
    // Posts progress unless a stop has been requested, atomically with Terminate.
    void Post(int wParam);
    // Runs fn on the main thread; false when the step is skipped for a stop or fails.
    bool Synchronize(const std::function<void()>& fn);

    TCatalogue& catalogue_;
    TThumbnailMakerHost& host_;
    platform::MainThreadQueue& queue_;
    TThumbnailMakerOptions options_;
    bool noRotate_ = false; // set on the main thread by CopySettings while the worker waits
    std::atomic<bool> stop_ { false };
    std::atomic<bool> finished_ { false };
    std::mutex postMutex_;
    std::thread thread_;
};

} // namespace catalogue
