#include "imaging/LoadPicture.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "imaging/TurboDecode.h"
#include "platform/PathName.h"

namespace imaging {

PictureFormat SniffPictureFormat(const uint8_t* head, size_t size)
{
    const auto starts = [&](const char* magic, size_t n) { return size >= n && std::memcmp(head, magic, n) == 0; };
    if (starts("\xFF\xD8", 2))
        return PictureFormat::Jpeg;
    if (starts("\x89PNG\r\n\x1A\n", 8))
        return PictureFormat::Png;
    if (starts("II*\0", 4) || starts("MM\0*", 4) || starts("IIRO", 4) || starts("IIRS", 4))
        return PictureFormat::Tiff;
    if (starts("BM", 2))
        return PictureFormat::Bmp;
    if (starts("\x0A", 1))
        return PictureFormat::Pcx;
    return PictureFormat::Unknown;
}

PictureFormat SniffPictureFile(const std::string& path)
{
    uint8_t head[8] = {};
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return PictureFormat::Unknown;
    const size_t size = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    return SniffPictureFormat(head, size);
}

PictureFormat PictureFormatOfExtension(const std::string& ext)
{
    if (ext == ".jpg" || ext == ".jpeg")
        return PictureFormat::Jpeg;
    if (ext == ".png")
        return PictureFormat::Png;
    if (ext == ".bmp")
        return PictureFormat::Bmp;
    if (ext == ".pcx")
        return PictureFormat::Pcx;
    if (ext == ".tif" || ext == ".tiff" || ext == ".nef" || ext == ".nsk" || ext == ".orf")
        return PictureFormat::Tiff;
    return PictureFormat::Unknown;
}

namespace {

bool Decode(PictureFormat format, const std::string& path, Bitmap& out, const PictureLoadOptions& options)
{
    DecodeOptions decode;
    decode.targetWidth = options.boxWidth;
    decode.targetHeight = options.boxHeight;
    decode.progress = options.progress;
    decode.info = options.info;
    if (options.reduce) {
        decode.reduceWidth = options.boxWidth;
        decode.reduceHeight = options.boxHeight;
    }
    switch (format) {
    case PictureFormat::Jpeg:
        if (options.fastJpeg)
            return DecodeJpegWithIjl(out, path);
        return LoadJpegFile(path, out, decode);
    case PictureFormat::Png:
        return LoadPngFile(path, out, decode);
    case PictureFormat::Tiff:
        return LoadTiffFile(path, out, decode);
    case PictureFormat::Bmp:
        return LoadBmpFile(path, out);
    case PictureFormat::Pcx:
        return LoadPcxFile(path, out);
    case PictureFormat::Unknown:
        break;
    }
    return false;
}

} // namespace

bool LoadPicture(const std::string& path, Bitmap& out, const PictureLoadOptions& options, std::string* error)
{
    out = Bitmap();
    const auto fail = [&](const char* text) {
        out = Bitmap();
        if (error)
            *error = text;
        return false;
    };
    // One look at the file: whether it opens, and its first bytes.
    uint8_t head[8] = {};
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return fail("ファイルを開けません");
    const size_t headSize = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    const PictureFormat format = options.byExtension ? PictureFormatOfExtension(platform::LowerExtensionOf(path))
                                                     : SniffPictureFormat(head, headSize);
    if (options.format)
        *options.format = format;
    if (format == PictureFormat::Unknown)
        return fail("対応していない画像形式です");
    try {
        if (!Decode(format, path, out, options) || out.Empty())
            return fail("画像を読み込めません");
    } catch (const std::bad_alloc&) {
        return fail("画像を読み込むメモリが足りません");
    } catch (const std::exception&) {
        return fail("画像を読み込めません");
    }
    return true;
}

} // namespace imaging
