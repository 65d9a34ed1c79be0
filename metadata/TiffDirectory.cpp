#include "metadata/TiffDirectory.h"

#include "metadata/ExifRead.h"
#include "metadata/MakerNoteKind.h"
#include "metadata/TagNames.h"
#include "metadata/TiffEntry.h"
#include "metadata/ValueText.h"

namespace metadata {

namespace {

constexpr uint32_t kMaxThumbnailEntries = 100;

bool IsShortOrLong(uint16_t type)
{
    return type == kShort || type == kLong;
}

// The last value of a SHORT or LONG entry (the one that counts for multi-valued tags).
uint32_t LastValue(EntryValue& v)
{
    const uint32_t last = v.Entry().count - 1;
    return v.Entry().type == kShort ? v.Short(last) : v.Long(last);
}

// The location of an entry's data when it lies inside the file, else nothing.
bool NoteLocation(TiffContext& c, const TiffEntry& e, uint64_t& offset, uint64_t& length)
{
    if (!c.file.Contains(e.valuePos, e.ByteLength()))
        return false;
    offset = e.valuePos;
    length = e.ByteLength();
    return true;
}

// Effects shared by IFD0/Exif and IFD1: picture size, strips, thumbnail location.
void LocationEffects(TiffContext& c, TSubIFDResult& target, EntryValue& v, bool& compression6)
{
    const TiffEntry& e = v.Entry();
    if (e.count == 0)
        return;
    TempData& t = c.temp;
    if (IsShortOrLong(e.type)) {
        switch (e.tag) {
        case 256:
            t.Width = LastValue(v);
            return;
        case 257:
            t.Height = LastValue(v);
            return;
        case 262:
            t.Photometric = static_cast<uint8_t>(LastValue(v) & 0xFF);
            return;
        case 273:
            t.StripOffset = LastValue(v);
            if (compression6)
                target.ThumbOffset = static_cast<int32_t>(t.StripOffset);
            return;
        case 279:
            t.StripByteCount = LastValue(v);
            if (compression6)
                target.ThumbLength = static_cast<int32_t>(t.StripByteCount);
            return;
        default:
            break;
        }
    }
    if (e.type == kShort && e.tag == 259)
        compression6 = v.Short(0) == 6;
    if (e.type != kLong)
        return;
    switch (e.tag) {
    case 254:
        t.NewSubfileType = LastValue(v);
        break;
    case 513:
        target.ThumbOffset = static_cast<int32_t>(LastValue(v));
        break;
    case 514:
        target.ThumbLength = static_cast<int32_t>(LastValue(v));
        break;
    default:
        break;
    }
}

// Effects of IFD0 and Exif entries beyond the thumbnail location.
void DirectoryEffects(TiffContext& c, TSubIFDResult& target, EntryValue& v)
{
    const TiffEntry& e = v.Entry();
    TempData& t = c.temp;
    switch (e.tag) {
    case 34665:
        if (e.type == kLong && e.count > 0)
            target.ExifOffset = static_cast<int32_t>(LastValue(v));
        break;
    case 34853:
        if (e.type == kLong && e.count > 0)
            target.GpsOffset = static_cast<int32_t>(LastValue(v));
        break;
    case 274:
        if (e.type == kShort && e.count > 0) {
            // Orientation: 6 and 7 want a quarter turn clockwise, 5 and 8 one counter-clockwise.
            switch (v.Short(0)) {
            case 6:
            case 7:
                target.RotationHint = 1;
                break;
            case 5:
            case 8:
                target.RotationHint = 3;
                break;
            default:
                break;
            }
        }
        break;
    case 37386:
        if (e.type == kRational && e.count > 0) {
            auto [n, d] = v.Rational(0);
            target.FocalLength = d == 0 ? 0.0 : static_cast<double>(static_cast<long double>(n) / d);
        }
        break;
    case 33723:
        NoteLocation(c, e, t.IptcOffset, t.IptcLength);
        break;
    case 34377:
        if (e.type == kByte)
            NoteLocation(c, e, t.PhotoshopOffset, t.PhotoshopLength);
        break;
    case 34675:
        if (e.type == kUndefined)
            NoteLocation(c, e, t.TiffIccOffset, t.TiffIccLength);
        break;
    default:
        break;
    }
}

// The value text, with the effects that come from the text itself.
std::string EntryText(TiffContext& c, TSubIFDResult& target, EntryValue& v)
{
    const TiffEntry& e = v.Entry();
    if (e.tag == 37500 && e.type == kUndefined) {
        c.makerNoteStart = e.valuePos;
        c.makerNoteLength = e.count;
        return RecognizeMakerNote(v, c.tiffBase, c.makerNoteKind, target);
    }
    std::string text = TiffValueText(v);
    if (e.type == kAscii && e.tag == 271)
        RecognizeMakerFromMake(text, c.makerNoteKind);
    if (e.type == kAscii && e.tag == 272) {
        target.Model = text;
        RecognizeMakerFromModel(text, c.makerNoteKind, target);
    }
    if (e.tag == 36864 && (e.type == kUndefined || e.type == kAscii))
        target.Version = text;
    if (e.tag == 37398 && e.type == kByte)
        target.Version = "EP" + text;
    return text;
}

} // namespace

uint64_t ReadDirectory(TiffContext& c, TSubIFDResult& target, uint64_t pos)
{
    target.ExifOffset = target.NextOffset = target.ThumbLength = target.ThumbOffset = target.GpsOffset = 0;
    target.RotationHint = 0;
    target.Count = 0;
    target.Items.clear();
    c.temp.TiffIccOffset = c.temp.TiffIccLength = 0;

    uint16_t n = 0;
    try {
        n = c.file.U16(pos, c.littleEndian);
    } catch (const ExifReadError&) {
        target.Count = -1;
        return pos;
    }
    bool compression6 = false;
    const uint32_t stored = std::min<uint32_t>(n, kMaxDirectoryItems);
    target.Items.reserve(stored);
    for (uint32_t i = 0; i < stored; ++i) {
        const TiffEntry e = ReadTiffEntry(c.file, pos + 2 + 12 * static_cast<uint64_t>(i), c.littleEndian, c.tiffBase);
        EntryValue v(c.file, e, c.littleEndian);
        try {
            LocationEffects(c, target, v, compression6);
            DirectoryEffects(c, target, v);
        } catch (const ExifReadError&) {
            // A value outside the file has no effect; its text below comes out empty.
        }
        std::string text;
        try {
            text = EntryText(c, target, v);
        } catch (const ExifReadError&) {
            text.clear();
        }
        target.Items.push_back({ e.tag, TiffTagName(e.tag, e.type, e.count), std::move(text) });
        target.Count = static_cast<int32_t>(target.Items.size());
    }
    return pos + 2 + 12 * static_cast<uint64_t>(n);
}

void ReadThumbnailDirectory(TiffContext& c, TSubIFDResult& scratch, uint64_t pos)
{
    scratch.ThumbLength = scratch.ThumbOffset = 0;
    uint16_t n = 0;
    if (!c.file.Contains(pos, 2))
        return;
    n = c.file.U16(pos, c.littleEndian);
    bool compression6 = false;
    const uint32_t looked = std::min<uint32_t>(n, kMaxThumbnailEntries);
    for (uint32_t i = 0; i < looked; ++i) {
        const uint64_t entryPos = pos + 2 + 12 * static_cast<uint64_t>(i);
        if (!c.file.Contains(entryPos, 12))
            return;
        EntryValue v(c.file, ReadTiffEntry(c.file, entryPos, c.littleEndian, c.tiffBase), c.littleEndian);
        try {
            LocationEffects(c, scratch, v, compression6);
        } catch (const ExifReadError&) {
            // An entry whose value cannot be read is skipped.
        }
    }
}

} // namespace metadata
