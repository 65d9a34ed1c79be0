// Counting the tables. The per-pixel work is integer table look-ups: the
// saturation and hue quotients come from tables built once, the luminance
// from its integer rule, and each table is counted in two interleaved copies
// so that runs of equal pixels do not wait on one counter.

#include "analysis/Histogram.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "analysis/Luminance.h"
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

namespace {

// Saturation by [value][max − min] and the hue step by [max − min][|numerator|];
// both are exact MulDiv results, the hue step symmetric because MulDiv rounds
// halves away from zero.
struct HsvTables {
    uint8_t saturation[256][256];
    uint8_t hueStep[256][256];
    HsvTables()
    {
        for (int v = 0; v < 256; ++v)
            for (int d = 0; d < 256; ++d) {
                saturation[v][d] = static_cast<uint8_t>(v > 0 && d <= v ? MulDiv(d, 255, v) : 0);
                hueStep[d][v] = static_cast<uint8_t>(d > 0 && v <= d ? MulDiv(v, 60, d) : 0);
            }
    }
};

const HsvTables& Tables()
{
    static const HsvTables tables;
    return tables;
}

// One copy of every table being counted; hue slot 360 collects the greys.
struct Counters {
    uint32_t level[6][256];
    uint32_t hue[361];
};

inline void CountPixel(Counters& c, const HsvTables& t, unsigned b, unsigned g, unsigned r)
{
    ++c.level[TableR][r];
    ++c.level[TableG][g];
    ++c.level[TableB][b];
    ++c.level[TableY][Luminance(int(r), int(g), int(b))];
    const unsigned v = std::max(r, std::max(g, b));
    const unsigned d = v - std::min(r, std::min(g, b));
    ++c.level[TableV][v];
    ++c.level[TableS][t.saturation[v][d]];
    // The hue sector and its signed numerator, chosen without branches.
    const int numerator = r == v ? int(g) - int(b) : g == v ? int(b) - int(r) : int(r) - int(g);
    const int base = r == v ? 0 : g == v ? 120 : 240;
    const int step = t.hueStep[d][numerator < 0 ? -numerator : numerator];
    int hue = base + (numerator < 0 ? -step : step);
    hue += hue < 0 ? 360 : 0;
    ++c.hue[d == 0 ? 360 : hue];
}

} // namespace

void TVX_Histogram::Compute(const imaging::Bitmap& bitmap)
{
    if (bitmap.BitsPerPixel() != 24)
        return;
    const HsvTables& tables = Tables();
    std::vector<Counters> copies(2);
    std::memset(copies.data(), 0, sizeof(Counters) * copies.size());
    Counters& even = copies[0];
    Counters& odd = copies[1];
    const int width = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* p = bitmap.Row(y);
        int x = 0;
        for (; x + 1 < width; x += 2, p += 6) {
            CountPixel(even, tables, p[0], p[1], p[2]);
            CountPixel(odd, tables, p[3], p[4], p[5]);
        }
        if (x < width)
            CountPixel(even, tables, p[0], p[1], p[2]);
    }
    counts_.fill(0);
    for (int t = 0; t < 6; ++t)
        for (int v = 0; v < 256; ++v)
            At(t, v) = even.level[t][v] + odd.level[t][v];
    for (int h = 0; h < 360; ++h)
        At(TableH, h) = even.hue[h] + odd.hue[h];
    for (int t = 0; t < 6; ++t)
        At(t, kLevelPeakEntry) = *std::max_element(&At(t, 1), &At(t, 255));
    counts_.back() = *std::max_element(&At(TableH, 0), &At(TableH, 0) + kTableEntries);
    Valid = true;
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

void TVX_Histogram::SaveLevelCounts(uint8_t* out) const { PutLittleEndian(counts_.data(), kLevelValues, out); }

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
