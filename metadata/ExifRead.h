#pragma once
// The metadata reader: turns one image file into a TExifData record, drawing
// an embedded thumbnail into the caller's bitmap on the way.

#include <cstdint>
#include <stdexcept>
#include <string>

#include "imaging/Bitmap.h"
#include "imaging/ImageIO.h"
#include "metadata/ExifData.h"

namespace metadata {

// Raised by ReadExifData for reads beyond the end of the file and for faults
// inside a maker note; the caller then discards the record.
class ExifReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Fills `exif` completely; `locator` is left untouched when no Photoshop or
// IPTC data are found (callers zero it first).
void ReadExifData(const std::string& fileName, imaging::Bitmap& thumbnail, PhotoshopLocator& locator, TExifData& exif);

// The same over a file image in memory; `fileName` only supplies the extension.
void ReadExifDataFromMemory(const std::string& fileName, const uint8_t* data, size_t size, imaging::Bitmap& thumbnail,
    PhotoshopLocator& locator, TExifData& exif);

// Makes a thumbnail from the whole picture (fitted into 160 × 120): true when
// something was drawn. width/height receive the full size for BMP, PNG and PCX.
bool LoadThumbnailFromImage(const std::string& fileName, imaging::Bitmap& thumbnail, int32_t& width, int32_t& height,
    const imaging::ProgressFn& progress = {});

// The aspect-keeping fit of width × height that touches a box (enlarging small pictures).
imaging::Rect FitRect(int width, int height, int boxWidth, int boxHeight);

} // namespace metadata
