// TIFF files through libtiff's RGBA interface: the first image, any layout
// libtiff can convert, composited on white into 24-bit blue, green, red.
// Read in bands of rows so progress can be reported and the load stopped.

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <optional>
#include <vector>

#include <tiffio.h>

#include "imaging/FileBuffer.h"
#include "imaging/ImageIO.h"
#include "imaging/RowReducer.h"

namespace imaging {

namespace {

constexpr uint32_t kBandRows = 64;
// Output bytes one byte of compressed data can give at most (LZW and Deflate
// stay well below this); a larger declared picture is refused before any
// allocation. Fax compressions of 1-bit pages go further and are exempt.
constexpr uint64_t kMaxExpansion = 4096;

bool SizeIsPlausible(TIFF* tiff, uint32_t width, uint32_t height, uint64_t fileSize)
{
    uint16_t compression = COMPRESSION_NONE, bits = 1, samples = 1;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    const uint64_t rawBytes = (uint64_t(width) * bits * samples + 7) / 8 * height;
    switch (compression) {
    case COMPRESSION_NONE:
        return rawBytes <= fileSize;
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTRLEW:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
    case COMPRESSION_JBIG:
        return true;
    default:
        return rawBytes <= fileSize * kMaxExpansion;
    }
}

void SilenceLibtiff()
{
    // libtiff prints warnings and errors to stderr by default; the loaders
    // report failure through their result instead.
    static std::once_flag once;
    std::call_once(once, [] {
        TIFFSetWarningHandler(nullptr);
        TIFFSetErrorHandler(nullptr);
    });
}

struct TiffFile {
    TIFF* tiff = nullptr;
    explicit TiffFile(const std::string& path)
        : tiff(TIFFOpen(path.c_str(), "rm"))
    {
    }
    ~TiffFile()
    {
        if (tiff)
            TIFFClose(tiff);
    }
    TiffFile(const TiffFile&) = delete;
    TiffFile& operator=(const TiffFile&) = delete;
};

struct RgbaImage {
    TIFFRGBAImage image {};
    bool begun = false;
    ~RgbaImage()
    {
        if (begun)
            TIFFRGBAImageEnd(&image);
    }
};

// libtiff gives red, green, blue, alpha with the colours premultiplied by
// alpha, so the white background adds (255 - alpha).
void CompositeRow(const uint32_t* rgba, uint8_t* bgr, uint32_t width)
{
    for (uint32_t x = 0; x < width; ++x, bgr += 3) {
        const uint32_t p = rgba[x];
        const unsigned back = 255 - TIFFGetA(p);
        bgr[0] = static_cast<uint8_t>(std::min(255u, TIFFGetB(p) + back));
        bgr[1] = static_cast<uint8_t>(std::min(255u, TIFFGetG(p) + back));
        bgr[2] = static_cast<uint8_t>(std::min(255u, TIFFGetR(p) + back));
    }
}

bool Decode(TIFF* tiff, uint64_t fileSize, Bitmap& out, const DecodeOptions& options)
{
    char message[1024] = {};
    if (!TIFFRGBAImageOK(tiff, message))
        return false;
    RgbaImage rgba;
    if (!TIFFRGBAImageBegin(&rgba.image, tiff, 0, message))
        return false;
    rgba.begun = true;
    const uint32_t width = rgba.image.width, height = rgba.image.height;
    if (width == 0 || height == 0 || width > INT32_MAX / 4 || height > INT32_MAX
        || uint64_t(width) * height > kMaxPixels || !SizeIsPlausible(tiff, width, height, fileSize))
        return false;
    if (options.info) {
        options.info->fullWidth = static_cast<int>(width);
        options.info->fullHeight = static_cast<int>(height);
    }
    int reducedWidth = 0, reducedHeight = 0;
    std::optional<RowReducer> reducer;
    std::vector<uint8_t> reducedRow;
    if (ReducedSize(static_cast<int>(width), static_cast<int>(height), options, reducedWidth, reducedHeight)) {
        reducer.emplace(static_cast<int>(width), static_cast<int>(height), reducedWidth, reducedHeight, 3);
        reducedRow.resize(size_t(width) * 3);
    } else {
        out.Resize(static_cast<int>(width), static_cast<int>(height), 24);
    }
    // Bands work when the file's rows are stored top to bottom; other
    // orientations are read as a whole so libtiff can turn them, except when
    // reducing: then the rows are read as stored and turned here, in the way
    // libtiff would (the transposing orientations are only flipped).
    const uint16_t orientation = rgba.image.orientation;
    const bool flipRows = reducer
        && (orientation == ORIENTATION_BOTRIGHT || orientation == ORIENTATION_BOTLEFT
            || orientation == ORIENTATION_RIGHTBOT || orientation == ORIENTATION_LEFTBOT);
    const bool flipColumns = reducer
        && (orientation == ORIENTATION_TOPRIGHT || orientation == ORIENTATION_BOTRIGHT
            || orientation == ORIENTATION_RIGHTTOP || orientation == ORIENTATION_RIGHTBOT);
    rgba.image.req_orientation = reducer ? orientation : ORIENTATION_TOPLEFT;
    const bool topDown = reducer || orientation == ORIENTATION_TOPLEFT;
    const uint32_t band = topDown ? std::min(kBandRows, height) : height;
    std::vector<uint32_t> raster(size_t(width) * band);
    for (uint32_t row = 0; row < height; row += band) {
        const uint32_t rows = std::min(band, height - row);
        rgba.image.row_offset = static_cast<int>(row);
        rgba.image.col_offset = 0;
        if (!TIFFRGBAImageGet(&rgba.image, raster.data(), width, rows))
            return false;
        for (uint32_t y = 0; y < rows; ++y) {
            uint32_t* pixels = raster.data() + size_t(y) * width;
            if (!reducer) {
                CompositeRow(pixels, out.Row(static_cast<int>(row + y)), width);
                continue;
            }
            if (flipColumns)
                std::reverse(pixels, pixels + width);
            CompositeRow(pixels, reducedRow.data(), width);
            const uint32_t target = flipRows ? height - 1 - (row + y) : row + y;
            reducer->Add(static_cast<int>(target), reducedRow.data(), static_cast<int>(width));
        }
        if (options.progress && !options.progress(static_cast<int>(uint64_t(row + rows) * 100 / height)))
            return false;
    }
    if (reducer)
        reducer->Finish(out);
    return true;
}

} // namespace

bool LoadTiffFile(const std::string& path, Bitmap& out, const DecodeOptions& options)
{
    if (options.info)
        *options.info = {};
    SilenceLibtiff();
    return GuardedLoad(out, [&] {
        std::error_code error;
        const uint64_t fileSize = std::filesystem::file_size(path, error);
        TiffFile file(path);
        return !error && file.tiff && Decode(file.tiff, fileSize, out, options);
    });
}

} // namespace imaging
