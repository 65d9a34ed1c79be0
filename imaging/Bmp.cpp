// Windows BMP files: reading 1/4/8-bit palette pictures (uncompressed, RLE8,
// RLE4), 16/32-bit with or without bit-field masks and 24-bit, top-down and
// bottom-up; writing 24/32-bit uncompressed files. Every field of the file is
// checked before it is used: reads stay inside the buffer and the declared
// size must be describable by the bytes present.

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>

#include "imaging/FileBuffer.h"
#include "imaging/ImageIO.h"
#include "imaging/LittleEndian.h"
#include "platform/AtomicFile.h"

namespace imaging {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kCoreHeaderSize = 12;

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6 };

// An RLE file may leave most of the picture out, so its size is not bounded
// by the data; this bounds it instead (pixels per byte of file).
constexpr uint64_t kRlePixelsPerByte = 1024;
constexpr uint64_t kRleMinPixelCap = 1u << 20;

struct Header {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    uint32_t compression = kRgb;
    uint32_t masks[3] = { 0, 0, 0 }; // red, green, blue
    size_t paletteOffset = 0;
    size_t paletteEntrySize = 4;
    uint32_t colourCount = 0;
    size_t dataOffset = 0;
};

using Palette = std::array<std::array<uint8_t, 3>, 256>; // blue, green, red

bool ReadHeader(const uint8_t* data, size_t size, Header& h)
{
    if (size < kFileHeaderSize + kCoreHeaderSize || data[0] != 'B' || data[1] != 'M')
        return false;
    h.dataOffset = le::U32(data + 10);
    const uint32_t headerSize = le::U32(data + 14);
    const uint8_t* info = data + kFileHeaderSize;
    if (headerSize == kCoreHeaderSize) {
        h.width = le::U16(info + 4);
        h.height = le::U16(info + 6);
        h.bitsPerPixel = le::U16(info + 10);
        h.paletteEntrySize = 3;
    } else if (headerSize >= kInfoHeaderSize && size >= kFileHeaderSize + kInfoHeaderSize) {
        h.width = le::S32(info + 4);
        const int32_t height = le::S32(info + 8);
        if (height == INT32_MIN)
            return false;
        h.topDown = height < 0;
        h.height = height < 0 ? -height : height;
        h.bitsPerPixel = le::U16(info + 14);
        h.compression = le::U32(info + 16);
        h.colourCount = le::U32(info + 32);
        if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
            // The masks sit in the longer headers, or follow a 40-byte one.
            const size_t at = kFileHeaderSize + kInfoHeaderSize;
            if (size < at + 12)
                return false;
            for (int i = 0; i < 3; ++i)
                h.masks[i] = le::U32(data + at + 4 * i);
        }
    } else {
        return false;
    }
    h.paletteOffset = kFileHeaderSize + headerSize;
    if (headerSize == kInfoHeaderSize && h.compression == kBitFields)
        h.paletteOffset += 12;
    else if (headerSize == kInfoHeaderSize && h.compression == kAlphaBitFields)
        h.paletteOffset += 16;
    if (h.width <= 0 || h.height <= 0 || h.dataOffset >= size)
        return false;
    const int bpp = h.bitsPerPixel;
    switch (h.compression) {
    case kRgb:
        if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
            return false;
        break;
    case kRle8:
        if (bpp != 8)
            return false;
        break;
    case kRle4:
        if (bpp != 4)
            return false;
        break;
    case kBitFields:
    case kAlphaBitFields:
        if (bpp != 16 && bpp != 32)
            return false;
        break;
    default:
        return false;
    }
    if (h.compression == kRgb && bpp == 16) {
        h.masks[0] = 0x7C00; // 5-5-5
        h.masks[1] = 0x03E0;
        h.masks[2] = 0x001F;
    }
    return uint64_t(h.width) * uint64_t(h.height) <= kMaxPixels;
}

