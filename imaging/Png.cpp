// PNG files through libpng: every bit depth, grey, palette and interlaced
// files come out as 8-bit blue, green, red (16-bit samples keep their high
// byte); transparency is composited on white. libpng's errors come back
// through longjmp to the one function that called setjmp; the C++ objects
// it uses live in the caller's frame.

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <optional>
#include <vector>

#include <png.h>

#include "imaging/FileBuffer.h"
#include "imaging/ImageIO.h"
#include "imaging/RowReducer.h"

namespace imaging {

namespace {

// zlib expands by at most about 1032:1; with 1-bit grey (8 pixels a byte)
// this many pixels per file byte is the most a file can describe.
constexpr uint64_t kMaxPixelsPerByte = 1100 * 8;

struct Source {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

void ReadBytes(png_structp png, png_bytep out, size_t count)
{
    auto* source = static_cast<Source*>(png_get_io_ptr(png));
    if (count > source->size - source->pos)
        png_error(png, "unexpected end of file");
    std::memcpy(out, source->data + source->pos, count);
    source->pos += count;
}

void OnError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp)
{
}

// Red, green, blue, alpha over white into blue, green, red.
void CompositeRow(const uint8_t* rgba, uint8_t* bgr, uint32_t width)
{
    for (uint32_t x = 0; x < width; ++x, rgba += 4, bgr += 3) {
        const unsigned a = rgba[3], back = 255 * (255 - a);
        bgr[0] = static_cast<uint8_t>((rgba[2] * a + back + 127) / 255);
        bgr[1] = static_cast<uint8_t>((rgba[1] * a + back + 127) / 255);
        bgr[2] = static_cast<uint8_t>((rgba[0] * a + back + 127) / 255);
    }
}

struct DecodeState {
    Bitmap& out;
    const DecodeOptions& options;
    Source source;
    std::vector<uint8_t> rgba; // rows with alpha, before compositing
    std::vector<uint8_t> row; // one decoded row on its way into the reducer
    std::optional<RowReducer> reducer;
};

// Reads the picture a row at a time into the reducer. Interlaced files are
// read pass by pass without libpng's merging (which needs the whole
// picture): each pass row holds every n-th pixel of one picture row.
bool ReduceRows(png_structp png, png_infop info, DecodeState& state, uint32_t width, uint32_t height, bool interlaced,
    bool alpha, bool bits)
{
    const int passes = interlaced ? 7 : 1;
    uint64_t totalRows = 0;
    for (int pass = 0; pass < passes; ++pass)
        if (!interlaced || (PNG_PASS_COLS(width, pass) > 0 && PNG_PASS_ROWS(height, pass) > 0))
            totalRows += interlaced ? PNG_PASS_ROWS(height, pass) : height;
    state.row.resize(png_get_rowbytes(png, info));
    if (alpha)
        state.rgba.resize(size_t(width) * 3);
    const auto& progress = state.options.progress;
    const uint32_t reportEvery = std::max(16u, height / 32);
    uint64_t done = 0;
    for (int pass = 0; pass < passes; ++pass) {
        const uint32_t columns = interlaced ? PNG_PASS_COLS(width, pass) : width;
        const uint32_t rows = interlaced ? PNG_PASS_ROWS(height, pass) : height;
        if (columns == 0 || rows == 0)
            continue;
        const int firstColumn = interlaced ? PNG_PASS_START_COL(pass) : 0;
        const int columnStep = interlaced ? 1 << PNG_PASS_COL_SHIFT(pass) : 1;
        for (uint32_t r = 0; r < rows; ++r, ++done) {
            png_read_row(png, state.row.data(), nullptr);
            const uint8_t* pixels = state.row.data();
            if (alpha) {
                CompositeRow(pixels, state.rgba.data(), columns);
                pixels = state.rgba.data();
            }
            const uint32_t y = interlaced ? PNG_ROW_FROM_PASS_ROW(r, pass) : r;
            if (bits)
                state.reducer->AddBits(static_cast<int>(y), pixels, static_cast<int>(columns));
            else
                state.reducer->Add(static_cast<int>(y), pixels, static_cast<int>(columns), firstColumn, columnStep);
            if (progress && done % reportEvery == reportEvery - 1
                && !progress(static_cast<int>(done * 100 / totalRows)))
                return false;
        }
    }
    return true;
}

bool Decode(DecodeState& state)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_read_fn(png, &state.source, ReadBytes);
    png_read_info(png, info);
    const uint32_t width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    const uint64_t pixels = uint64_t(width) * height;
    if (width == 0 || height == 0 || width > INT32_MAX / 4 || height > INT32_MAX || pixels > kMaxPixels
        || pixels > state.source.size * kMaxPixelsPerByte) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    if (state.options.info) {
        state.options.info->fullWidth = static_cast<int>(width);
        state.options.info->fullHeight = static_cast<int>(height);
    }
    int reducedWidth = 0, reducedHeight = 0;
    const bool reduce
        = ReducedSize(static_cast<int>(width), static_cast<int>(height), state.options, reducedWidth, reducedHeight);
    const int colourType = png_get_color_type(png, info);
    const bool transparency = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    const bool alpha = transparency || (colourType & PNG_COLOR_MASK_ALPHA) != 0;
    const bool interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
    // A grey picture being reduced stays one channel until the end, and a
    // bi-level one stays packed eight pixels to a byte.
    const bool grey = reduce && !alpha && colourType == PNG_COLOR_TYPE_GRAY;
    const bool bits = grey && !interlaced && png_get_bit_depth(png, info) == 1;
    png_set_strip_16(png);
    if (!bits)
        png_set_packing(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        if (!bits)
            png_set_expand_gray_1_2_4_to_8(png);
        if (!grey)
            png_set_gray_to_rgb(png);
    }
    if (transparency)
        png_set_tRNS_to_alpha(png);
    if (!alpha)
        png_set_bgr(png);
    const int passes = reduce ? 1 : png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const int channels = alpha ? 4 : grey ? 1 : 3;
    if (png_get_channels(png, info) != channels) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    if (reduce) {
        state.reducer.emplace(
            static_cast<int>(width), static_cast<int>(height), reducedWidth, reducedHeight, alpha ? 3 : channels);
        const bool read = ReduceRows(png, info, state, width, height, interlaced, alpha, bits);
        png_destroy_read_struct(&png, &info, nullptr);
        if (!read)
            return false;
        state.reducer->Finish(state.out);
        if (state.options.progress)
            state.options.progress(100);
        return true;
    }

