#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdio>
#include <functional>

#include <png.h>
#include <tiffio.h>

#include "imaging/ImageIO.h"
#include "imaging/Pixels.h"
#include "imaging/PngWriter.h"
#include "support/TestSupport.h"

using namespace imaging;
using testimaging::Bgr;

namespace {

// Fills the samples of pixel (x, y); 16-bit samples are written big-endian by the caller.
using SampleFn = std::function<void(int x, int y, uint8_t* samples)>;

void WritePng(const std::string& path, int width, int height, int colourType, int bitDepth, bool interlaced,
    const SampleFn& pixel, const std::vector<png_color>& palette = {}, const std::vector<uint8_t>& alphas = {})
{
    const int channels = colourType == PNG_COLOR_TYPE_RGB_ALPHA ? 4
        : colourType == PNG_COLOR_TYPE_RGB                      ? 3
        : colourType == PNG_COLOR_TYPE_GRAY_ALPHA               ? 2
                                                                : 1;
    const int sampleBytes = bitDepth == 16 ? 2 : 1;
    testimaging::WritePngFile(
        path, { width, height, colourType, bitDepth, interlaced, palette, alphas }, [&](int y, uint8_t* row) {
            for (int x = 0; x < width; ++x)
                pixel(x, y, row + size_t(x) * channels * sampleBytes);
        });
}

} // namespace

TEST(Png, ColourTypesDepthsAndTransparency)
{
    testsupport::TempDir dir;
    const auto path = (dir.Path() / "a.png").string();
    struct Case {
        const char* name;
        std::function<void()> write;
        std::vector<int> at00, at10; // blue, green, red of pixels (0,0) and (1,0)
    };
    const Case cases[] = {
        { "rgba8 on white",
            [&] {
                WritePng(path, 2, 2, PNG_COLOR_TYPE_RGB_ALPHA, 8, false,
                    [](int x, int, uint8_t* p) { p[0] = 200, p[1] = 100, p[2] = 0, p[3] = x ? 255 : 0; });
            },
            { 255, 255, 255 }, { 0, 100, 200 } },
        { "grey16 interlaced",
            [&] {
                WritePng(path, 9, 9, PNG_COLOR_TYPE_GRAY, 16, true,
                    [](int x, int, uint8_t* p) { p[0] = x ? 0x80 : 0xFF, p[1] = 0x00; });
            },
            { 255, 255, 255 }, { 128, 128, 128 } },
        { "grey and alpha interlaced",
            [&] {
                WritePng(path, 5, 5, PNG_COLOR_TYPE_GRAY_ALPHA, 8, true,
                    [](int x, int, uint8_t* p) { p[0] = 50, p[1] = x ? 255 : 0; });
            },
            { 255, 255, 255 }, { 50, 50, 50 } },
        { "palette with transparent entry",
            [&] {
                WritePng(path, 2, 1, PNG_COLOR_TYPE_PALETTE, 8, false,
                    [](int x, int, uint8_t* p) { p[0] = uint8_t(x); }, { { 10, 20, 30 }, { 0, 0, 250 } }, { 0 });
            },
            { 255, 255, 255 }, { 250, 0, 0 } },
        { "rgb8",
            [&] {
                WritePng(path, 2, 1, PNG_COLOR_TYPE_RGB, 8, false,
                    [](int x, int, uint8_t* p) { p[0] = 1, p[1] = 2, p[2] = uint8_t(x ? 3 : 4); });
            },
            { 4, 2, 1 }, { 3, 2, 1 } },
    };
    for (const auto& c : cases) {
        c.write();
        Bitmap b;
        DecodeInfo info;
        ASSERT_TRUE(LoadPngFile(path, b, { 0, 0, {}, &info })) << c.name;
        EXPECT_EQ(info.fullWidth, b.Width());
        EXPECT_EQ(Bgr(b, 0, 0), c.at00) << c.name;
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(Bgr(b, 1, 0)[i], c.at10[i], 1) << c.name;
    }
}

