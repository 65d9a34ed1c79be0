// Scaling one bitmap into a rectangle of another. Each target pixel covers a
// span of source columns and rows; shrinking averages every source pixel in
// that span (a box filter), enlarging repeats the nearest source pixel.

#include <algorithm>
#include <cmath>
#include <vector>

#include "imaging/ImageIO.h"

namespace imaging {

namespace {

// The source span [first, last) of each visible target index.
struct Spans {
    std::vector<int> first, last;
};

Spans MakeSpans(int sourceSize, int rectSize, int visibleFrom, int visibleTo)
{
    Spans spans;
    const int count = visibleTo - visibleFrom;
    spans.first.resize(count);
    spans.last.resize(count);
    for (int i = 0; i < count; ++i) {
        const int64_t t = visibleFrom + i;
        int first = static_cast<int>(t * sourceSize / rectSize);
        int last = static_cast<int>((t + 1) * sourceSize / rectSize);
        first = std::min(first, sourceSize - 1);
        last = std::clamp(last, first + 1, sourceSize);
        spans.first[i] = first;
        spans.last[i] = last;
    }
    return spans;
}

// Adds one source row into the per-target-column sums.
template <int SourceBpp, int Channels>
void AddRow(const uint8_t* line, const Spans& columns, uint64_t* sums, int visibleWidth)
{
    for (int tx = 0; tx < visibleWidth; ++tx, sums += Channels) {
        const uint8_t* p = line + columns.first[tx] * SourceBpp;
        const uint8_t* end = line + columns.last[tx] * SourceBpp;
        uint32_t sum[Channels] = {};
        for (; p < end; p += SourceBpp)
            for (int c = 0; c < Channels; ++c)
                sum[c] += p[c];
        for (int c = 0; c < Channels; ++c)
            sums[c] += sum[c];
    }
}

} // namespace

void StretchDraw(const Bitmap& source, Bitmap& target, const Rect& rect)
{
    if (source.Empty() || target.Empty() || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    // Visible part of the rectangle, relative to the rectangle.
    const int x0 = std::max(0, -rect.left), x1 = std::min(rect.Width(), target.Width() - rect.left);
    const int y0 = std::max(0, -rect.top), y1 = std::min(rect.Height(), target.Height() - rect.top);
    if (x0 >= x1 || y0 >= y1)
        return;
    const Spans columns = MakeSpans(source.Width(), rect.Width(), x0, x1);
    const Spans rows = MakeSpans(source.Height(), rect.Height(), y0, y1);
    const int sourceBpp = source.BytesPerPixel(), targetBpp = target.BytesPerPixel();
    const int channels = sourceBpp == 4 && targetBpp == 4 ? 4 : 3;
    const int visibleWidth = x1 - x0;
    std::vector<uint64_t> sums(size_t(visibleWidth) * channels);

    for (int ty = 0; ty < y1 - y0; ++ty) {
        const int firstRow = rows.first[ty], lastRow = rows.last[ty];
        std::fill(sums.begin(), sums.end(), 0);
        for (int sy = firstRow; sy < lastRow; ++sy) {
            const uint8_t* line = source.Row(sy);
            if (sourceBpp == 3)
                AddRow<3, 3>(line, columns, sums.data(), visibleWidth);
            else if (channels == 3)
                AddRow<4, 3>(line, columns, sums.data(), visibleWidth);
            else
                AddRow<4, 4>(line, columns, sums.data(), visibleWidth);
        }
        uint8_t* out = target.Row(rect.top + y0 + ty) + (rect.left + x0) * targetBpp;
        const uint64_t* sum = sums.data();
        for (int tx = 0; tx < visibleWidth; ++tx, sum += channels, out += targetBpp) {
            const uint64_t area = uint64_t(columns.last[tx] - columns.first[tx]) * uint64_t(lastRow - firstRow);
            for (int c = 0; c < channels; ++c)
                out[c] = static_cast<uint8_t>((sum[c] + area / 2) / area);
            if (targetBpp == 4 && channels == 3)
                out[3] = 255;
        }
    }
}

Rect FitRect(int width, int height, int boxWidth, int boxHeight)
{
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return Rect {};
    const double sx = static_cast<double>(width) / boxWidth;
    const double sy = static_cast<double>(height) / boxHeight;
    int w = boxWidth, h = boxHeight;
    if (sy >= sx)
        w = static_cast<int>(std::nearbyint(width / sy));
    else
        h = static_cast<int>(std::nearbyint(height / sx));
    // A very long, thin picture still gets one row or column.
    return Rect { 0, 0, std::max(w, 1), std::max(h, 1) };
}

} // namespace imaging
