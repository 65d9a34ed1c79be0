#include "jpegtools/ExifAfterTurn.h"

#include <cstring>
#include <optional>
#include <string>

#include "jpegtools/JpegSegments.h"
#include "jpegtools/LosslessTransform.h"

namespace jpegtools {

namespace {

constexpr uint16_t kOrientation = 274, kExifPointer = 34665, kThumbOffset = 513, kThumbLength = 514, kPixelX = 40962,
                   kPixelY = 40963;
constexpr uint16_t kShort = 3, kLong = 4;

// The TIFF block inside the Exif segment, with bounds-checked reads and writes.
struct Tiff {
    std::vector<uint8_t>& file;
    size_t base = 0; // file offset of the TIFF header
    size_t size = 0;
    bool little = true;

    bool Inside(uint64_t off, uint64_t n) const { return off <= size && n <= size - off; }
    std::optional<uint32_t> Get(uint64_t off, int bytes) const
    {
        if (!Inside(off, static_cast<uint64_t>(bytes)))
            return std::nullopt;
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i) {
            const uint8_t b = file[base + off + (little ? bytes - 1 - i : i)];
            v = v << 8 | b;
        }
        return v;
    }
    bool Put(uint64_t off, int bytes, uint32_t v)
    {
        if (!Inside(off, static_cast<uint64_t>(bytes)))
            return false;
        for (int i = 0; i < bytes; ++i) {
            const uint8_t b = static_cast<uint8_t>(v >> (8 * i));
            file[base + off + (little ? i : bytes - 1 - i)] = b;
        }
        return true;
    }
};

// One directory entry: the offset of its 12 bytes and its type.
struct EntryAt {
    uint64_t offset = 0;
    uint16_t type = 0;
};

struct Directory {
    std::optional<EntryAt> Find(uint16_t tag) const
    {
        for (const auto& [t, e] : entries)
            if (t == tag)
                return e;
        return std::nullopt;
    }
    std::vector<std::pair<uint16_t, EntryAt>> entries;
    uint32_t next = 0;
};

std::optional<Directory> ReadDirectory(const Tiff& tiff, uint32_t at)
{
    const auto count = tiff.Get(at, 2);
    if (!count || !tiff.Inside(at, 2 + 12ull * *count + 4))
        return std::nullopt;
    Directory d;
    for (uint32_t i = 0; i < *count; ++i) {
        const uint64_t e = at + 2 + 12ull * i;
        d.entries.push_back(
            { static_cast<uint16_t>(*tiff.Get(e, 2)), { e, static_cast<uint16_t>(*tiff.Get(e + 2, 2)) } });
    }
    d.next = *tiff.Get(at + 2 + 12ull * *count, 4);
    return d;
}

// A SHORT or LONG value held in the entry itself.
std::optional<uint32_t> Value(const Tiff& tiff, const EntryAt& e)
{
    if (e.type == kShort)
        return tiff.Get(e.offset + 8, 2);
    if (e.type == kLong)
        return tiff.Get(e.offset + 8, 4);
    return std::nullopt;
}

bool SetValue(Tiff& tiff, const EntryAt& e, uint32_t v)
{
    if (e.type == kShort)
        return v <= 0xFFFF && tiff.Put(e.offset + 8, 2, v);
    return e.type == kLong && tiff.Put(e.offset + 8, 4, v);
}

void AlignPixelDimensions(Tiff& tiff, const Directory& exif, int code, const TurnSizes& sizes)
{
    const auto xe = exif.Find(kPixelX), ye = exif.Find(kPixelY);
    if (!xe || !ye)
        return;
    const auto x = Value(tiff, *xe), y = Value(tiff, *ye);
    if (!x || !y)
        return;
    const uint32_t w = static_cast<uint32_t>(sizes.width), h = static_cast<uint32_t>(sizes.height);
    // The transform library itself already writes the new size when it finds the tags.
    if (*x == w && *y == h)
        return;
    uint32_t nx = code == 2 ? *x : *y, ny = code == 2 ? *y : *x;
    // Values that described the picture itself follow it exactly, edge trimming included.
    if (*x == static_cast<uint32_t>(sizes.sourceWidth) && *y == static_cast<uint32_t>(sizes.sourceHeight)) {
        nx = w;
        ny = h;
    }
    SetValue(tiff, *xe, nx);
    SetValue(tiff, *ye, ny);
}

// Turns the IFD1 thumbnail and puts it back: where it was when it fits or is
// the last thing in the segment, otherwise behind the Exif data.
void TurnThumbnail(Tiff& tiff, const JpegSegment& app1, const Directory& ifd1, int code)
{
    const auto offE = ifd1.Find(kThumbOffset), lenE = ifd1.Find(kThumbLength);
    if (!offE || !lenE)
        return;
    const auto off = Value(tiff, *offE), len = Value(tiff, *lenE);
    if (!off || !len || *len == 0 || !tiff.Inside(*off, *len))
        return;
    TurnedJpeg turned;
    std::string error;
    if (!TurnJpegStream(tiff.file.data() + tiff.base + *off, *len, code, false, turned, error))
        return; // a thumbnail that cannot be read is left as it was
    const std::vector<uint8_t>& t = turned.bytes;
    const size_t segmentLengthPos = app1.offset + 2;
    const auto resize = [&](size_t at, size_t oldSize, size_t newSize) {
        const size_t newLength = app1.length - oldSize + newSize;
        if (newLength > 0xFFFF)
            return false;
        std::vector<uint8_t>& f = tiff.file;
        if (newSize > oldSize)
            f.insert(f.begin() + static_cast<ptrdiff_t>(at + oldSize), newSize - oldSize, 0);
        else
            f.erase(f.begin() + static_cast<ptrdiff_t>(at + newSize), f.begin() + static_cast<ptrdiff_t>(at + oldSize));
        f[segmentLengthPos] = static_cast<uint8_t>(newLength >> 8);
        f[segmentLengthPos + 1] = static_cast<uint8_t>(newLength);
        tiff.size = tiff.size - oldSize + newSize;
        return true;
    };
    uint32_t place = *off;
    if (*off + *len == tiff.size) {
        if (!resize(tiff.base + *off, *len, t.size()))
            return;
    } else if (t.size() <= *len) {
        std::memset(tiff.file.data() + tiff.base + *off, 0, *len);
    } else {
        place = static_cast<uint32_t>(tiff.size);
        if (!resize(tiff.base + tiff.size, 0, t.size()))
            return;
    }
    std::memcpy(tiff.file.data() + tiff.base + place, t.data(), t.size());
    SetValue(tiff, *offE, place);
    SetValue(tiff, *lenE, static_cast<uint32_t>(t.size()));
}

} // namespace

