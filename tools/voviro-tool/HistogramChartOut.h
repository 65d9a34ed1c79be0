#pragma once
// Writing the histogram panel's chart of a file as a PNG for
// `voviro-tool histogram --chart`. Needs the Qt build; without it
// ChartDrawingAvailable() is false.
#include <string>

#include "analysis/Histogram.h"

namespace voviro_tool {

struct ChartRequest {
    int mode = 0; // the panel's modes 0 to 4
    std::string out;
    int width = 400, height = 200;
    analysis::TVX_Type style = analysis::VX_SMOOTH;
    int colorSpace = 0;
    bool ycc = false; // the CIE modes from the JPEG's own YCbCr
};

bool ChartDrawingAvailable();
// The histogram is the file's, already computed (used by modes 0 and 1).
bool WriteHistogramChart(
    const std::string& file, analysis::TVX_Histogram& histogram, const ChartRequest& request, std::string& error);

} // namespace voviro_tool
