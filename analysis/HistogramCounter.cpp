// Counting the tables. The per-pixel work is integer table look-ups: the
// saturation and hue quotients and the luminance come from exact tables
// built once; only exact luminance ties take the extended-precision sum.

#include "analysis/HistogramCounter.h"

#include <algorithm>
#include <iterator>

#include "analysis/Luminance.h"

namespace analysis {

namespace {

// Saturation by [value][max − min] and the hue step by [max − min][|numerator|];
// both are exact MulDiv results, the hue step symmetric because MulDiv rounds
// halves away from zero.
struct HsvTables {
    uint8_t saturation[256][256];
    uint8_t hueStep[256][256];
    // Luminance by 299 r + 587 g + 114 b; 256 marks an exact tie, which only
    // the extended-precision sum of the pixel itself decides.
    uint16_t luminance[299 * 255 + 587 * 255 + 114 * 255 + 1];
    HsvTables()
    {
        for (int sum = 0; sum < int(std::size(luminance)); ++sum)
            luminance[sum] = static_cast<uint16_t>(sum % 1000 == 500 ? 256 : (sum + 500) / 1000);
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

[[gnu::always_inline]] inline void CountPixel(
    HistogramCounter::Counters& c, const HsvTables& t, unsigned b, unsigned g, unsigned r)
{
    ++c.level[TableR][r];
    ++c.level[TableG][g];
    ++c.level[TableB][b];
    unsigned y = t.luminance[299 * r + 587 * g + 114 * b];
    if (y > 255) [[unlikely]]
        y = static_cast<unsigned>(Luminance(int(r), int(g), int(b)));
    ++c.level[TableY][y];
    const unsigned v = std::max(r, std::max(g, b));
    const unsigned d = v - std::min(r, std::min(g, b));
    ++c.level[TableV][v];
    ++c.level[TableS][t.saturation[v][d]];
    const int numerator = r == v ? int(g) - int(b) : g == v ? int(b) - int(r) : int(r) - int(g);
    const int base = r == v ? 0 : g == v ? 120 : 240;
    const int step = t.hueStep[d][numerator < 0 ? -numerator : numerator];
    int hue = base + (numerator < 0 ? -step : step);
    hue += hue < 0 ? 360 : 0;
    ++c.hue[d == 0 ? 360 : hue];
}

} // namespace

HistogramCounter::HistogramCounter()
{
    Tables();
}

void HistogramCounter::AddRow(const uint8_t* p, int width)
{
    const HsvTables& tables = Tables();
    Counters& even = copies_[0];
    Counters& odd = copies_[1];
    int x = 0;
    for (; x + 1 < width; x += 2, p += 6) {
        CountPixel(even, tables, p[0], p[1], p[2]);
        CountPixel(odd, tables, p[3], p[4], p[5]);
    }
    if (x < width)
        CountPixel(even, tables, p[0], p[1], p[2]);
}

void HistogramCounter::AddRows(const imaging::Bitmap& bitmap, int first, int end)
{
    if (bitmap.BitsPerPixel() != 24)
        return;
    first = std::max(first, 0);
    end = std::min(end, bitmap.Height());
    for (int y = first; y < end; ++y)
        AddRow(bitmap.Row(y), bitmap.Width());
}

void HistogramCounter::Finish(TVX_Histogram& histogram) const
{
    TVX_Histogram::CountArray counts {};
    auto at = [&](int table, int entry) -> uint32_t& { return counts[size_t(table) * kTableEntries + entry]; };
    for (int t = 0; t < 6; ++t) {
        for (int v = 0; v < 256; ++v)
            at(t, v) = copies_[0].level[t][v] + copies_[1].level[t][v];
        at(t, kLevelPeakEntry) = *std::max_element(&at(t, 1), &at(t, 255));
    }
    for (int h = 0; h < 360; ++h)
        at(TableH, h) = copies_[0].hue[h] + copies_[1].hue[h];
    counts.back() = *std::max_element(&at(TableH, 0), &at(TableH, 0) + kTableEntries);
    histogram.SetCounts(counts);
}

} // namespace analysis
