#pragma once
// The histogram panel's chart as one picture: the histogram modes drawn from
// the tables in one of three layouts, and the CIE modes drawn from the file.
// The panel, its copy and save at a given size, and voviro-tool all paint
// through these, so they give the same chart.

#include <string>

#include "analysis/CIEChart.h"
#include "analysis/Histogram.h"

namespace analysis {

// Panel modes.
enum THistogramMode { ModeRgb = 0, ModeHsv = 1, ModeAb = 2, ModeUv = 3, ModeLab3D = 4 };
enum THistogramLayout { LayoutCombined = 0, LayoutRows = 1, LayoutColumns = 2 };

struct THistogramSelection {
    bool SelR = true, SelG = true, SelB = true, SelY = false;
    bool SelS = false, SelV = false, SelH = true;
};

// Modes 0 and 1 on a canvas of its own size: black background, the mode's
// remembered selection as the histogram's channels, "Not Select" without one.
void PaintHistogramChart(
    ChartCanvas& canvas, TVX_Histogram& histogram, int mode, const THistogramSelection& selection, int layout);

// Modes 2 to 4: reads the file (normal: decoded RGB; direct: the JPEG's own
// YCbCr; neither: no picture) and draws the chart; mode 4 builds the cloud and
// renders it. False when the picture could not be read (the canvas then
// holds what was drawn before the failure).
// `percent` follows the sampled rows.
bool PaintCieChart(ChartCanvas& canvas, int mode, const std::string& path, bool normal, bool direct, int colorSpace,
    TLabCloud& cloud, const std::function<void(int percent)>& percent = {});

} // namespace analysis
