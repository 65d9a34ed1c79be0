#include "catalogue/CacheFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <vector>

namespace catalogue {

namespace {

constexpr size_t kBmpHeaderSize = 54; // BITMAPFILEHEADER + BITMAPINFOHEADER
constexpr int kMaxSide = 32767;

int64_t RowBytes(int64_t pixels)
{
    return ((24 * pixels + 31) / 32) * 4;
}

void Put16(uint8_t* p, uint32_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void Put32(uint8_t* p, uint32_t v)
{
    Put16(p, v);
    Put16(p + 2, v >> 16);
}

uint32_t Get16(const uint8_t* p)
{
    return p[0] | static_cast<uint32_t>(p[1]) << 8;
}

uint32_t Get32(const uint8_t* p)
{
    return Get16(p) | Get16(p + 2) << 16;
}

int64_t ImageBytes(int width, int height)
{
    return static_cast<int64_t>(kBmpHeaderSize) + RowBytes(width) * height;
}

struct BmpHeader {
    int width = 0;
    int height = 0; // positive: rows stored bottom-up
    bool bottomUp = true;
};

bool ParseHeader(const uint8_t* h, BmpHeader& out)
{
    if (h[0] != 'B' || h[1] != 'M' || Get32(h + 10) != kBmpHeaderSize || Get32(h + 14) != 40 || Get16(h + 26) != 1
        || Get16(h + 28) != 24 || Get32(h + 30) != 0)
        return false;
    const int32_t width = static_cast<int32_t>(Get32(h + 18));
    const int32_t height = static_cast<int32_t>(Get32(h + 22));
    if (width < 1 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
        return false;
    out.width = width;
    out.bottomUp = height > 0;
    out.height = height > 0 ? height : -height;
    return true;
}

} // namespace

TCacheFile::TCacheFile()
    : file_("TN")
{
}

TCacheFile::~TCacheFile() = default; // the temporary file closes and removes itself

int64_t TCacheFile::Size() const
{
    struct stat st { };
    return ::fstat(file_.Fd(), &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
}

void TCacheFile::Truncate()
{
    // Failing to shrink only wastes space: offsets are handed out from the real end.
    [[maybe_unused]] int rc = ::ftruncate(file_.Fd(), 0);
}

int64_t TCacheFile::ReserveBytes(int width, int height)
{
    return std::max<int64_t>(0, width * RowBytes(height) - height * RowBytes(width));
}

// Repeats a pread/pwrite until all `size` bytes have moved; false on an error or the end of the file.
template <typename Buffer, typename Io> static bool MoveAll(Io io, int fd, Buffer* data, size_t size, int64_t offset)
{
    while (size > 0) {
        ssize_t n = io(fd, data, size, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<size_t>(n);
        offset += n;
    }
    return true;
}

bool TCacheFile::WriteAt(int64_t offset, const void* data, size_t size)
{
    return MoveAll(::pwrite, file_.Fd(), static_cast<const char*>(data), size, offset);
}

bool TCacheFile::ReadAt(int64_t offset, void* data, size_t size) const
{
    return MoveAll(::pread, file_.Fd(), static_cast<char*>(data), size, offset);
}

bool TCacheFile::WriteBitmapAt(int64_t offset, const imaging::Bitmap& bitmap)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    const size_t row = static_cast<size_t>(RowBytes(w));
    std::vector<uint8_t> image(static_cast<size_t>(ImageBytes(w, h)), 0);
    uint8_t* hd = image.data();
    hd[0] = 'B';
    hd[1] = 'M';
    Put32(hd + 2, static_cast<uint32_t>(image.size()));
    Put32(hd + 10, kBmpHeaderSize);
    Put32(hd + 14, 40);
    Put32(hd + 18, static_cast<uint32_t>(w));
    Put32(hd + 22, static_cast<uint32_t>(h));
    Put16(hd + 26, 1);
    Put16(hd + 28, 24);
    Put32(hd + 34, static_cast<uint32_t>(row * h));
    const int bpp = bitmap.BytesPerPixel();
    for (int y = 0; y < h; ++y) {
        uint8_t* out = image.data() + kBmpHeaderSize + row * static_cast<size_t>(h - 1 - y);
        const uint8_t* in = bitmap.Row(y);
        if (bpp == 3) {
            std::memcpy(out, in, static_cast<size_t>(w) * 3);
        } else {
            for (int x = 0; x < w; ++x, in += bpp, out += 3)
                std::memcpy(out, in, 3);
        }
    }
    return WriteAt(offset, image.data(), image.size());
}

int32_t TCacheFile::AppendThumbnail(const imaging::Bitmap& bitmap)
{
    const int w = bitmap.Width(), h = bitmap.Height();
    if (bitmap.Empty() || w > kMaxSide || h > kMaxSide)
        return -1;
    const int64_t offset = Size();
    const int64_t end = offset + ImageBytes(w, h) + ReserveBytes(w, h);
    if (end > std::numeric_limits<int32_t>::max())
        return -1;
    if (!WriteBitmapAt(offset, bitmap) || ::ftruncate(file_.Fd(), end) != 0) {
        [[maybe_unused]] int rc = ::ftruncate(file_.Fd(), offset); // drop a partial slot
        return -1;
    }
    return static_cast<int32_t>(offset);
}

bool TCacheFile::ReadThumbnail(int32_t offset, imaging::Bitmap& out) const
{
    uint8_t header[kBmpHeaderSize];
    BmpHeader info;
    if (offset < 0 || !ReadAt(offset, header, sizeof header) || !ParseHeader(header, info))
        return false;
    const size_t row = static_cast<size_t>(RowBytes(info.width));
    std::vector<uint8_t> pixels(row * static_cast<size_t>(info.height));
    if (!ReadAt(static_cast<int64_t>(offset) + kBmpHeaderSize, pixels.data(), pixels.size()))
        return false;
    out.Resize(info.width, info.height, 24);
    for (int y = 0; y < info.height; ++y) {
        const int source = info.bottomUp ? info.height - 1 - y : y;
        std::memcpy(out.Row(y), pixels.data() + row * static_cast<size_t>(source), static_cast<size_t>(info.width) * 3);
    }
    return true;
}

bool TCacheFile::RewriteThumbnail(int32_t offset, const imaging::Bitmap& bitmap)
{
    uint8_t header[kBmpHeaderSize];
    BmpHeader slot;
    if (offset < 0 || bitmap.Empty() || !ReadAt(offset, header, sizeof header) || !ParseHeader(header, slot))
        return false;
    // The slot holds the larger of the picture and its quarter turn.
    const int64_t capacity = std::max(ImageBytes(slot.width, slot.height), ImageBytes(slot.height, slot.width));
    if (bitmap.Width() > kMaxSide || bitmap.Height() > kMaxSide
        || ImageBytes(bitmap.Width(), bitmap.Height()) > capacity)
        return false;
    return WriteBitmapAt(offset, bitmap);
}

int32_t TCacheFile::AppendHistogram(const uint8_t* levels, const uint8_t* hues)
{
    const int64_t offset = Size();
    if (offset + kLevelBlockSize + kHueBlockSize > std::numeric_limits<int32_t>::max())
        return -1;
    if (!WriteHistogram(static_cast<int32_t>(offset), levels, hues)) {
        [[maybe_unused]] int rc = ::ftruncate(file_.Fd(), offset);
        return -1;
    }
    return static_cast<int32_t>(offset);
}

bool TCacheFile::WriteHistogram(int32_t offset, const uint8_t* levels, const uint8_t* hues)
{
    return offset >= 0 && WriteAt(offset, levels, kLevelBlockSize)
        && WriteAt(static_cast<int64_t>(offset) + kLevelBlockSize, hues, kHueBlockSize);
}

bool TCacheFile::ReadHistogram(int32_t offset, uint8_t* levels, uint8_t* hues) const
{
    return offset >= 0 && ReadAt(offset, levels, kLevelBlockSize)
        && ReadAt(static_cast<int64_t>(offset) + kLevelBlockSize, hues, kHueBlockSize);
}

} // namespace catalogue
