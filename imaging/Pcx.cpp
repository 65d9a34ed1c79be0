// ZSoft PCX files: 8-bit palette pictures (palette at the end of the file),
// 24-bit three-plane and 32-bit four-plane pictures, 1-bit monochrome and
// 16-colour pictures (four 1-bit planes or one 4-bit plane, header palette).
// The run-length stream is decoded as one stream over all lines, so runs that
// cross a line end (as some writers produce) are read correctly.

#include <algorithm>
#include <cstring>

#include "imaging/FileBuffer.h"
#include "imaging/ImageIO.h"
#include "imaging/LittleEndian.h"

namespace imaging {

namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kEndPaletteSize = 769; // 0x0C and 256 × (red, green, blue)
// Two bytes of run-length data give at most 63 bytes of picture.
constexpr uint64_t kMaxExpansion = 32;

struct Header {
    int bitsPerPixel = 0;
    int planes = 0;
    int bytesPerLine = 0;
    int width = 0;
    int height = 0;
    bool compressed = true;
};

bool ReadHeader(const uint8_t* data, size_t size, Header& h)
{
    if (size < kHeaderSize || data[0] != 0x0A || data[2] > 1)
        return false;
    h.compressed = data[2] == 1;
    h.bitsPerPixel = data[3];
    const int xMin = le::U16(data + 4), yMin = le::U16(data + 6);
    const int xMax = le::U16(data + 8), yMax = le::U16(data + 10);
    h.planes = data[65];
    h.bytesPerLine = le::U16(data + 66);
    h.width = xMax - xMin + 1;
    h.height = yMax - yMin + 1;
    if (h.width <= 0 || h.height <= 0 || h.bytesPerLine <= 0)
        return false;
    const int bpp = h.bitsPerPixel, planes = h.planes;
    const bool supported = (bpp == 8 && (planes == 1 || planes == 3 || planes == 4)) || (bpp == 1 && planes == 1)
        || (bpp == 1 && planes == 4) || (bpp == 4 && planes == 1);
    if (!supported || uint64_t(h.bytesPerLine) * 8 < uint64_t(h.width) * bpp)
        return false;
    // The file must be able to hold the declared picture.
    const uint64_t decoded = uint64_t(h.bytesPerLine) * planes * h.height;
    const uint64_t available = size - kHeaderSize;
    if (decoded > (h.compressed ? available * kMaxExpansion : available))
        return false;
    return uint64_t(h.width) * h.height <= kMaxPixels;
}

// Decodes the planes of every line into `lines` (bytesPerLine × planes per
// line); a stream that ends early leaves the rest zero.
void Unpack(const uint8_t* p, const uint8_t* end, bool compressed, std::vector<uint8_t>& lines)
{
    size_t at = 0;
    const size_t total = lines.size();
    if (!compressed) {
        const size_t n = std::min(total, size_t(end - p));
        std::memcpy(lines.data(), p, n);
        return;
    }
    while (at < total && p < end) {
        const uint8_t b = *p++;
        if ((b & 0xC0) == 0xC0) {
            if (p == end)
                break;
            const size_t run = std::min<size_t>(b & 0x3F, total - at);
            std::memset(lines.data() + at, *p++, run);
            at += run;
        } else {
            lines[at++] = b;
        }
    }
}

} // namespace

bool LoadPcxMemory(const uint8_t* data, size_t size, Bitmap& out)
{
    return GuardedLoad(out, [&] {
        Header h;
        if (!data || !ReadHeader(data, size, h))
            return false;
        const size_t lineBytes = size_t(h.bytesPerLine) * h.planes;
        // An 8-bit palette picture ends with its palette: the stream stops before it.
        const bool endPalette = h.bitsPerPixel == 8 && h.planes == 1;
        const bool hasEndPalette
            = endPalette && size >= kHeaderSize + kEndPaletteSize && data[size - kEndPaletteSize] == 0x0C;
        const uint8_t* streamEnd = data + (hasEndPalette ? size - kEndPaletteSize : size);
        std::vector<uint8_t> lines(lineBytes * h.height, 0);
        Unpack(data + kHeaderSize, streamEnd, h.compressed, lines);

        // Palette as blue, green, red.
        uint8_t palette[256][3] = {};
        auto setPalette = [&](const uint8_t* rgb, int count) {
            for (int i = 0; i < count; ++i) {
                palette[i][0] = rgb[3 * i + 2];
                palette[i][1] = rgb[3 * i + 1];
                palette[i][2] = rgb[3 * i];
            }
        };
        if (endPalette) {
            if (hasEndPalette)
                setPalette(data + size - 768, 256);
            else
                for (int i = 0; i < 256; ++i) // no palette: a grey ramp
                    palette[i][0] = palette[i][1] = palette[i][2] = static_cast<uint8_t>(i);
        } else if (h.bitsPerPixel == 1 && h.planes == 1) {
            std::memset(palette[1], 255, 3);
        } else {
            setPalette(data + 16, 16); // the 16-colour palette in the header
        }

        out.Resize(h.width, h.height, 24);
        for (int y = 0; y < h.height; ++y) {
            const uint8_t* line = lines.data() + size_t(y) * lineBytes;
            uint8_t* dst = out.Row(y);
            const int bpl = h.bytesPerLine;
            for (int x = 0; x < h.width; ++x, dst += 3) {
                if (h.bitsPerPixel == 8 && h.planes >= 3) { // planes red, green, blue (, alpha ignored)
                    dst[0] = line[2 * bpl + x];
                    dst[1] = line[bpl + x];
                    dst[2] = line[x];
                    continue;
                }
                unsigned index = 0;
                if (h.bitsPerPixel == 8)
                    index = line[x];
                else if (h.bitsPerPixel == 4)
                    index = (line[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F;
                else // one bit per plane, plane 0 the lowest bit
                    for (int plane = 0; plane < h.planes; ++plane)
                        index |= ((line[plane * bpl + x / 8] >> (7 - x % 8)) & 1u) << plane;
                std::memcpy(dst, palette[index], 3);
            }
        }
        return true;
    });
}

bool LoadPcxFile(const std::string& path, Bitmap& out)
{
    return LoadWholeFile(path, out, LoadPcxMemory);
}

} // namespace imaging
