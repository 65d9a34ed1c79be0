#include "imaging/LoadPicture.h"
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
    // The kind goes by the name here: a raw container is read as the TIFF it holds.
    imaging::PictureFormat format = imaging::PictureFormat::Unknown;
    imaging::DecodeInfo info;
    imaging::PictureLoadOptions options;
    options.byExtension = true;
    options.boxWidth = kBoxWidth;
    options.boxHeight = kBoxHeight;
    // A huge picture is reduced into the box while it is decoded.
    options.reduce = true;
    options.progress = progress;
    options.info = &info;
    options.format = &format;
    imaging::Bitmap picture;
    if (!imaging::LoadPicture(fileName, picture, options))
        return false;
    if (format == imaging::PictureFormat::Bmp || format == imaging::PictureFormat::Png
        || format == imaging::PictureFormat::Pcx) {
        width = info.fullWidth > 0 ? info.fullWidth : picture.Width();
        height = info.fullHeight > 0 ? info.fullHeight : picture.Height();
    }
    DrawFittedThumbnail(picture, thumbnail, kBoxWidth, kBoxHeight);
    return true;
}

} // namespace metadata
