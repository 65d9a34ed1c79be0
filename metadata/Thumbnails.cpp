#include "metadata/Thumbnails.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "imaging/ImageIO.h"
#include "imaging/RowReducer.h"
#include "metadata/ExifRead.h"

namespace metadata {

namespace {

constexpr int kLargestKeptSize = 200;
constexpr int kThumbnailBox = 160;
// libjpeg's own buffers for an embedded thumbnail (a progressive stream keeps
// all its coefficients): a stream that declares a huge picture fails instead.
constexpr long kThumbnailDecoderMemory = 32L * 1024 * 1024;

} // namespace

void DrawFittedThumbnail(const imaging::Bitmap& picture, imaging::Bitmap& thumbnail, int boxWidth, int boxHeight)
{
    const imaging::Rect fit = FitRect(picture.Width(), picture.Height(), boxWidth, boxHeight);
    thumbnail.Resize(fit.Width(), fit.Height());
    imaging::StretchDraw(picture, thumbnail, fit);
}

bool DrawJpegThumbnail(const std::vector<uint8_t>& jpeg, imaging::Bitmap& thumbnail)
{
    if (jpeg.empty())
        return false;
    // A thumbnail larger than kept whole is decoded at a reduced DCT scale and
    // reduced into the box while decoding, so its declared size costs nothing.
    imaging::DecodeOptions options;
    options.decoderMemoryLimit = kThumbnailDecoderMemory;
    int width = 0, height = 0;
    if (!imaging::ReadJpegSizeMemory(jpeg.data(), jpeg.size(), width, height) || width > kLargestKeptSize
        || height > kLargestKeptSize) {
        options.reduceWidth = kThumbnailBox;
        options.reduceHeight = kThumbnailBox;
    }
    imaging::Bitmap picture;
    if (!imaging::LoadJpegMemory(jpeg.data(), jpeg.size(), picture, options) || picture.Empty())
        return false;
    if (picture.Width() <= kLargestKeptSize && picture.Height() <= kLargestKeptSize)
        thumbnail = std::move(picture);
    else
        DrawFittedThumbnail(picture, thumbnail, kThumbnailBox, kThumbnailBox);
    return true;
}

bool DrawJpegThumbnailAt(FileReader& file, uint64_t pos, uint64_t length, imaging::Bitmap& thumbnail)
{
    if (length == 0 || !file.Contains(pos, length))
        return false;
    return DrawJpegThumbnail(file.ReadRange(pos, static_cast<size_t>(length)), thumbnail);
}

bool DrawRgbThumbnail(
    FileReader& file, uint64_t pos, uint64_t length, uint32_t width, uint32_t height, imaging::Bitmap& thumbnail)
{
    const uint64_t needed = static_cast<uint64_t>(width) * height * 3;
    if (width == 0 || height == 0 || needed > length || !file.Contains(pos, needed) || width > 65535 || height > 65535)
        return false;
    // Rows are reduced into the box as they are read; a strip within the box is enlarged.
    imaging::DecodeOptions options;
    options.reduceWidth = kThumbnailBox;
    options.reduceHeight = kThumbnailBox;
    int reducedWidth = 0, reducedHeight = 0;
    std::optional<imaging::RowReducer> reducer;
    imaging::Bitmap picture;
    if (imaging::ReducedSize(static_cast<int>(width), static_cast<int>(height), options, reducedWidth, reducedHeight))
        reducer.emplace(static_cast<int>(width), static_cast<int>(height), reducedWidth, reducedHeight, 3);
    else
        picture.Resize(static_cast<int>(width), static_cast<int>(height));
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3), bgr(row.size());
    for (uint32_t y = 0; y < height; ++y) {
        if (!file.ReadAt(pos + static_cast<uint64_t>(y) * row.size(), row.data(), row.size()))
            return false;
        uint8_t* out = reducer ? bgr.data() : picture.Row(static_cast<int>(y));
        for (uint32_t x = 0; x < width; ++x) {
            out[3 * x] = row[3 * x + 2];
            out[3 * x + 1] = row[3 * x + 1];
            out[3 * x + 2] = row[3 * x];
        }
        if (reducer)
            reducer->Add(static_cast<int>(y), bgr.data(), static_cast<int>(width));
    }
    if (reducer)
        reducer->Finish(picture);
    DrawFittedThumbnail(picture, thumbnail, kThumbnailBox, kThumbnailBox);
    return true;
}

bool FindPhotoshopThumbnail(FileReader& file, uint64_t offset, uint64_t length, uint64_t& jpegPos, uint64_t& jpegLength)
{
    constexpr bool kBigEndian = false;
    const uint64_t end = std::min(offset + length, file.Size());
    if (offset >= end)
        return false;
    // Resources either start at once, with NUL-terminated names and sizes as stored, or
    // behind a NUL byte, with length-prefixed names and even sizes.
    const bool pascalNames = file.U8(offset) == 0;
    uint64_t pos = pascalNames ? offset + 1 : offset;
    bool found = false;
    while (pos + 6 <= end) {
        char signature[4];
        file.ReadExact(pos, signature, 4);
        const uint16_t id = file.U16(pos + 4, kBigEndian);
        pos += 6;
        if (pascalNames) {
            if (pos >= end)
                break;
            const uint64_t nameLength = file.U8(pos);
            pos += nameLength + 1;
            if ((nameLength + 1) % 2 != 0)
                ++pos;
        } else {
            // Up to a NUL that follows another NUL, so an empty name of two NULs is consumed whole.
            uint8_t previous = 1;
            while (pos < end) {
                const uint8_t b = file.U8(pos++);
                if (b == 0 && previous == 0)
                    break;
                previous = b;
            }
        }
        if (pos + 4 > end)
            break;
        uint64_t size = file.U32(pos, kBigEndian);
        pos += 4;
        const uint64_t data = pos;
        if (pascalNames && size % 2 != 0)
            ++size;
        if (std::memcmp(signature, "8BIM", 4) == 0 && id == 1036 && data + 28 < end && file.U32(data, kBigEndian) == 1
            && size > 28) {
            jpegPos = data + 28;
            jpegLength = std::min(size - 28, end - jpegPos);
            found = true;
        }
        pos = data + size;
    }
    return found;
}

} // namespace metadata
