#include <algorithm>
#include <cctype>
#include <cmath>

#include "metadata/ExifReadInternal.h"
#include "metadata/Thumbnails.h"

namespace metadata {

namespace {

constexpr int kBoxWidth = 160;
constexpr int kBoxHeight = 120;

} // namespace

bool LoadJpegThumbnail(const std::string& fileName, imaging::Bitmap& thumbnail, const imaging::ProgressFn& progress)
{
    imaging::DecodeOptions options;
    options.targetWidth = kBoxWidth;
    options.targetHeight = kBoxHeight;
    options.progress = progress;
    imaging::Bitmap picture;
    if (!imaging::LoadJpegFile(fileName, picture, options) || picture.Width() <= 0 || picture.Empty())
        return false;
    DrawFittedThumbnail(picture, thumbnail, kBoxWidth, kBoxHeight);
    return true;
}

imaging::Rect FitRect(int width, int height, int boxWidth, int boxHeight)
{
    return imaging::FitRect(width, height, boxWidth, boxHeight);
}

bool LoadThumbnailFromImage(const std::string& fileName, imaging::Bitmap& thumbnail, int32_t& width, int32_t& height,
    const imaging::ProgressFn& progress)
{
    const std::string ext = platform::LowerExtensionOf(fileName);
    imaging::Bitmap picture;
    // PNG and TIFF pictures are reduced into the box while they are decoded.
    imaging::DecodeInfo info;
    imaging::DecodeOptions reduced;
    reduced.reduceWidth = kBoxWidth;
    reduced.reduceHeight = kBoxHeight;
    reduced.progress = progress;
    reduced.info = &info;
    if (ExtensionIsOneOf(ext, { ".jpg", ".jpeg" })) {
        return LoadJpegThumbnail(fileName, thumbnail, progress);
    } else if (ExtensionIsOneOf(ext, { ".bmp", ".png", ".pcx" })) {
        reduced.progress = nullptr;
        bool loaded = ext == ".bmp" ? imaging::LoadBmpFile(fileName, picture)
            : ext == ".png"         ? imaging::LoadPngFile(fileName, picture, reduced)
                                    : imaging::LoadPcxFile(fileName, picture);
        if (!loaded || picture.Empty())
            return false;
        width = ext == ".png" ? info.fullWidth : picture.Width();
        height = ext == ".png" ? info.fullHeight : picture.Height();
    } else if (ExtensionIsOneOf(ext, { ".tif", ".tiff", ".nef", ".nsk", ".orf" })) {
        if (!imaging::LoadTiffFile(fileName, picture, reduced) || picture.Empty())
            return false;
    } else {
        return false;
    }
    DrawFittedThumbnail(picture, thumbnail, kBoxWidth, kBoxHeight);
    return true;
}

} // namespace metadata
