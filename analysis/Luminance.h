#pragma once
// The luminance of a pixel, round(0.299 r + 0.587 g + 0.114 b), as the
// histogram, the channel views and the clipping views count it.
//
// The sum is taken in x87 extended precision (long double with long-double
// constants) and rounded to nearest with halves to even. That choice decides
// exact ties: (0, 80, 110) gives 60 and (0, 36, 12) gives 23, where plain
// doubles would give 59 and 22. For byte inputs only those ties need the
// floating-point sum: 299 r + 587 g + 114 b decides every other pixel exactly.

#include <cmath>
#include <cstdint>

namespace analysis {

// Luminance of real-valued components (unclamped), e.g. from a YCbCr
// conversion; the rounded value as an integer.
inline long LuminanceOf(long double r, long double g, long double b)
{
    return std::lrintl(0.299L * r + 0.587L * g + 0.114L * b);
}

// Luminance of a byte pixel, 0..255.
inline int Luminance(int r, int g, int b)
{
    const int sum = 299 * r + 587 * g + 114 * b;
    const int whole = sum / 1000;
    const int rest = sum - whole * 1000;
    if (rest != 500)
        return whole + (rest > 500);
    return static_cast<int>(LuminanceOf(r, g, b) & 255);
}

} // namespace analysis
