#include "imaging/PictureEncode.h"

#include "imaging/LittleEndian.h"

namespace imaging {

namespace {

struct TiffEntry {
    uint16_t tag, type;
    uint32_t count, value;
};

} // namespace

std::vector<uint8_t> EncodeTiff(const Bitmap& bitmap, int dotsPerInch)
{
    const uint32_t width = uint32_t(bitmap.Width()), height = uint32_t(bitmap.Height());
    const uint32_t rowBytes = width * 3;
    const uint32_t pixelBytes = rowBytes * height;
    // Layout: header, pixels, bits-per-sample values, two resolutions, directory.
    const uint32_t pixelsAt = 8, bitsAt = pixelsAt + pixelBytes, resolutionAt = bitsAt + 6 + (pixelBytes & 1);
    const uint32_t directoryAt = resolutionAt + 16;
    const TiffEntry entries[] = {
        { 256, 4, 1, width }, // ImageWidth
        { 257, 4, 1, height }, // ImageLength
        { 258, 3, 3, bitsAt }, // BitsPerSample 8, 8, 8
        { 259, 3, 1, 1 }, // Compression: none
        { 262, 3, 1, 2 }, // PhotometricInterpretation: RGB
        { 273, 4, 1, pixelsAt }, // StripOffsets
        { 277, 3, 1, 3 }, // SamplesPerPixel
        { 278, 4, 1, height }, // RowsPerStrip
        { 279, 4, 1, pixelBytes }, // StripByteCounts
        { 282, 5, 1, resolutionAt }, // XResolution
        { 283, 5, 1, resolutionAt + 8 }, // YResolution
        { 284, 3, 1, 1 }, // PlanarConfiguration: chunky
        { 296, 3, 1, 2 }, // ResolutionUnit: inch
    };
    constexpr size_t kEntries = std::size(entries);
    std::vector<uint8_t> out(directoryAt + 2 + kEntries * 12 + 4);
    uint8_t* p = out.data();
    p[0] = 'I';
    p[1] = 'I';
    le::Put16(p + 2, 42);
    le::Put32(p + 4, directoryAt);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* bgr = bitmap.Row(int(y));
        uint8_t* rgb = p + pixelsAt + size_t(y) * rowBytes;
        for (uint32_t x = 0; x < width; ++x, bgr += bitmap.BytesPerPixel(), rgb += 3) {
            rgb[0] = bgr[2];
            rgb[1] = bgr[1];
            rgb[2] = bgr[0];
        }
    }
    for (int i = 0; i < 3; ++i)
        le::Put16(p + bitsAt + 2 * i, 8);
    for (int i = 0; i < 2; ++i) {
        le::Put32(p + resolutionAt + 8 * i, uint32_t(dotsPerInch));
        le::Put32(p + resolutionAt + 8 * i + 4, 1);
    }
    uint8_t* d = p + directoryAt;
    le::Put16(d, kEntries);
    d += 2;
    for (const TiffEntry& e : entries) {
        le::Put16(d, e.tag);
        le::Put16(d + 2, e.type);
        le::Put32(d + 4, e.count);
        if (e.type == 3 && e.count == 1)
            le::Put16(d + 8, e.value);
        else
            le::Put32(d + 8, e.value);
        d += 12;
    }
    le::Put32(d, 0);
    return out;
}

std::vector<uint8_t> EncodePcx(const Bitmap& bitmap, int dotsPerInch)
{
    const int width = bitmap.Width(), height = bitmap.Height();
    const int bytesPerLine = (width + 1) & ~1; // even
    std::vector<uint8_t> out(128, 0);
    out[0] = 0x0A; // ZSoft
    out[1] = 5; // version 3.0 and later
    out[2] = 1; // run-length encoded
    out[3] = 8; // bits per pixel in a plane
    le::Put16(&out[8], uint32_t(width - 1));
    le::Put16(&out[10], uint32_t(height - 1));
    le::Put16(&out[12], uint32_t(dotsPerInch));
    le::Put16(&out[14], uint32_t(dotsPerInch));
    out[65] = 3; // planes: red, green, blue
    le::Put16(&out[66], uint32_t(bytesPerLine));
    le::Put16(&out[68], 1); // colour
    std::vector<uint8_t> plane(static_cast<size_t>(bytesPerLine));
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = bitmap.Row(y);
        for (int channel = 2; channel >= 0; --channel) {
            for (int x = 0; x < width; ++x)
                plane[size_t(x)] = row[size_t(x) * bitmap.BytesPerPixel() + channel];
            if (bytesPerLine > width)
                plane.back() = 0;
            for (int x = 0; x < bytesPerLine;) {
                int run = 1;
                while (x + run < bytesPerLine && run < 63 && plane[size_t(x + run)] == plane[size_t(x)])
                    ++run;
                if (run > 1 || plane[size_t(x)] >= 0xC0)
                    out.push_back(uint8_t(0xC0 | run));
                out.push_back(plane[size_t(x)]);
                x += run;
            }
        }
    }
    return out;
}

} // namespace imaging
