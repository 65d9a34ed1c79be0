#include "analysis/HistogramChart.h"

#include <algorithm>
#include <cmath>

#include "analysis/HistogramFile.h"
#include "imaging/ImageIO.h"
#include "imaging/LoadPicture.h"

namespace analysis {

void PaintHistogramChart(
    ChartCanvas& canvas, TVX_Histogram& histogram, int mode, const THistogramSelection& s, int layout)
{
    const int W = canvas.Width(), H = canvas.Height();
    canvas.SetPenMode(TPenMode::Copy);
    canvas.FillRect(0, 0, W, H, kBlack);
    histogram.Mode = mode;
    if (mode == ModeRgb)
        histogram.Channels = { s.SelR, s.SelG, s.SelB, s.SelY, false, false, false };
    else
        histogram.Channels = { false, false, false, false, s.SelS, s.SelV, s.SelH };
    int selected = 0, only = -1;
    for (int t = 0; t < kHistogramTables; ++t)
        if (histogram.Channels[t]) {
            ++selected;
            only = t;
        }
    if (selected == 0) {
        canvas.CentredText("Not Select", 20, kNoticeGrey);
        return;
    }
    histogram.Gradation = selected == 1 ? GradationOf(only) : VX_RGB;
    if (selected == 1 || layout == LayoutCombined) {
        histogram.Draw(canvas, 10, 5, W - 10, H, -1);
    } else if (layout == LayoutRows) {
        const int e = static_cast<int>(std::nearbyint(double(H) / selected));
        for (int k = 0; k < selected; ++k)
            histogram.Draw(canvas, 10, k * e + 5, W - 10, e, k + 1);
    } else {
        const int d = static_cast<int>(std::nearbyint(double(W) / selected));
        for (int k = 0; k < selected; ++k)
            histogram.Draw(canvas, k * d + 10, 5, d * (k + 1), H, k + 1);
    }
}

bool PaintCieChart(ChartCanvas& canvas, int mode, const std::string& path, bool normal, bool direct, int colorSpace,
    TLabCloud& cloud, const std::function<void(int percent)>& percent)
{
    const int W = canvas.Width(), H = canvas.Height();
    canvas.SetPenMode(TPenMode::Copy);
    canvas.FillRect(0, 0, W, H, kBlack);
    if (path.empty())
        return true;
    imaging::Bitmap bitmap;
    imaging::YccPicture sampled;
    TChartPicture picture;
    int source = SourceNone;
    bool read = true;
    if (normal || direct) {
        source = normal ? SourceRgb : SourceYcc;
        // A JPEG is decoded only at the rows the chart samples.
        int width = 0, height = 0;
        const bool jpeg = imaging::ReadJpegSize(path, width, height); // false for any other format
        const int step = mode == ModeLab3D ? CloudStep(width, height) : ChartStep(height);
        read = jpeg && imaging::DecodeJpegRows(path, sampled, step, normal) == imaging::YccDecodeResult::Ok;
        if (read) {
            picture = ChartPictureOf(sampled);
        } else if (normal) {
            read = LoadWholePicture(path, bitmap); // other formats, CMYK JPEG files
            picture = ChartPictureOf(bitmap);
        }
    }
    if (!read)
        return false;
    const int rows = std::max(1, picture.Height);
    const ChartProgress progress = [&](int row) {
        if (percent)
            percent(int(int64_t(row) * 100 / rows));
    };
    if (mode == ModeAb) {
        DrawAbDistribution(picture, W, H, progress, source, colorSpace, canvas);
    } else if (mode == ModeUv) {
        DrawUvDistribution(picture, W, H, progress, source, colorSpace, canvas);
    } else if (mode == ModeLab3D) {
        BuildLabCloud(cloud, picture, source, colorSpace, progress);
        RenderLabCloud(cloud, canvas);
    }
    return true;
}

} // namespace analysis
