#pragma once
// The histogram panel's settings under Histogram\DockBar: read once at
// start in a fixed order, the first missing or unreadable value ending the
// reading (the rest keep their defaults), written once at close.

#include <cstdint>

#include "analysis/ChartCanvas.h"
#include "analysis/HistogramChart.h"
#include "platform/Registry.h"

namespace analysis {

inline constexpr const char* kHistogramSettingsKey = "Histogram\\DockBar";
inline constexpr int kMinCustomSize = 100, kMaxCustomSize = 2000;

struct THistogramSettings {
    THistogramSelection Sel;
    bool CieNormal = false, CieDirect = false;
    int ColorSpace = 0;
    int Mode = ModeRgb; // "IsHSV"
    TVX_Type Type = VX_SMOOTH;
    int Style = LayoutCombined;
    TColour LineColor = kGridGrey;
    int CustomWidth = 300, CustomHeight = 150;
};

// Colours are stored as Windows colour values (0x00BBGGRR).
uint32_t ColourValue(TColour colour);
TColour ColourOfValue(uint32_t value);

void ReadHistogramSettings(platform::RegistryStore& store, THistogramSettings& settings);
void WriteHistogramSettings(platform::RegistryStore& store, const THistogramSettings& settings);

} // namespace analysis
