#include "metadata/ExifBuilder.h"

#include <cstring>
#include <stdexcept>

#include "imaging/JpegEncode.h"

namespace exiftest {

Bytes ToBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Ifd::U16(uint16_t v) const
{
    return little_ ? Bytes { uint8_t(v), uint8_t(v >> 8) } : Bytes { uint8_t(v >> 8), uint8_t(v) };
}

Bytes Ifd::U32(uint32_t v) const
{
    return little_ ? Bytes { uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24) }
                   : Bytes { uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v) };
}

Ifd& Ifd::Add(uint16_t tag, uint16_t type, uint32_t count, Bytes data)
{
    Entry e;
    e.tag = tag;
    e.type = type;
    e.count = count;
    e.data = std::move(data);
    entries.push_back(std::move(e));
    return *this;
}

Ifd& Ifd::Byte(uint16_t tag, const Bytes& values)
{
    return Add(tag, 1, static_cast<uint32_t>(values.size()), values);
}

Ifd& Ifd::Ascii(uint16_t tag, const std::string& text, bool terminate)
{
    Bytes data = ToBytes(text);
    if (terminate)
        data.push_back(0);
    return Add(tag, 2, static_cast<uint32_t>(data.size()), data);
}

namespace {
void Append(Bytes& to, const Bytes& more)
{
    to.insert(to.end(), more.begin(), more.end());
}
} // namespace

Ifd& Ifd::Short(uint16_t tag, const std::vector<uint16_t>& values)
{
    Bytes data;
    for (uint16_t v : values)
        Append(data, U16(v));
    return Add(tag, 3, static_cast<uint32_t>(values.size()), data);
}

Ifd& Ifd::Long(uint16_t tag, const std::vector<uint32_t>& values)
{
    Bytes data;
    for (uint32_t v : values)
        Append(data, U32(v));
    return Add(tag, 4, static_cast<uint32_t>(values.size()), data);
}

Ifd& Ifd::Rational(uint16_t tag, const std::vector<std::pair<uint32_t, uint32_t>>& values)
{
    Bytes data;
    for (auto [n, d] : values) {
        Append(data, U32(n));
        Append(data, U32(d));
    }
    return Add(tag, 5, static_cast<uint32_t>(values.size()), data);
}

Ifd& Ifd::SRational(uint16_t tag, const std::vector<std::pair<int32_t, int32_t>>& values)
{
    std::vector<std::pair<uint32_t, uint32_t>> raw;
    for (auto [n, d] : values)
        raw.emplace_back(static_cast<uint32_t>(n), static_cast<uint32_t>(d));
    Rational(tag, raw);
    entries.back().type = 10;
    return *this;
}

Ifd& Ifd::Double(uint16_t tag, const std::vector<double>& values)
{
    Bytes data;
    for (double v : values) {
        uint64_t bits;
        std::memcpy(&bits, &v, 8);
        for (int i = 0; i < 8; ++i)
            data.push_back(uint8_t(bits >> (little_ ? 8 * i : 56 - 8 * i)));
    }
    return Add(tag, 12, static_cast<uint32_t>(values.size()), data);
}

Ifd& Ifd::Undefined(uint16_t tag, const Bytes& data)
{
    return Add(tag, 7, static_cast<uint32_t>(data.size()), data);
}

Ifd& Ifd::Raw(uint16_t tag, uint16_t type, uint32_t count, uint32_t field)
{
    Entry e;
    e.tag = tag;
    e.type = type;
    e.count = count;
    e.rawField = true;
    e.field = field;
    entries.push_back(std::move(e));
    return *this;
}

