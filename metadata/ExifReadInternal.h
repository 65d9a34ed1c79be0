#pragma once
// Internals of the metadata reader shared by its source files and the benchmark.

#include <algorithm>
#include <initializer_list>
#include <string>

#include "metadata/ExifRead.h"
#include "metadata/FileReader.h"
#include "platform/PathName.h"

namespace metadata {

// True when `ext` is one of the listed extensions.
inline bool ExtensionIsOneOf(const std::string& ext, std::initializer_list<const char*> list)
{
    return std::any_of(list.begin(), list.end(), [&](const char* e) { return ext == e; });
}

// The JPEG path of LoadThumbnailFromImage: reduced-scale decode fitted into 160 × 120.
bool LoadJpegThumbnail(const std::string& fileName, imaging::Bitmap& thumbnail, const imaging::ProgressFn& progress);

struct ReadOptions {
    // False: embedded thumbnails are located but not decoded (HasThumbnail stays 0).
    bool drawThumbnails = true;
};

// ReadExifData over an open reader; `fileName` gives the extension and the
// companion-file lookup.
void ReadExifDataFrom(FileReader& file, const std::string& fileName, imaging::Bitmap& thumbnail,
    PhotoshopLocator& locator, TExifData& exif, const ReadOptions& options = {});

} // namespace metadata
