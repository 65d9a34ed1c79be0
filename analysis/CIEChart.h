#pragma once
// The colour-distribution charts: every sampled pixel as a dot in the CIE
// a*b* plane or in the u'v' diagram (with the spectral locus), and a turnable
// 3D L*a*b* point cloud projected in software.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/ChartCanvas.h"
#include "imaging/Bitmap.h"
#include "imaging/JpegYcc.h"

namespace analysis {

// Where the chart's pixels come from: decoded RGB (the bitmap's blue, green,
// red bytes), the file's own Y, Cb, Cr bytes, or nothing chosen.
enum TChartSource { SourceRgb = 0, SourceYcc = 1, SourceNone = 99 };

struct TChartPicture {
    const uint8_t* Pixels = nullptr;
    int Width = 0, Height = 0, Stride = 0;
    int BitsPerPixel = 24;
    int RowStep = 1; // rows held: every RowStep-th picture row
    const uint8_t* Row(int y) const { return Pixels + size_t(y / RowStep) * Stride; }
};
TChartPicture ChartPictureOf(const imaging::Bitmap& bitmap);
TChartPicture ChartPictureOf(const imaging::YccPicture& picture);

// The cloud never holds more points than this, whatever the picture's shape.
inline constexpr int64_t kMaxCloudPoints = 40000;

// Receives the picture row just sampled, for a progress bar.
using ChartProgress = std::function<void(int row)>;

// Sampling step of the 2D charts: about 200 rows, the same step across.
int ChartStep(int height);
// Sampling step of the 3D cloud: about 60 rows, within the point limit.
int CloudStep(int width, int height);

void DrawAbDistribution(const TChartPicture& picture, int width, int height, const ChartProgress& progress, int source,
    int colorSpace, ChartCanvas& canvas);
void DrawUvDistribution(const TChartPicture& picture, int width, int height, const ChartProgress& progress, int source,
    int colorSpace, ChartCanvas& canvas);

struct TLabPoint {
    float L = 0, A = 0, B = 0;
    TColour Colour;
};

// The 3D plot: the sampled points, the view angles in degrees and whether a
// build has happened.
struct TLabCloud {
    std::vector<TLabPoint> Points;
    double Theta1 = 190, Theta2 = 260, Theta3 = 88;
    bool Ready = false;
    void Free()
    {
        Points = {};
        Ready = false;
    }
};

void BuildLabCloud(
    TLabCloud& cloud, const TChartPicture& picture, int source, int colorSpace, const ChartProgress& progress);
// Projects and draws the cloud on a canvas of its own size; nothing before the first build.
void RenderLabCloud(const TLabCloud& cloud, ChartCanvas& canvas);
// Screen position of plot point (x, y, z), none when it lies at or behind the eye.
std::optional<TPoint> ProjectPoint(const TLabCloud& cloud, double x, double y, double z, int width, int height);
// Turns the view by a drag from (pressX, pressY), where the angles were theta1 and theta2.
void RotateCloud(TLabCloud& cloud, double theta1, double theta2, int pressX, int pressY, int x, int y);

} // namespace analysis
