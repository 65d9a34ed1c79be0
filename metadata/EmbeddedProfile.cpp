#include "metadata/EmbeddedProfile.h"

#include "platform/AtomicFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "metadata/FileReader.h"

namespace metadata {

namespace {

// "ICC_PROFILE\0", then the segment's sequence number (from 1) and the count of segments.
constexpr char kIccTag[] = "ICC_PROFILE";
constexpr int64_t kIccHeader = 14;

struct IccSegmentHeader {
    uint8_t sequence = 0;
    uint8_t count = 0;
};

// The numbering of an APP2 ICC segment whose profile data starts at `data`.
bool ReadIccHeader(FileReader& file, uint64_t data, IccSegmentHeader& header)
{
    uint8_t bytes[kIccHeader];
    if (data < static_cast<uint64_t>(kIccHeader) || !file.ReadAt(data - kIccHeader, bytes, sizeof bytes)
        || std::memcmp(bytes, kIccTag, sizeof kIccTag) != 0)
        return false;
    header = { bytes[12], bytes[13] };
    return true;
}

struct NumberedSegment {
    IccSegmentHeader number;
    ByteRange range;
};

// Every APP2 ICC segment of a JPEG file in file order, up to the frame.
std::vector<NumberedSegment> JpegIccSegments(FileReader& file)
{
    std::vector<NumberedSegment> found;
    uint8_t soi[2];
    if (!file.ReadAt(0, soi, 2) || soi[0] != 0xFF || soi[1] != 0xD8)
        return found;
    uint64_t pos = 2;
    while (true) {
        uint8_t header[4];
        if (!file.ReadAt(pos, header, 4) || header[0] != 0xFF)
            break;
        const uint8_t marker = header[1];
        const uint16_t length = static_cast<uint16_t>((header[2] << 8) | header[3]);
        if (marker == 0xDA || marker == 0xD9 || length < 2)
            break;
        IccSegmentHeader icc;
        const uint64_t data = pos + 4 + kIccHeader;
        if (marker == 0xE2 && length >= 2 + kIccHeader && ReadIccHeader(file, data, icc))
            found.push_back({ icc, { static_cast<int64_t>(data), length - 2 - kIccHeader } });
        pos += 2u + length;
    }
    return found;
}

bool ReadRanges(FileReader& file, const std::vector<ByteRange>& ranges, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    for (const ByteRange& r : ranges) {
        if (r.offset < 0 || r.length < 0
            || !file.Contains(static_cast<uint64_t>(r.offset), static_cast<uint64_t>(r.length)))
            return false;
        const size_t at = bytes.size();
        bytes.resize(at + static_cast<size_t>(r.length));
        if (!file.ReadAt(static_cast<uint64_t>(r.offset), bytes.data() + at, static_cast<size_t>(r.length)))
            return false;
    }
    return !bytes.empty();
}

std::vector<ByteRange> Locate(FileReader& file, int64_t offset, int64_t length)
{
    if (!file.Opened())
        return {};
    IccSegmentHeader own;
    if (offset <= 0 || !ReadIccHeader(file, static_cast<uint64_t>(offset), own) || own.count < 2)
        return { { offset, length } };
    std::vector<NumberedSegment> segments = JpegIccSegments(file);
    std::erase_if(segments, [&](const NumberedSegment& s) { return s.number.count != own.count; });
    const bool listed = std::any_of(
        segments.begin(), segments.end(), [&](const NumberedSegment& s) { return s.range.offset == offset; });
    if (!listed)
        return { { offset, length } };
    // The set the noted segment belongs to, in sequence order; segments of the
    // same number keep their file order (stable sort).
    std::stable_sort(segments.begin(), segments.end(),
        [](const NumberedSegment& a, const NumberedSegment& b) { return a.number.sequence < b.number.sequence; });
    std::vector<ByteRange> ranges;
    for (const NumberedSegment& s : segments)
        ranges.push_back(s.range);
    return ranges;
}

} // namespace

std::vector<ByteRange> LocateEmbeddedProfile(const std::string& fileName, int64_t offset, int64_t length)
{
    FileReader file(fileName);
    return Locate(file, offset, length);
}

bool ReadEmbeddedProfile(const std::string& fileName, int64_t offset, int64_t length, std::vector<uint8_t>& bytes)
{
    FileReader file(fileName);
    const std::vector<ByteRange> ranges = Locate(file, offset, length);
    return !ranges.empty() && ReadRanges(file, ranges, bytes);
}

bool ExtractEmbeddedProfile(
    const std::string& sourceFile, const std::string& targetFile, int64_t offset, int64_t length)
{
    std::vector<uint8_t> bytes;
    if (!ReadEmbeddedProfile(sourceFile, offset, length, bytes))
        return false;
    // A new file beside the target, renamed into place once complete.
    std::string error;
    return platform::WriteFileAtomically(targetFile, std::string(bytes.begin(), bytes.end()), error);
}

} // namespace metadata
