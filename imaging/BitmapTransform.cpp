#include "imaging/BitmapTransform.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace imaging {

namespace {

// Tile edge for the quarter turns: a tile's source rows and target rows stay in cache.
constexpr int kTile = 64;

template <int Bpp> inline void CopyPixel(uint8_t* to, const uint8_t* from)
{
    std::memcpy(to, from, Bpp);
}

template <int Bpp> inline void SwapPixels(uint8_t* a, uint8_t* b)
{
    uint8_t t[Bpp];
    std::memcpy(t, a, Bpp);
    std::memcpy(a, b, Bpp);
    std::memcpy(b, t, Bpp);
}

// clockwise: target (x', y') = source (y', H - 1 - x'); otherwise
// target (x', y') = source (W - 1 - y', x').
template <int Bpp> void QuarterTurn(const Bitmap& source, Bitmap& target, bool clockwise)
{
    const int tw = target.Width();
    const int th = target.Height();
    const int sw = source.Width();
    const int sh = source.Height();
    for (int ty0 = 0; ty0 < th; ty0 += kTile) {
        const int ty1 = std::min(th, ty0 + kTile);
        for (int tx0 = 0; tx0 < tw; tx0 += kTile) {
            const int tx1 = std::min(tw, tx0 + kTile);
            for (int ty = ty0; ty < ty1; ++ty) {
                uint8_t* out = target.Row(ty) + static_cast<size_t>(tx0) * Bpp;
                if (clockwise) {
                    const size_t column = static_cast<size_t>(ty) * Bpp;
                    for (int tx = tx0; tx < tx1; ++tx, out += Bpp)
                        CopyPixel<Bpp>(out, source.Row(sh - 1 - tx) + column);
                } else {
                    const size_t column = static_cast<size_t>(sw - 1 - ty) * Bpp;
                    for (int tx = tx0; tx < tx1; ++tx, out += Bpp)
                        CopyPixel<Bpp>(out, source.Row(tx) + column);
                }
            }
        }
    }
}

template <int Bpp> void ReverseRow(uint8_t* row, int width)
{
    uint8_t* a = row;
    uint8_t* b = row + static_cast<size_t>(width - 1) * Bpp;
    for (; a < b; a += Bpp, b -= Bpp)
        SwapPixels<Bpp>(a, b);
}

template <int Bpp> void HalfTurn(Bitmap& bitmap)
{
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    for (int y = 0; y < h / 2; ++y) {
        uint8_t* a = bitmap.Row(y);
        uint8_t* b = bitmap.Row(h - 1 - y) + static_cast<size_t>(w - 1) * Bpp;
        for (int x = 0; x < w; ++x, a += Bpp, b -= Bpp)
            SwapPixels<Bpp>(a, b);
    }
    if (h % 2)
        ReverseRow<Bpp>(bitmap.Row(h / 2), w);
}

void QuarterTurn(Bitmap& bitmap, bool clockwise)
{
    Bitmap turned(bitmap.Height(), bitmap.Width(), bitmap.BitsPerPixel());
    if (bitmap.BytesPerPixel() == 4)
        QuarterTurn<4>(bitmap, turned, clockwise);
    else
        QuarterTurn<3>(bitmap, turned, clockwise);
    bitmap = std::move(turned);
}

} // namespace

void RotateClockwise(Bitmap& bitmap, int quarterTurns)
{
    const int turns = ((quarterTurns % 4) + 4) % 4;
    if (turns == 0 || bitmap.Empty())
        return;
    if (turns == 2) {
        if (bitmap.BytesPerPixel() == 4)
            HalfTurn<4>(bitmap);
        else
            HalfTurn<3>(bitmap);
        return;
    }
    QuarterTurn(bitmap, turns == 1);
}

void FlipVertical(Bitmap& bitmap)
{
    const int h = bitmap.Height();
    const size_t rowBytes = static_cast<size_t>(bitmap.Stride());
    std::vector<uint8_t> spare(rowBytes);
    for (int y = 0; y < h / 2; ++y) {
        uint8_t* a = bitmap.Row(y);
        uint8_t* b = bitmap.Row(h - 1 - y);
        std::memcpy(spare.data(), a, rowBytes);
        std::memcpy(a, b, rowBytes);
        std::memcpy(b, spare.data(), rowBytes);
    }
}

void MirrorHorizontal(Bitmap& bitmap)
{
    const int w = bitmap.Width();
    for (int y = 0; y < bitmap.Height(); ++y) {
        if (bitmap.BytesPerPixel() == 4)
            ReverseRow<4>(bitmap.Row(y), w);
        else
            ReverseRow<3>(bitmap.Row(y), w);
    }
}

bool OrientBitmap(Bitmap& bitmap, int rotation, bool flipped, bool mirrored)
{
    if (bitmap.Empty() || (rotation == 0 && !flipped && !mirrored))
        return false;
    if (rotation != 0)
        RotateClockwise(bitmap, rotation);
    // After a quarter turn the photo's own vertical axis lies across the screen.
    const bool quarter = rotation == 1 || rotation == 3;
    if (quarter ? mirrored : flipped)
        FlipVertical(bitmap);
    if (quarter ? flipped : mirrored)
        MirrorHorizontal(bitmap);
    return true;
}

} // namespace imaging