    state.out.Resize(static_cast<int>(width), static_cast<int>(height), 24);
    // Interlaced pictures with alpha are read whole before compositing; every
    // other picture row by row straight into the bitmap (or one alpha row).
    const bool wholeAlpha = alpha && passes > 1;
    state.rgba.resize(alpha ? size_t(width) * 4 * (wholeAlpha ? height : 1) : 0);
    auto alphaRow = [&](uint32_t y) { return state.rgba.data() + (wholeAlpha ? size_t(y) * width * 4 : 0); };

    const auto& progress = state.options.progress;
    const uint64_t totalRows = uint64_t(height) * passes;
    uint64_t done = 0;
    const uint32_t reportEvery = std::max(16u, height / 32);
    for (int pass = 0; pass < passes; ++pass)
        for (uint32_t y = 0; y < height; ++y, ++done) {
            uint8_t* row = state.out.Row(static_cast<int>(y));
            png_read_row(png, alpha ? alphaRow(y) : row, nullptr);
            if (alpha && !wholeAlpha)
                CompositeRow(alphaRow(y), row, width);
            if (progress && y % reportEvery == reportEvery - 1 && !progress(static_cast<int>(done * 100 / totalRows))) {
                png_destroy_read_struct(&png, &info, nullptr);
                return false;
            }
        }
    if (wholeAlpha)
        for (uint32_t y = 0; y < height; ++y)
            CompositeRow(alphaRow(y), state.out.Row(static_cast<int>(y)), width);
    png_destroy_read_struct(&png, &info, nullptr);
    if (progress)
        progress(100);
    return true;
}

} // namespace

bool LoadPngFile(const std::string& path, Bitmap& out, const DecodeOptions& options)
{
    if (options.info)
        *options.info = {};
    return LoadWholeFile(path, out, [&](const uint8_t* data, size_t size, Bitmap& bitmap) {
        DecodeState state { bitmap, options, { data, size }, {}, {}, {} };
        return Decode(state);
    });
}

} // namespace imaging
