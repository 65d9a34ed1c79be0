#pragma once
// Shrinking a picture while it is decoded: its pixels arrive a row (or every
// n-th pixel of a row, for interlaced files) at a time and are summed into
// the target pixel whose span covers them, the same box filter StretchDraw
// uses. A thumbnail of a huge picture then needs memory for the thumbnail and
// one source row, not for the picture.

#include <cstdint>
#include <vector>

#include "imaging/Bitmap.h"

namespace imaging {

struct DecodeOptions;

class RowReducer {
public:
    // A sourceWidth × sourceHeight picture into targetWidth × targetHeight,
    // neither side larger than the source's; `channels` is 1 (grey) or 3
    // (blue, green, red).
    RowReducer(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight, int channels);

    // `count` pixels of source row `y` (`channels` bytes each) that lie at
    // columns first, first + step, first + 2 × step, ...
    void Add(int y, const uint8_t* pixels, int count, int first = 0, int step = 1);
    // A whole row of 1-bit grey pixels, eight to a byte, the first in the high
    // bit, 1 meaning white (grey reducers only). Bytes whose pixels all fall
    // into one target pixel are counted at once, which keeps a huge bi-level
    // picture quick.
    void AddBits(int y, const uint8_t* bits, int count);
    // Every target pixel as the rounded average of its span, 24-bit (grey is
    // repeated into blue, green and red).
    void Finish(Bitmap& out) const;

private:
    int targetWidth_, channels_;
    std::vector<int> columnTarget_, rowTarget_; // source index → target index
    std::vector<uint32_t> columnSpan_, rowSpan_; // source pixels per target column, row
    std::vector<uint64_t> sums_;
};

// The size a width × height picture is reduced to while decoding with
// `options` (its fit into the reduce box, see DecodeOptions); false when it
// is decoded at its own size.
bool ReducedSize(int width, int height, const DecodeOptions& options, int& reducedWidth, int& reducedHeight);

} // namespace imaging
