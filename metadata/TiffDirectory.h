#pragma once
// Reading TIFF directories into TSubIFDResult (with names, value texts and the
// side effects the later steps need), the quiet read of the thumbnail
// directory (IFD1), and the GPS directory.

#include <cstdint>

#include "metadata/ExifData.h"
#include "metadata/FileReader.h"

namespace metadata {

// Scratch values of one ReadExifData call, shared by its directory readers.
struct TempData {
    uint32_t Width = 0, Height = 0;
    uint32_t StripOffset = 0, StripByteCount = 0;
    uint8_t Photometric = 0;
    uint64_t PhotoshopOffset = 0, PhotoshopLength = 0;
    uint64_t IptcOffset = 0, IptcLength = 0;
    uint64_t TiffIccOffset = 0, TiffIccLength = 0;
    uint32_t NewSubfileType = 0;
};

// What every directory reader of one call works with.
struct TiffContext {
    FileReader& file;
    bool littleEndian = false;
    uint64_t tiffBase = 0;
    TempData temp;
    int32_t makerNoteKind = 0;
    // The MakerNote entry's bytes (absolute position and length), once it is read.
    uint64_t makerNoteStart = 0, makerNoteLength = 0;
};

// Reads the directory at absolute position `pos` into `target`; returns the
// position of its link to the next directory. An unreadable entry count sets
// target.Count to -1; an entry table that runs out of the file raises ExifReadError.
uint64_t ReadDirectory(TiffContext& context, TSubIFDResult& target, uint64_t pos);
// IFD1: thumbnail location and TempData only, no items; never raises.
void ReadThumbnailDirectory(TiffContext& context, TSubIFDResult& scratch, uint64_t pos);
// The GPS directory at absolute position `pos` into `target`.
void ReadGpsDirectory(TiffContext& context, TMakerResult& target, uint64_t pos);

} // namespace metadata
