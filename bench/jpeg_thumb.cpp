// jpeg_thumb FILE: decodes a JPEG at the reduced scale for a 160 × 120 box,
// fits it into the box and writes the thumbnail as a BMP file to stdout.
// Measured against `djpeg -scale 1/8 -bmp FILE` by jpeg_thumb.sh.

#include <cstdio>

#include "imaging/ImageIO.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: jpeg_thumb FILE\n");
        return 2;
    }
    constexpr int kBoxWidth = 160, kBoxHeight = 120;
    imaging::Bitmap picture;
    if (!imaging::LoadJpegFile(argv[1], picture, { kBoxWidth, kBoxHeight, {}, nullptr })) {
        std::fprintf(stderr, "jpeg_thumb: cannot decode %s\n", argv[1]);
        return 1;
    }
    const imaging::Rect fit = imaging::FitRect(picture.Width(), picture.Height(), kBoxWidth, kBoxHeight);
    imaging::Bitmap thumbnail(fit.Width(), fit.Height());
    imaging::StretchDraw(picture, thumbnail, fit);
    const auto bmp = imaging::EncodeBmp(thumbnail);
    return std::fwrite(bmp.data(), 1, bmp.size(), stdout) == bmp.size() ? 0 : 1;
}
