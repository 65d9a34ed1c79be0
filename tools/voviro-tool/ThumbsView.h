#pragma once
// Drawing a record's grid cell into a PNG file for `voviro-tool thumbs --view`.
// Needs the Qt build; without it CellDrawingAvailable() is false.
#include <string>

#include "catalogue/ImageCache.h"
#include "imaging/Bitmap.h"

namespace voviro_tool {
bool CellDrawingAvailable();
// thumbnail may be null (the placeholder cell).
bool SaveCellPng(
    const std::string& path, const catalogue::TImageCache& record, const imaging::Bitmap* thumbnail, int viewType);
} // namespace voviro_tool
