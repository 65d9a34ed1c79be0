// The colour conversions of the histogram, its blocks and its computation.

#include "analysis/Histogram.h"

#include <algorithm>

#include "analysis/HistogramCounter.h"
#include "imaging/LittleEndian.h"

namespace analysis {

int MulDiv(int a, int b, int c)
{
    const int64_t product = int64_t(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = product < 0 ? -product : product;
    const int64_t divisor = c < 0 ? -int64_t(c) : c;
    const int64_t quotient = (2 * magnitude + divisor) / (2 * divisor);
    return static_cast<int>(negative ? -quotient : quotient);
}

THsv HsvOf(int r, int g, int b)
{
    const int v = std::max({ r, g, b });
    const int d = v - std::min({ r, g, b });
    THsv hsv;
    hsv.V = v;
    hsv.S = v > 0 ? MulDiv(d, 255, v) : 0;
    if (hsv.S == 0)
        return hsv;
    int h;
    if (r == v)
        h = MulDiv(g - b, 60, d);
    else if (g == v)
        h = MulDiv(b - r, 60, d) + 120;
    else
        h = MulDiv(r - g, 60, d) + 240;
    hsv.H = h < 0 ? h + 360 : h;
    return hsv;
}

TColour HueColour(int hue)
{
    if (hue == 360)
        hue = 0;
    if (hue < 0 || hue > 359)
        return kBlack;
    const int m = hue % 60;
    const auto up = static_cast<uint8_t>(255 - (65025 * (60 - m)) / 15300);
    const auto down = static_cast<uint8_t>(255 - (65025 * m) / 15300);
    switch (hue / 60) {
    case 0:
        return { 255, up, 0 };
    case 1:
        return { down, 255, 0 };
    case 2:
        return { 0, 255, up };
    case 3:
        return { 0, down, 255 };
    case 4:
        return { up, 0, 255 };
    default:
        return { 255, 0, down };
    }
}

TVX_Gradation GradationOf(int table)
{
    static constexpr TVX_Gradation kOwn[kHistogramTables] = { VX_R, VX_G, VX_B, VX_RGB, VX_HSV_S, VX_HSV_V, VX_HUE };
    return table >= 0 && table < kHistogramTables ? kOwn[table] : VX_RGB;
}

void TVX_Histogram::Compute(const imaging::Bitmap& bitmap)
{
    if (bitmap.BitsPerPixel() != 24)
        return;
    HistogramCounter counter;
    counter.AddRows(bitmap, 0, bitmap.Height());
    counter.Finish(*this);
}

void TVX_Histogram::Clear()
{
    counts_.fill(0);
    Valid = true;
}

uint32_t TVX_Histogram::Peak(int table) const
{
    return table == TableH ? counts_.back() : Count(table, kLevelPeakEntry);
}

namespace {

void PutLittleEndian(const uint32_t* values, size_t count, uint8_t* out)
{
    for (size_t i = 0; i < count; ++i)
        imaging::le::Put32(out + 4 * i, values[i]);
}

void GetLittleEndian(const uint8_t* in, size_t count, uint32_t* values)
{
    for (size_t i = 0; i < count; ++i)
        values[i] = imaging::le::U32(in + 4 * i);
}

constexpr size_t kLevelValues = kLevelCountsBytes / 4;
constexpr size_t kHueValues = kHueCountsBytes / 4;

} // namespace

void TVX_Histogram::SaveLevelCounts(uint8_t* out) const
{
    PutLittleEndian(counts_.data(), kLevelValues, out);
}

void TVX_Histogram::SaveHueCounts(uint8_t* out) const
{
    PutLittleEndian(counts_.data() + kLevelValues, kHueValues, out);
}

// A reloaded table holds a result like a computed one, so it is drawn.
void TVX_Histogram::LoadLevelCounts(const uint8_t* in)
{
    GetLittleEndian(in, kLevelValues, counts_.data());
    Valid = true;
}

void TVX_Histogram::LoadHueCounts(const uint8_t* in)
{
    GetLittleEndian(in, kHueValues, counts_.data() + kLevelValues);
    Valid = true;
}

} // namespace analysis