void AlignExifWithTurn(std::vector<uint8_t>& jpeg, int code, const TurnSizes& sizes)
{
    std::optional<JpegSegment> app1;
    {
        metadata::FileReader reader(jpeg.data(), jpeg.size());
        const SegmentWalk walk = WalkSegments(reader);
        for (const JpegSegment& s : walk.segments)
            if (s.code == kAPP1 && s.identifier == "Exif" && s.length >= 2 + 6 + 8
                && std::memcmp(jpeg.data() + s.dataOffset, "Exif\0\0", 6) == 0) {
                app1 = s;
                break;
            }
    }
    if (!app1)
        return;
    Tiff tiff { jpeg, static_cast<size_t>(app1->dataOffset + 6), app1->length - 2u - 6u, true };
    const uint8_t* h = jpeg.data() + tiff.base;
    if (h[0] == 'I' && h[1] == 'I')
        tiff.little = true;
    else if (h[0] == 'M' && h[1] == 'M')
        tiff.little = false;
    else
        return;
    const auto ifd0At = tiff.Get(4, 4);
    const auto ifd0 = ifd0At ? ReadDirectory(tiff, *ifd0At) : std::nullopt;
    if (!ifd0)
        return;
    if (const auto e = ifd0->Find(kOrientation))
        SetValue(tiff, *e, 1);
    if (const auto e = ifd0->Find(kExifPointer)) {
        const auto at = Value(tiff, *e);
        if (const auto exif = at ? ReadDirectory(tiff, *at) : std::nullopt)
            AlignPixelDimensions(tiff, *exif, code, sizes);
    }
    if (ifd0->next != 0)
        if (const auto ifd1 = ReadDirectory(tiff, ifd0->next))
            TurnThumbnail(tiff, *app1, *ifd1, code);
}

} // namespace jpegtools
