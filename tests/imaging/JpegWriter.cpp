#include "imaging/JpegWriter.h"

namespace testimaging {

std::vector<uint8_t> EncodeJpeg(int width, int height, const PixelFn& pixel, const JpegSettings& settings)
{
    jpeg_compress_struct cinfo {};
    jpeg_error_mgr error {};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = settings.input == JCS_GRAYSCALE ? 1 : settings.input == JCS_CMYK ? 4 : 3;
    cinfo.in_color_space = settings.input;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, settings.quality, TRUE);
    if (settings.fullChroma)
        for (int c = 0; c < cinfo.num_components; ++c)
            cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    if (settings.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(width) * cinfo.input_components);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < width; ++x)
            pixel(x, y, row.data() + static_cast<size_t>(x) * cinfo.input_components);
        JSAMPROW rows[1] = { row.data() };
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    free(buffer);
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
