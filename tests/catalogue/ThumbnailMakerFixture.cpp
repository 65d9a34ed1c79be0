#include "ThumbnailMakerFixture.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <string>

#include "imaging/JpegEncode.h"

namespace testcatalogue {

std::vector<uint8_t> PlainJpeg(int width, int height, int quality)
{
    imaging::Bitmap picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool corner = x < width / 8 && y < height / 8;
            uint8_t* p = picture.Row(y) + x * 3;
            p[2] = corner ? 255 : static_cast<uint8_t>(x * 255 / std::max(width - 1, 1));
            p[1] = corner ? 255 : static_cast<uint8_t>(y * 255 / std::max(height - 1, 1));
            p[0] = corner ? 255 : 64;
        }
    std::vector<uint8_t> out;
    if (!imaging::EncodeJpeg(picture, quality, out))
        throw std::runtime_error("cannot encode the test JPEG");
    return out;
}

namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x)
{
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}

void Put32(std::vector<uint8_t>& v, uint32_t x)
{
    Put16(v, x);
    Put16(v, x >> 16);
}

void Entry(std::vector<uint8_t>& v, uint16_t tag, uint16_t type, uint32_t count, uint32_t value)
{
    Put16(v, tag);
    Put16(v, type);
    Put32(v, count);
    if (type == 3 && count == 1) {
        Put16(v, value);
        Put16(v, 0);
    } else {
        Put32(v, value);
    }
}

} // namespace

std::vector<uint8_t> ExifJpeg(int width, int height, int thumbWidth, int thumbHeight, int orientation)
{
    const std::vector<uint8_t> picture = PlainJpeg(width, height);
    const std::vector<uint8_t> thumb = thumbWidth > 0 ? PlainJpeg(thumbWidth, thumbHeight, 75) : std::vector<uint8_t>();
    // Little-endian TIFF: header, IFD0 (orientation, Exif pointer), the Exif
    // directory (empty), IFD1 (thumbnail offset and length), the thumbnail.
    std::vector<uint8_t> tiff = { 'I', 'I', 42, 0 };
    Put32(tiff, 8);
    const uint16_t ifd0Count = orientation ? 2 : 1;
    const uint32_t ifd0Size = 2 + 12u * ifd0Count + 4;
    const uint32_t exifPos = 8 + ifd0Size;
    const uint32_t exifSize = 2 + 12 + 4; // one entry: ExifVersion
    const uint32_t ifd1Pos = exifPos + exifSize;
    const uint32_t ifd1Size = 2 + 12 * 2 + 4;
    const uint32_t thumbPos = ifd1Pos + ifd1Size;
    Put16(tiff, ifd0Count);
    if (orientation)
        Entry(tiff, 0x0112, 3, 1, static_cast<uint32_t>(orientation));
    Entry(tiff, 0x8769, 4, 1, exifPos);
    Put32(tiff, thumb.empty() ? 0 : ifd1Pos);
    Put16(tiff, 1);
    Entry(tiff, 0x9000, 7, 4, 0x30323230); // "0220"
    Put32(tiff, 0);
    if (!thumb.empty()) {
        Put16(tiff, 2);
        Entry(tiff, 0x0201, 4, 1, thumbPos);
        Entry(tiff, 0x0202, 4, 1, static_cast<uint32_t>(thumb.size()));
        Put32(tiff, 0);
        tiff.insert(tiff.end(), thumb.begin(), thumb.end());
    }
    std::vector<uint8_t> app1 = { 'E', 'x', 'i', 'f', 0, 0 };
    app1.insert(app1.end(), tiff.begin(), tiff.end());
    const size_t length = app1.size() + 2;
    std::vector<uint8_t> out
        = { 0xFF, 0xD8, 0xFF, 0xE1, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length) };
    out.insert(out.end(), app1.begin(), app1.end());
    out.insert(out.end(), picture.begin() + 2, picture.end());
    return out;
}

} // namespace testcatalogue
