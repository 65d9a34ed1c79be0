#include "analysis/HistogramFile.h"

#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "analysis/HistogramCounter.h"
#include "imaging/LoadPicture.h"

namespace analysis {

namespace {

// Decoded rows go to the counting thread as copies, so the counter never
// reads the bitmap, which a failing decoder frees. One batch waits while the
// counter works on the previous one.
class RowHandOver {
public:
    // Decoder side: hands over rows [handed_, ready) of the bitmap.
    void Hand(const imaging::Bitmap& bitmap, int ready)
    {
        if (ready <= handed_)
            return;
        const size_t rowBytes = size_t(bitmap.Width()) * 3;
        {
            std::unique_lock lock(mutex_);
            free_.wait(lock, [&] { return !full_; });
        }
        spare_.resize(rowBytes * size_t(ready - handed_));
        for (int y = handed_; y < ready; ++y)
            std::memcpy(spare_.data() + rowBytes * size_t(y - handed_), bitmap.Row(y), rowBytes);
        {
            std::lock_guard lock(mutex_);
            pending_.swap(spare_);
            width_ = bitmap.Width();
            full_ = true;
        }
        handed_ = ready;
        filled_.notify_one();
    }
    void End()
    {
        {
            std::lock_guard lock(mutex_);
            ended_ = true;
        }
        filled_.notify_one();
    }
    // Counter side: counts batches until the decoder has ended.
    void CountAll(HistogramCounter& counter)
    {
        std::vector<uint8_t> batch;
        for (;;) {
            int width = 0;
            {
                std::unique_lock lock(mutex_);
                filled_.wait(lock, [&] { return full_ || ended_; });
                if (!full_)
                    return;
                batch.swap(pending_);
                width = width_;
                full_ = false;
            }
            free_.notify_one();
            const size_t rowBytes = size_t(width) * 3;
            for (size_t at = 0; rowBytes > 0 && at + rowBytes <= batch.size(); at += rowBytes)
                counter.AddRow(batch.data() + at, width);
        }
    }

private:
    std::mutex mutex_;
    std::condition_variable filled_, free_;
    std::vector<uint8_t> pending_, spare_;
    int width_ = 0;
    int handed_ = 0;
    bool full_ = false;
    bool ended_ = false;
};

} // namespace

bool LoadWholePicture(
    const std::string& path, imaging::Bitmap& picture, const imaging::ProgressFn& progress, std::string* error)
{
    imaging::PictureLoadOptions options;
    options.progress = progress;
    return imaging::LoadPicture(path, picture, options, error) && picture.BitsPerPixel() == 24;
}

THistogramFileResult ComputeFileHistogram(
    const std::string& path, TVX_Histogram& histogram, imaging::Bitmap& picture, const imaging::ProgressFn& progress)
{
    THistogramFileResult result;
    HistogramCounter counter;
    if (imaging::SniffPictureFile(path) == imaging::PictureFormat::Jpeg) {
        RowHandOver handOver;
        std::thread counting([&] { handOver.CountAll(counter); });
        imaging::DecodeOptions options;
        options.progress = [&](int percent) {
            handOver.Hand(picture, int(int64_t(percent) * picture.Height() / 100));
            return !progress || progress(percent);
        };
        // CMYK files decode to 24 bits here as well.
        result.Ok = imaging::LoadJpegFile(path, picture, options);
        handOver.End();
        counting.join();
    } else {
        result.Ok = LoadWholePicture(path, picture, progress, &result.Error);
        if (result.Ok)
            counter.AddRows(picture, 0, picture.Height());
    }
    if (!result.Ok || picture.Empty() || picture.BitsPerPixel() != 24) {
        result.Ok = false;
        if (result.Error.empty())
            result.Error = "画像を読み込めません";
        return result;
    }
    result.Width = picture.Width();
    result.Height = picture.Height();
    counter.Finish(histogram);
    return result;
}

} // namespace analysis
