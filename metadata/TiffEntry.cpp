#include "metadata/TiffEntry.h"

#include <cstring>

#include "metadata/ExifRead.h"

namespace metadata {

int TypeSize(uint16_t type)
{
    switch (type) {
    case kShort:
    case kSShort:
        return 2;
    case kLong:
    case kSLong:
    case kFloat:
        return 4;
    case kRational:
    case kSRational:
    case kDouble:
        return 8;
    default:
        return 1;
    }
}

TiffEntry ReadTiffEntry(FileReader& file, uint64_t pos, bool littleEndian, uint64_t tiffBase)
{
    uint8_t b[12];
    file.ReadExact(pos, b, sizeof b);
    const auto u16
        = [&](int i) { return static_cast<uint16_t>(littleEndian ? b[i] | (b[i + 1] << 8) : (b[i] << 8) | b[i + 1]); };
    const auto u32 = [&](int i) {
        return littleEndian ? static_cast<uint32_t>(u16(i) | (u16(i + 2) << 16))
                            : static_cast<uint32_t>((u16(i) << 16) | u16(i + 2));
    };
    TiffEntry e;
    e.entryPos = pos;
    e.tag = u16(0);
    e.type = u16(2);
    e.count = u32(4);
    e.valueField = u32(8);
    if (e.ByteLength() <= 4)
        e.valueOffset = pos + 8 - tiffBase;
    else
        e.valueOffset = e.valueField;
    e.valuePos = tiffBase + e.valueOffset;
    return e;
}

void EntryValue::RequireInFile() const
{
    if (!InFile())
        throw ExifReadError("value outside the file");
}

uint8_t EntryValue::Byte(uint32_t i)
{
    return file_.U8(At(i, 1));
}

uint16_t EntryValue::Short(uint32_t i)
{
    return file_.U16(At(i, 2), little_);
}

uint32_t EntryValue::Long(uint32_t i)
{
    return file_.U32(At(i, 4), little_);
}

std::pair<uint32_t, uint32_t> EntryValue::Rational(uint32_t i)
{
    return { file_.U32(At(i, 8), little_), file_.U32(At(i, 8) + 4, little_) };
}

std::pair<int32_t, int32_t> EntryValue::SRational(uint32_t i)
{
    auto [n, d] = Rational(i);
    return { static_cast<int32_t>(n), static_cast<int32_t>(d) };
}

double EntryValue::Double(uint32_t i)
{
    uint64_t hi = file_.U32(At(i, 8), little_);
    uint64_t lo = file_.U32(At(i, 8) + 4, little_);
    uint64_t bits = little_ ? ((lo << 32) | hi) : ((hi << 32) | lo);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string EntryValue::RawBytes(uint64_t length)
{
    if (!file_.Contains(entry_.valuePos, length))
        throw ExifReadError("value outside the file");
    std::string bytes(static_cast<size_t>(length), '\0');
    file_.ReadExact(entry_.valuePos, bytes.data(), bytes.size());
    return bytes;
}

} // namespace metadata
