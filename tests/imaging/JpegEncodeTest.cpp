#include <gtest/gtest.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

#include "imaging/ImageIO.h"
#include "imaging/JpegEncode.h"

using namespace imaging;

namespace {

// Four flat quadrants (red, green, blue, grey) over a faint gradient.
Bitmap Quadrants(int width, int height, int bits = 24)
{
    Bitmap b(width, height, bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = b.Row(y) + x * b.BytesPerPixel();
            const int q = (x < width / 2 ? 0 : 1) + (y < height / 2 ? 0 : 2);
            const uint8_t colours[4][3] = { { 20, 20, 230 }, { 20, 230, 20 }, { 230, 20, 20 }, { 128, 128, 128 } };
            p[0] = colours[q][0], p[1] = colours[q][1], p[2] = colours[q][2];
        }
    return b;
}

int Distance(const uint8_t* a, const uint8_t* b)
{
    return std::max({ std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2]) });
}

// What the stored stream says about itself, read with libjpeg.
struct Header {
    bool ok = false;
    int components = 0;
    J_COLOR_SPACE space = JCS_UNKNOWN;
    bool progressive = false, jfif = false, adobe = false;
    int h0 = 0, v0 = 0;
};

struct Jump {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

Header ReadHeader(const std::vector<uint8_t>& jpeg)
{
    Header h;
    jpeg_decompress_struct d {};
    Jump err {};
    d.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<Jump*>(c->err)->jump, 1); };
    jpeg_create_decompress(&d);
    if (!setjmp(err.jump)) {
        jpeg_mem_src(&d, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
        jpeg_read_header(&d, TRUE);
        h = { true, d.num_components, d.jpeg_color_space, d.progressive_mode != 0, d.saw_JFIF_marker != 0,
            d.saw_Adobe_marker != 0, d.comp_info[0].h_samp_factor, d.comp_info[0].v_samp_factor };
    }
    jpeg_destroy_decompress(&d);
    return h;
}

} // namespace

TEST(JpegEncode, BitmapRoundTripKeepsColoursAndSize)
{
    for (int bits : { 24, 32 }) {
        SCOPED_TRACE(bits);
        const Bitmap source = Quadrants(67, 45, bits); // odd sizes: partial MCUs
        std::vector<uint8_t> jpeg;
        ASSERT_TRUE(EncodeJpeg(source, 92, jpeg));
        Bitmap back;
        ASSERT_TRUE(LoadJpegMemory(jpeg.data(), jpeg.size(), back));
        ASSERT_EQ(back.Width(), 67);
        ASSERT_EQ(back.Height(), 45);
        for (auto [x, y] : { std::pair { 10, 8 }, { 55, 8 }, { 10, 38 }, { 55, 38 } })
            EXPECT_LE(Distance(back.Row(y) + x * 3, source.Row(y) + x * source.BytesPerPixel()), 6) << x << "," << y;
        const Header h = ReadHeader(jpeg);
        EXPECT_EQ(h.space, JCS_YCbCr);
        EXPECT_TRUE(h.jfif);
        EXPECT_EQ(h.h0, 2);
        EXPECT_EQ(h.v0, 2);
    }
    // A higher quality gives a bigger file.
    std::vector<uint8_t> low, high;
    ASSERT_TRUE(EncodeJpeg(Quadrants(64, 64), 30, low));
    ASSERT_TRUE(EncodeJpeg(Quadrants(64, 64), 100, high));
    EXPECT_LT(low.size(), high.size());
}

