#include "catalogue/ThumbnailMaker.h"

#include <memory>
#include <utility>

#include "catalogue/BitmapUtils.h"

namespace catalogue {

namespace {

// The container kinds whose metadata is kept.
bool KeepsMetadata(int32_t containerKind)
{
    return containerKind == kKindExifJpeg || containerKind == kKindExifTiff || containerKind == kKindTiff
        || containerKind == kKindTiffEp;
}

} // namespace

TThumbnailMaker::TThumbnailMaker(
    TCatalogue& catalogue, TThumbnailMakerHost& host, platform::MainThreadQueue& queue, TThumbnailMakerOptions options)
    : catalogue_(catalogue)
    , host_(host)
    , queue_(queue)
    , options_(std::move(options))
{
    thread_ = std::thread([this] {
        try {
            Execute();
        } catch (...) {
            // A failure the per-record steps did not absorb ends the pass quietly.
        }
        finished_ = true;
        queue_.Wake();
    });
}

TThumbnailMaker::~TThumbnailMaker()
{
    Terminate();
    WaitFor();
}

void TThumbnailMaker::Terminate()
{
    std::lock_guard lock(postMutex_);
    stop_ = true;
}

void TThumbnailMaker::WaitFor()
{
    if (!thread_.joinable())
        return;
    queue_.ServeUntil([this] { return finished_.load(); });
    thread_.join();
}

void TThumbnailMaker::Post(int wParam)
{
    std::lock_guard lock(postMutex_);
    if (!stop_)
        host_.PostProgress(wParam, 0);
}

bool TThumbnailMaker::Synchronize(const std::function<void()>& fn)
{
    try {
        queue_.Call(fn);
        return true;
    } catch (...) {
        return false;
    }
}

void TThumbnailMaker::Execute()
{
    if (stop_)
        return;
    Synchronize([this] { noRotate_ = host_.NoUseRolate(); }); // CopySettings
    Post(-1);
    if (stop_)
        return;
    int count = 0;
    {
        std::lock_guard lock(catalogue_.Mutex());
        count = catalogue_.Count();
    }
    if (stop_)
        return;
    for (int i = 0; i < count; ++i) {
        if (stop_)
            return;
        if (options_.beforeRecord)
            options_.beforeRecord(i);
        // Records deleted meanwhile end the pass at the new end.
        if (!MakeOne(i))
            break;
        if (stop_)
            return;
        Post(i);
    }
    Post(-2);
}

bool TThumbnailMaker::MakeOne(int i)
{
    uint8_t thumbState = 0, kind = 0;
    uint32_t fileSize = 0;
    std::string fileName;
    {
        std::lock_guard lock(catalogue_.Mutex());
        if (i >= catalogue_.Count())
            return false;
        const TImageCache& record = catalogue_.At(i);
        thumbState = record.ThumbState;
        kind = record.FileKind;
        fileSize = record.FileSize;
        fileName = record.FileName;
    }
    if (thumbState == 10)
        return true;

    // The working values of this record.
    bool skip = fileSize == 0;
    bool ok = false;
    int32_t width = 0, height = 0;
    uint8_t rotation = 0;
    std::unique_ptr<metadata::TExifData> exif;
    int32_t iccOffset = 0, iccLength = 0;
    bool hasComment = false;
    std::string comment;
    metadata::PhotoshopLocator locator;
    imaging::Bitmap bitmap;

    if (!skip && (kind == kKindJpeg || kind == kKindTiff) && options_.readers.ReadExifData) {
        exif = std::make_unique<metadata::TExifData>();
        try {
            options_.readers.ReadExifData(fileName, bitmap, locator, *exif);
        } catch (...) {
            // A reader failure counts as a file with nothing usable in it.
            *exif = metadata::TExifData();
            locator = metadata::PhotoshopLocator();
        }
        if (exif->ContainerKind == 99)
            skip = true;
        iccOffset = exif->IccOffset;
        iccLength = exif->IccLength;
        hasComment = exif->HasComment != 0;
        comment = exif->Comment;
        if (exif->Width != 0 && exif->Height != 0) {
            width = exif->Width;
            height = exif->Height;
        }
        if (KeepsMetadata(exif->ContainerKind)) {
            kind = static_cast<uint8_t>(exif->ContainerKind);
            ok = exif->HasThumbnail != 0;
            if (!noRotate_)
                rotation = exif->Main.RotationHint;
        } else {
            exif.reset();
        }
    }

    if (ok && width != 0 && height != 0) {
        const bool portraitPicture = height > width, landscapePicture = height < width;
        const bool portraitThumb = bitmap.Height() > bitmap.Width();
        const bool landscapeThumb = bitmap.Height() < bitmap.Width();
        if ((portraitPicture && landscapeThumb) || (landscapePicture && portraitThumb)) {
            // An embedded thumbnail that does not match the picture's shape is not trusted.
            ok = false;
            rotation = 0;
        }
    }
    TThumbnailSource source = ok ? TThumbnailSource::Embedded : TThumbnailSource::None;
    if (ok && rotation >= 1 && rotation <= 3) {
        // The record's turns are clockwise, the bitmap turn counter-clockwise.
        if (auto turned = RotateBitmap(360 - 90 * rotation, bitmap))
            bitmap = std::move(*turned);
    }

    if (!ok && !skip && options_.readers.LoadThumbnailFromImage) {
        const imaging::ProgressFn abortHook = [this](int) { return !stop_.load(); };
        try {
            ok = options_.readers.LoadThumbnailFromImage(fileName, bitmap, width, height, abortHook);
        } catch (...) {
            ok = false;
        }
        if (stop_)
            ok = false;
        if (ok)
            source = TThumbnailSource::Decoded;
    }

    int32_t offset = -1;
    if (ok && !bitmap.Empty() && !stop_) {
        // WriteThumbnail; skipped when a stop came while the call waited, so
        // the cache file only ever holds thumbnails that records point to.
        Synchronize([&] {
            if (!stop_)
                offset = host_.WriteThumbnail(bitmap);
        });
    }
    if (offset == -1)
        source = TThumbnailSource::None;
    bitmap = imaging::Bitmap();
    // After a stop the results are dropped (a decode may have been cut short),
    // unless the thumbnail is already in the cache file: the main thread is
    // waiting for the maker, so the record is still there to point at it.
    if (stop_ && offset == -1)
        return true;

    {
        std::lock_guard lock(catalogue_.Mutex());
        if (i >= catalogue_.Count() || catalogue_.At(i).FileName != fileName)
            return true; // the catalogue changed under the maker: the results are dropped
        TImageCache& record = catalogue_.At(i);
        record.ThumbState = 10;
        record.FileKind = kind;
        record.ThumbOffset = offset;
        record.Exif = std::move(exif);
        record.IccOffset = iccOffset;
        record.IccLength = iccLength;
        record.HasComment = hasComment;
        record.Comment = std::move(comment);
        record.ImageWidth = width;
        record.ImageHeight = height;
        record.IptcKind = locator.Source;
        record.IptcOffset = locator.Offset;
        record.IptcLength = locator.Length;
        record.Rotation = rotation;
    }
    if (options_.recordMade)
        options_.recordMade(i, source);
    return true;
}

} // namespace catalogue
