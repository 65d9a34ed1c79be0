#pragma once
// Photoshop image resources ("8BIM" blocks) and IPTC-NAA records: read on
// demand from where the metadata reader found them (PhotoshopLocator).
// Items are (key, name, value): a resource's id and name with its size; an
// IPTC record's record × 256 + dataset with its Japanese name and its text.

#include <cstdint>
#include <string>

#include "metadata/ExifData.h"
#include "metadata/FileReader.h"

namespace metadata {

// Walks the resources from `start` while the position is below start + length.
// Fills result.Items and IptcBlockOffset/IptcBlockLength (the IPTC-NAA
// resource's data). A read error or a resource that claims more bytes than
// are left ends the walk; the items read so far stay.
void ReadPhotoshopResources(FileReader& file, bool littleEndian, int64_t start, TMakerResult& result, int64_t length);

// Reads IPTC records from `start` while the position is below start + length.
// Record 1 and 2 datasets get their Japanese names; record 2 texts are JIS
// (shift-out/shift-in) or Shift-JIS, or UTF-8 when dataset 1:90 says so;
// all values come out as UTF-8.
void ReadIptcRecords(FileReader& file, bool littleEndian, int64_t start, TMakerResult& result, int64_t length);

// Everything the IPTC tab shows for one file.
struct TPhotoshopData {
    bool Opened = false; // the file could be opened
    TMakerResult Resources; // sources 0 and 1
    TMakerResult Iptc; // from the TIFF IPTC tag (source 2) or the resources' IPTC-NAA block
};
TPhotoshopData ReadPhotoshopData(const std::string& fileName, const PhotoshopLocator& locator);

} // namespace metadata
