#include "imaging/RowReducer.h"

#include <algorithm>

#include "imaging/ImageIO.h"

namespace imaging {

namespace {

// Source index → target index for spans [t × source / target, (t + 1) × source / target),
// which cover the source without gaps or overlaps when target <= source.
void MapSpans(int source, int target, std::vector<int>& map, std::vector<uint32_t>& span)
{
    map.resize(static_cast<size_t>(source));
    span.assign(static_cast<size_t>(target), 0);
    for (int t = 0; t < target; ++t) {
        const int first = static_cast<int>(int64_t(t) * source / target);
        const int last = static_cast<int>(int64_t(t + 1) * source / target);
        for (int s = first; s < last; ++s)
            map[static_cast<size_t>(s)] = t;
        span[static_cast<size_t>(t)] = static_cast<uint32_t>(last - first);
    }
}

} // namespace

RowReducer::RowReducer(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight, int channels)
    : targetWidth_(targetWidth)
    , channels_(channels)
{
    MapSpans(sourceWidth, targetWidth, columnTarget_, columnSpan_);
    MapSpans(sourceHeight, targetHeight, rowTarget_, rowSpan_);
    sums_.assign(size_t(targetWidth) * targetHeight * channels, 0);
}

void RowReducer::Add(int y, const uint8_t* pixels, int count, int first, int step)
{
    uint64_t* row = sums_.data() + size_t(rowTarget_[static_cast<size_t>(y)]) * targetWidth_ * channels_;
    const int* target = columnTarget_.data();
    if (channels_ == 1) {
        for (int i = 0, x = first; i < count; ++i, x += step)
            row[target[x]] += pixels[i];
        return;
    }
    for (int i = 0, x = first; i < count; ++i, x += step, pixels += 3) {
        uint64_t* sum = row + size_t(target[x]) * 3;
        sum[0] += pixels[0];
        sum[1] += pixels[1];
        sum[2] += pixels[2];
    }
}

void RowReducer::AddBits(int y, const uint8_t* bits, int count)
{
    uint64_t* row = sums_.data() + size_t(rowTarget_[static_cast<size_t>(y)]) * targetWidth_;
    const int* target = columnTarget_.data();
    for (int x = 0; x < count; x += 8, ++bits) {
        const int last = std::min(x + 7, count - 1);
        const uint8_t byte = *bits;
        if (target[x] == target[last] && last == x + 7) {
            row[target[x]] += uint64_t(__builtin_popcount(byte)) * 255;
            continue;
        }
        for (int i = x; i <= last; ++i)
            if (byte & (0x80 >> (i - x)))
                row[target[i]] += 255;
    }
}

void RowReducer::Finish(Bitmap& out) const
{
    const int height = static_cast<int>(rowSpan_.size());
    out.Resize(targetWidth_, height, 24);
    const uint64_t* sum = sums_.data();
    for (int y = 0; y < height; ++y) {
        uint8_t* pixel = out.Row(y);
        for (int x = 0; x < targetWidth_; ++x, pixel += 3, sum += channels_) {
            const uint64_t area = uint64_t(columnSpan_[static_cast<size_t>(x)]) * rowSpan_[static_cast<size_t>(y)];
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<uint8_t>((sum[channels_ == 1 ? 0 : c] + area / 2) / area);
        }
    }
}

bool ReducedSize(int width, int height, const DecodeOptions& options, int& reducedWidth, int& reducedHeight)
{
    if (options.reduceWidth <= 0 || options.reduceHeight <= 0 || width <= 0 || height <= 0
        || (width <= options.reduceWidth && height <= options.reduceHeight))
        return false;
    const Rect fit = FitRect(width, height, options.reduceWidth, options.reduceHeight);
    reducedWidth = std::min(fit.Width(), width);
    reducedHeight = std::min(fit.Height(), height);
    return true;
}

} // namespace imaging
