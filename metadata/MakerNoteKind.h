#pragma once
// Which maker-note format a file uses (MakerNoteKind), judged from the Make and
// Model texts of IFD0 and from the first bytes of the MakerNote entry, and
// where the maker note's own directory starts (MakerOffset).

#include <cstdint>
#include <string>

#include "metadata/ExifData.h"
#include "metadata/TiffEntry.h"

namespace metadata {

// Make (tag 271), trailing blanks removed.
void RecognizeMakerFromMake(const std::string& make, int32_t& kind);
// Model (tag 272); "DiMAGE X" models also set `mainDirectory.MakerText`.
void RecognizeMakerFromModel(const std::string& model, int32_t& kind, TSubIFDResult& mainDirectory);
// The MakerNote entry (tag 37500): updates `kind`, sets `directory.MakerOffset` and
// `directory.MakerText` where the format has them, and returns the entry's value text.
// Raises ExifReadError when the note's bytes cannot be read.
std::string RecognizeMakerNote(EntryValue& value, uint64_t tiffBase, int32_t& kind, TSubIFDResult& directory);

} // namespace metadata
