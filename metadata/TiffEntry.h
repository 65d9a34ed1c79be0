#pragma once
// One 12-byte TIFF directory entry and bounded access to its value, in the
// file's byte order, wherever the value lies (in the entry or at an offset).

#include <cstdint>
#include <string>
#include <utility>

#include "metadata/FileReader.h"

namespace metadata {

enum TiffType : uint16_t {
    kByte = 1,
    kAscii = 2,
    kShort = 3,
    kLong = 4,
    kRational = 5,
    kSByte = 6,
    kUndefined = 7,
    kSShort = 8,
    kSLong = 9,
    kSRational = 10,
    kFloat = 11,
    kDouble = 12,
};

// Bytes per value of a field type (1 for unknown types).
int TypeSize(uint16_t type);

struct TiffEntry {
    uint16_t tag = 0;
    uint16_t type = 0;
    uint32_t count = 0;
    uint32_t valueField = 0; // the raw value/offset field
    uint64_t entryPos = 0; // absolute position of the entry
    uint64_t valueOffset = 0; // value position relative to the TIFF base
    uint64_t valuePos = 0; // absolute value position
    uint64_t ByteLength() const { return static_cast<uint64_t>(count) * static_cast<uint64_t>(TypeSize(type)); }
};

// Reads the entry at `pos`; raises ExifReadError when the entry is not inside the file.
TiffEntry ReadTiffEntry(FileReader& file, uint64_t pos, bool littleEndian, uint64_t tiffBase);

// Element access to one entry's value; every read outside the file raises ExifReadError.
class EntryValue {
public:
    EntryValue(FileReader& file, const TiffEntry& entry, bool littleEndian)
        : file_(file)
        , entry_(entry)
        , little_(littleEndian)
    {
    }
    const TiffEntry& Entry() const { return entry_; }
    bool LittleEndian() const { return little_; }
    FileReader& File() { return file_; }
    // True when all `count` values lie inside the file.
    bool InFile() const { return file_.Contains(entry_.valuePos, entry_.ByteLength()); }
    // Raises ExifReadError unless the whole value lies inside the file.
    void RequireInFile() const;

    uint8_t Byte(uint32_t i);
    uint16_t Short(uint32_t i);
    uint32_t Long(uint32_t i);
    std::pair<uint32_t, uint32_t> Rational(uint32_t i);
    std::pair<int32_t, int32_t> SRational(uint32_t i);
    double Double(uint32_t i);
    // `length` raw bytes from the value position (callers bound the length).
    std::string RawBytes(uint64_t length);

private:
    uint64_t At(uint32_t i, int size) const { return entry_.valuePos + static_cast<uint64_t>(i) * size; }
    FileReader& file_;
    TiffEntry entry_;
    bool little_;
};

} // namespace metadata
