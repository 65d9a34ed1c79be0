#pragma once
// ICC profiles embedded in image files: where their bytes lie, reading them
// (a JPEG profile may be split over several APP2 "ICC_PROFILE" segments),
// and copying them into a profile file of their own.

#include <cstdint>
#include <string>
#include <vector>

namespace metadata {

// One stretch of profile bytes inside a file.
struct ByteRange {
    int64_t offset = 0;
    int64_t length = 0;
};

// The pieces of the profile whose (first found) piece is at `offset`/`length`,
// as the reader notes it in IccOffset/IccLength, in the order they join. When
// that piece is a numbered APP2 segment of a JPEG file that belongs to a set
// of several, every segment of the set is returned by its sequence number;
// otherwise the range itself. Empty when the file cannot be opened.
std::vector<ByteRange> LocateEmbeddedProfile(const std::string& fileName, int64_t offset, int64_t length);

// The whole profile's bytes, joined from its pieces. False when the file or
// one of the pieces cannot be read.
bool ReadEmbeddedProfile(const std::string& fileName, int64_t offset, int64_t length, std::vector<uint8_t>& bytes);

// Copies the profile at `offset`/`length` of `sourceFile` (all its pieces)
// into a new (truncated) `targetFile`. False when the source cannot be read
// there or the target cannot be written.
bool ExtractEmbeddedProfile(
    const std::string& sourceFile, const std::string& targetFile, int64_t offset, int64_t length);

} // namespace metadata
