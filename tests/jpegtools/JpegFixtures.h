#pragma once
// JPEG fixtures for the rotation and marker tests: real pictures encoded with
// libjpeg in any sampling, scan mode and restart interval, decoding to
// compare pixels, and the reference rotation by the jpegtran program.

#include <cstdint>
#include <string>
#include <vector>

namespace jpegtest {

using Bytes = std::vector<uint8_t>;

struct PictureShape {
    const char* name = "";
    int width = 64, height = 48;
    int components = 3; // 1 greyscale, 3 YCbCr
    int hSample = 2, vSample = 2; // luma sampling factors: 2×2 4:2:0, 2×1 4:2:2, 1×1 4:4:4
    bool progressive = false;
    int restartInterval = 0; // in MCUs
};

// A picture with structure in every direction (so a wrong turn shows).
Bytes MakeJpeg(const PictureShape& shape);

struct Pixels {
    int width = 0, height = 0, components = 0;
    Bytes samples;
    bool operator==(const Pixels&) const = default;
};
// Decoded with TurboJPEG (RGB, or grey for greyscale files); empty when it fails.
Pixels Decode(const Bytes& jpeg);

// The output of `jpegtran -rotate 90|180|270 -trim -copy all`; empty when the program is missing or fails.
Bytes Jpegtran(const Bytes& jpeg, int code);
bool HaveJpegtran();

// A segment with `payload` inserted at byte `at` of `jpeg` (right behind SOI by default).
Bytes InsertSegment(const Bytes& jpeg, uint8_t code, const Bytes& payload, size_t at = 2);
// An Exif segment payload ("Exif\0\0" + TIFF) with Orientation, pixel
// dimensions and a JPEG thumbnail in IFD1.
Bytes ExifPayload(
    uint16_t orientation, uint32_t pixelX, uint32_t pixelY, const Bytes& thumbnail, bool littleEndian = true);

// Segments (code and offset) as a simple scan of the file up to SOS finds them.
struct Seg {
    uint8_t code;
    size_t offset;
    size_t length;
};
std::vector<Seg> Segments(const Bytes& jpeg);

} // namespace jpegtest
