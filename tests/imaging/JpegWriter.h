#pragma once
// Test fixtures: JPEG files encoded in memory from samples made pixel by pixel.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace testimaging {

// Fills the `components` samples of the pixel at (x, y).
using PixelFn = std::function<void(int x, int y, uint8_t* samples)>;

struct JpegSettings {
    J_COLOR_SPACE input = JCS_RGB; // JCS_GRAYSCALE, JCS_RGB or JCS_CMYK
    int quality = 95;
    bool progressive = false;
    bool fullChroma = false; // 4:4:4 instead of 4:2:0
};

std::vector<uint8_t> EncodeJpeg(int width, int height, const PixelFn& pixel, const JpegSettings& settings = {});

// An RGB test picture with structure: gradients and a checker pattern.
std::vector<uint8_t> PatternJpeg(int width, int height, int quality = 90);

} // namespace testimaging
