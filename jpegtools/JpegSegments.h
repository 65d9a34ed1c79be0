#pragma once
// The marker structure of a JPEG file up to its image data: every marker is
// checked to begin with 0xFF (fill bytes 0xFF before a code are allowed) and
// every segment length is checked against the size of the file.

#include <cstdint>
#include <string>
#include <vector>

#include "metadata/FileReader.h"

namespace jpegtools {

struct JpegSegment {
    uint64_t offset = 0; // of the marker's 0xFF byte (the last one when fill bytes precede it)
    uint8_t code = 0; // the byte after 0xFF
    uint32_t length = 0; // the length field (counts itself); 0 for markers without one
    uint64_t dataOffset = 0; // just behind the length field
    std::string identifier; // APPn: the text the data begin with; others: the marker's name
    uint64_t End() const { return dataOffset + (length >= 2 ? length - 2 : 0); }
};

struct SegmentWalk {
    std::vector<JpegSegment> segments; // after SOI, up to and including SOS (or EOI)
    bool reachedScan = false; // the last segment is SOS; the image data follow its header
    std::string error; // empty when the structure is sound
    bool Ok() const { return error.empty(); }
};

// Walks from SOI to the first SOS (or EOI). maxSegments 0 means no limit;
// otherwise a file whose image data do not begin within that many segments fails.
SegmentWalk WalkSegments(metadata::FileReader& reader, size_t maxSegments = 0);

// True for the markers that stand alone (SOI, EOI, RST0..RST7, TEM).
bool IsStandalone(uint8_t code);
// "SOF0", "DHT", "APP1", "COM" ...
std::string MarkerName(uint8_t code);
// True when an APP2 segment holds a piece of an ICC profile.
bool IsIccSegment(metadata::FileReader& reader, const JpegSegment& segment);
// True when an APP0 segment is a JFIF header.
bool IsJfifSegment(const JpegSegment& segment);

inline constexpr uint8_t kSOI = 0xD8, kEOI = 0xD9, kSOS = 0xDA, kAPP0 = 0xE0, kAPP1 = 0xE1, kAPP2 = 0xE2, kCOM = 0xFE;

} // namespace jpegtools
