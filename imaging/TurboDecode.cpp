#include "imaging/TurboDecode.h"

#include <turbojpeg.h>

#include "imaging/FileBuffer.h"

namespace imaging {

namespace {

class TurboHandle {
public:
    TurboHandle()
        : handle_(tjInitDecompress())
    {
    }
    ~TurboHandle()
    {
        if (handle_)
            tjDestroy(handle_);
    }
    TurboHandle(const TurboHandle&) = delete;
    TurboHandle& operator=(const TurboHandle&) = delete;
    tjhandle Get() const { return handle_; }

private:
    tjhandle handle_;
};

bool Decode(const uint8_t* data, size_t size, Bitmap& bitmap)
{
    TurboHandle turbo;
    if (!turbo.Get() || size == 0 || size > static_cast<size_t>(~0UL))
        return false;
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(
            turbo.Get(), data, static_cast<unsigned long>(size), &width, &height, &subsampling, &colourspace)
        != 0)
        return false;
    if (width <= 0 || height <= 0 || uint64_t(width) * uint64_t(height) > kMaxPixels)
        return false;
    const bool fourChannels = colourspace == TJCS_CMYK || colourspace == TJCS_YCCK;
    bitmap.Resize(width, height, fourChannels ? 32 : 24);
    const int result = tjDecompress2(turbo.Get(), data, static_cast<unsigned long>(size), bitmap.Data(), width,
        bitmap.Stride(), height, fourChannels ? TJPF_CMYK : TJPF_BGR, 0);
    // A warning (damaged or truncated data) still leaves the decoded part in
    // the bitmap; only an error loses the picture.
    if (result != 0 && tjGetErrorCode(turbo.Get()) != TJERR_WARNING)
        return false;
    if (fourChannels)
        for (int y = 0; y < height; ++y)
            PremultiplyRgbaToBgra(bitmap.Row(y), width);
    return true;
}

} // namespace

void PremultiplyRgbaToBgra(uint8_t* pixels, int width)
{
    for (int x = 0; x < width; ++x, pixels += 4) {
        const unsigned alpha = pixels[3];
        const unsigned red = pixels[0];
        pixels[0] = static_cast<uint8_t>((pixels[2] * alpha + 1) >> 8);
        pixels[1] = static_cast<uint8_t>((pixels[1] * alpha + 1) >> 8);
        pixels[2] = static_cast<uint8_t>((red * alpha + 1) >> 8);
    }
}

bool DecodeJpegWithIjl(Bitmap& bitmap, const std::string& fileName)
{
    return LoadWholeFile(fileName, bitmap, Decode);
}

} // namespace imaging
