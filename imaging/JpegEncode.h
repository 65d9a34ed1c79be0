#pragma once
// JPEG encoding into memory with libjpeg: a bitmap at a quality setting, or
// raw samples in another layout (grey, CMYK) with finer control. A failure
// (bad size, unsupported combination, a library error) gives false and
// leaves `out` empty; the process is never stopped.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/Bitmap.h"

namespace imaging {

// How the input samples of one pixel are laid out.
enum class JpegLayout {
    Bgr, // 3 bytes: blue, green, red (the Bitmap's 24-bit pixels)
    Bgrx, // 4 bytes: blue, green, red, unused (32-bit pixels; alpha is dropped)
    Rgb, // 3 bytes: red, green, blue
    Gray, // 1 byte
    Cmyk, // 4 bytes, stored as they are, with an Adobe marker
};

// Resolution of the two colour-difference channels against the brightness.
enum class JpegChroma {
    Half, // 4:2:0, half width and half height
    HalfWidth, // 4:2:2, half width
    Full, // 4:4:4
};

// An application or comment segment: `marker` is 0xE0..0xEF (APPn) or 0xFE (COM);
// `data` is the payload after the length field (at most 65533 bytes).
struct JpegMarker {
    int marker = 0xE1;
    std::vector<uint8_t> data;
};

struct JpegEncodeOptions {
    int quality = 90; // 1 (smallest) to 100 (best); values outside are clamped
    JpegChroma chroma = JpegChroma::Half;
    bool progressive = false;
    bool grayscale = false; // colour input stored as a one-channel picture
    bool ycck = false; // Cmyk input stored as YCCK instead of plain CMYK
    bool jfif = true; // a JFIF APP0 header after SOI (colour and grey pictures only)
    // Written in this order right after SOI (and the JFIF or Adobe header),
    // e.g. an Exif APP1 with jfif = false.
    std::vector<JpegMarker> markers;
};

// Samples of width × height pixels, rows top to bottom `stride` bytes apart.
struct JpegSamples {
    const uint8_t* data = nullptr;
    int width = 0;
    int height = 0;
    size_t stride = 0;
    JpegLayout layout = JpegLayout::Bgr;
};

// A 24-bit (or 32-bit) bitmap at the given quality, 4:2:0, baseline, JFIF.
bool EncodeJpeg(const Bitmap& bitmap, int quality, std::vector<uint8_t>& out);
bool EncodeJpeg(const Bitmap& bitmap, const JpegEncodeOptions& options, std::vector<uint8_t>& out);
bool EncodeJpeg(const JpegSamples& samples, const JpegEncodeOptions& options, std::vector<uint8_t>& out);

// Bytes per pixel of a layout.
int JpegLayoutBytes(JpegLayout layout);

} // namespace imaging
