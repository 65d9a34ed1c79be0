// Raw YCbCr decoding through the libjpeg API. As in the BGR decoder, every
// C++ object is created before setjmp, so libjpeg's longjmp skips no destructor.

#include "imaging/JpegYcc.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include <jpeglib.h>

#include "imaging/FileBuffer.h"

namespace imaging {

namespace {

struct YccErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
};

void OnYccError(j_common_ptr cinfo)
{
    auto* manager = reinterpret_cast<YccErrorManager*>(cinfo->err);
    cinfo->err->format_message(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

void OnYccMessage(j_common_ptr, int)
{
    // warnings of damaged data are not fatal: the picture decodes as far as it can
}

constexpr long kYccMemoryLimit = 2048L * 1024 * 1024;

struct YccState {
    YccPicture& out;
    std::string message;
    std::vector<uint8_t> greyRow;
};

YccDecodeResult Decode(const uint8_t* data, size_t size, YccState& state)
{
    if (!data || size < 4 || size > static_cast<size_t>(~0UL)) {
        state.message = "not a JPEG file";
        return YccDecodeResult::Failed;
    }
    jpeg_decompress_struct cinfo {};
    YccErrorManager error {};
    cinfo.err = jpeg_std_error(&error.base);
    error.base.error_exit = OnYccError;
    error.base.emit_message = OnYccMessage;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&cinfo);
        state.message = error.message;
        return YccDecodeResult::Failed;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kYccMemoryLimit;
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_destroy_decompress(&cinfo);
        state.message = "no JPEG header";
        return YccDecodeResult::Failed;
    }
    const bool grey = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&cinfo);
        state.message = "CMYK JPEG files have no YCbCr samples";
        return YccDecodeResult::Unsupported;
    }
    // An RGB-coded file (Adobe transform 0) is converted to YCbCr by libjpeg,
    // which is what a YCbCr reader of the file would see.
    cinfo.out_color_space = grey ? JCS_GRAYSCALE : JCS_YCbCr;
    jpeg_calc_output_dimensions(&cinfo);
    const uint64_t pixels = uint64_t(cinfo.output_width) * cinfo.output_height;
    if (pixels == 0 || pixels > kMaxPixels) {
        jpeg_destroy_decompress(&cinfo);
        state.message = "picture size not supported";
        return YccDecodeResult::Failed;
    }
    YccPicture& out = state.out;
    try {
        out.Pixels.resize(pixels * 3);
        if (grey)
            state.greyRow.resize(cinfo.output_width);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&cinfo);
        state.message = "out of memory";
        return YccDecodeResult::Failed;
    }
    out.Width = static_cast<int>(cinfo.output_width);
    out.Height = static_cast<int>(cinfo.output_height);
    jpeg_start_decompress(&cinfo);
    const size_t rowBytes = size_t(cinfo.output_width) * 3;
    while (cinfo.output_scanline < cinfo.output_height) {
        uint8_t* target = out.Pixels.data() + rowBytes * cinfo.output_scanline;
        JSAMPROW row = grey ? state.greyRow.data() : target;
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            break; // cannot happen with a memory source, but never spin
        if (grey)
            for (unsigned x = 0; x < cinfo.output_width; ++x) {
                target[3 * x] = state.greyRow[x];
                target[3 * x + 1] = 128;
                target[3 * x + 2] = 128;
            }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return YccDecodeResult::Ok;
}

YccDecodeResult Finish(YccDecodeResult result, YccState& state, std::string* error)
{
    if (result != YccDecodeResult::Ok) {
        state.out = {};
        if (error)
            *error = state.message;
    }
    return result;
}

} // namespace

YccDecodeResult DecodeJpegYccMemory(const uint8_t* data, size_t size, YccPicture& out, std::string* error)
{
    YccState state { out, {}, {} };
    return Finish(Decode(data, size, state), state, error);
}

YccDecodeResult DecodeJpegYcc(const std::string& path, YccPicture& out, std::string* error)
{
    FileBuffer file;
    if (!ReadWholeFile(path, file)) {
        YccState state { out, "cannot read the file", {} };
        return Finish(YccDecodeResult::Failed, state, error);
    }
    return DecodeJpegYccMemory(file.data.get(), file.size, out, error);
}

} // namespace imaging
