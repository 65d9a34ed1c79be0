#include "imaging/JpegWriter.h"

#include <stdexcept>

#include "imaging/JpegEncode.h"

namespace testimaging {

std::vector<uint8_t> EncodeJpeg(int width, int height, const PixelFn& pixel, const JpegSettings& settings)
{
    const imaging::JpegLayout layout = settings.input == JCS_GRAYSCALE ? imaging::JpegLayout::Gray
        : settings.input == JCS_CMYK                                   ? imaging::JpegLayout::Cmyk
                                                                       : imaging::JpegLayout::Rgb;
    const size_t pixelBytes = static_cast<size_t>(imaging::JpegLayoutBytes(layout));
    const size_t stride = static_cast<size_t>(width) * pixelBytes;
    std::vector<uint8_t> samples(stride * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixel(x, y, samples.data() + y * stride + x * pixelBytes);
    imaging::JpegEncodeOptions options;
    options.quality = settings.quality;
    options.progressive = settings.progressive;
    if (settings.fullChroma)
        options.chroma = imaging::JpegChroma::Full;
    std::vector<uint8_t> bytes;
    if (!imaging::EncodeJpeg({ samples.data(), width, height, stride, layout }, options, bytes))
        throw std::runtime_error("cannot encode the test JPEG");
    return bytes;
}

std::vector<uint8_t> PatternJpeg(int width, int height, int quality)
{
    return EncodeJpeg(width, height,
        [&](int x, int y, uint8_t* rgb) {
            const bool checker = ((x / 16) + (y / 16)) % 2 == 0;
            rgb[0] = static_cast<uint8_t>(x * 255 / (width > 1 ? width - 1 : 1));
            rgb[1] = static_cast<uint8_t>(y * 255 / (height > 1 ? height - 1 : 1));
            rgb[2] = checker ? 200 : 40;
        },
        { JCS_RGB, quality });
}

} // namespace testimaging
