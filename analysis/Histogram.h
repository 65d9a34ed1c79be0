#pragma once
// TVX_Histogram: the seven tonal tables of a 24-bit picture (red, green,
// blue, luminance, saturation, value, hue) and their chart.
//
// Tables 0..5 are level tables: entry v counts the pixels of level v, entry
// 256 holds the peak (largest count of levels 1..254; the clipped ends 0 and
// 255 would flatten every curve), entries 257..360 stay 0. Table 6 counts
// hues 0..359 (entry 360 stays 0) and the counter after it holds the hue peak.
// The counters are persisted as two raw little-endian blocks.

#include <array>
#include <cstdint>

#include "analysis/ChartCanvas.h"
#include "imaging/Bitmap.h"

namespace analysis {

enum TVX_Gradation { VX_R, VX_G, VX_B, VX_RGB, VX_HUE, VX_None, VX_HSV_S, VX_HSV_V };
enum TVX_Type { VX_LINE, VX_SMOOTH, VX_DOT };

// Table indices, also the order of Channels.
enum HistogramTable { TableR, TableG, TableB, TableY, TableS, TableV, TableH };

inline constexpr int kHistogramTables = 7;
inline constexpr int kTableEntries = 361;
inline constexpr int kLevelPeakEntry = 256;
inline constexpr int kLevelCountsBytes = 6 * kTableEntries * 4; // 8664
inline constexpr int kHueCountsBytes = (kTableEntries + 1) * 4; // 1448

// a × b / c rounded to the nearest integer, halves away from zero; c must not be 0.
int MulDiv(int a, int b, int c);

struct THsv {
    int H = -1; // 0..359, or -1 for no hue (grey)
    int S = 0, V = 0;
    bool operator==(const THsv&) const = default;
};
THsv HsvOf(int red, int green, int blue);

// The fully saturated colour of hue h (360 counts as 0; outside 0..360 black).
TColour HueColour(int hue);

// The channel's own scale bar: R → VX_R, ..., Y → VX_RGB, S → VX_HSV_S, V → VX_HSV_V, H → VX_HUE.
TVX_Gradation GradationOf(int table);

class TVX_Histogram {
public:
    TVX_Gradation Gradation = VX_RGB;
    TVX_Type GraphType = VX_SMOOTH;
    TColour LineColor = kGridGrey; // black: no grid lines
    int VInterval = 25; // 1..100, percent of the plot height
    int HInterval = 25; // 1..255, levels

    bool Valid = false;
    std::array<bool, kHistogramTables> Channels {};
    int32_t Mode = 0; // 0 RGB; the chart only tells 0 from the other modes

    // Counts a 24-bit bitmap; any other depth leaves everything unchanged.
    void Compute(const imaging::Bitmap& bitmap);
    // Zero tables (flat curves), Valid.
    void Clear();

    uint32_t Count(int table, int entry) const { return counts_[size_t(table) * kTableEntries + entry]; }
    uint32_t Peak(int table) const;

    // Draws the chart into L..R, T..T + height (background painted by the
    // caller). panel -1: every selected channel in one chart; panel k ≥ 1:
    // only the k-th selected channel, with its own scale bar.
    void Draw(ChartCanvas& canvas, int left, int top, int right, int height, int panel);

    // The persisted blocks: LevelCounts (tables 0..5) and HueCounts (table 6 and its peak).
    void SaveLevelCounts(uint8_t* out) const;
    void SaveHueCounts(uint8_t* out) const;
    void LoadLevelCounts(const uint8_t* in);
    void LoadHueCounts(const uint8_t* in);

private:
    uint32_t& At(int table, int entry) { return counts_[size_t(table) * kTableEntries + entry]; }
    std::array<uint32_t, kHistogramTables * kTableEntries + 1> counts_ {};
};

} // namespace analysis
