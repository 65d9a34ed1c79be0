#include "imaging/JpegEncode.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <new>

#include <jerror.h>
#include <jpeglib.h>

namespace imaging {

namespace {

// libjpeg reports errors by calling error_exit, which by default ends the
// process; this one jumps back to the encoder instead.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void ErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void OutputMessage(j_common_ptr)
{
}

J_COLOR_SPACE InputSpace(JpegLayout layout)
{
    switch (layout) {
    case JpegLayout::Bgr:
        return JCS_EXT_BGR;
    case JpegLayout::Bgrx:
        return JCS_EXT_BGRX;
    case JpegLayout::Rgb:
        return JCS_RGB;
    case JpegLayout::Gray:
        return JCS_GRAYSCALE;
    case JpegLayout::Cmyk:
        return JCS_CMYK;
    }
    return JCS_UNKNOWN;
}

bool ValidMarker(const JpegMarker& m)
{
    return ((m.marker >= 0xE0 && m.marker <= 0xEF) || m.marker == 0xFE) && m.data.size() <= 65533;
}

// Compressed bytes go straight into a vector that grows as needed.
struct VectorDest {
    jpeg_destination_mgr pub;
    std::vector<uint8_t>* bytes;
};

// Resizes the vector; running out of memory is reported as a library error,
// once the exception is over (the error jumps out of this frame).
void Grow(j_compress_ptr c, std::vector<uint8_t>& bytes, size_t size)
{
    bool grown = true;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        grown = false;
    }
    if (!grown) {
        c->err->msg_code = JERR_OUT_OF_MEMORY;
        c->err->error_exit(reinterpret_cast<j_common_ptr>(c));
    }
}

void InitDest(j_compress_ptr c)
{
    auto* d = reinterpret_cast<VectorDest*>(c->dest);
    Grow(c, *d->bytes, 65536);
    d->pub.next_output_byte = d->bytes->data();
    d->pub.free_in_buffer = d->bytes->size();
}

boolean EmptyDest(j_compress_ptr c)
{
    auto* d = reinterpret_cast<VectorDest*>(c->dest);
    const size_t used = d->bytes->size();
    Grow(c, *d->bytes, used * 2);
    d->pub.next_output_byte = d->bytes->data() + used;
    d->pub.free_in_buffer = d->bytes->size() - used;
    return TRUE;
}

void TermDest(j_compress_ptr c)
{
    auto* d = reinterpret_cast<VectorDest*>(c->dest);
    d->bytes->resize(d->bytes->size() - d->pub.free_in_buffer);
}

void SetSampling(jpeg_compress_struct& c, JpegChroma chroma)
{
    const bool subsampled = c.jpeg_color_space == JCS_YCbCr || c.jpeg_color_space == JCS_YCCK;
    if (chroma == JpegChroma::Full) {
        for (int i = 0; i < c.num_components; ++i)
            c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
    } else if (chroma == JpegChroma::HalfWidth && subsampled) {
        // The brightness channel (and K of YCCK) keeps full resolution in both directions.
        for (int i = 0; i < c.num_components; ++i) {
            const bool full = i == 0 || i == 3;
            c.comp_info[i].h_samp_factor = full ? 2 : 1;
            c.comp_info[i].v_samp_factor = 1;
        }
    }
}

// Everything that may end in a library error; returns normally only on success.
void Compress(jpeg_compress_struct& c, const JpegSamples& s, const JpegEncodeOptions& o)
{
    c.image_width = static_cast<JDIMENSION>(s.width);
    c.image_height = static_cast<JDIMENSION>(s.height);
    c.input_components = JpegLayoutBytes(s.layout);
    c.in_color_space = InputSpace(s.layout);
    jpeg_set_defaults(&c);
    if (o.grayscale)
        jpeg_set_colorspace(&c, JCS_GRAYSCALE);
    else if (o.ycck)
        jpeg_set_colorspace(&c, JCS_YCCK);
    jpeg_set_quality(&c, std::clamp(o.quality, 1, 100), TRUE);
    SetSampling(c, o.chroma);
    if (!o.jfif)
        c.write_JFIF_header = FALSE;
    if (o.progressive)
        jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    for (const JpegMarker& m : o.markers)
        jpeg_write_marker(&c, m.marker, m.data.data(), static_cast<unsigned>(m.data.size()));
    while (c.next_scanline < c.image_height) {
        // libjpeg reads input rows without writing to them.
        JSAMPROW row = const_cast<JSAMPROW>(s.data + static_cast<size_t>(c.next_scanline) * s.stride);
        jpeg_write_scanlines(&c, &row, 1);
    }
    jpeg_finish_compress(&c);
}

} // namespace

int JpegLayoutBytes(JpegLayout layout)
{
    switch (layout) {
    case JpegLayout::Gray:
        return 1;
    case JpegLayout::Bgr:
    case JpegLayout::Rgb:
        return 3;
    case JpegLayout::Bgrx:
    case JpegLayout::Cmyk:
        return 4;
    }
    return 0;
}

bool EncodeJpeg(const JpegSamples& samples, const JpegEncodeOptions& options, std::vector<uint8_t>& out)
{
    out.clear();
    if (!samples.data || samples.width <= 0 || samples.height <= 0 || samples.width > JPEG_MAX_DIMENSION
        || samples.height > JPEG_MAX_DIMENSION
        || samples.stride < static_cast<size_t>(samples.width) * JpegLayoutBytes(samples.layout))
        return false;
    if (!std::all_of(options.markers.begin(), options.markers.end(), ValidMarker))
        return false;

    jpeg_compress_struct c {};
    ErrorManager error {};
    VectorDest dest { { nullptr, 0, InitDest, EmptyDest, TermDest }, &out };
    c.err = jpeg_std_error(&error.pub);
    error.pub.error_exit = ErrorExit;
    error.pub.output_message = OutputMessage;
    // Set before the library is first called, so that even a failure to
    // create the compressor comes back here.
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&c);
        out.clear();
        return false;
    }
    jpeg_create_compress(&c);
    c.dest = &dest.pub;
    Compress(c, samples, options);
    jpeg_destroy_compress(&c);
    return true;
}

bool EncodeJpeg(const Bitmap& bitmap, const JpegEncodeOptions& options, std::vector<uint8_t>& out)
{
    const JpegLayout layout = bitmap.BitsPerPixel() == 32 ? JpegLayout::Bgrx : JpegLayout::Bgr;
    return EncodeJpeg(
        { bitmap.Data(), bitmap.Width(), bitmap.Height(), static_cast<size_t>(bitmap.Stride()), layout }, options, out);
}

bool EncodeJpeg(const Bitmap& bitmap, int quality, std::vector<uint8_t>& out)
{
    JpegEncodeOptions options;
    options.quality = quality;
    return EncodeJpeg(bitmap, options, out);
}

} // namespace imaging
