#pragma once
// Where a focal length lies in a zoom lens's range, for the zoom bar of the
// shooting-data caption. A position of -1 means no bar.

#include <string>

#include "metadata/ExifData.h"

namespace catalogue {

// From the camera model's lens table: position = (F − W) / W and range = (T − W) / W,
// the position kept within 0..range; position -1 (range unchanged) when the model is
// empty or not in the table.
void GetZoomPosition(const std::string& model, double focalLength, double& position, double& range);

// From a lens range the maker note records: position = (F − wide) / wide,
// range = (tele − wide) / wide, the position kept within 0..range; -1 when wide is 0.
void RelativeZoomPosition(double wide, double tele, double focalLength, double& position, double& range);

// The zoom bar of one file: from the lens table by model, replaced by the lens range
// the maker note records (when its ends differ), also for cameras the table does not know.
void FileZoomPosition(const metadata::TExifData& exif, double& position, double& range);

} // namespace catalogue
