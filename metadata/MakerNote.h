#pragma once
// Decoding of the camera makers' notes into TExifData::Maker: where each
// format's directory stands, which base its value offsets use and which byte
// order it is written in, and per kind the names and value rules of its items.

#include <cstdint>
#include <string>

#include "metadata/ExifData.h"
#include "metadata/FileReader.h"

namespace metadata {

// Maker-note kinds whose notes have a TIFF-like directory that ReadMakerNote walks.
bool IsDirectoryMakerNote(int32_t kind);

// The MakerNote entry's bytes in the file; length 0 when not known.
struct MakerNoteSpan {
    uint64_t start = 0;
    uint64_t length = 0;
};

// Walks the maker note's directory at absolute position `pos` into `target`.
// `littleEndian` is the file's byte order (kind 12 is always little-endian).
// A fault inside the note stops the walk: the items read before it are kept and
// target.Damaged is set. An implausible directory yields no items.
void ReadMakerNote(FileReader& file, bool littleEndian, uint64_t tiffBase, TMakerResult& target, int32_t kind,
    uint64_t pos, MakerNoteSpan span = {});
// Maker items keyed by a bare element index (Olympus special mode, Minolta camera
// settings, Toshiba) or by -1 (SX552/SX553 picture settings): their keys are not
// tag numbers and collide with those of the other directories, so a view must not
// sort or select by them.
inline bool HasBareMakerKey(const TIFDItem& item)
{
    return item.Key < 65536;
}
// Decodes a Toshiba note from its hexadecimal text (Exif.MakerText).
void ReadToshibaNote(const std::string& text, TMakerResult& target);

} // namespace metadata
