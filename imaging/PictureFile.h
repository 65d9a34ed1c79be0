#pragma once
// Loading a picture file of any of the supported formats into a bitmap.

#include <string>

#include "imaging/Bitmap.h"
#include "imaging/ImageIO.h"

namespace imaging {

// Picks the loader (JPEG, PNG, TIFF, BMP, PCX) from the file's first bytes
// rather than its name. The path is the file system's own bytes, so names
// that are not valid UTF-8 open too. False when the file cannot be read or
// is none of these.
bool LoadPictureFile(const std::string& name, Bitmap& out, const ProgressFn& progress = {});

} // namespace imaging
