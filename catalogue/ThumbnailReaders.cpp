// The maker's readers bound to the metadata reader, kept apart so that a
// program that brings its own readers does not link the metadata reader.
#include "catalogue/ThumbnailMaker.h"
#include "metadata/ExifRead.h"

namespace catalogue {

TThumbnailReaders TThumbnailReaders::Default()
{
    TThumbnailReaders readers;
    readers.ReadExifData
        = [](const std::string& fileName, imaging::Bitmap& thumbnail, metadata::PhotoshopLocator& locator,
              metadata::TExifData& exif) { metadata::ReadExifData(fileName, thumbnail, locator, exif); };
    readers.LoadThumbnailFromImage = [](const std::string& fileName, imaging::Bitmap& thumbnail, int32_t& width,
                                         int32_t& height, const imaging::ProgressFn& progress) {
        return metadata::LoadThumbnailFromImage(fileName, thumbnail, width, height, progress);
    };
    return readers;
}

} // namespace catalogue
