#pragma once
// Test fixtures: PNG files written a row at a time, so a huge picture needs
// one row of memory. Header-only: the metadata tests use it too.

#include <csetjmp>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <png.h>

namespace testimaging {

// Fills row `y` (png_get_rowbytes bytes, samples as libpng takes them).
using PngRowFn = std::function<void(int y, uint8_t* row)>;

struct PngLayout {
    int width = 0, height = 0;
    int colourType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    std::vector<uint8_t> alphas; // tRNS entries
    int compression = -1; // zlib level, -1 the default
};

// Writes the file; interlaced pictures ask for each row once per pass.
// Throws std::runtime_error when libpng fails.
inline void WritePngFile(const std::string& path, const PngLayout& layout, const PngRowFn& fillRow)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot create " + path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    std::vector<uint8_t> row;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        throw std::runtime_error("libpng write error");
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, layout.width, layout.height, layout.bitDepth, layout.colourType,
        layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
        PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty())
        png_set_PLTE(png, info, layout.palette.data(), static_cast<int>(layout.palette.size()));
    if (!layout.alphas.empty())
        png_set_tRNS(png, info, layout.alphas.data(), static_cast<int>(layout.alphas.size()), nullptr);
    if (layout.compression >= 0)
        png_set_compression_level(png, layout.compression);
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    row.resize(png_get_rowbytes(png, info) + 8); // slack for pixel writers that spill a little
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < layout.height; ++y) {
            std::fill(row.begin(), row.end(), 0);
            fillRow(y, row.data());
            png_write_row(png, row.data());
        }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

} // namespace testimaging
