#pragma once
// Picture colours in CIE terms for the colour-distribution charts: the four
// RGB spaces a picture may be taken to be in, RGB and YCbCr to L*a*b* and to
// u'v', and the fixed path that turns an L*a*b* colour into a dot colour.

#include "analysis/ChartCanvas.h"
#include "analysis/ColourConvert.h"

namespace analysis {

// ColorSpace values: 0 sRGB with D65, 1 AdobeRGB, 2 NTSC (1952), 3 sRGB with illuminant C.
inline constexpr int kColourSpaces = 4;
// The chart title text of a space ("sRGB(D65)", ...); unknown values count as 0.
const char* ColourSpaceTitle(int colorSpace);

struct TLab {
    double L = 0, A = 0, B = 0;
};
// L* with 100 u' and 100 v'.
struct TLuv {
    double L = 0, U = 0, V = 0;
};
struct TXyz {
    double X = 0, Y = 0, Z = 0;
};

TLab XyzToLab(const TXyz& xyz, const TXyz& white);
TLuv XyzToUv(const TXyz& xyz);
// Linearises R, G, B (0..1, unclamped) by the space's curve and takes them to XYZ.
TXyz RgbToXyz(double r, double g, double b, int colorSpace);
TLab RgbToLab(double r, double g, double b, int colorSpace);
// RgbToXyz and RgbToLab of byte levels (each / 255), through tables of the curve.
TXyz ByteRgbToXyz(int r, int g, int b, int colorSpace);
TLab ByteRgbToLab(int r, int g, int b, int colorSpace);
// The white point L*a*b* is taken against in a space.
TXyz LabWhite(int colorSpace);
TLuv RgbToUv(double r, double g, double b, int colorSpace);
// The bytes go through YccToRgb; outOfGamut when a component leaves 0..255.
TLab YccToLab(int y, int cb, int cr, int colorSpace, bool& outOfGamut);
TLuv YccToUv(int y, int cb, int cr, int colorSpace, bool& outOfGamut);

// The display path: L*a*b* → XYZ (D65 white) → RGB, clamped, × 255 rounded.
TXyz LabToXyz(const TLab& lab);
TColour LabDisplayColour(double L, double a, double b);

} // namespace analysis
