#include "metadata/MakerNote.h"

#include <cstring>
#include <iterator>

#include "metadata/ExifRead.h"
#include "metadata/TiffEntry.h"
#include "metadata/makernotes/NameTable.h"
#include "metadata/makernotes/NoteRules.h"

namespace metadata {

namespace {

using namespace makernote;

// Where a note's directory stands, where its value offsets count from, and its byte order.
struct Layout {
    uint64_t directory = 0;
    uint64_t base = 0;
    bool littleEndian = false;
    // The byte order is not fixed by the format: an entry count whose high byte is
    // set and larger than its low byte means the other order.
    bool orderFromCount = false;
};

struct LayoutInput {
    FileReader& file;
    uint64_t pos; // the directory (or the header) position the recognition found
    uint64_t tiffBase;
    bool fileLittleEndian;
};

using LayoutFn = Layout (*)(const LayoutInput&);

bool HeaderIs(FileReader& file, uint64_t pos, const char* text, size_t length)
{
    char bytes[16];
    return length <= sizeof bytes && file.ReadAt(pos, bytes, length) && std::memcmp(bytes, text, length) == 0;
}

// A byte-order mark at `pos` ("II" or "MM"), else the fallback.
bool OrderMark(FileReader& file, uint64_t pos, bool fallback)
{
    if (HeaderIs(file, pos, "II", 2))
        return true;
    if (HeaderIs(file, pos, "MM", 2))
        return false;
    return fallback;
}

Layout StandardLayout(const LayoutInput& in)
{
    return { in.pos, in.tiffBase, in.fileLittleEndian, false };
}

// Fujifilm: always little-endian, value offsets from the note's start ("FUJIFILM" + offset, 12 bytes before).
Layout FujifilmLayout(const LayoutInput& in)
{
    return { in.pos, in.pos >= 12 ? in.pos - 12 : 0, true, false };
}

// Canon: a bare directory, often in the other byte order than the file when software rewrote it.
Layout CanonLayout(const LayoutInput& in)
{
    return { in.pos, in.tiffBase, in.fileLittleEndian, true };
}

// Nikon type 3 ("Nikon\0\2"): an embedded TIFF header 10 bytes in gives the byte order,
// the base of the value offsets and the directory's offset.
Layout NikonLayout(const LayoutInput& in)
{
    if (!HeaderIs(in.file, in.pos, "Nikon\0\x02", 7))
        return StandardLayout(in);
    const uint64_t header = in.pos + 10;
    const bool little = OrderMark(in.file, header, in.fileLittleEndian);
    return { header + in.file.U32(header + 4, little), header, little, false };
}

// Olympus new style ("OLYMPUS\0II") and OM System: directory behind the header, offsets from the note's start.
Layout OlympusLayout(const LayoutInput& in)
{
    if (HeaderIs(in.file, in.pos, "OLYMPUS\0", 8))
        return { in.pos + 12, in.pos, OrderMark(in.file, in.pos + 8, in.fileLittleEndian), true };
    if (HeaderIs(in.file, in.pos, "OM SYSTEM\0", 10))
        return { in.pos + 16, in.pos, OrderMark(in.file, in.pos + 12, in.fileLittleEndian), true };
    return StandardLayout(in);
}

// Casio "QVC\0\0\0": directory behind the 6-byte header, offsets from the TIFF base.
Layout CasioQvcLayout(const LayoutInput& in)
{
    return { in.pos + 6, in.tiffBase, in.fileLittleEndian, true };
}

// Pentax "AOC\0" + mark (offsets from the TIFF base) and "PENTAX \0" + mark (offsets from the note).
Layout PentaxLayout(const LayoutInput& in)
{
    if (HeaderIs(in.file, in.pos, "PENTAX \0", 8))
        return { in.pos + 10, in.pos, OrderMark(in.file, in.pos + 8, in.fileLittleEndian), true };
    return { in.pos + 6, in.tiffBase, OrderMark(in.file, in.pos + 4, in.fileLittleEndian), true };
}

struct Decoder {
    int32_t kind;
    LayoutFn layout;
    ValueRule rule; // nullptr: names and generic texts only
};

const Decoder kDecoders[] = {
    { kOlympus, OlympusLayout, OlympusRule },
    { kEpson, StandardLayout, OlympusRule },
    { kSanyo, StandardLayout, SanyoRule },
    { kNikonHeader, StandardLayout, NikonRule },
    { kNikon, NikonLayout, NikonRule },
    { kCasio, StandardLayout, CasioRule },
    { kCanon, CanonLayout, CanonRule },
    { kKonica, StandardLayout, nullptr },
    { kFujifilm, FujifilmLayout, FujifilmRule },
    { kFujifilm230, StandardLayout, FujifilmRule },
    { kSony, StandardLayout, nullptr },
    { kMinolta, StandardLayout, MinoltaRule },
    { kPentaxOptio, StandardLayout, PentaxOptioRule },
    { kRicohCaplio, StandardLayout, RicohRule },
    { kKyocera, StandardLayout, nullptr },
    { kPanasonic, StandardLayout, PanasonicRule },
    { kPentax, PentaxLayout, nullptr },
    { kCasio2, CasioQvcLayout, nullptr },
};

const Decoder* DecoderOf(int32_t kind)
{
    for (const Decoder& d : kDecoders)
        if (d.kind == kind)
            return &d;
    return nullptr;
}

bool IsKnownType(uint16_t type)
{
    return type >= kByte && type <= kDouble;
}

std::string ValueText(NoteContext& note, const Decoder& decoder, EntryValue& v, std::string& name)
{
    if (decoder.rule)
        if (std::optional<std::string> text = decoder.rule(note, v, name))
            return *std::move(text);
    if (std::optional<std::string> text = PrintImRule(note, v, name))
        return *std::move(text);
    return GenericNoteText(note, v);
}

// The entry count, or 0 when the directory is implausible (nothing of it is read):
// a table that does not fit in the file or in the note, or entries of unknown types only.
uint32_t PlausibleCount(FileReader& file, Layout& layout, MakerNoteSpan span)
{
    uint32_t count = file.U16(layout.directory, layout.littleEndian);
    if (layout.orderFromCount && (count >> 8) != 0 && (count >> 8) > (count & 0xFF)) {
        layout.littleEndian = !layout.littleEndian;
        count = file.U16(layout.directory, layout.littleEndian);
    }
    if (count == 0)
        return 0;
    const uint64_t tableLength = 2 + 12 * static_cast<uint64_t>(count);
    const uint64_t noteEnd = span.start + span.length;
    if (!file.Contains(layout.directory, tableLength)
        || (span.length > 0 && layout.directory >= span.start && layout.directory < noteEnd
            && layout.directory + tableLength > noteEnd))
        return 0;
    for (uint32_t i = 0; i < count; ++i)
        if (IsKnownType(file.U16(layout.directory + 2 + 12 * static_cast<uint64_t>(i) + 2, layout.littleEndian)))
            return count;
    return 0;
}

} // namespace

bool IsDirectoryMakerNote(int32_t kind)
{
    return DecoderOf(kind) != nullptr;
}

void ReadMakerNote(FileReader& file, bool littleEndian, uint64_t tiffBase, TMakerResult& target, int32_t kind,
    uint64_t pos, MakerNoteSpan span)
{
    target.Items.clear();
    target.Count = 0;
    target.LensWide = target.LensTele = 0.0;
    target.Damaged = 0;
    const Decoder* decoder = DecoderOf(kind);
    if (!decoder)
        return;
    NoteContext note { target, kind, tiffBase, {}, {} };
    try {
        // A note cut off by the end of the file is damaged; what lies inside is still read.
        if (span.length > 0 && !file.Contains(span.start, span.length))
            target.Damaged = 1;
        Layout layout = decoder->layout({ file, pos, tiffBase, littleEndian });
        const uint32_t count = PlausibleCount(file, layout, span);
        for (uint32_t i = 0; i < count; ++i) {
            const TiffEntry e = ReadTiffEntry(
                file, layout.directory + 2 + 12 * static_cast<uint64_t>(i), layout.littleEndian, layout.base);
            EntryValue v(file, e, layout.littleEndian);
            std::string name = TagName(kind, e.tag, e.type, e.count);
            std::string value = ValueText(note, *decoder, v, name);
            if (!name.empty())
                note.Add(Key(kind, e.tag), std::move(name), std::move(value));
        }
    } catch (const ExifReadError&) {
        target.Damaged = 1;
    }
}

} // namespace metadata