void ReadPalette(const uint8_t* data, size_t size, const Header& h, Palette& palette)
{
    for (auto& entry : palette)
        entry = { 0, 0, 0 };
    if (h.bitsPerPixel > 8)
        return;
    uint32_t count = h.colourCount ? std::min<uint32_t>(h.colourCount, 256) : 1u << h.bitsPerPixel;
    // Only the entries that lie before the pixel data and inside the file.
    const size_t end = std::min(size, std::max(h.dataOffset, h.paletteOffset));
    if (h.paletteOffset >= end)
        return;
    count = static_cast<uint32_t>(std::min<size_t>(count, (end - h.paletteOffset) / h.paletteEntrySize));
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* p = data + h.paletteOffset + i * h.paletteEntrySize;
        palette[i] = { p[0], p[1], p[2] };
    }
}

// One colour channel taken out of a packed pixel through its mask, scaled to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;
    explicit Channel(uint32_t m)
        : mask(m)
    {
        if (m) {
            shift = std::countr_zero(m);
            max = m >> shift;
        }
    }
    uint8_t operator()(uint32_t pixel) const
    {
        return max ? static_cast<uint8_t>(uint64_t((pixel & mask) >> shift) * 255 / max) : 0;
    }
};

uint8_t* PixelAt(Bitmap& out, const Header& h, int fileRow, int x)
{
    const int y = h.topDown ? fileRow : h.height - 1 - fileRow;
    return out.Row(y) + x * 3;
}

bool ReadUncompressed(const uint8_t* data, size_t size, const Header& h, const Palette& palette, Bitmap& out)
{
    const uint64_t stride = ((uint64_t(h.width) * h.bitsPerPixel + 31) / 32) * 4;
    const uint64_t lastRow = (uint64_t(h.width) * h.bitsPerPixel + 7) / 8;
    // Some writers leave out the padding of the last row; nothing more may be missing.
    if (stride * (h.height - 1) + lastRow > size - h.dataOffset)
        return false;
    out.Resize(h.width, h.height, 24);
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    const bool plain32 = h.bitsPerPixel == 32 && h.compression == kRgb;
    for (int row = 0; row < h.height; ++row) {
        const uint8_t* src = data + h.dataOffset + row * stride;
        uint8_t* dst = PixelAt(out, h, row, 0);
        switch (h.bitsPerPixel) {
        case 1:
        case 4:
        case 8: {
            const int bpp = h.bitsPerPixel;
            const int perByte = 8 / bpp;
            const unsigned valueMask = (1u << bpp) - 1;
            for (int x = 0; x < h.width; ++x, dst += 3) {
                const int shift = 8 - bpp * (x % perByte + 1);
                const auto& colour = palette[(src[x / perByte] >> shift) & valueMask];
                std::memcpy(dst, colour.data(), 3);
            }
            break;
        }
        case 16:
            for (int x = 0; x < h.width; ++x, dst += 3, src += 2) {
                const uint32_t v = le::U16(src);
                dst[0] = blue(v);
                dst[1] = green(v);
                dst[2] = red(v);
            }
            break;
        case 24:
            std::memcpy(dst, src, size_t(h.width) * 3);
            break;
        case 32:
            for (int x = 0; x < h.width; ++x, dst += 3, src += 4) {
                if (plain32) { // blue, green, red, unused
                    std::memcpy(dst, src, 3);
                    continue;
                }
                const uint32_t v = le::U32(src);
                dst[0] = blue(v);
                dst[1] = green(v);
                dst[2] = red(v);
            }
            break;
        }
    }
    return true;
}

