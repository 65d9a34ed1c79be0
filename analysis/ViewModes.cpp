#include "analysis/ViewModes.h"

#include <cstring>

#include "analysis/ColourConvert.h"
#include "analysis/Luminance.h"
#include "imaging/JpegYcc.h"

namespace analysis {

namespace {

constexpr int kProgressRows = 100;

inline void Put(uint8_t* p, uint8_t b, uint8_t g, uint8_t r)
{
    p[0] = b;
    p[1] = g;
    p[2] = r;
}

inline void Grey(uint8_t* p, uint8_t v)
{
    Put(p, v, v, v);
}

// Runs `rule(in, out, oddRow)` over every pixel; `in` and `out` may be the same pixel.
template <class Rule>
void ForEachPixel(const imaging::Bitmap& from, imaging::Bitmap& to, const RowProgressFn& progress, Rule rule)
{
    const int width = from.Width(), height = from.Height();
    for (int y = 0; y < height; ++y) {
        if (progress && y % kProgressRows == 0)
            progress(y, height);
        const uint8_t* in = from.Row(y);
        uint8_t* out = to.Row(y);
        const bool odd = (y & 1) != 0;
        for (int x = 0; x < width; ++x, in += 3, out += 3)
            rule(in, out, odd);
    }
}

// The byte order is blue, green, red.
template <int Channel> void ChannelRule(const uint8_t* in, uint8_t* out, bool)
{
    Grey(out, in[Channel]);
}

template <int Channel> void InvertWhenClipped(const uint8_t* in, uint8_t* out, bool)
{
    const uint8_t b = in[0], g = in[1], r = in[2];
    if (in[Channel] == 255)
        Put(out, uint8_t(255 - b), uint8_t(255 - g), uint8_t(255 - r));
    else
        Put(out, b, g, r);
}

// The pure channel colour on clipping, else the channel in grey.
template <int Channel> void OverRule(const uint8_t* in, uint8_t* out, bool)
{
    const uint8_t v = in[Channel];
    if (v == 255) {
        Put(out, 0, 0, 0);
        out[Channel] = 255;
    } else {
        Grey(out, v);
    }
}

void WhiteOverRule(const uint8_t* in, uint8_t* out, bool)
{
    const uint8_t b = in[0], g = in[1], r = in[2];
    if ((b & g & r) == 255)
        Put(out, 255, 0, 255);
    else
        Grey(out, static_cast<uint8_t>(Luminance(r, g, b)));
}

void WhiteTobiRule(const uint8_t* in, uint8_t* out, bool)
{
    const uint8_t b = in[0], g = in[1], r = in[2];
    if ((b & g & r) == 255)
        Put(out, 0, 0, 0);
    else
        Put(out, b, g, r);
}

// One channel at 255: its pure colour; two: their secondary colour on odd rows
// (a striped mark), unchanged on even rows; three: white, unchanged.
void AllChannelRule(const uint8_t* in, uint8_t* out, bool odd)
{
    const uint8_t b = in[0], g = in[1], r = in[2];
    // Most pixels have no channel at 255, which the bitwise or already shows.
    if ((b | g | r) != 255) {
        Put(out, b, g, r);
        return;
    }
    const int n = (b == 255) + (g == 255) + (r == 255);
    if (n == 1 || (n == 2 && odd))
        Put(out, b == 255 ? 255 : 0, g == 255 ? 255 : 0, r == 255 ? 255 : 0);
    else
        Put(out, b, g, r);
}

using RuleFn = void (*)(const uint8_t*, uint8_t*, bool);

template <RuleFn Rule> void Run(const imaging::Bitmap& from, imaging::Bitmap& to, const RowProgressFn& progress)
{
    ForEachPixel(from, to, progress, Rule);
}

void SizeLike(const imaging::Bitmap& from, imaging::Bitmap& to)
{
    if (&from != &to && (to.Width() != from.Width() || to.Height() != from.Height() || to.BitsPerPixel() != 24))
        to.Resize(from.Width(), from.Height(), 24);
}

} // namespace

std::string ViewModeTaskText(int mode)
{
    switch (mode) {
    case kModeRed:
    case kModeBlue:
    case kModeGreen:
    case kModeAllChannels:
    case kModeRedOver:
    case kModeGreenOver:
    case kModeBlueOver:
    case kModeWhiteOver:
        return "チャンネル抽出";
    case kModeTobiAll:
        return "色飛び判定中";
    case kModeTobiBlue:
        return "青飛び判定中";
    case kModeTobiRed:
        return "赤飛び判定中";
    case kModeTobiGreen:
        return "緑飛び判定中";
    case kModeTobiWhite:
        return "白飛び判定中";
    case kModeColourManaged:
        return "色校正処理中";
    case kModeYccWarning:
        return "RGB色域判定中";
    case kModeCorrection:
        return "画像補正中";
    default:
        return {};
    }
}

std::string ViewModeChannelText(int mode)
{
    switch (mode) {
    case kModeRed:
        return "RED";
    case kModeGreen:
        return "GREEN";
    case kModeBlue:
        return "BLUE";
    case kModeRedOver:
        return "赤飛び域";
    case kModeGreenOver:
        return "緑飛び域";
    case kModeBlueOver:
        return "青飛び域";
    case kModeWhiteOver:
        return "白飛び域";
    case kModeYccWarning:
        return "YCbCr警告";
    default:
        return {};
    }
}

bool HasPixelRule(int mode)
{
    return mode >= kModeRed && mode <= kModeWhiteOver && mode != kModeAllChannels;
}

void ApplyPixelRule(int mode, const imaging::Bitmap& from, imaging::Bitmap& to, const RowProgressFn& progress)
{
    SizeLike(from, to);
    if (from.Empty() || from.BitsPerPixel() != 24)
        return;
    // Each rule is its own instantiation so the pixel loop inlines it.
    switch (mode) {
    case kModeRed:
        return Run<ChannelRule<2>>(from, to, progress);
    case kModeBlue:
        return Run<ChannelRule<0>>(from, to, progress);
    case kModeGreen:
        return Run<ChannelRule<1>>(from, to, progress);
    case kModeTobiAll:
        return Run<AllChannelRule>(from, to, progress);
    case kModeTobiBlue:
        return Run<InvertWhenClipped<0>>(from, to, progress);
    case kModeTobiRed:
        return Run<InvertWhenClipped<2>>(from, to, progress);
    case kModeTobiGreen:
        return Run<InvertWhenClipped<1>>(from, to, progress);
    case kModeTobiWhite:
        return Run<WhiteTobiRule>(from, to, progress);
    case kModeRedOver:
        return Run<OverRule<2>>(from, to, progress);
    case kModeGreenOver:
        return Run<OverRule<1>>(from, to, progress);
    case kModeBlueOver:
        return Run<OverRule<0>>(from, to, progress);
    case kModeWhiteOver:
        return Run<WhiteOverRule>(from, to, progress);
    default:
        if (&from != &to)
            std::memcpy(to.Data(), from.Data(), from.ByteSize());
        return;
    }
}

void BlinkStep(
    int kind, int tag, const imaging::Bitmap& blink, const imaging::Bitmap& source, imaging::Bitmap& displayed)
{
    const bool odd = (tag & 1) != 0;
    if (kind == 1 && odd) {
        ForEachPixel(displayed, displayed, {}, [](const uint8_t* in, uint8_t* out, bool) {
            if (in[0] == 255 || in[1] == 255 || in[2] == 255)
                Put(out, 0, 0, 0);
        });
        return;
    }
    const imaging::Bitmap& shown = (kind == 1 || odd) ? blink : source;
    if (&shown == &displayed)
        return;
    if (displayed.Width() != shown.Width() || displayed.Height() != shown.Height()
        || displayed.BitsPerPixel() != shown.BitsPerPixel())
        displayed = shown;
    else
        std::memcpy(displayed.Data(), shown.Data(), shown.ByteSize());
}

imaging::Bitmap YccAsBitmap(const imaging::YccPicture& ycc)
{
    imaging::Bitmap bitmap(ycc.Width, ycc.Height);
    if (ycc.Pixels.size() < static_cast<size_t>(ycc.Width) * ycc.Height * 3)
        return {};
    const uint8_t* in = ycc.Pixels.data();
    for (int y = 0; y < ycc.Height; ++y) {
        uint8_t* out = bitmap.Row(y);
        for (int x = 0; x < ycc.Width; ++x, in += 3, out += 3)
            Put(out, in[0], in[1], in[2]);
    }
    return bitmap;
}

void MarkYccClipping(const imaging::Bitmap& ycc, imaging::Bitmap& displayed, const RowProgressFn& progress)
{
    SizeLike(ycc, displayed);
    if (ycc.Empty() || ycc.BitsPerPixel() != 24)
        return;
    ForEachPixel(ycc, displayed, progress, [](const uint8_t* in, uint8_t* out, bool) {
        const RealRgb rgb = YccToRgb(in[0], in[1], in[2]);
        if (OutOfGamut(rgb))
            Put(out, 0, 0, 255);
        else
            Grey(out, static_cast<uint8_t>(LuminanceOf(rgb.R, rgb.G, rgb.B)));
    });
}

} // namespace analysis
