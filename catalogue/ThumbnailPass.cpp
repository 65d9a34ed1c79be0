#include "catalogue/ThumbnailPass.h"

#include <chrono>
#include <mutex>

namespace catalogue {

namespace {

class PassHost : public TThumbnailMakerHost {
public:
    PassHost(TCacheFile& cache, bool noUseRolate)
        : cache_(cache)
        , noUseRolate_(noUseRolate)
    {
    }
    bool NoUseRolate() override { return noUseRolate_; }
    int32_t WriteThumbnail(const imaging::Bitmap& bitmap) override { return cache_.AppendThumbnail(bitmap); }
    void PostProgress(int wParam, int) override
    {
        std::lock_guard lock(mutex_);
        progress_.push_back(wParam);
    }
    std::vector<int> TakeProgress()
    {
        std::lock_guard lock(mutex_);
        return std::move(progress_);
    }

private:
    TCacheFile& cache_;
    bool noUseRolate_;
    std::mutex mutex_;
    std::vector<int> progress_;
};

} // namespace

TThumbnailPassResult RunThumbnailPass(
    TCatalogue& catalogue, TCacheFile& cache, bool noUseRolate, TThumbnailReaders readers)
{
    TThumbnailPassResult result;
    {
        std::lock_guard lock(catalogue.Mutex());
        result.sources.assign(static_cast<size_t>(catalogue.Count()), TThumbnailSource::None);
    }
    std::mutex sourcesMutex;
    TThumbnailMakerOptions options;
    options.readers = std::move(readers);
    options.recordMade = [&](int index, TThumbnailSource source) {
        std::lock_guard lock(sourcesMutex);
        if (index < static_cast<int>(result.sources.size()))
            result.sources[static_cast<size_t>(index)] = source;
    };
    PassHost host(cache, noUseRolate);
    platform::MainThreadQueue queue;
    const auto start = std::chrono::steady_clock::now();
    {
        TThumbnailMaker maker(catalogue, host, queue, std::move(options));
        maker.WaitFor();
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.progress = host.TakeProgress();
    return result;
}

} // namespace catalogue
