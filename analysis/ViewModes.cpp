#include "analysis/ViewModes.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

#include "analysis/ColourConvert.h"
#include "analysis/Luminance.h"
#include "analysis/PixelRulesSimd.h"
#include "imaging/BitmapTransform.h"
#include "imaging/JpegYcc.h"
#include "platform/RowBlocks.h"

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

// Below this many pixels one thread is quicker than starting a second.
constexpr int64_t kThreadedPixels = 1 << 20;

// One row of `rule(in, out, oddRow)`; with a vector `mode` the vector form does
// what it can and each group it leaves goes pixel by pixel.
template <class Rule>
inline void RuleRow(const uint8_t* in, uint8_t* out, int width, bool odd, Rule rule, int vectorMode)
{
    for (int x = 0; x < width;) {
        const int done = vectorMode >= 0 ? ApplyRuleRowVector(vectorMode, in, out, width - x, odd) : 0;
        x += done;
        in += 3 * done;
        out += 3 * done;
        for (const int end = std::min(width, x + 16); x < end; ++x, in += 3, out += 3)
            rule(in, out, odd);
    }
}

// Runs the rule over every pixel (`in` and `out` may be the same pixel);
// `rowDone(y)` runs after each row, while the row is still in the cache.
// Large pictures are shared by two threads in blocks of 100 rows.
template <class Rule, class RowDone = std::nullptr_t>
void ForEachPixel(const imaging::Bitmap& from, imaging::Bitmap& to, const RowProgressFn& progress, Rule rule,
    int vectorMode = -1, RowDone rowDone = nullptr)
{
    const int width = from.Width();
    const auto rows = [&](int first, int count) {
        for (int y = first; y < first + count; ++y) {
            RuleRow(from.Row(y), to.Row(y), width, (y & 1) != 0, rule, vectorMode);
            if constexpr (!std::is_same_v<RowDone, std::nullptr_t>)
                rowDone(y);
        }
    };
    const bool twoThreads = static_cast<int64_t>(width) * from.Height() >= kThreadedPixels;
    platform::ForRowBlocks(from.Height(), kProgressRows, twoThreads, rows, progress);
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

void BlackOutClipped(const uint8_t* in, uint8_t* out, bool)
{
    if (in[0] == 255 || in[1] == 255 || in[2] == 255)
        Put(out, 0, 0, 0);
    else
        Put(out, in[0], in[1], in[2]);
}

template <RuleFn Rule, class RowDone = std::nullptr_t>
void Run(int mode, const imaging::Bitmap& from, imaging::Bitmap& to, const RowProgressFn& progress,
    RowDone rowDone = nullptr)
{
    // A lambda, not the pointer, so the pixel loop inlines the rule.
    ForEachPixel(
        from, to, progress, [](const uint8_t* in, uint8_t* out, bool odd) { Rule(in, out, odd); }, mode, rowDone);
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

namespace {

template <class RowDone>
void ApplyRule(
    int mode, const imaging::Bitmap& from, imaging::Bitmap& to, const RowProgressFn& progress, RowDone rowDone)
{
    SizeLike(from, to);
    if (from.Empty() || from.BitsPerPixel() != 24)
        return;
    // Each rule is its own instantiation so the pixel loop inlines it.
    switch (mode) {
    case kModeRed:
        return Run<ChannelRule<2>>(mode, from, to, progress, rowDone);
    case kModeBlue:
        return Run<ChannelRule<0>>(mode, from, to, progress, rowDone);
    case kModeGreen:
        return Run<ChannelRule<1>>(mode, from, to, progress, rowDone);
    case kModeTobiAll:
        return Run<AllChannelRule>(mode, from, to, progress, rowDone);
    case kModeTobiBlue:
        return Run<InvertWhenClipped<0>>(mode, from, to, progress, rowDone);
    case kModeTobiRed:
        return Run<InvertWhenClipped<2>>(mode, from, to, progress, rowDone);
    case kModeTobiGreen:
        return Run<InvertWhenClipped<1>>(mode, from, to, progress, rowDone);
    case kModeTobiWhite:
        return Run<WhiteTobiRule>(mode, from, to, progress, rowDone);
    case kModeRedOver:
        return Run<OverRule<2>>(mode, from, to, progress, rowDone);
    case kModeGreenOver:
        return Run<OverRule<1>>(mode, from, to, progress, rowDone);
    case kModeBlueOver:
        return Run<OverRule<0>>(mode, from, to, progress, rowDone);
    case kModeWhiteOver:
        return Run<WhiteOverRule>(mode, from, to, progress, rowDone);
    default:
        return Run<BlackOutClipped>(kRuleBlackOutClipped, from, to, progress, rowDone);
    }
}

} // namespace

void ApplyPixelRule(int mode, const imaging::Bitmap& from, imaging::Bitmap& to, const RowProgressFn& progress)
{
    if (!HasPixelRule(mode)) {
        SizeLike(from, to);
        if (&from != &to)
            std::memcpy(to.Data(), from.Data(), std::min(from.ByteSize(), to.ByteSize()));
        return;
    }
    ApplyRule(mode, from, to, progress, nullptr);
}

void TBlinkFrames::Start(
    int mode, const imaging::Bitmap& source, imaging::Bitmap& displayed, const RowProgressFn& progress)
{
    kind_ = BlinkKindOf(mode);
    markShown_ = true;
    // The frame's memory is kept from one check to the next of the same photo.
    if (held_.Width() != source.Width() || held_.Height() != source.Height() || held_.BitsPerPixel() != 24)
        held_.Resize(source.Width(), source.Height(), 24);
    const size_t rowBytes = static_cast<size_t>(source.Width()) * 3;
    if (kind_ == 2) {
        ApplyRule(
            mode, source, displayed, progress, [&](int y) { std::memcpy(held_.Row(y), source.Row(y), rowBytes); });
        return;
    }
    // The blacked-out frame is made from each marked row while it is in the cache.
    ApplyRule(mode, source, displayed, progress, [&](int y) {
        RuleRow(displayed.Row(y), held_.Row(y), source.Width(), false, BlackOutClipped, kRuleBlackOutClipped);
    });
}

void TBlinkFrames::Step(int tag, imaging::Bitmap& displayed)
{
    if (kind_ == 0)
        return;
    const bool odd = (tag & 1) != 0;
    const bool wantMark = kind_ == 2 ? odd : !odd;
    if (wantMark != markShown_) {
        std::swap(displayed, held_);
        markShown_ = wantMark;
    }
}

void TBlinkFrames::Clear()
{
    kind_ = 0;
    held_ = imaging::Bitmap();
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

bool ShowYccClipping(const std::string& fileName, int rotation, bool flipped, bool mirrored, imaging::Bitmap& displayed,
    const RowProgressFn& progress, std::string* error)
{
    imaging::YccPicture ycc;
    if (imaging::DecodeJpegYcc(fileName, ycc, error) != imaging::YccDecodeResult::Ok)
        return false;
    imaging::Bitmap samples = YccAsBitmap(ycc);
    ycc = imaging::YccPicture(); // the samples now live in the bitmap
    if (samples.Empty()) {
        if (error)
            *error = "no samples";
        return false;
    }
    imaging::OrientBitmap(samples, rotation, flipped, mirrored);
    MarkYccClipping(samples, displayed, progress);
    return true;
}

} // namespace analysis
