#pragma once
// JPEG decoding to the stored Y, Cb, Cr samples without colour conversion,
// chroma upsampled to the full picture size. Colour charts and the YCbCr
// clipping check use it to see the values the file really holds.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace imaging {

struct YccPicture {
    int Width = 0, Height = 0;
    std::vector<uint8_t> Pixels; // Y, Cb, Cr bytes per pixel, rows top to bottom, upsampled
};

// Unsupported: CMYK and YCCK files. Greyscale files give Cb = Cr = 128.
enum class YccDecodeResult { Ok, Failed, Unsupported };

YccDecodeResult DecodeJpegYcc(const std::string& path, YccPicture& out, std::string* error = nullptr);
YccDecodeResult DecodeJpegYccMemory(const uint8_t* data, size_t size, YccPicture& out, std::string* error = nullptr);

} // namespace imaging
