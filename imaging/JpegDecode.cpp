// JPEG decoding through the libjpeg API: full size or at a reduced DCT scale,
// into 24-bit BGR. libjpeg's fatal errors come back through longjmp to the one
// function that called setjmp; every C++ object it uses is created before
// that point, so the jump never skips a destructor.

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <optional>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "imaging/FileBuffer.h"
#include "imaging/ImageIO.h"
#include "imaging/RowReducer.h"

namespace imaging {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool truncated = false;
    int warnings = 0;
};

void OnError(j_common_ptr cinfo)
{
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(manager->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return; // trace messages
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    ++manager->warnings;
    if (cinfo->err->msg_code == JWRN_JPEG_EOF)
        manager->truncated = true;
}

// libjpeg may use this much memory for its own buffers (progressive
// coefficients of a very large picture); beyond it the decode fails cleanly.
constexpr long kLibjpegMemoryLimit = 2048L * 1024 * 1024;

void SetScale(jpeg_decompress_struct& cinfo, int numerator)
{
    cinfo.scale_num = static_cast<unsigned>(numerator);
    cinfo.scale_denom = 8;
}

// CMYK and YCCK files are decoded to CMYK and converted here. Files written
// by Adobe applications (the ones with an Adobe marker) store inverted values.
void CmykRowToBgr(const uint8_t* cmyk, uint8_t* bgr, unsigned width, bool inverted)
{
    for (unsigned x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[0] = static_cast<uint8_t>((y * k + 127) / 255);
        bgr[1] = static_cast<uint8_t>((m * k + 127) / 255);
        bgr[2] = static_cast<uint8_t>((c * k + 127) / 255);
    }
}

struct DecodeState {
    Bitmap& out;
    const DecodeOptions& options;
    std::vector<uint8_t> cmykRows;
    std::vector<JSAMPROW> rowPointers;
    std::vector<uint8_t> band; // decoded rows on their way into the reducer
    std::optional<RowReducer> reducer;
};

bool Decode(const uint8_t* data, size_t size, DecodeState& state)
{
    if (!data || size < 4 || size > static_cast<size_t>(~0UL))
        return false;
    jpeg_decompress_struct cinfo {};
    ErrorManager error {};
    cinfo.err = jpeg_std_error(&error.base);
    error.base.error_exit = OnError;
    error.base.emit_message = OnMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use
        = state.options.decoderMemoryLimit > 0 ? state.options.decoderMemoryLimit : kLibjpegMemoryLimit;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const DecodeOptions& options = state.options;
    if (options.info) {
        options.info->fullWidth = static_cast<int>(cinfo.image_width);
        options.info->fullHeight = static_cast<int>(cinfo.image_height);
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    const bool scaleForTarget = options.targetWidth > 0 && options.targetHeight > 0;
    SetScale(cinfo,
        JpegScaleForBox(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height),
            scaleForTarget ? options.targetWidth : options.reduceWidth,
            scaleForTarget ? options.targetHeight : options.reduceHeight));
    jpeg_calc_output_dimensions(&cinfo);
    const uint64_t pixels = uint64_t(cinfo.output_width) * cinfo.output_height;
    if (pixels == 0 || pixels > kMaxPixels) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const int outWidth = static_cast<int>(cinfo.output_width), outHeight = static_cast<int>(cinfo.output_height);
    int reducedWidth = 0, reducedHeight = 0;
    if (ReducedSize(outWidth, outHeight, options, reducedWidth, reducedHeight))
        state.reducer.emplace(outWidth, outHeight, reducedWidth, reducedHeight, 3);
    else
        state.out.Resize(outWidth, outHeight, 24);
    jpeg_start_decompress(&cinfo);

    const unsigned batch = std::max(1, cinfo.rec_outbuf_height);
    state.rowPointers.resize(batch);
    if (cmyk)
        state.cmykRows.resize(size_t(cinfo.output_width) * 4 * batch);
    if (state.reducer)
        state.band.resize(size_t(cinfo.output_width) * 3 * batch);
    // Where decoded row `first + i` of a read goes, as blue, green, red.
    auto rowFor = [&](unsigned first, unsigned i) {
        return state.reducer ? state.band.data() + size_t(i) * cinfo.output_width * 3
                             : state.out.Row(static_cast<int>(first + i));
    };
    const bool inverted = cinfo.saw_Adobe_marker;
    const unsigned height = cinfo.output_height;
    // Progress about every 1/32 of the picture (at least every 16 rows).
    const unsigned reportEvery = std::max(16u, height / 32);
    unsigned nextReport = reportEvery;
    while (cinfo.output_scanline < height) {
        const unsigned first = cinfo.output_scanline;
        const unsigned count = std::min(batch, height - first);
        for (unsigned i = 0; i < count; ++i)
            state.rowPointers[i] = cmyk ? state.cmykRows.data() + size_t(i) * cinfo.output_width * 4 : rowFor(first, i);
        const unsigned got = jpeg_read_scanlines(&cinfo, state.rowPointers.data(), count);
        if (got == 0)
            break; // suspended source: cannot happen with a memory source, but never spin
        if (cmyk)
            for (unsigned i = 0; i < got; ++i)
                CmykRowToBgr(state.rowPointers[i], rowFor(first, i), cinfo.output_width, inverted);
        if (state.reducer)
            for (unsigned i = 0; i < got; ++i)
                state.reducer->Add(static_cast<int>(first + i), rowFor(first, i), outWidth);
        if (options.progress && cinfo.output_scanline >= nextReport) {
            nextReport = cinfo.output_scanline + reportEvery;
            if (!options.progress(static_cast<int>(uint64_t(cinfo.output_scanline) * 100 / height))) {
                jpeg_destroy_decompress(&cinfo);
                return false;
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    if (state.reducer)
        state.reducer->Finish(state.out);
    if (options.info) {
        options.info->truncated = error.truncated;
        options.info->damaged = error.warnings > 0;
    }
    if (options.progress)
        options.progress(100);
    return true;
}

} // namespace

int JpegScaleForBox(int width, int height, int boxWidth, int boxHeight)
{
    if (boxWidth <= 0 || boxHeight <= 0 || width <= 0 || height <= 0)
        return 8;
    // The picture fitted into the box with its aspect kept.
    const Rect fit = FitRect(width, height, boxWidth, boxHeight);
    const int64_t fitWidth = fit.Width(), fitHeight = fit.Height();
    for (int numerator = 1; numerator < 8; ++numerator) {
        // libjpeg rounds scaled sizes up.
        const int64_t outWidth = (int64_t(width) * numerator + 7) / 8;
        const int64_t outHeight = (int64_t(height) * numerator + 7) / 8;
        if (outWidth >= fitWidth && outHeight >= fitHeight)
            return numerator;
    }
    return 8;
}

bool LoadJpegMemory(const uint8_t* data, size_t size, Bitmap& out, const DecodeOptions& options)
{
    if (options.info)
        *options.info = {};
    return GuardedLoad(out, [&] {
        DecodeState state { out, options, {}, {}, {}, {} };
        return Decode(data, size, state);
    });
}

bool LoadJpegFile(const std::string& path, Bitmap& out, const DecodeOptions& options)
{
    if (options.info)
        *options.info = {};
    return LoadWholeFile(path, out,
        [&](const uint8_t* data, size_t size, Bitmap& bitmap) { return LoadJpegMemory(data, size, bitmap, options); });
}

namespace {

// Walks the marker chain from behind SOI to the first start-of-frame (SOF0..
// SOF15 except DHT, JPG and DAC) and takes its height and width. `read(pos,
// buffer, count)` returns how many bytes it could read at `pos`; only the
// marker headers are read, so a large Exif segment costs one seek.
template <typename Read> bool FindFrameSize(Read read, int& width, int& height)
{
    uint8_t head[9];
    if (read(0, head, 2) != 2 || head[0] != 0xFF || head[1] != 0xD8)
        return false;
    size_t pos = 2;
    for (int guard = 0; guard < 100000; ++guard) {
        const size_t got = read(pos, head, sizeof head);
        if (got < 2 || head[0] != 0xFF)
            return false;
        const uint8_t marker = head[1];
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // markers without a length
            pos += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA || got < 4)
            return false; // end of image or scan data before any frame header
        const size_t length = (size_t(head[2]) << 8) | head[3];
        if (length < 2)
            return false;
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (got < 9 || length < 7)
                return false;
            const int h = (head[5] << 8) | head[6];
            const int w = (head[7] << 8) | head[8];
            if (w == 0 || h == 0)
                return false;
            width = w;
            height = h;
            return true;
        }
        pos += 2 + length;
    }
    return false;
}

} // namespace

bool ReadJpegSizeMemory(const uint8_t* data, size_t size, int& width, int& height)
{
    if (!data)
        return false;
    return FindFrameSize(
        [&](size_t pos, uint8_t* buffer, size_t count) -> size_t {
            if (pos >= size)
                return 0;
            const size_t n = std::min(count, size - pos);
            std::copy(data + pos, data + pos + n, buffer);
            return n;
        },
        width, height);
}

bool ReadJpegSize(const std::string& path, int& width, int& height)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    const bool found = FindFrameSize(
        [&](size_t pos, uint8_t* buffer, size_t count) -> size_t {
            if (pos > size_t(~0UL >> 1) || std::fseek(file, static_cast<long>(pos), SEEK_SET) != 0)
                return 0;
            return std::fread(buffer, 1, count, file);
        },
        width, height);
    std::fclose(file);
    return found;
}

} // namespace imaging
