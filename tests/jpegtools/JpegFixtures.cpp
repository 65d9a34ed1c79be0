#include "jpegtools/JpegFixtures.h"

#include <turbojpeg.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <stdexcept>

#include "metadata/ExifBuilder.h"
#include "support/TestSupport.h"

namespace jpegtest {

Bytes MakeJpeg(const PictureShape& shape)
{
    jpeg_compress_struct c {};
    jpeg_error_mgr err {};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&c, &out, &outSize);
    c.image_width = static_cast<JDIMENSION>(shape.width);
    c.image_height = static_cast<JDIMENSION>(shape.height);
    c.input_components = shape.components;
    c.in_color_space = shape.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    if (shape.components == 3) {
        c.comp_info[0].h_samp_factor = shape.hSample;
        c.comp_info[0].v_samp_factor = shape.vSample;
    }
    if (shape.progressive)
        jpeg_simple_progression(&c);
    c.restart_interval = static_cast<unsigned>(shape.restartInterval);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(shape.width * shape.components));
    while (c.next_scanline < c.image_height) {
        const int y = static_cast<int>(c.next_scanline);
        for (int x = 0; x < shape.width; ++x) {
            JSAMPLE* p = row.data() + x * shape.components;
            p[0] = static_cast<JSAMPLE>((x * 7 + y * 3) & 0xFF);
            if (shape.components == 3) {
                p[1] = static_cast<JSAMPLE>(((x / 5 + y / 3) % 2) ? 220 : 30);
                p[2] = static_cast<JSAMPLE>(y * 255 / (shape.height > 1 ? shape.height - 1 : 1));
            }
        }
        JSAMPROW rows[1] = { row.data() };
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    Bytes bytes(out, out + outSize);
    std::free(out);
    return bytes;
}

Pixels Decode(const Bytes& jpeg)
{
    Pixels p;
    tjhandle h = tjInitDecompress();
    int sub = 0, space = 0;
    if (tjDecompressHeader3(h, jpeg.data(), jpeg.size(), &p.width, &p.height, &sub, &space) == 0) {
        p.components = space == TJCS_GRAY ? 1 : 3;
        p.samples.resize(static_cast<size_t>(p.width) * p.height * p.components);
        if (tjDecompress2(h, jpeg.data(), jpeg.size(), p.samples.data(), p.width, 0, p.height,
                p.components == 1 ? TJPF_GRAY : TJPF_RGB, TJFLAG_ACCURATEDCT)
            != 0)
            p = {};
    }
    tjDestroy(h);
    return p;
}

bool HaveJpegtran()
{
    return ::access("/usr/bin/jpegtran", X_OK) == 0 || std::system("command -v jpegtran >/dev/null 2>&1") == 0;
}

Bytes Jpegtran(const Bytes& jpeg, int code)
{
    testsupport::TempDir dir;
    const auto in = dir.Path() / "in.jpg", out = dir.Path() / "out.jpg";
    testsupport::WriteFile(in, jpeg);
    const std::string command = "jpegtran -rotate " + std::to_string(code * 90) + " -trim -copy all -outfile '"
        + out.string() + "' '" + in.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return {};
    return testsupport::ReadFile(out);
}

Bytes InsertSegment(const Bytes& jpeg, uint8_t code, const Bytes& payload, size_t at)
{
    Bytes out(jpeg.begin(), jpeg.begin() + static_cast<ptrdiff_t>(at));
    const size_t length = payload.size() + 2;
    out.insert(out.end(), { 0xFF, code, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length) });
    out.insert(out.end(), payload.begin(), payload.end());
    out.insert(out.end(), jpeg.begin() + static_cast<ptrdiff_t>(at), jpeg.end());
    return out;
}

Bytes ExifPayload(uint16_t orientation, uint32_t pixelX, uint32_t pixelY, const Bytes& thumbnail, bool littleEndian)
{
    exiftest::TiffBuilder tiff(littleEndian);
    tiff.ifd0.Ascii(271, "Maker").Short(274, { orientation });
    tiff.withExif = true;
    tiff.exif.Undefined(36864, exiftest::ToBytes("0230"))
        .Short(40962, { static_cast<uint16_t>(pixelX) })
        .Long(40963, { pixelY });
    if (!thumbnail.empty()) {
        tiff.withIfd1 = true;
        tiff.thumbnailJpeg = thumbnail;
    }
    Bytes payload = exiftest::ToBytes(std::string("Exif\0\0", 6));
    const Bytes built = tiff.Build().bytes;
    payload.insert(payload.end(), built.begin(), built.end());
    return payload;
}

std::vector<Seg> Segments(const Bytes& jpeg)
{
    std::vector<Seg> segs;
    size_t pos = 2;
    while (pos + 4 <= jpeg.size() && jpeg[pos] == 0xFF) {
        const uint8_t code = jpeg[pos + 1];
        const size_t length = static_cast<size_t>(jpeg[pos + 2] << 8 | jpeg[pos + 3]);
        segs.push_back({ code, pos, length });
        if (code == 0xDA)
            break;
        pos += 2 + length;
    }
    return segs;
}

} // namespace jpegtest