namespace {

struct Writer {
    bool little;
    Bytes out;
    void U16At(size_t pos, uint16_t v)
    {
        out[pos] = little ? uint8_t(v) : uint8_t(v >> 8);
        out[pos + 1] = little ? uint8_t(v >> 8) : uint8_t(v);
    }
    void U32At(size_t pos, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out[pos + i] = uint8_t(v >> (little ? 8 * i : 24 - 8 * i));
    }
    // Writes a directory at the end of `out`; values that do not fit follow it.
    // Returns the position of the next-directory link.
    size_t Directory(const std::vector<Entry>& entries, int index, BuiltTiff& built)
    {
        const size_t start = out.size();
        out.resize(start + 2 + 12 * entries.size() + 4, 0);
        U16At(start, static_cast<uint16_t>(entries.size()));
        for (size_t i = 0; i < entries.size(); ++i) {
            const Entry& e = entries[i];
            const size_t p = start + 2 + 12 * i;
            U16At(p, e.tag);
            U16At(p + 2, e.type);
            U32At(p + 4, e.count);
            if (e.rawField) {
                U32At(p + 8, e.field);
            } else if (e.data.size() <= 4) {
                std::copy(e.data.begin(), e.data.end(), out.begin() + static_cast<long>(p + 8));
            } else {
                if (out.size() % 2)
                    out.push_back(0);
                const uint32_t offset = static_cast<uint32_t>(out.size());
                out.insert(out.end(), e.data.begin(), e.data.end());
                U32At(p + 8, offset);
                built.valueOffsets[{ index, e.tag }] = offset;
            }
        }
        if (out.size() % 2)
            out.push_back(0);
        return start + 2 + 12 * entries.size();
    }
};

// Replaces the value field of entry `tag` in the directory that starts at `start`.
void PatchField(Writer& w, size_t start, const std::vector<Entry>& entries, uint16_t tag, uint32_t value)
{
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].tag == tag && entries[i].rawField)
            w.U32At(start + 2 + 12 * i + 8, value);
}

} // namespace

BuiltTiff TiffBuilder::Build() const
{
    BuiltTiff built;
    Writer w { little_, {} };
    w.out = little_ ? ToBytes("II") : ToBytes("MM");
    w.out.resize(8, 0);
    if (magic.size() == 2) {
        w.out[2] = static_cast<uint8_t>(magic[0]);
        w.out[3] = static_cast<uint8_t>(magic[1]);
    } else {
        w.U16At(2, 42);
    }
    w.U32At(4, 8);

    std::vector<Entry> ifd0Entries = ifd0.entries;
    if (withExif)
        ifd0Entries.push_back(Entry { 34665, 4, 1, {}, true, 0 });
    if (withGps)
        ifd0Entries.push_back(Entry { 34853, 4, 1, {}, true, 0 });
    const size_t link0 = w.Directory(ifd0Entries, 0, built);
    if (withExif) {
        built.exifOffset = static_cast<uint32_t>(w.out.size());
        PatchField(w, 8, ifd0Entries, 34665, built.exifOffset);
        w.Directory(exif.entries, 1, built);
    }
    if (withGps) {
        built.gpsOffset = static_cast<uint32_t>(w.out.size());
        PatchField(w, 8, ifd0Entries, 34853, built.gpsOffset);
        w.Directory(gps.entries, 2, built);
    }
    if (withIfd1 || !thumbnailJpeg.empty()) {
        built.ifd1Offset = static_cast<uint32_t>(w.out.size());
        w.U32At(link0, built.ifd1Offset);
        std::vector<Entry> ifd1Entries = ifd1.entries;
        if (!thumbnailJpeg.empty()) {
            Ifd extra(little_);
            extra.Short(259, { 6 });
            ifd1Entries.push_back(extra.entries[0]);
            ifd1Entries.push_back(Entry { 513, 4, 1, {}, true, 0 });
            ifd1Entries.push_back(Entry { 514, 4, 1, {}, true, static_cast<uint32_t>(thumbnailJpeg.size()) });
        }
        const size_t start = w.out.size();
        w.Directory(ifd1Entries, 3, built);
        if (!thumbnailJpeg.empty()) {
            built.thumbnailOffset = static_cast<uint32_t>(w.out.size());
            PatchField(w, start, ifd1Entries, 513, built.thumbnailOffset);
            w.out.insert(w.out.end(), thumbnailJpeg.begin(), thumbnailJpeg.end());
        }
    }
    built.bytes = std::move(w.out);
    return built;
}

JpegBuilder& JpegBuilder::Segment(uint16_t marker, const Bytes& payload)
{
    segments_.emplace_back(marker, payload);
    return *this;
}

