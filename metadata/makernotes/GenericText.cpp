// The value texts of maker-note entries that no vendor rule covers.
#include "metadata/NumberText.h"
#include "metadata/TextDecode.h"
#include "metadata/ValueText.h"
#include "metadata/makernotes/NoteRules.h"

namespace metadata::makernote {

namespace {

constexpr uint32_t kMaxListedLongs = 1000;

// The count bytes of an ASCII value, bounded; `drop` bytes are left out and NUL becomes `nul`.
std::string AsciiBytes(EntryValue& v, bool dropBlanks, bool nulAsBlank)
{
    v.RequireInFile();
    const std::string bytes = v.RawBytes(std::min<uint64_t>(v.Entry().count, kMaxTextBytes));
    if (!dropBlanks && !nulAsBlank)
        return CleanText(bytes);
    std::string kept;
    for (char c : bytes) {
        if (c == '\0' && nulAsBlank)
            kept += ' ';
        else if (c != '\0' && !(dropBlanks && c == ' '))
            kept += c;
    }
    return DecodeFileText(kept);
}

} // namespace

std::string GenericNoteText(NoteContext& note, EntryValue& v)
{
    const TiffEntry& e = v.Entry();
    const int32_t key = Key(note.kind, e.tag);
    switch (e.type) {
    case kByte:
        return DecimalText(v.Byte(0));
    case kAscii: {
        const bool dropBlanks = note.kind == kNikon || note.kind == kCanon || key == Key(kOlympus, 0x101A);
        std::string text = AsciiBytes(v, dropBlanks, key == Key(kCasio, 0x0015));
        if (key == Key(kOlympus, 0x0207))
            note.cameraType = text;
        return text;
    }
    case kLong:
        if (e.count > kMaxListedLongs)
            return DecimalText(static_cast<int64_t>(e.count) * 4) + "Bytes";
        return GenericValueText(v);
    case kShort:
    case kRational:
    case kSRational:
        return GenericValueText(v);
    case kUndefined:
        return "Offset:" + DecimalText(static_cast<int64_t>(OffsetFromTiffBase(note, v)));
    case kSShort:
        v.RequireInFile();
        return JoinValues(e.count, ",", [&](uint32_t i) { return DecimalText(static_cast<int16_t>(v.Short(i))); });
    case kSLong:
        v.RequireInFile();
        return JoinValues(e.count, ",", [&](uint32_t i) { return DecimalText(static_cast<int32_t>(v.Long(i))); });
    default:
        return std::string();
    }
}

} // namespace metadata::makernote
