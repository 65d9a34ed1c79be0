#pragma once
// Reading pictures into Bitmap (JPEG through libjpeg-turbo, PNG, TIFF, BMP,
// PCX), writing BMP files, and stretch-drawing one bitmap into another.
// Every loader returns false on any failure and leaves `out` in a valid (possibly
// empty or partly drawn) state; none of them throws.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"

namespace imaging {

// Called now and then during a decode with the progress in percent (0..100).
// Returning false asks the decoder to stop; the load then fails.
using ProgressFn = std::function<bool(int percent)>;

// What a decode found out besides the pixels; filled when DecodeOptions::info is set.
struct DecodeInfo {
    // The picture's own size (a reduced JPEG decode gives a smaller bitmap).
    int fullWidth = 0;
    int fullHeight = 0;
    // The data ended early: the bitmap holds the part that was there, the
    // rest is filled by the decoder (grey or black).
    bool truncated = false;
    // The decoder reported damaged data (truncation included) but went on.
    bool damaged = false;
};

struct DecodeOptions {
    // 0 × 0: decode at full size. Otherwise JPEG decodes at the smallest DCT
    // scale (1/8, 2/8, ... 8/8) whose result still covers this box.
    int targetWidth = 0;
    int targetHeight = 0;
    ProgressFn progress;
    DecodeInfo* info = nullptr;
    // JPEG, PNG and TIFF: when both are set, a picture larger than this box
    // comes out as its fit into the box (FitRect), reduced row by row while it
    // is decoded, so memory stays bounded by the box and a row of the picture
    // whatever size the file declares; a smaller picture comes out whole. A
    // JPEG first takes the DCT scale for this box when the target is 0 × 0.
    int reduceWidth = 0;
    int reduceHeight = 0;
    // JPEG: bytes libjpeg may take for its own buffers (a progressive file
    // holds all its coefficients); 0 leaves the loader's own generous limit.
    long decoderMemoryLimit = 0;
};

// JPEG: gray, YCbCr and CMYK/YCCK files all give a 24-bit bitmap. A truncated
// or damaged stream still gives true with what could be decoded (see DecodeInfo).
bool LoadJpegFile(const std::string& path, Bitmap& out, const DecodeOptions& options = {});
bool LoadJpegMemory(const uint8_t* data, size_t size, Bitmap& out, const DecodeOptions& options = {});
// The picture size of a JPEG file from its frame header, without decoding.
bool ReadJpegSize(const std::string& path, int& width, int& height);
bool ReadJpegSizeMemory(const uint8_t* data, size_t size, int& width, int& height);
// The DCT scale numerator (1..8, over 8) a decode aimed at the box would use
// for a picture of the given size: the smallest whose output still covers the
// picture fitted into the box. 8 when the box is 0 × 0.
int JpegScaleForBox(int width, int height, int boxWidth, int boxHeight);

bool LoadPngFile(const std::string& path, Bitmap& out, const DecodeOptions& options = {});
// First image of the file, composited on white.
bool LoadTiffFile(const std::string& path, Bitmap& out, const DecodeOptions& options = {});
bool LoadBmpFile(const std::string& path, Bitmap& out);
bool LoadBmpMemory(const uint8_t* data, size_t size, Bitmap& out);
bool LoadPcxFile(const std::string& path, Bitmap& out);
bool LoadPcxMemory(const uint8_t* data, size_t size, Bitmap& out);

// A 24-bit bitmap as a complete Windows BMP file image (BITMAPFILEHEADER +
// BITMAPINFOHEADER + bottom-up rows); the byte length is 54 + stride × height.
std::vector<uint8_t> EncodeBmp(const Bitmap& bitmap);
bool SaveBmpFile(const std::string& path, const Bitmap& bitmap);

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// The rectangle (0, 0, w, h) of a width × height picture scaled, aspect kept,
// until it touches a box (small pictures are enlarged); halves round to even and
// a side is never below one pixel. Empty when a size is not positive.
Rect FitRect(int width, int height, int boxWidth, int boxHeight);

// Draws `source` scaled into `target` at `rect` (clipped to the target), like a
// canvas StretchDraw: every target pixel takes a source pixel or an average.
void StretchDraw(const Bitmap& source, Bitmap& target, const Rect& rect);

} // namespace imaging
