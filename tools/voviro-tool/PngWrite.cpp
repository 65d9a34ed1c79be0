#include "tools/voviro-tool/PngWrite.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace voviro_tool {

namespace {
struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
} // namespace

bool SavePngFile(const std::string& path, const imaging::Bitmap& bitmap)
{
    if (bitmap.Empty())
        return false;
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    // Rows converted to red-green-blue order; kept outside the jump so it is freed on failure.
    std::vector<png_byte> row(static_cast<size_t>(bitmap.Width()) * 3);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width()), static_cast<png_uint_32>(bitmap.Height()), 8,
        PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const int bpp = bitmap.BytesPerPixel();
    for (int y = 0; y < bitmap.Height(); ++y) {
        const uint8_t* in = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x, in += bpp) {
            row[static_cast<size_t>(x) * 3] = in[2];
            row[static_cast<size_t>(x) * 3 + 1] = in[1];
            row[static_cast<size_t>(x) * 3 + 2] = in[0];
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fflush(file.get()) == 0;
}

} // namespace voviro_tool
