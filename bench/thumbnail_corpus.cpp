// Writes the thumbnail benchmark's corpus: COUNT camera-like JPEG files of
// WIDTH × HEIGHT into DIR, each with an Exif segment (big-endian TIFF, as many
// cameras write it) whose IFD1 holds a 160 × 120 JPEG thumbnail, or without
// any Exif segment when --no-thumbnail is given.
//   thumbnail_corpus DIR COUNT [--no-thumbnail] [--size WIDTH HEIGHT]
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "imaging/JpegEncode.h"

namespace {

// A picture with smooth light, a few shapes and sensor-like noise, so that it
// compresses like a photograph rather than like a flat test card.
void Scene(int width, int height, int seed, int y, uint8_t* row)
{
    uint32_t noise = static_cast<uint32_t>(seed * 7919 + y * 104729);
    for (int x = 0; x < width; ++x) {
        noise = noise * 1664525u + 1013904223u;
        const int n = static_cast<int>((noise >> 24) & 15) - 8;
        const double u = static_cast<double>(x) / width, v = static_cast<double>(y) / height;
        const double wave = std::sin(u * 12.0 + seed) * std::cos(v * 9.0 - seed * 0.5);
        const bool disc = (u - 0.6) * (u - 0.6) + (v - 0.4) * (v - 0.4) < 0.04;
        int r = static_cast<int>(120 + 80 * wave + 60 * u) + n;
        int g = static_cast<int>(disc ? 200 : 90 + 70 * v) + n;
        int b = static_cast<int>(100 + 50 * std::sin(v * 20.0)) + n;
        row[x * 3] = static_cast<uint8_t>(std::clamp(r, 0, 255));
        row[x * 3 + 1] = static_cast<uint8_t>(std::clamp(g, 0, 255));
        row[x * 3 + 2] = static_cast<uint8_t>(std::clamp(b, 0, 255));
    }
}

// The scene as a JPEG without a JFIF header, as cameras write it, with the
// given segments right after SOI.
std::vector<uint8_t> Encode(int width, int height, int seed, int quality, std::vector<imaging::JpegMarker> markers = {})
{
    const size_t stride = static_cast<size_t>(width) * 3;
    std::vector<uint8_t> pixels(stride * height);
    // The thumbnail is the same scene at its own size.
    for (int y = 0; y < height; ++y)
        Scene(width, height, seed, y, pixels.data() + y * stride);
    imaging::JpegEncodeOptions options;
    options.quality = quality;
    options.jfif = false;
    options.markers = std::move(markers);
    std::vector<uint8_t> out;
    if (!imaging::EncodeJpeg({ pixels.data(), width, height, stride, imaging::JpegLayout::Rgb }, options, out)) {
        std::fprintf(stderr, "cannot encode a %d x %d picture\n", width, height);
        std::exit(1);
    }
    return out;
}

struct BigEndian {
    std::vector<uint8_t> bytes;
    void U16(uint32_t v) { bytes.insert(bytes.end(), { uint8_t(v >> 8), uint8_t(v) }); }
    void U32(uint32_t v) { U16(v >> 16), U16(v & 0xFFFF); }
    // A directory entry whose value fits in its four bytes.
    void Entry(uint16_t tag, uint16_t type, uint32_t count, uint32_t value)
    {
        U16(tag), U16(type), U32(count);
        if (type == 3)
            U16(value), U16(0);
        else
            U32(value);
    }
};

// APP1 "Exif": IFD0 (orientation, Exif pointer), an Exif directory with the
// picture size, IFD1 pointing at the thumbnail that follows it.
imaging::JpegMarker ExifSegment(int width, int height, const std::vector<uint8_t>& thumb)
{
    BigEndian t;
    t.bytes = { 'M', 'M', 0, 42 };
    t.U32(8);
    const uint32_t exifIfd = 8 + 2 + 2 * 12 + 4;
    const uint32_t ifd1 = exifIfd + 2 + 3 * 12 + 4;
    const uint32_t thumbAt = ifd1 + 2 + 2 * 12 + 4;
    t.U16(2);
    t.Entry(0x0112, 3, 1, 1);
    t.Entry(0x8769, 4, 1, exifIfd);
    t.U32(ifd1);
    t.U16(3);
    t.Entry(0x9000, 7, 4, 0x30323230);
    t.Entry(0xA002, 4, 1, static_cast<uint32_t>(width));
    t.Entry(0xA003, 4, 1, static_cast<uint32_t>(height));
    t.U32(0);
    t.U16(2);
    t.Entry(0x0201, 4, 1, thumbAt);
    t.Entry(0x0202, 4, 1, static_cast<uint32_t>(thumb.size()));
    t.U32(0);
    t.bytes.insert(t.bytes.end(), thumb.begin(), thumb.end());
    imaging::JpegMarker segment { 0xE1, { 'E', 'x', 'i', 'f', 0, 0 } };
    segment.data.insert(segment.data.end(), t.bytes.begin(), t.bytes.end());
    return segment;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: thumbnail_corpus DIR COUNT [--no-thumbnail] [--size WIDTH HEIGHT]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int count = std::atoi(argv[2]);
    bool thumbnail = true;
    int width = 4000, height = 3000;
    for (int i = 3; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-thumbnail") == 0)
            thumbnail = false;
        else if (std::strcmp(argv[i], "--size") == 0 && i + 2 < argc) {
            width = std::atoi(argv[++i]);
            height = std::atoi(argv[++i]);
        }
    }
    for (int k = 0; k < count; ++k) {
        std::vector<imaging::JpegMarker> markers;
        if (thumbnail)
            markers.push_back(ExifSegment(width, height, Encode(160, 120, k, 80)));
        const std::vector<uint8_t> picture = Encode(width, height, k, 90, std::move(markers));
        char name[64];
        std::snprintf(name, sizeof name, "/IMG_%04d.JPG", k);
        FILE* f = std::fopen((dir + name).c_str(), "wb");
        if (!f || std::fwrite(picture.data(), 1, picture.size(), f) != picture.size() || std::fclose(f) != 0) {
            std::fprintf(stderr, "cannot write %s%s\n", dir.c_str(), name);
            return 1;
        }
    }
    return 0;
}
