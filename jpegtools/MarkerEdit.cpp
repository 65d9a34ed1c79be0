#include "jpegtools/MarkerEdit.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "jpegtools/JpegSegments.h"
#include "metadata/EmbeddedProfile.h"

namespace jpegtools {

namespace {

constexpr size_t kMaxSegmentData = 0xFFFF - 2;
constexpr size_t kIccHeader = 14; // "ICC_PROFILE", 0, sequence number, count
constexpr size_t kIccPadding = 84; // a single segment is filled to profile size + 100
// The editor looks at most this many segments for the start of the image data.
constexpr size_t kMaxSegments = 100;
constexpr size_t kCopyChunk = size_t(1) << 20;

void PutMarker(std::vector<uint8_t>& out, uint8_t code, size_t length)
{
    out.push_back(0xFF);
    out.push_back(code);
    out.push_back(static_cast<uint8_t>(length >> 8));
    out.push_back(static_cast<uint8_t>(length));
}

// Copies [from, to) of the file into out; with checkEnd, fails unless the
// bytes hold the end-of-image marker (so image data cut short are refused).
bool Stream(metadata::FileReader& reader, uint64_t from, uint64_t to, platform::AtomicFile& out, bool checkEnd,
    std::string& error)
{
    auto buffer = std::make_unique_for_overwrite<uint8_t[]>(kCopyChunk);
    bool sawEnd = false;
    bool lastWasFF = false;
    for (uint64_t pos = from; pos < to;) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(kCopyChunk, to - pos));
        if (!reader.ReadAt(pos, buffer.get(), n)) {
            error = "the file cannot be read at offset " + std::to_string(pos);
            return false;
        }
        if (checkEnd && !sawEnd) {
            sawEnd = (lastWasFF && buffer[0] == 0xD9) || ::memmem(buffer.get(), n, "\xFF\xD9", 2) != nullptr;
            lastWasFF = buffer[n - 1] == 0xFF;
        }
        if (!out.Write(buffer.get(), n)) {
            error = out.Error();
            return false;
        }
        pos += n;
    }
    if (checkEnd && !sawEnd) {
        error = "the image data end before the end-of-image marker (a truncated file)";
        return false;
    }
    return true;
}

} // namespace

std::vector<uint8_t> JfifHeader()
{
    return { 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00, 0x01, 0x02, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x01 };
}

bool IccSegments(const std::vector<uint8_t>& profile, std::vector<uint8_t>& segments, std::string& error)
{
    segments.clear();
    if (profile.empty()) {
        error = "the profile is empty";
        return false;
    }
    const auto header = [&](size_t sequence, size_t count) {
        static const char id[12] = "ICC_PROFILE";
        segments.insert(segments.end(), id, id + 12);
        segments.push_back(static_cast<uint8_t>(sequence));
        segments.push_back(static_cast<uint8_t>(count));
    };
    if (profile.size() + 100 <= 0xFFFF) {
        PutMarker(segments, kAPP2, profile.size() + 100);
        header(1, 1);
        segments.insert(segments.end(), profile.begin(), profile.end());
        segments.insert(segments.end(), kIccPadding, 0);
        return true;
    }
    const size_t chunk = kMaxSegmentData - kIccHeader;
    const size_t count = (profile.size() + chunk - 1) / chunk;
    if (count > 255) {
        error = "the profile is too large to embed (" + std::to_string(profile.size()) + " bytes)";
        return false;
    }
    for (size_t i = 0; i < count; ++i) {
        const size_t begin = i * chunk, n = std::min(chunk, profile.size() - begin);
        PutMarker(segments, kAPP2, 2 + kIccHeader + n);
        header(i + 1, count);
        segments.insert(segments.end(), profile.begin() + static_cast<ptrdiff_t>(begin),
            profile.begin() + static_cast<ptrdiff_t>(begin + n));
    }
    return true;
}

