#pragma once
// Writing a bitmap as a PNG file (24-bit colour; 32-bit bitmaps lose their alpha).
#include <string>

#include "imaging/Bitmap.h"

namespace voviro_tool {
bool SavePngFile(const std::string& path, const imaging::Bitmap& bitmap);
} // namespace voviro_tool