TEST(Png, DamagedFilesFail)
{
    testsupport::TempDir dir;
    const auto path = (dir.Path() / "a.png").string();
    WritePng(path, 64, 64, PNG_COLOR_TYPE_RGB, 8, false,
        [](int x, int y, uint8_t* p) { p[0] = uint8_t(x * y), p[1] = uint8_t(x), p[2] = uint8_t(y); });
    auto bytes = testsupport::ReadFile(path);
    bytes.resize(bytes.size() / 2);
    testsupport::WriteFile(path, bytes);
    Bitmap b(3, 3);
    EXPECT_FALSE(LoadPngFile(path, b));
    EXPECT_TRUE(b.Empty());
    testsupport::WriteFile(path, std::string("\x89PNG\r\n\x1a\n garbage"));
    EXPECT_FALSE(LoadPngFile(path, b));
    EXPECT_FALSE(LoadPngFile((dir.Path() / "none.png").string(), b));
}

namespace {

// A TIFF of red, green, blue, alpha (unassociated) in strips of 16 rows.
void WriteRgbaTiff(const std::string& path, int width, int height, uint16_t orientation, const SampleFn& pixel)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 4);
    const uint16_t extra[] = { EXTRASAMPLE_UNASSALPHA };
    TIFFSetField(tiff, TIFFTAG_EXTRASAMPLES, 1, extra);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, orientation);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16);
    std::vector<uint8_t> row(size_t(width) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            pixel(x, y, row.data() + x * 4);
        TIFFWriteScanline(tiff, row.data(), y, 0);
    }
    TIFFClose(tiff);
}

} // namespace

TEST(Tiff, FirstImageCompositedOnWhite)
{
    testsupport::TempDir dir;
    const auto path = (dir.Path() / "a.tif").string();
    // 150 rows: several bands. Row y is red y; the right half is half transparent.
    WriteRgbaTiff(path, 20, 150, ORIENTATION_TOPLEFT,
        [](int x, int y, uint8_t* p) { p[0] = uint8_t(y), p[1] = 0, p[2] = 0, p[3] = x < 10 ? 255 : 128; });
    Bitmap b;
    std::vector<int> progress;
    DecodeInfo info;
    DecodeOptions options { 0, 0,
        [&](int percent) {
            progress.push_back(percent);
            return true;
        },
        &info };
    ASSERT_TRUE(LoadTiffFile(path, b, options));
    ASSERT_EQ(b.Width(), 20);
    ASSERT_EQ(b.Height(), 150);
    EXPECT_EQ(info.fullHeight, 150);
    for (int y : { 0, 63, 64, 100, 149 })
        EXPECT_EQ(Bgr(b, 0, y), (std::vector<int> { 0, 0, y })) << y;
    // Half-transparent black over white: about 127 in every channel.
    const auto blended = Bgr(b, 15, 0);
    EXPECT_NEAR(blended[0], 127, 1);
    EXPECT_NEAR(blended[2], 127, 1);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100);

    // Stopped by the progress callback.
    options.progress = [](int) { return false; };
    EXPECT_FALSE(LoadTiffFile(path, b, options));
    EXPECT_TRUE(b.Empty());

    // Rows stored bottom to top come out the right way up.
    WriteRgbaTiff(path, 4, 70, ORIENTATION_BOTLEFT,
        [](int, int y, uint8_t* p) { p[0] = uint8_t(y), p[1] = 0, p[2] = 0, p[3] = 255; });
    ASSERT_TRUE(LoadTiffFile(path, b));
    EXPECT_EQ(Bgr(b, 0, 0), (std::vector<int> { 0, 0, 69 }));
    EXPECT_EQ(Bgr(b, 0, 69), (std::vector<int> { 0, 0, 0 }));
}

TEST(Tiff, BrokenFilesFailQuietly)
{
    testsupport::TempDir dir;
    const auto path = (dir.Path() / "a.tif").string();
    testsupport::WriteFile(path, std::string("II*\0garbage garbage", 19));
    Bitmap b(2, 2);
    EXPECT_FALSE(LoadTiffFile(path, b));
    EXPECT_TRUE(b.Empty());
    EXPECT_FALSE(LoadTiffFile((dir.Path() / "none.tif").string(), b));

    // An uncompressed picture declared far larger than the file: refused
    // before anything is allocated.
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 30000);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 30000);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 30000);
    std::vector<uint8_t> row(30000, 7);
    TIFFWriteScanline(tiff, row.data(), 0, 0);
    TIFFClose(tiff);
    EXPECT_FALSE(LoadTiffFile(path, b));
}