bool CommentSegment(const std::string& text, std::vector<uint8_t>& segment, std::string& error)
{
    if (text.size() + 1 > kMaxSegmentData) {
        error = "the comment is too long";
        return false;
    }
    segment.clear();
    PutMarker(segment, kCOM, text.size() + 3);
    segment.insert(segment.end(), text.begin(), text.end());
    segment.push_back(0);
    return true;
}

bool WriteEditedJpeg(const std::string& path, const MarkerEdit& edit, platform::AtomicFile& out, std::string& error)
{
    metadata::FileReader reader(path);
    if (!reader.Opened()) {
        error = "cannot open " + path;
        return false;
    }
    const SegmentWalk walk = WalkSegments(reader, kMaxSegments);
    if (!walk.Ok()) {
        error = walk.error;
        return false;
    }
    // The new segments, built before anything is written.
    std::vector<uint8_t> jfif = JfifHeader();
    bool hadJfif = false;
    for (const JpegSegment& s : walk.segments)
        if (edit.toJfif && !hadJfif && IsJfifSegment(s)) {
            // The file's own JFIF header stays (moved to the front), never a second one.
            jfif = reader.ReadRange(s.offset, static_cast<size_t>(s.End() - s.offset));
            hadJfif = true;
        }
    std::vector<uint8_t> icc, comment;
    if (edit.icc == IccChange::Replace && !IccSegments(edit.profile, icc, error))
        return false;
    const bool writeComment = edit.CommentChanged() && !edit.comment.empty();
    if (writeComment && !CommentSegment(edit.comment, comment, error))
        return false;
    const bool dropComments = edit.CommentChanged() || edit.comment.empty();

    const auto put = [&](const std::vector<uint8_t>& bytes) {
        if (bytes.empty() || out.Write(bytes.data(), bytes.size()))
            return true;
        error = out.Error();
        return false;
    };
    if (!put({ 0xFF, kSOI }))
        return false;
    size_t n = 0;
    for (const JpegSegment& s : walk.segments) {
        if (s.code == kSOS || s.code == kEOI) {
            if (edit.toJfif && n == 0 && !put(jfif))
                return false;
            if (n <= 1 && (!put(icc) || !put(writeComment ? comment : std::vector<uint8_t>())))
                return false;
            return Stream(reader, s.offset, reader.Size(), out, s.code == kSOS, error);
        }
        if (edit.toJfif && n == 0) {
            if (!put(jfif))
                return false;
            n = 1;
        }
        if (n == 1 && (!put(icc) || !put(writeComment ? comment : std::vector<uint8_t>())))
            return false;
        const bool drop = (s.code == kAPP2 && edit.icc != IccChange::Keep && IsIccSegment(reader, s))
            || (s.code == kCOM && dropComments) || (s.code == kAPP1 && edit.toJfif)
            || (edit.toJfif && hadJfif && IsJfifSegment(s));
        if (!drop && !Stream(reader, s.offset, s.End(), out, false, error))
            return false;
        ++n;
    }
    error = "no image data";
    return false;
}

SaveOutcome EditMarkers(const MarkerEdit& edit, SaveRequest request)
{
    request.renameSuffix = "_EDITTAG";
    const std::string path = request.path;
    return SaveRewritten(request,
        [&](platform::AtomicFile& file, std::string& error) { return WriteEditedJpeg(path, edit, file, error); });
}

bool ExportEmbeddedProfile(
    const std::string& photo, int64_t offset, int64_t length, const std::string& target, std::string& error)
{
    if (offset <= 0 || length <= 0) {
        error = photo + " has no embedded profile";
        return false;
    }
    struct stat a {
    }, b {};
    if (::stat(photo.c_str(), &a) == 0 && ::stat(target.c_str(), &b) == 0 && a.st_dev == b.st_dev
        && a.st_ino == b.st_ino) {
        error = target + " is the photo itself";
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!metadata::ReadEmbeddedProfile(photo, offset, length, bytes) || bytes.empty()) {
        error = "cannot read the profile of " + photo;
        return false;
    }
    return platform::WriteFileAtomically(target, std::string(bytes.begin(), bytes.end()), error);
}

} // namespace jpegtools
