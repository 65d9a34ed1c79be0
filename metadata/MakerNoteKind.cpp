#include "metadata/MakerNoteKind.h"

#include <string_view>

#include "metadata/NumberText.h"
#include "metadata/TextDecode.h"
#include "metadata/ValueText.h"

namespace metadata {

namespace {

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

bool BeginsWith(std::string_view text, std::string_view part)
{
    return text.substr(0, part.size()) == part;
}

std::string Num(uint64_t value)
{
    return DecimalText(static_cast<int64_t>(value));
}

// "<label> Format : N" + "Byte (Offset:" + offset + ")" + tail.
std::string FormatText(const char* label, uint32_t count, uint64_t offset, const char* tail = "")
{
    return std::string(label) + " Format : " + Num(count) + "Byte (Offset:" + Num(offset) + ")" + tail;
}

// The first `length` bytes of the note, or empty when the note is not longer than length - 1.
std::string Head(EntryValue& v, uint32_t length)
{
    if (v.Entry().count < length)
        return std::string();
    return v.RawBytes(length);
}

// The whole note as raw text (bounded), NUL bytes kept or dropped.
std::string NoteText(EntryValue& v, bool dropNul)
{
    v.RequireInFile();
    std::string bytes = v.RawBytes(std::min<uint64_t>(v.Entry().count, kMaxTextBytes));
    std::string kept;
    for (char c : bytes)
        if (!dropNul || c != '\0')
            kept += c;
    return kept;
}

struct HeaderFormat {
    const char* header;
    int32_t kind;
    uint64_t offsetDelta;
    const char* label;
    bool showsRelative; // offset text is L + 12 instead of the absolute position
    const char* tail;
};

const HeaderFormat kHeaders[] = {
    { "AGFA ", 1, 8, "AGFA", false, "" },
    { "OLYMP", 1, 8, "Olympus", false, "" },
    { "EPSON", 2, 8, "EPSON", true, "" },
    { "SANYO", 3, 8, "SANYO", true, "" },
    { "Nikon", 5, 8, "Nikon COOLPIX", false, "" },
    { "SONY ", 17, 12, "SONY", false, "" },
    { "FUJIF", 12, 12, "FUJIFILM", false, "" },
    { "KDK00", 13, 17, "KDK", false, "" },
    { "KYOCE", 24, 22, "KYOCERA", false, "" },
    { "Panas", 25, 12, "Panasonic", false, "" },
    { "KONIC", 9, 22, "KONICA", true, " " },
};

std::string HeaderTest(EntryValue& v, uint64_t tiffBase, int32_t& kind, TSubIFDResult& directory)
{
    const uint32_t n = v.Entry().count;
    const uint64_t l = v.Entry().valueOffset;
    const uint64_t a = tiffBase + l;
    const std::string h = Head(v, 5);
    for (const HeaderFormat& f : kHeaders) {
        if (h != f.header)
            continue;
        kind = f.kind;
        directory.MakerOffset = static_cast<int32_t>(l + f.offsetDelta);
        return FormatText(f.label, n, f.showsRelative ? l + 12 : a, f.tail);
    }
    directory.MakerOffset = static_cast<int32_t>(l + 8);
    if (kind == 0)
        return FormatText("Unknown", n, a) + CleanText(h);
    return CleanText(h);
}

// "EOS D" followed by a digit (EOS D30, D60, D2000): the early bodies, not "EOS DIGITAL REBEL" and its kin.
bool HasEosDNumber(std::string_view model)
{
    for (size_t p = model.find("EOS D"); p != std::string_view::npos; p = model.find("EOS D", p + 1))
        if (p + 5 < model.size() && model[p + 5] >= '0' && model[p + 5] <= '9')
            return true;
    return false;
}

// Notes of today's cameras carry a header of their own, whatever the Make and
// Model tests decided: the reader finds their directory behind it, so the note
// is taken from its start.
void RecognizeModernHeader(EntryValue& v, uint64_t tiffBase, int32_t& kind, TSubIFDResult& directory, std::string& text)
{
    const uint32_t n = v.Entry().count;
    const uint64_t l = v.Entry().valueOffset;
    const uint64_t a = tiffBase + l;
    const std::string head = Head(v, std::min<uint32_t>(n, 10));
    const auto begins
        = [&](std::string_view h) { return head.size() >= h.size() && head.compare(0, h.size(), h) == 0; };
    const bool unknown = kind == 0;
    int32_t modern = 0;
    const char* label = nullptr;
    if (begins(std::string_view("Nikon\0\x02", 7))) {
        modern = 6;
    } else if (begins(std::string_view("OLYMPUS\0", 8))) {
        modern = 1;
    } else if (begins(std::string_view("OM SYSTEM\0", 10))) {
        modern = 1;
        label = "Olympus";
    } else if (begins(std::string_view("QVC\0", 4))) {
        modern = 27;
        label = "CASIO";
    } else if (begins(std::string_view("AOC\0", 4)) || begins(std::string_view("PENTAX \0", 8))) {
        modern = 26;
        label = "PENTAX";
    }
    if (modern == 0)
        return;
    kind = modern;
    directory.MakerOffset = static_cast<int32_t>(l);
    if (label && unknown)
        text = FormatText(label, n, a);
}

} // namespace

void RecognizeMakerFromMake(const std::string& make, int32_t& kind)
{
    if (Contains(make, "RICOH"))
        kind = 4;
    if (Contains(make, "CASIO"))
        kind = 7;
    if (Contains(make, "Canon"))
        kind = 8;
    if (Contains(make, "TOSHIBA"))
        kind = 10;
    if (Contains(make, "Kodak"))
        kind = 11;
}

void RecognizeMakerFromModel(const std::string& model, int32_t& kind, TSubIFDResult& mainDirectory)
{
    for (const char* prefix : { "E990", "E995", "E885", "E5000", "E2500", "NIKON D1", "Mod NIKON D1" })
        if (BeginsWith(model, prefix))
            kind = 6;
    if (Contains(model, "Dimage EX"))
        kind = 11;
    if (Contains(model, "DiMAGE 7") || Contains(model, "DiMAGE S304") || Contains(model, "DiMAGE 5"))
        kind = 18;
    if (Contains(model, "DiMAGE X")) {
        kind = 18;
        mainDirectory.MakerText = "DiMAGE X";
    }
    if (Contains(model, "Dimage 2330 Zoom"))
        kind = 18;
    if (HasEosDNumber(model))
        kind = 13;
    if (Contains(model, "EOS D30"))
        kind = 8;
    if (BeginsWith(model, "Canon EOS D60"))
        kind = 8;
    if (Contains(model, "KODAK DC4800"))
        kind = 15;
    if (Contains(model, "DS-230HD"))
        kind = 14;
    if (Contains(model, "PENTAX Optio 330") || Contains(model, "PENTAX Optio 430"))
        kind = 19;
    if (Contains(model, "SP-1500"))
        kind = 16;
    if (Contains(model, "Caplio") || Contains(model, "RDC-i500"))
        kind = 20;
}

// The design's recognition by the kind known so far.
static std::string RecognizeByKind(EntryValue& v, uint64_t tiffBase, int32_t& kind, TSubIFDResult& directory)
{
    const TiffEntry& e = v.Entry();
    const uint32_t n = e.count;
    const uint64_t l = e.valueOffset;
    const uint64_t a = tiffBase + l;
    const auto setOffset = [&](uint64_t offset) { directory.MakerOffset = static_cast<int32_t>(offset); };
    switch (kind) {
    case 4:
        directory.MakerText = DecodeFileText(NoteText(v, true));
        return "RIOCH Format : " + Num(n) + "," + Num(l) + "," + directory.MakerText;
    case 6:
        setOffset(n == 1 ? v.File().U32(e.entryPos + 8, true) : l);
        return "Nikon D1 Format : " + Num(n) + "Byte (Offset:" + DecimalText(directory.MakerOffset) + ") ";
    case 7:
        setOffset(l);
        return FormatText("CASIO", n, l + 12, " ");
    case 8:
        setOffset(l);
        return FormatText("Canon", n, l + 12, " ");
    case 9:
        setOffset(l + 8);
        return FormatText("KONICA", n, l + 12, " ");
    case 10: {
        const std::string bytes = NoteText(v, false);
        std::string hex;
        hex.reserve(bytes.size() * 2);
        for (char c : bytes)
            hex += HexByte(static_cast<uint8_t>(c));
        directory.MakerText = hex;
        return "TOSHIBA Format : " + hex + " (" + Num(n) + "Byte)";
    }
    case 11:
        setOffset(l);
        return FormatText("Kodak", n, l + 12, " ");
    case 14: {
        std::string h = Head(v, 5);
        if (h == "FUJIF") {
            setOffset(l + 12);
            return FormatText("FUJIFILM 230HD", n, a);
        }
        kind = 0;
        return CleanText(h);
    }
    case 15: {
        std::string h = Head(v, 14);
        if (h == "KDK INFODC4800") {
            setOffset(l + 16);
            return FormatText("KODAK INFODC4800", n, a);
        }
        kind = 0;
        return CleanText(h);
    }
    case 16:
        setOffset(l + 9);
        directory.MakerText = DecodeFileText(NoteText(v, false));
        return "FUJIFILM FDI Format : " + CleanText(directory.MakerText);
    case 18:
        setOffset(l);
        return FormatText("Minolta", n, l + 12, " ");
    case 19:
        setOffset(l);
        return FormatText("PENTAX", n, l, " ");
    case 20:
        if (Head(v, 5) == "RICOH") {
            setOffset(l + 8);
            return FormatText("RIOCH Caplio", n, l + 8, " ");
        }
        kind = 0;
        return FormatText("Unknown", n, a);
    default:
        return HeaderTest(v, tiffBase, kind, directory);
    }
}

std::string RecognizeMakerNote(EntryValue& v, uint64_t tiffBase, int32_t& kind, TSubIFDResult& directory)
{
    std::string text = RecognizeByKind(v, tiffBase, kind, directory);
    RecognizeModernHeader(v, tiffBase, kind, directory, text);
    return text;
}

} // namespace metadata
