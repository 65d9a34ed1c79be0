// Drawing the histogram chart: the scale bar under the plot, the grid and the
// curves in three styles. All positions are rounded to nearest, halves to even.

#include <algorithm>
#include <cmath>

#include "analysis/Histogram.h"

namespace analysis {

namespace {

int RoundEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

TColour ChannelColour(int table, TVX_Type type)
{
    switch (table) {
    case TableR:
        return { 255, 0, 0 };
    case TableG:
        return { 0, 255, 0 };
    case TableB:
        return type == VX_LINE ? TColour { 163, 176, 233 } : TColour { 0, 0, 255 };
    default:
        return kWhite;
    }
}

// The plot geometry of one Draw call.
struct Plot {
    int left, top, right, height; // height of the plot itself
    double step; // pixels per level (or per hue degree)
    int X(int i) const { return left + RoundEven(i * step); }
    int Offset(int i) const { return RoundEven(i * step); }
    int Bottom() const { return top + height; }
};

void DrawScaleBar(ChartCanvas& canvas, const Plot& plot, TVX_Gradation gradation)
{
    const int barTop = plot.Bottom() + 2, barBottom = plot.Bottom() + 10;
    if (gradation == VX_HUE) {
        for (int h = 0; h < 360; ++h)
            canvas.FillRect(plot.X(h), barTop, plot.X(h + 1), barBottom, HueColour(h));
        return;
    }
    if (gradation == VX_HSV_S || gradation == VX_HSV_V) {
        constexpr int kSize = 8;
        const std::string label = gradation == VX_HSV_S ? "Saturation" : "Value";
        const int minWidth = canvas.TextWidth("Min", kSize), maxWidth = canvas.TextWidth("Max", kSize);
        canvas.TextOut(plot.left, barTop, "Min", kSize, kLabelGrey);
        canvas.TextOut(plot.right - maxWidth, barTop, "Max", kSize, kLabelGrey);
        const int labelWidth = canvas.TextWidth(label, kSize);
        if (plot.right - plot.left - maxWidth - minWidth > labelWidth)
            canvas.TextOut(plot.left + (plot.right - plot.left) / 2 - labelWidth / 2, barTop, label, kSize, kLabelGrey);
        return;
    }
    if (gradation == VX_None)
        return;
    for (int i = 0; i < 256; ++i) {
        const auto level = static_cast<uint8_t>(i);
        const TColour colour = gradation == VX_R ? TColour { level, 0, 0 }
            : gradation == VX_G                  ? TColour { 0, level, 0 }
            : gradation == VX_B                  ? TColour { 0, 0, level }
                                                 : TColour { level, level, level };
        canvas.FillRect(plot.X(i), barTop, plot.X(i + 1), barBottom, colour);
    }
}

void DrawGrid(ChartCanvas& canvas, const Plot& plot, TVX_Gradation gradation, int hInterval, int vInterval)
{
    auto vertical = [&](int x) {
        canvas.MoveTo(x, plot.top);
        canvas.LineTo(x, plot.Bottom());
    };
    if (gradation == VX_HUE) {
        for (int k = 0; k <= 4; ++k)
            vertical(plot.X(90 * k));
    } else {
        const int lines = RoundEven(255.0 / hInterval);
        for (int k = 0; k <= lines; ++k)
            vertical(plot.X(k * hInterval));
    }
    const int end = plot.right + RoundEven(plot.step);
    vertical(end);
    const int n = 100 / vInterval;
    for (int k = 0; k <= n; ++k) {
        const int y = plot.top + RoundEven(plot.height - double(k) * plot.height / n);
        canvas.MoveTo(plot.left, y);
        canvas.LineTo(end, y);
    }
}

} // namespace

void TVX_Histogram::Draw(ChartCanvas& canvas, int left, int top, int right, int height, int panel)
{
    if (height <= 25)
        return;
    // The channels this call draws: all selected ones, or the panel's one.
    std::array<bool, kHistogramTables> drawn {};
    if (panel < 1) {
        drawn = Channels;
    } else {
        int seen = 0;
        for (int t = 0; t < kHistogramTables; ++t)
            if (Channels[t] && ++seen == panel) {
                drawn[t] = true;
                Gradation = GradationOf(t);
            }
    }
    const int tableLength = Gradation == VX_HUE ? 360 : 256;
    const Plot plot { left, top, right, height - 20, (right - left) / double(tableLength - 1) };

    canvas.SetPenMode(TPenMode::Copy);
    DrawScaleBar(canvas, plot, Gradation);
    if (!(LineColor == kBlack)) {
        canvas.SetPen(LineColor);
        DrawGrid(canvas, plot, Gradation, std::clamp(HInterval, 1, 255), std::clamp(VInterval, 1, 100));
    }
    if (!Valid)
        return;

    uint32_t scale = 0;
    if (Mode == 0) {
        for (int t : { TableR, TableG, TableB, TableY })
            if (drawn[t])
                scale = std::max(scale, Peak(t));
    } else if (Gradation == VX_HUE) {
        scale = Peak(TableH);
    } else {
        for (int t : { TableS, TableV })
            if (drawn[t])
                scale = std::max(scale, Peak(t));
    }
    const double maximum = scale == 0 ? 1.0 : double(scale);
    const int P = plot.height;
    auto barHeight = [&](double count) { return std::min(P, RoundEven(count / maximum * P)); };

    for (int t = 0; t < kHistogramTables; ++t) {
        if (!drawn[t])
            continue;
        const bool hue = t == TableH;
        const int entries = hue ? 360 : 256;
        canvas.SetPen(ChannelColour(t, GraphType));
        if (GraphType == VX_LINE) {
            std::vector<TPoint> points(entries);
            for (int i = 0; i < entries; ++i)
                points[i] = { plot.X(i), plot.Bottom() - barHeight(Count(t, i)) };
            canvas.Polyline(points);
            continue;
        }
        if (!hue)
            canvas.SetPenMode(TPenMode::Merge);
        for (int i = 0; i < entries; ++i) {
            if (hue)
                canvas.SetPen(HueColour(i));
            const int from = plot.Offset(i), to = plot.Offset(i + 1);
            const double here = Count(t, i);
            const double next = i + 1 < entries ? Count(t, i + 1) : here;
            for (int x = from; x < to; ++x) {
                double value = here;
                if (GraphType == VX_SMOOTH) {
                    const double f = double(x - from) / (to - from);
                    value = (1 - f) * here + f * next;
                }
                canvas.MoveTo(left + x, plot.Bottom() - barHeight(value));
                canvas.LineTo(left + x, plot.Bottom());
            }
        }
    }
}

} // namespace analysis
