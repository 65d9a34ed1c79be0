#include "jpegtools/JpegSegments.h"

#include <cstdio>
#include <cstring>

namespace jpegtools {

bool IsStandalone(uint8_t code)
{
    return code == 0x01 || (code >= 0xD0 && code <= 0xD9);
}

std::string MarkerName(uint8_t code)
{
    if (code >= 0xE0 && code <= 0xEF)
        return "APP" + std::to_string(code - 0xE0);
    if (code >= 0xD0 && code <= 0xD7)
        return "RST" + std::to_string(code - 0xD0);
    if (code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC)
        return "SOF" + std::to_string(code - 0xC0);
    switch (code) {
    case 0xC4:
        return "DHT";
    case 0xCC:
        return "DAC";
    case kSOI:
        return "SOI";
    case kEOI:
        return "EOI";
    case kSOS:
        return "SOS";
    case 0xDB:
        return "DQT";
    case 0xDD:
        return "DRI";
    case kCOM:
        return "COM";
    }
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", code);
    return buffer;
}

namespace {

// The printable text an APPn segment begins with, up to its terminating zero.
std::string AppIdentifier(metadata::FileReader& reader, const JpegSegment& s)
{
    char buffer[40] = {};
    const size_t available = s.length >= 2 ? s.length - 2 : 0;
    const size_t n = available < sizeof buffer ? available : sizeof buffer;
    if (!reader.ReadAt(s.dataOffset, buffer, n))
        return std::string();
    std::string text;
    for (size_t i = 0; i < n && buffer[i] != 0; ++i) {
        const unsigned char c = static_cast<unsigned char>(buffer[i]);
        if (c < 0x20 || c > 0x7E)
            return text;
        text += buffer[i];
    }
    return text;
}

std::string At(const char* what, uint64_t offset)
{
    return std::string(what) + " at offset " + std::to_string(offset);
}

} // namespace

SegmentWalk WalkSegments(metadata::FileReader& reader, size_t maxSegments)
{
    SegmentWalk walk;
    uint8_t soi[2] = {};
    if (!reader.ReadAt(0, soi, 2) || soi[0] != 0xFF || soi[1] != kSOI) {
        walk.error = "not a JPEG file (no start-of-image marker)";
        return walk;
    }
    uint64_t pos = 2;
    while (true) {
        if (maxSegments != 0 && walk.segments.size() >= maxSegments) {
            walk.error = "the image data do not begin within " + std::to_string(maxSegments) + " segments";
            return walk;
        }
        uint8_t byte = 0;
        if (!reader.ReadAt(pos, &byte, 1)) {
            walk.error = "the file ends before its image data";
            return walk;
        }
        if (byte != 0xFF) {
            walk.error = At("no marker", pos);
            return walk;
        }
        // Any number of 0xFF fill bytes may stand before the marker code.
        uint8_t code = 0xFF;
        uint64_t markerPos = pos;
        while (code == 0xFF) {
            if (!reader.ReadAt(pos + 1, &code, 1)) {
                walk.error = "the file ends before its image data";
                return walk;
            }
            markerPos = pos;
            ++pos;
        }
        ++pos; // behind the code
        if (code == 0x00 || code == kSOI) {
            walk.error = At("an invalid marker", markerPos);
            return walk;
        }
        JpegSegment s;
        s.offset = markerPos;
        s.code = code;
        s.dataOffset = pos;
        if (IsStandalone(code)) {
            s.identifier = MarkerName(code);
            walk.segments.push_back(s);
            if (code == kEOI)
                return walk;
            continue;
        }
        uint8_t len[2];
        if (!reader.ReadAt(pos, len, 2)) {
            walk.error = At("a segment length past the end of the file", pos);
            return walk;
        }
        s.length = static_cast<uint32_t>(len[0] << 8 | len[1]);
        s.dataOffset = pos + 2;
        if (s.length < 2 || !reader.Contains(s.dataOffset, s.length - 2)) {
            walk.error = At(
                s.length < 2 ? "a segment length below 2" : "a segment running past the end of the file", markerPos);
            return walk;
        }
        s.identifier = (code >= 0xE0 && code <= 0xEF) ? AppIdentifier(reader, s) : MarkerName(code);
        walk.segments.push_back(s);
        pos = s.End();
        if (code == kSOS) {
            walk.reachedScan = true;
            return walk;
        }
    }
}

bool IsIccSegment(metadata::FileReader& reader, const JpegSegment& segment)
{
    if (segment.code != kAPP2 || segment.length < 2 + 12)
        return false;
    char id[12];
    return reader.ReadAt(segment.dataOffset, id, 12) && std::memcmp(id, "ICC_PROFILE", 12) == 0;
}

bool IsJfifSegment(const JpegSegment& segment)
{
    return segment.code == kAPP0 && segment.identifier == "JFIF" && segment.length >= 2 + 5;
}

} // namespace jpegtools
