#pragma once
// Decoding of the camera makers' notes into TExifData::Maker. The decoders
// for the individual makers plug in here; until then no items are produced.

#include <cstdint>
#include <string>

#include "metadata/ExifData.h"
#include "metadata/FileReader.h"

namespace metadata {

// Maker-note kinds whose notes have a TIFF-like directory that ReadMakerNote walks.
bool IsDirectoryMakerNote(int32_t kind);
// Walks the maker note's directory at absolute position `pos` into `target`.
// Faults inside the note raise ExifReadError.
void ReadMakerNote(
    FileReader& file, bool littleEndian, uint64_t tiffBase, TMakerResult& target, int32_t kind, uint64_t pos);
// Decodes a Toshiba note from its hexadecimal text (Exif.MakerText).
void ReadToshibaNote(const std::string& text, TMakerResult& target);

} // namespace metadata