JpegBuilder& JpegBuilder::Jfif()
{
    return Segment(0xFFE0, Bytes { 'J', 'F', 'I', 'F', 0, 1, 2, 0, 0, 1, 0, 1, 0, 0 });
}

JpegBuilder& JpegBuilder::Exif(const Bytes& tiff)
{
    Bytes payload = { 'E', 'x', 'i', 'f', 0, 0 };
    payload.insert(payload.end(), tiff.begin(), tiff.end());
    return Segment(0xFFE1, payload);
}

JpegBuilder& JpegBuilder::Icc(const Bytes& profile)
{
    return IccPart(profile, 1, 1);
}

JpegBuilder& JpegBuilder::IccPart(const Bytes& piece, uint8_t sequence, uint8_t count)
{
    Bytes payload = ToBytes("ICC_PROFILE");
    payload.push_back(0);
    payload.push_back(sequence);
    payload.push_back(count);
    payload.insert(payload.end(), piece.begin(), piece.end());
    return Segment(0xFFE2, payload);
}

JpegBuilder& JpegBuilder::Comment(const std::string& text)
{
    return Segment(0xFFFE, ToBytes(text));
}

JpegBuilder& JpegBuilder::Photoshop(const Bytes& resources)
{
    Bytes payload = ToBytes("Photoshop 3.0");
    payload.push_back(0);
    payload.insert(payload.end(), resources.begin(), resources.end());
    return Segment(0xFFED, payload);
}

JpegBuilder& JpegBuilder::Frame(int width, int height)
{
    return Segment(0xFFC0,
        Bytes { 8, uint8_t(height >> 8), uint8_t(height), uint8_t(width >> 8), uint8_t(width), 3, 1, 0x22, 0, 2, 0x11,
            1, 3, 0x11, 1 });
}

size_t JpegBuilder::SegmentDataOffset(size_t index) const
{
    size_t pos = 2;
    for (size_t i = 0; i < index; ++i)
        pos += 4 + segments_[i].second.size();
    return pos + 4;
}

Bytes JpegBuilder::Build() const
{
    Bytes out = { 0xFF, 0xD8 };
    for (const auto& [marker, payload] : segments_) {
        const size_t length = payload.size() + 2;
        out.push_back(uint8_t(marker >> 8));
        out.push_back(uint8_t(marker));
        out.push_back(uint8_t(length >> 8));
        out.push_back(uint8_t(length));
        out.insert(out.end(), payload.begin(), payload.end());
    }
    out.push_back(0xFF);
    out.push_back(0xD9);
    return out;
}

Bytes EncodeJpeg(int width, int height)
{
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            p[0] = uint8_t(x * 255 / std::max(1, width - 1));
            p[1] = uint8_t(y * 255 / std::max(1, height - 1));
            p[2] = 128;
        }
    Bytes out;
    const size_t stride = static_cast<size_t>(width) * 3;
    if (!imaging::EncodeJpeg({ rgb.data(), width, height, stride, imaging::JpegLayout::Rgb }, {}, out))
        throw std::runtime_error("cannot encode the test JPEG");
    return out;
}

Bytes PhotoshopThumbnailResources(const Bytes& jpeg)
{
    const auto be32 = [](Bytes& b, uint32_t v) {
        for (int i = 3; i >= 0; --i)
            b.push_back(uint8_t(v >> (8 * i)));
    };
    Bytes out;
    // One unrelated resource first (id 1005, resolution info, 16 bytes).
    out.insert(out.end(), { '8', 'B', 'I', 'M', 0x03, 0xED, 0, 0 });
    be32(out, 16);
    out.resize(out.size() + 16, 0);
    // The thumbnail resource: format 1 (JFIF) and a 28-byte header before the JPEG data.
    out.insert(out.end(), { '8', 'B', 'I', 'M', 0x04, 0x0C, 0, 0 });
    be32(out, static_cast<uint32_t>(28 + jpeg.size()));
    be32(out, 1);
    out.resize(out.size() + 24, 0);
    out.insert(out.end(), jpeg.begin(), jpeg.end());
    if (out.size() % 2)
        out.push_back(0);
    return out;
}

} // namespace exiftest
