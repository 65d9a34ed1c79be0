// The maker against a main thread that stops it, shrinks the catalogue or
// replaces records under it, and the main-thread call queue it waits on.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "ThumbnailMakerFixture.h"
#include "catalogue/CacheFile.h"
#include "catalogue/ThumbnailMaker.h"
#include "platform/MainThreadQueue.h"

namespace {

using namespace std::chrono_literals;
using catalogue::TImageCache;
using catalogue::TThumbnailMaker;

using testcatalogue::RecordingHost;

void AddJpegs(catalogue::TCatalogue& catalogue, int n)
{
    std::lock_guard lock(catalogue.Mutex());
    for (int i = 0; i < n; ++i) {
        auto record = std::make_unique<TImageCache>();
        record->FileName = "/photos/p" + std::to_string(i) + ".jpg";
        record->FileKind = catalogue::kKindBitmap; // straight to the reduced decode
        record->FileSize = 1000;
        catalogue.Records().push_back(std::move(record));
    }
}

// A reduced decode that draws a small thumbnail, reporting progress as it goes.
catalogue::TThumbnailReaders DecodingReaders()
{
    catalogue::TThumbnailReaders readers;
    readers.LoadThumbnailFromImage
        = [](const std::string&, imaging::Bitmap& thumb, int32_t&, int32_t&, const imaging::ProgressFn& progress) {
              thumb.Resize(16, 12);
              return !progress || progress(100);
          };
    return readers;
}

// Waits (serving the queue) until a condition holds, at most a few seconds.
template <typename Pred> bool ServeUntil(platform::MainThreadQueue& queue, Pred pred)
{
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        queue.Drain();
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(ThumbnailMakerRace, StopDuringALongDecodeAbortsItAndPostsNothingMore)
{
    RecordingHost host;
    platform::MainThreadQueue queue;
    catalogue::TCatalogue catalogue;
    AddJpegs(catalogue, 5);
    std::atomic<bool> decoding { false }, aborted { false };
    catalogue::TThumbnailMakerOptions options;
    // A large picture: the decode only ends when its progress callback asks it to.
    options.readers.LoadThumbnailFromImage = [&](const std::string& name, imaging::Bitmap& thumb, int32_t&, int32_t&,
                                                 const imaging::ProgressFn& progress) {
        thumb.Resize(16, 12);
        if (name != "/photos/p2.jpg")
            return true;
        decoding = true;
        for (;;) {
            if (!progress(50)) {
                aborted = true;
                return false;
            }
            std::this_thread::sleep_for(1ms);
        }
    };
    TThumbnailMaker maker(catalogue, host, queue, std::move(options));
    ASSERT_TRUE(ServeUntil(queue, [&] { return decoding.load(); }));
    const auto started = std::chrono::steady_clock::now();
    maker.Terminate();
    const std::vector<int> before = host.Posts();
    maker.WaitFor();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
    EXPECT_TRUE(aborted);
    EXPECT_EQ(host.Posts(), before) << "nothing is posted after the stop request";
    EXPECT_EQ(before, (std::vector<int> { -1, 0, 1 }));
    std::lock_guard lock(catalogue.Mutex());
    EXPECT_EQ(catalogue.At(2).ThumbState, 0) << "a stopped record is left for the next pass";
    EXPECT_EQ(host.writes, 2);
}

TEST(ThumbnailMakerRace, StopWhileTheMakerWaitsForTheMainThreadCannotDeadlock)
{
    // The main thread does not serve the queue until it stops the maker, which
    // by then is blocked handing over its first thumbnail.
    RecordingHost host;
    platform::MainThreadQueue queue;
    std::atomic<int> handed { 0 };
    queue.SetNotifier([&] { ++handed; });
    catalogue::TCatalogue catalogue;
    AddJpegs(catalogue, 3);
    catalogue::TThumbnailMakerOptions options;
    options.readers = DecodingReaders();
    TThumbnailMaker maker(catalogue, host, queue, std::move(options));
    const auto waitHanded = [&](int n) {
        const auto end = std::chrono::steady_clock::now() + 5s;
        while (handed < n && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(1ms);
    };
    // The first hand-over is CopySettings: serve only that one.
    waitHanded(1);
    ASSERT_EQ(queue.Drain(), 1);
    waitHanded(2);
    ASSERT_EQ(handed, 2) << "the maker is waiting to hand over its first thumbnail";
    maker.Terminate();
    maker.WaitFor();
    EXPECT_TRUE(maker.Finished());
    EXPECT_EQ(host.writes, 0) << "a thumbnail handed over after the stop is not written";
    EXPECT_EQ(host.cache.Size(), 0);
    EXPECT_EQ(host.Posts(), (std::vector<int> { -1 }));
}

TEST(ThumbnailMakerRace, RecordsDeletedUnderTheMakerEndThePassAtTheNewEnd)
{
    RecordingHost host;
    platform::MainThreadQueue queue;
    catalogue::TCatalogue catalogue;
    AddJpegs(catalogue, 10);
    catalogue::TThumbnailMakerOptions options;
    options.readers = DecodingReaders();
    // While record 2 is made, the last seven files are deleted (the delete
    // command does not stop the maker).
    options.beforeRecord = [&](int i) {
        if (i == 2) {
            std::lock_guard lock(catalogue.Mutex());
            catalogue.Records().resize(3);
        }
    };
    TThumbnailMaker maker(catalogue, host, queue, std::move(options));
    maker.WaitFor();
    EXPECT_EQ(host.Posts(), (std::vector<int> { -1, 0, 1, 2, -2 }));
    std::lock_guard lock(catalogue.Mutex());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(catalogue.At(i).ThumbState, 10);
}

TEST(ThumbnailMakerRace, AReplacedRecordDoesNotTakeTheOldFilesResults)
{
    RecordingHost host;
    platform::MainThreadQueue queue;
    catalogue::TCatalogue catalogue;
    AddJpegs(catalogue, 3);
    catalogue::TThumbnailMakerOptions options;
    // While file 1 decodes, it is deleted and the next file moves up to its index.
    options.readers.LoadThumbnailFromImage
        = [&](const std::string& name, imaging::Bitmap& thumb, int32_t&, int32_t&, const imaging::ProgressFn&) {
              thumb.Resize(16, 12);
              if (name == "/photos/p1.jpg") {
                  std::lock_guard lock(catalogue.Mutex());
                  catalogue.Records().erase(catalogue.Records().begin() + 1);
              }
              return true;
          };
    TThumbnailMaker maker(catalogue, host, queue, std::move(options));
    maker.WaitFor();
    std::lock_guard lock(catalogue.Mutex());
    ASSERT_EQ(catalogue.Count(), 2);
    EXPECT_EQ(catalogue.At(1).FileName, "/photos/p2.jpg");
    EXPECT_EQ(catalogue.At(1).ThumbState, 0) << "p1's thumbnail must not land in p2's record";
    EXPECT_EQ(host.Posts(), (std::vector<int> { -1, 0, 1, -2 }));
}

TEST(ThumbnailMakerRace, StoppingAtEveryMomentLeavesConsistentRecords)
{
    // Stop after a growing delay; whatever was stored points at a real thumbnail.
    for (int delayUs = 0; delayUs < 3000; delayUs += 150) {
        RecordingHost host;
        platform::MainThreadQueue queue;
        catalogue::TCatalogue catalogue;
        AddJpegs(catalogue, 50);
        catalogue::TThumbnailMakerOptions options;
        options.readers = DecodingReaders();
        TThumbnailMaker maker(catalogue, host, queue, std::move(options));
        const auto end = std::chrono::steady_clock::now() + std::chrono::microseconds(delayUs);
        while (std::chrono::steady_clock::now() < end)
            queue.Drain();
        maker.Terminate();
        const size_t posted = host.Posts().size();
        maker.WaitFor();
        EXPECT_EQ(host.Posts().size(), posted);
        std::lock_guard lock(catalogue.Mutex());
        int stored = 0;
        for (int i = 0; i < catalogue.Count(); ++i) {
            const TImageCache& r = catalogue.At(i);
            if (r.ThumbState != 10)
                continue;
            ++stored;
            imaging::Bitmap b;
            EXPECT_TRUE(host.cache.ReadThumbnail(r.ThumbOffset, b));
        }
        EXPECT_EQ(stored, host.writes) << "every written thumbnail belongs to a record";
        for (int posted : host.Posts()) {
            if (posted < 0)
                continue;
            EXPECT_EQ(catalogue.At(posted).ThumbState, 10) << "a reported record is made";
        }
    }
}

TEST(MainThreadQueue, CallsRunOnTheMainThreadAndPassTheirFailureBack)
{
    platform::MainThreadQueue queue;
    const std::thread::id main = std::this_thread::get_id();
    std::atomic<bool> done { false };
    std::thread::id ranOn;
    bool failed = false;
    std::thread worker([&] {
        queue.Call([&] { ranOn = std::this_thread::get_id(); });
        try {
            queue.Call([] { throw std::runtime_error("disk full"); });
        } catch (const std::runtime_error& e) {
            failed = std::string(e.what()) == "disk full";
        }
        done = true;
        queue.Wake();
    });
    queue.ServeUntil([&] { return done.load(); });
    worker.join();
    EXPECT_EQ(ranOn, main);
    EXPECT_TRUE(failed);
    // On the main thread itself a call runs at once.
    int n = 0;
    queue.Call([&] { ++n; });
    EXPECT_EQ(n, 1);
}

TEST(MainThreadQueue, ManyWorkersAreServedWhileTheMainThreadWaits)
{
    platform::MainThreadQueue queue;
    int total = 0; // touched only on the main thread
    std::atomic<int> finished { 0 };
    std::vector<std::thread> workers;
    for (int w = 0; w < 4; ++w)
        workers.emplace_back([&] {
            for (int k = 0; k < 200; ++k)
                queue.Call([&] { ++total; });
            ++finished;
            queue.Wake();
        });
    queue.ServeUntil([&] { return finished == 4; });
    for (std::thread& t : workers)
        t.join();
    EXPECT_EQ(total, 800);
}

} // namespace
