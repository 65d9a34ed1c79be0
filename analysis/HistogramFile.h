#pragma once
// The full histogram of a picture file, as the recalculation commands and
// voviro-tool take it: the whole picture at full size. JPEG files are counted
// on a second thread while the decoder is still producing their later rows,
// so the count costs little more than the decode itself.

#include <string>

#include "analysis/Histogram.h"
#include "imaging/Bitmap.h"
#include "imaging/ImageIO.h"

namespace analysis {

struct THistogramFileResult {
    bool Ok = false;
    int Width = 0, Height = 0;
    std::string Error; // for the user, when not Ok
};

// Loads a picture file of any supported kind at full size into a 24-bit bitmap.
bool LoadWholePicture(const std::string& path, imaging::Bitmap& picture, const imaging::ProgressFn& progress = {},
    std::string* error = nullptr);

// Loads the file into `picture` and replaces the histogram's tables by its
// counts. On failure the histogram is left as it was. `progress` gets the
// load's percentage; returning false from it cancels (a failure).
THistogramFileResult ComputeFileHistogram(const std::string& path, TVX_Histogram& histogram, imaging::Bitmap& picture,
    const imaging::ProgressFn& progress = {});

} // namespace analysis
