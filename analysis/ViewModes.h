#pragma once
// The picture view's analysis modes on 24-bit pictures: single channels in
// grey, the channel overflow areas, the clipping checks that blink their
// marks, and the YCbCr clipping warning. Each rule reads an unaltered photo
// and writes the picture to show, pixel by pixel.

#include <cstdint>
#include <functional>
#include <string>

#include "imaging/Bitmap.h"

namespace imaging {
struct YccPicture;
}

namespace analysis {

// The view modes (the argument of the window's ApplyViewMode).
enum ViewMode : int {
    kModeRed = 0,
    kModeBlue = 1,
    kModeGreen = 2,
    kModeAllChannels = 3, // the source picture unchanged
    kModeTobiAll = 4, // all-channel clipping check (blinks)
    kModeTobiBlue = 5,
    kModeTobiRed = 6,
    kModeTobiGreen = 7,
    kModeTobiWhite = 8,
    kModeRedOver = 9, // 赤飛び域
    kModeGreenOver = 10,
    kModeBlueOver = 11,
    kModeWhiteOver = 12,
    kModeColourManaged = 99,
    kModeYccWarning = 101,
    kModeCorrection = 102,
};

// The task text shown while a mode is prepared; empty for an unknown mode.
std::string ViewModeTaskText(int mode);
// The status text (ChannelPl) a view command leaves; empty for the clipping
// checks, the all-channel view and unknown modes.
std::string ViewModeChannelText(int mode);
// Modes 4 to 8 mark a blink picture.
inline bool IsBlinkMode(int mode)
{
    return mode >= kModeTobiAll && mode <= kModeTobiWhite;
}
// 1 for the all-channel check (marks vanish to black), 2 for the others (mark and photo alternate).
inline int BlinkKindOf(int mode)
{
    return mode == kModeTobiAll ? 1 : 2;
}
// Whether the mode has a per-pixel rule (0 to 2 and 4 to 12).
bool HasPixelRule(int mode);

// Steps the blink starts with: ten steps of 400 ms, ending on the photo.
inline constexpr int kBlinkSteps = 10;

// (row, height) every 100 rows, from row 0.
using RowProgressFn = std::function<void(int row, int height)>;

// Writes `mode`'s rule applied to every pixel of `from` into `to` (given the
// size of `from`; `to` may be `from` itself). Rows count from 0 at the top;
// the all-channel check marks two-channel clipping on odd rows only. A mode
// without a rule copies. Both pictures are 24-bit.
void ApplyPixelRule(int mode, const imaging::Bitmap& from, imaging::Bitmap& to, const RowProgressFn& progress = {});

// The two pictures a clipping check alternates. Each step exchanges buffers
// with the displayed picture instead of copying one, so a step costs no pass
// over the pixels.
class TBlinkFrames {
public:
    // Marks `source` by `mode` (4 to 8) into `displayed`, which then shows
    // the marked (blink) picture, and prepares the other frame: for kind 2
    // the source, for kind 1 the marked picture with every pixel that has a
    // channel at 255 blacked out.
    void Start(int mode, const imaging::Bitmap& source, imaging::Bitmap& displayed, const RowProgressFn& progress = {});
    // Puts in `displayed` the frame of the step with tag `tag` (before the
    // tag is decreased): kind 2 shows the marked picture on odd tags and the
    // source on even ones; kind 1 the blacked-out picture on odd tags and the
    // marked one on even ones. `displayed` must be the picture Start filled.
    void Step(int tag, imaging::Bitmap& displayed);
    // Drops the held frame.
    void Clear();
    int Kind() const { return kind_; }

private:
    int kind_ = 0;
    bool markShown_ = true;
    imaging::Bitmap held_;
};

// The decoded YCbCr samples as a 24-bit bitmap without colour conversion:
// Y in the blue byte, Cb in the green byte, Cr in the red byte.
imaging::Bitmap YccAsBitmap(const imaging::YccPicture& ycc);

// The YCbCr clipping warning over such a bitmap: a pixel whose YCbCr value
// converts to RGB outside 0..255 becomes red, every other pixel grey of its
// luminance. `displayed` is given the bitmap's size first when it differs.
void MarkYccClipping(const imaging::Bitmap& ycc, imaging::Bitmap& displayed, const RowProgressFn& progress = {});

// The YCbCr clipping warning of a JPEG file: decodes its samples, turns,
// flips and mirrors them like the displayed photo (the record's rotation and
// flags) and marks them into `displayed`. False, with `displayed` untouched
// and the reason in `error`, when the file's JPEG data cannot be decoded.
bool ShowYccClipping(const std::string& fileName, int rotation, bool flipped, bool mirrored, imaging::Bitmap& displayed,
    const RowProgressFn& progress = {}, std::string* error = nullptr);

} // namespace analysis