TEST(JpegEncode, OptionsReachTheStream)
{
    struct Case {
        const char* name;
        JpegLayout layout;
        JpegEncodeOptions options;
        J_COLOR_SPACE space;
        int components, h0, v0;
        bool progressive, jfif, adobe;
    };
    JpegEncodeOptions progressive444;
    progressive444.chroma = JpegChroma::Full;
    progressive444.progressive = true;
    JpegEncodeOptions half;
    half.chroma = JpegChroma::HalfWidth;
    JpegEncodeOptions gray;
    gray.grayscale = true;
    JpegEncodeOptions ycck;
    ycck.ycck = true;
    ycck.chroma = JpegChroma::HalfWidth;
    JpegEncodeOptions noJfif;
    noJfif.jfif = false;
    const Case cases[] = {
        { "4:4:4 progressive", JpegLayout::Bgr, progressive444, JCS_YCbCr, 3, 1, 1, true, true, false },
        { "4:2:2", JpegLayout::Rgb, half, JCS_YCbCr, 3, 2, 1, false, true, false },
        { "stored grey", JpegLayout::Bgr, gray, JCS_GRAYSCALE, 1, 1, 1, false, true, false },
        { "grey input", JpegLayout::Gray, {}, JCS_GRAYSCALE, 1, 1, 1, false, true, false },
        { "CMYK", JpegLayout::Cmyk, {}, JCS_CMYK, 4, 1, 1, false, false, true },
        { "YCCK", JpegLayout::Cmyk, ycck, JCS_YCCK, 4, 2, 1, false, false, true },
        { "no JFIF", JpegLayout::Bgr, noJfif, JCS_YCbCr, 3, 2, 2, false, false, false },
    };
    const std::vector<uint8_t> samples(32 * 16 * 4, 90);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> jpeg;
        ASSERT_TRUE(EncodeJpeg({ samples.data(), 32, 16, 32 * 4, c.layout }, c.options, jpeg));
        const Header h = ReadHeader(jpeg);
        ASSERT_TRUE(h.ok);
        EXPECT_EQ(h.space, c.space);
        EXPECT_EQ(h.components, c.components);
        EXPECT_EQ(h.h0, c.h0);
        EXPECT_EQ(h.v0, c.v0);
        EXPECT_EQ(h.progressive, c.progressive);
        EXPECT_EQ(h.jfif, c.jfif);
        EXPECT_EQ(h.adobe, c.adobe);
        Bitmap back;
        EXPECT_TRUE(LoadJpegMemory(jpeg.data(), jpeg.size(), back));
        EXPECT_EQ(back.Width(), 32);
    }
}

TEST(JpegEncode, MarkersFollowStartOfImage)
{
    JpegEncodeOptions options;
    options.jfif = false;
    options.markers = { { 0xE1, { 'E', 'x', 'i', 'f', 0, 0, 'M', 'M' } }, { 0xFE, { 'h', 'i' } } };
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(EncodeJpeg(Quadrants(16, 16), options, jpeg));
    const std::vector<uint8_t> head(jpeg.begin(), jpeg.begin() + 18);
    const std::vector<uint8_t> expected
        = { 0xFF, 0xD8, 0xFF, 0xE1, 0, 10, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0xFF, 0xFE, 0, 4 };
    EXPECT_EQ(head, expected);
}

TEST(JpegEncode, BadInputFailsWithoutOutput)
{
    const std::vector<uint8_t> samples(16 * 16 * 4, 50);
    JpegEncodeOptions gray;
    gray.grayscale = true;
    JpegEncodeOptions badMarker;
    badMarker.markers = { { 0xC0, { 1, 2 } } };
    JpegEncodeOptions hugeMarker;
    hugeMarker.markers = { { 0xE2, std::vector<uint8_t>(65534) } };
    struct Case {
        const char* name;
        JpegSamples samples;
        JpegEncodeOptions options;
    } cases[] = {
        { "no data", { nullptr, 16, 16, 48, JpegLayout::Bgr }, {} },
        { "zero width", { samples.data(), 0, 16, 48, JpegLayout::Bgr }, {} },
        { "short stride", { samples.data(), 16, 16, 47, JpegLayout::Bgr }, {} },
        { "too tall", { samples.data(), 1, 70000, 3, JpegLayout::Bgr }, {} },
        // Refused by the library itself: its error must come back as false.
        { "grey from CMYK", { samples.data(), 16, 16, 64, JpegLayout::Cmyk }, gray },
        { "not an APP marker", { samples.data(), 16, 16, 48, JpegLayout::Bgr }, badMarker },
        { "marker too long", { samples.data(), 16, 16, 48, JpegLayout::Bgr }, hugeMarker },
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> out = { 1, 2, 3 };
        EXPECT_FALSE(EncodeJpeg(c.samples, c.options, out)) << c.name;
        EXPECT_TRUE(out.empty()) << c.name;
    }
    std::vector<uint8_t> out;
    EXPECT_FALSE(EncodeJpeg(Bitmap(), 90, out));
}
