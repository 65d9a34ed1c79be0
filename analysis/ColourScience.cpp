#include "analysis/ColourScience.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

struct TRgbSpace {
    const char* title;
    double threshold; // the curve's linear part ends here
    double gamma;
    double matrix[3][3]; // rows X, Y, Z; columns R, G, B
    TXyz white;
};

constexpr TRgbSpace kSpaces[kColourSpaces] = {
    { "sRGB(D65)", 0.03928, 2.4, { { 0.4124, 0.3576, 0.1805 }, { 0.2126, 0.7152, 0.0722 }, { 0.0193, 0.1192, 0.9505 } },
        { 0.95047, 1, 1.0883 } },
    { "AdobeRGB", 0.04045, 2.4,
        { { 0.576675415, 0.1855621338, 0.1882324219 }, { 0.2973480225, 0.6273651123, 0.075302124 },
            { 0.0270385742, 0.0706939697, 0.9913482666 } },
        { 0.95047, 1, 1.0883 } },
    { "NTSC(1952)", 0.04045, 2.4,
        { { 0.6069488525, 0.1735229492, 0.2002716064 }, { 0.2989501953, 0.5866394043, 0.114440918 },
            { 0, 0.0661010742, 1.1157531738 } },
        { 0.98072, 1, 1.18225 } },
    { "sRGB(C)", 0.03928, 2.2, { { 0.4361, 0.3851, 0.1431 }, { 0.2225, 0.7169, 0.0606 }, { 0.0139, 0.0971, 0.7141 } },
        { 0.9642028809, 1, 0.8249053955 } },
};

constexpr TXyz kDisplayWhite { 0.95047, 1, 1.0883 };

const TRgbSpace& SpaceOf(int colorSpace)
{
    return kSpaces[colorSpace >= 0 && colorSpace < kColourSpaces ? colorSpace : 0];
}

double Linear(double c, const TRgbSpace& space)
{
    return c <= space.threshold ? c / 12.92 : std::pow((c + 0.055) / 1.055, space.gamma);
}

// The curve at the 256 byte levels, the common case of decoded pictures.
struct TLinearTables {
    double level[kColourSpaces][256];
    TLinearTables()
    {
        for (int s = 0; s < kColourSpaces; ++s)
            for (int v = 0; v < 256; ++v)
                level[s][v] = Linear(v / 255.0, kSpaces[s]);
    }
};

const TLinearTables& LinearTables()
{
    static const TLinearTables tables;
    return tables;
}

double LabF(double t)
{
    return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0;
}

double Lightness(double y)
{
    return y <= 0.008856 ? 903.3 * y : 116 * LabF(y) - 16;
}

uint8_t DisplayByte(double c)
{
    return static_cast<uint8_t>(std::nearbyint(std::clamp(c, 0.0, 1.0) * 255));
}

RealRgb YccBytes(int y, int cb, int cr, bool& outOfGamut)
{
    const RealRgb rgb = YccToRgb(y, cb, cr);
    outOfGamut = OutOfGamut(rgb);
    return rgb;
}

} // namespace

const char* ColourSpaceTitle(int colorSpace)
{
    return SpaceOf(colorSpace).title;
}

TLab XyzToLab(const TXyz& xyz, const TXyz& white)
{
    const double x = xyz.X / white.X, y = xyz.Y / white.Y, z = xyz.Z / white.Z;
    return { Lightness(y), 500 * (LabF(x) - LabF(y)), 200 * (LabF(y) - LabF(z)) };
}

TLuv XyzToUv(const TXyz& xyz)
{
    TLuv luv { Lightness(xyz.Y), 0, 0 };
    const double d = xyz.X + 15 * xyz.Y + 3 * xyz.Z;
    if (d != 0) {
        luv.U = 100 * 4 * xyz.X / d;
        luv.V = 100 * 9 * xyz.Y / d;
    }
    return luv;
}

TXyz RgbToXyz(double r, double g, double b, int colorSpace)
{
    const TRgbSpace& s = SpaceOf(colorSpace);
    const double lr = Linear(r, s), lg = Linear(g, s), lb = Linear(b, s);
    const auto& m = s.matrix;
    return { m[0][0] * lr + m[0][1] * lg + m[0][2] * lb, m[1][0] * lr + m[1][1] * lg + m[1][2] * lb,
        m[2][0] * lr + m[2][1] * lg + m[2][2] * lb };
}

TXyz ByteRgbToXyz(int r, int g, int b, int colorSpace)
{
    const int s = colorSpace >= 0 && colorSpace < kColourSpaces ? colorSpace : 0;
    const auto& level = LinearTables().level[s];
    const double lr = level[r & 255], lg = level[g & 255], lb = level[b & 255];
    const auto& m = kSpaces[s].matrix;
    return { m[0][0] * lr + m[0][1] * lg + m[0][2] * lb, m[1][0] * lr + m[1][1] * lg + m[1][2] * lb,
        m[2][0] * lr + m[2][1] * lg + m[2][2] * lb };
}

TXyz LabWhite(int colorSpace)
{
    return SpaceOf(colorSpace).white;
}

TLab ByteRgbToLab(int r, int g, int b, int colorSpace)
{
    return XyzToLab(ByteRgbToXyz(r, g, b, colorSpace), SpaceOf(colorSpace).white);
}

TLab RgbToLab(double r, double g, double b, int colorSpace)
{
    return XyzToLab(RgbToXyz(r, g, b, colorSpace), SpaceOf(colorSpace).white);
}

TLuv RgbToUv(double r, double g, double b, int colorSpace)
{
    return XyzToUv(RgbToXyz(r, g, b, colorSpace));
}

TLab YccToLab(int y, int cb, int cr, int colorSpace, bool& outOfGamut)
{
    const RealRgb rgb = YccBytes(y, cb, cr, outOfGamut);
    return RgbToLab(rgb.R / 255, rgb.G / 255, rgb.B / 255, colorSpace);
}

TLuv YccToUv(int y, int cb, int cr, int colorSpace, bool& outOfGamut)
{
    const RealRgb rgb = YccBytes(y, cb, cr, outOfGamut);
    return RgbToUv(rgb.R / 255, rgb.G / 255, rgb.B / 255, colorSpace);
}

TXyz LabToXyz(const TLab& lab)
{
    const double fy = (lab.L + 16) / 116, fx = lab.A / 500 + fy, fz = fy - lab.B / 200;
    auto inverse = [](double f) {
        const double cube = f * f * f;
        return cube > 0.008856 ? cube : (f - 16.0 / 116.0) / 7.787;
    };
    return { inverse(fx) * kDisplayWhite.X, inverse(fy) * kDisplayWhite.Y, inverse(fz) * kDisplayWhite.Z };
}

TColour LabDisplayColour(double L, double a, double b)
{
    const TXyz c = LabToXyz({ L, a, b });
    return { DisplayByte(1.91 * c.X - 0.532 * c.Y - 0.288 * c.Z), DisplayByte(-0.985 * c.X + 1.999 * c.Y - 0.028 * c.Z),
        DisplayByte(0.058 * c.X - 0.118 * c.Y + 0.898 * c.Z) };
}

} // namespace analysis