bool ReadRle(const uint8_t* data, size_t size, const Header& h, const Palette& palette, Bitmap& out)
{
    const uint64_t available = size - h.dataOffset;
    if (uint64_t(h.width) * h.height > std::max(kRleMinPixelCap, available * kRlePixelsPerByte))
        return false;
    out.Resize(h.width, h.height, 24);
    const bool four = h.compression == kRle4;
    int x = 0, row = 0;
    auto put = [&](unsigned index) {
        if (x < h.width && row < h.height)
            std::memcpy(PixelAt(out, h, row, x), palette[index & 0xFF].data(), 3);
        ++x;
    };
    const uint8_t* p = data + h.dataOffset;
    const uint8_t* end = data + size;
    while (end - p >= 2 && row < h.height) {
        const unsigned count = p[0], value = p[1];
        p += 2;
        if (count > 0) { // a run of one index (RLE4: two alternating indices)
            for (unsigned i = 0; i < count && x < h.width; ++i)
                put(four ? (i % 2 ? value & 0x0F : value >> 4) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++row;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // move right and down
            if (end - p < 2)
                break;
            x += p[0];
            row += p[1];
            p += 2;
        } else { // `value` literal indices, padded to an even byte count
            const size_t bytes = four ? (value + 1) / 2 : value;
            const size_t padded = (bytes + 1) & ~size_t(1);
            if (size_t(end - p) < bytes)
                break;
            for (unsigned i = 0; i < value; ++i)
                put(four ? (i % 2 ? p[i / 2] & 0x0F : p[i / 2] >> 4) : p[i]);
            p += std::min(padded, size_t(end - p));
        }
    }
    return true; // a short stream leaves the rest black, as Windows shows it
}

} // namespace

bool LoadBmpMemory(const uint8_t* data, size_t size, Bitmap& out)
{
    return GuardedLoad(out, [&] {
        Header header;
        if (!data || !ReadHeader(data, size, header))
            return false;
        Palette palette;
        ReadPalette(data, size, header, palette);
        const bool rle = header.compression == kRle8 || header.compression == kRle4;
        return rle ? ReadRle(data, size, header, palette, out) : ReadUncompressed(data, size, header, palette, out);
    });
}

bool LoadBmpFile(const std::string& path, Bitmap& out)
{
    return LoadWholeFile(path, out, LoadBmpMemory);
}

namespace {

// The file and info headers of a bottom-up BMP file of the bitmap.
std::array<uint8_t, kFileHeaderSize + kInfoHeaderSize> BmpHeaders(const Bitmap& bitmap)
{
    const size_t pixelBytes = size_t(bitmap.Stride()) * bitmap.Height();
    std::array<uint8_t, kFileHeaderSize + kInfoHeaderSize> h {};
    uint8_t* p = h.data();
    p[0] = 'B';
    p[1] = 'M';
    le::Put32(p + 2, static_cast<uint32_t>(h.size() + pixelBytes));
    le::Put32(p + 10, static_cast<uint32_t>(h.size()));
    uint8_t* info = p + kFileHeaderSize;
    le::Put32(info, kInfoHeaderSize);
    le::Put32(info + 4, static_cast<uint32_t>(bitmap.Width()));
    le::Put32(info + 8, static_cast<uint32_t>(bitmap.Height())); // positive: rows bottom-up
    le::Put16(info + 12, 1);
    le::Put16(info + 14, static_cast<uint32_t>(bitmap.BitsPerPixel()));
    le::Put32(info + 16, kRgb);
    le::Put32(info + 20, static_cast<uint32_t>(pixelBytes));
    return h;
}

} // namespace

std::vector<uint8_t> EncodeBmp(const Bitmap& bitmap)
{
    const auto headers = BmpHeaders(bitmap);
    const size_t offset = headers.size();
    std::vector<uint8_t> file(offset + size_t(bitmap.Stride()) * bitmap.Height(), 0);
    uint8_t* p = file.data();
    std::memcpy(p, headers.data(), offset);
    for (int y = 0; y < bitmap.Height(); ++y)
        std::memcpy(p + offset + size_t(bitmap.Height() - 1 - y) * bitmap.Stride(), bitmap.Row(y), bitmap.Stride());
    return file;
}

bool SaveBmpFile(const std::string& path, const Bitmap& bitmap)
{
    // Rows go straight from the bitmap to a new file beside the target, bottom row first (no copy of
    // the whole picture); it replaces an existing file only once it is complete.
    const auto headers = BmpHeaders(bitmap);
    platform::AtomicFile file(path);
    bool written = file.Ok() && file.Write(headers.data(), headers.size());
    const size_t stride = static_cast<size_t>(bitmap.Stride());
    for (int y = bitmap.Height() - 1; written && y >= 0; --y)
        written = file.Write(bitmap.Row(y), stride);
    return written && file.Commit();
}

} // namespace imaging