// With a box to reduce into, PNG and TIFF pictures larger than the box are
// reduced row by row: the same pixels as the whole picture drawn into the box.
TEST(ReducedLoad, PngAndTiffMatchTheWholePictureDrawnIntoTheBox)
{
    testsupport::TempDir dir;
    const auto png = (dir.Path() / "a.png").string();
    const auto tif = (dir.Path() / "a.tif").string();
    const auto pattern = [](int x, int y, uint8_t* p) {
        p[0] = uint8_t(x * 3 + y), p[1] = uint8_t(y * 5), p[2] = uint8_t(x ^ y), p[3] = uint8_t(x * y % 256);
    };
    struct Case {
        const char* name;
        std::function<void()> write;
        const std::string& path;
    };
    const Case cases[] = {
        { "png rgb", [&] { WritePng(png, 333, 517, PNG_COLOR_TYPE_RGB, 8, false, pattern); }, png },
        { "png rgb interlaced", [&] { WritePng(png, 333, 517, PNG_COLOR_TYPE_RGB, 8, true, pattern); }, png },
        { "png rgba interlaced", [&] { WritePng(png, 250, 250, PNG_COLOR_TYPE_RGB_ALPHA, 8, true, pattern); }, png },
        { "png grey 1-bit",
            [&] {
                WritePng(png, 401, 203, PNG_COLOR_TYPE_GRAY, 1, false,
                    [](int x, int y, uint8_t* p) { p[x / 8 - x] |= ((x * y) % 3 == 0) << (7 - x % 8); });
            },
            png },
        { "png grey 1-bit interlaced",
            [&] {
                WritePng(png, 401, 203, PNG_COLOR_TYPE_GRAY, 1, true,
                    [](int x, int y, uint8_t* p) { p[x / 8 - x] |= ((x + y) % 3 == 0) << (7 - x % 8); });
            },
            png },
        { "png grey 16-bit", [&] { WritePng(png, 300, 90, PNG_COLOR_TYPE_GRAY, 16, false, pattern); }, png },
        { "png palette",
            [&] {
                WritePng(png, 500, 20, PNG_COLOR_TYPE_PALETTE, 8, false,
                    [](int x, int, uint8_t* p) { p[0] = uint8_t(x % 2); }, { { 10, 20, 30 }, { 0, 0, 250 } });
            },
            png },
        { "png within the box", [&] { WritePng(png, 100, 50, PNG_COLOR_TYPE_RGB, 8, false, pattern); }, png },
    };
    std::vector<Case> all(std::begin(cases), std::end(cases));
    const std::pair<const char*, uint16_t> orientations[] = {
        { "tiff top left", ORIENTATION_TOPLEFT },
        { "tiff bottom left", ORIENTATION_BOTLEFT },
        { "tiff top right", ORIENTATION_TOPRIGHT },
        { "tiff bottom right", ORIENTATION_BOTRIGHT },
        { "tiff left top", ORIENTATION_LEFTTOP },
        { "tiff right bottom", ORIENTATION_RIGHTBOT },
    };
    for (const auto& [name, orientation] : orientations)
        all.push_back({ name, [&, o = orientation] { WriteRgbaTiff(tif, 300, 170, o, pattern); }, tif });
    for (const Case& c : all) {
        SCOPED_TRACE(c.name);
        c.write();
        Bitmap whole, reduced;
        const bool isPng = &c.path == &png;
        ASSERT_TRUE(isPng ? LoadPngFile(c.path, whole) : LoadTiffFile(c.path, whole));
        DecodeInfo info;
        DecodeOptions options;
        options.reduceWidth = 160;
        options.reduceHeight = 120;
        options.info = &info;
        ASSERT_TRUE(isPng ? LoadPngFile(c.path, reduced, options) : LoadTiffFile(c.path, reduced, options));
        const bool within = whole.Width() <= 160 && whole.Height() <= 120;
        EXPECT_EQ(testimaging::FirstDifference(reduced, within ? whole : testimaging::FittedInto(whole, 160, 120)), -1);
        EXPECT_EQ(info.fullWidth, whole.Width());
        EXPECT_EQ(info.fullHeight, whole.Height());
    }
}
