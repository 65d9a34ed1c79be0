#pragma once
// YCbCr to RGB as JPEG (JFIF) defines it, in real numbers without rounding
// or clamping, so a caller can tell values outside 0..255 (out of gamut).

namespace analysis {

struct RealRgb {
    double R = 0, G = 0, B = 0;
};

inline RealRgb YccToRgb(double y, double cb, double cr)
{
    const long double dCb = cb - 128.0L, dCr = cr - 128.0L;
    return { static_cast<double>(y + 1.402L * dCr), static_cast<double>(y - 0.34414L * dCb - 0.71414L * dCr),
        static_cast<double>(y + 1.772L * dCb) };
}

// True when a component lies outside 0..255.
inline bool OutOfGamut(const RealRgb& c)
{
    return c.R < 0 || c.R > 255 || c.G < 0 || c.G > 255 || c.B < 0 || c.B > 255;
}

} // namespace analysis
