#pragma once
// Rewriting the metadata segments of a JPEG file without touching its image
// data: Exif replaced by a JFIF header, the ICC profile deleted or replaced,
// the comment replaced. Segments are copied one by one into a new file and
// the image data streamed behind them; the result replaces the photo by the
// save modes of SaveInPlace.h.

#include <cstdint>
#include <string>
#include <vector>

#include "jpegtools/SaveInPlace.h"

namespace jpegtools {

enum class IccChange { Keep, Delete, Replace };

struct MarkerEdit {
    bool toJfif = false; // drop the APP1 segments and begin with a JFIF header
    IccChange icc = IccChange::Keep;
    std::vector<uint8_t> profile; // the profile to embed with IccChange::Replace
    std::string startComment; // the comment the file had (as the catalogue read it)
    std::string comment; // the new comment (UTF-8)
    bool CommentChanged() const { return comment != startComment; }
    // Whether anything would change.
    bool Changes() const { return toJfif || icc != IccChange::Keep || CommentChanged(); }
};

// The 18-byte JFIF header: version 1.02, no units, density 1 × 1, no thumbnail.
std::vector<uint8_t> JfifHeader();
// The APP2 segments that hold `profile`: one segment padded to profile size +
// 100 bytes when it fits, else numbered chunks (sequence number and count).
// False when the profile is empty or too large for 255 chunks.
bool IccSegments(const std::vector<uint8_t>& profile, std::vector<uint8_t>& segments, std::string& error);
// A COM segment holding `text` and a terminating zero. False when it is too long.
bool CommentSegment(const std::string& text, std::vector<uint8_t>& segment, std::string& error);

// Writes the edited copy of the JPEG file at `path` into `out` (nothing is
// replaced here). Fails on a broken segment structure, on image data that end
// before their end marker, and on any short read or write.
bool WriteEditedJpeg(const std::string& path, const MarkerEdit& edit, platform::AtomicFile& out, std::string& error);

// The edit put in place by the request's save mode ("_EDITTAG" for Rename).
SaveOutcome EditMarkers(const MarkerEdit& edit, SaveRequest request);

// Writes the ICC profile embedded in `photo` (located by the reader's
// offset/length, all pieces of a split profile joined) into a new file
// `target`, which must not be the photo itself.
bool ExportEmbeddedProfile(
    const std::string& photo, int64_t offset, int64_t length, const std::string& target, std::string& error);

} // namespace jpegtools
