#pragma once
// Counting the histogram tables row by row, so that a picture can be counted
// while it is still being decoded. TVX_Histogram::Compute is one counter run
// over a whole bitmap.

#include <array>
#include <cstdint>

#include "analysis/Histogram.h"
#include "imaging/Bitmap.h"

namespace analysis {

class HistogramCounter {
public:
    HistogramCounter();
    // Counts rows first..end-1 of a 24-bit bitmap.
    void AddRows(const imaging::Bitmap& bitmap, int first, int end);
    // Counts `width` pixels in blue, green, red byte order.
    void AddRow(const uint8_t* bgr, int width);
    // Replaces the histogram's tables by the counts with their peaks; Valid.
    void Finish(TVX_Histogram& histogram) const;

    // One copy of the tables being counted; hue slot 360 collects the greys.
    struct Counters {
        uint32_t level[6][256];
        uint32_t hue[361];
    };

private:
    // Two copies counted alternately, so that runs of equal pixels do not
    // wait on one counter.
    std::array<Counters, 2> copies_ {};
};

} // namespace analysis
