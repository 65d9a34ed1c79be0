#pragma once
// A small writer of TIFF structures and JPEG files for metadata fixtures:
// directories with entries of any type in either byte order, Exif, GPS and
// thumbnail directories, and JPEG files with APP0/APP1/APP2/APP13/COM segments.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace exiftest {

using Bytes = std::vector<uint8_t>;

struct Entry {
    uint16_t tag = 0;
    uint16_t type = 0;
    uint32_t count = 0;
    Bytes data; // the value in the file's byte order (padded into the entry when <= 4 bytes)
    bool rawField = false; // write `field` as the value/offset field instead of placing `data`
    uint32_t field = 0;
};

// One directory: entries are written in the order they were added.
class Ifd {
public:
    explicit Ifd(bool littleEndian = true)
        : little_(littleEndian)
    {
    }
    Ifd& Add(uint16_t tag, uint16_t type, uint32_t count, Bytes data);
    Ifd& Byte(uint16_t tag, const Bytes& values);
    Ifd& Ascii(uint16_t tag, const std::string& text, bool terminate = true);
    Ifd& Short(uint16_t tag, const std::vector<uint16_t>& values);
    Ifd& Long(uint16_t tag, const std::vector<uint32_t>& values);
    Ifd& Rational(uint16_t tag, const std::vector<std::pair<uint32_t, uint32_t>>& values);
    Ifd& SRational(uint16_t tag, const std::vector<std::pair<int32_t, int32_t>>& values);
    Ifd& Double(uint16_t tag, const std::vector<double>& values);
    Ifd& Undefined(uint16_t tag, const Bytes& data);
    // An entry with the value field written as given (counts and offsets that lie).
    Ifd& Raw(uint16_t tag, uint16_t type, uint32_t count, uint32_t field);

    std::vector<Entry> entries;

private:
    friend class TiffBuilder;
    Bytes U16(uint16_t v) const;
    Bytes U32(uint32_t v) const;
    bool little_;
};

struct BuiltTiff {
    Bytes bytes;
    // Offsets (from the TIFF header) of entry values placed outside their entries: {directory, tag}.
    // Directories: 0 IFD0, 1 Exif, 2 GPS, 3 IFD1.
    std::map<std::pair<int, uint16_t>, uint32_t> valueOffsets;
    uint32_t exifOffset = 0, gpsOffset = 0, ifd1Offset = 0, thumbnailOffset = 0;
};

// A TIFF structure: header, IFD0 and optional Exif, GPS and IFD1 directories.
// Pointer tags (34665, 34853) and the IFD1 link are added when those parts exist;
// a JPEG thumbnail adds tags 259, 513 and 514 to IFD1.
class TiffBuilder {
public:
    explicit TiffBuilder(bool littleEndian = true)
        : ifd0(littleEndian)
        , exif(littleEndian)
        , gps(littleEndian)
        , ifd1(littleEndian)
        , little_(littleEndian)
    {
    }
    bool LittleEndian() const { return little_; }
    BuiltTiff Build() const;

    Ifd ifd0;
    Ifd exif;
    Ifd gps;
    Ifd ifd1;
    bool withExif = false;
    bool withGps = false;
    bool withIfd1 = false;
    Bytes thumbnailJpeg; // placed after the directories and pointed to from IFD1
    std::string magic; // two bytes written after the byte-order mark instead of 42 (e.g. "RO")

private:
    bool little_;
};

// JPEG files: SOI, the segments in order, a baseline frame header of the given size, EOI.
class JpegBuilder {
public:
    JpegBuilder& Segment(uint16_t marker, const Bytes& payload);
    JpegBuilder& Jfif();
    JpegBuilder& Exif(const Bytes& tiff);
    JpegBuilder& Icc(const Bytes& profile);
    // One APP2 piece of a profile split over `count` segments (sequence from 1).
    JpegBuilder& IccPart(const Bytes& piece, uint8_t sequence, uint8_t count);
    JpegBuilder& Comment(const std::string& text);
    JpegBuilder& Photoshop(const Bytes& resources);
    JpegBuilder& Frame(int width, int height);
    Bytes Build() const;
    // File offset of the data of segment `index` (just behind its length field).
    size_t SegmentDataOffset(size_t index) const;

private:
    std::vector<std::pair<uint16_t, Bytes>> segments_;
};

// A real JPEG picture of the given size (a colour gradient), for thumbnails.
Bytes EncodeJpeg(int width, int height);
// Photoshop resources holding one JFIF thumbnail resource (id 1036) with `jpeg`.
Bytes PhotoshopThumbnailResources(const Bytes& jpeg);

Bytes ToBytes(const std::string& text);

} // namespace exiftest
