#pragma once
// What the vendor value rules of the maker notes work with: the note being
// read, the items it has produced so far, and small helpers for the texts of
// enumerated values.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

#include "metadata/ExifData.h"
#include "metadata/TiffEntry.h"
#include "metadata/makernotes/Kinds.h"

namespace metadata::makernote {

// One note while it is read.
struct NoteContext {
    TMakerResult& target;
    int32_t kind = 0; // the kind whose keys, names and rules the note uses
    uint64_t tiffBase = 0;
    std::string cameraType; // Olympus hardware type (1/0x0207), remembered for the rest of the note
    std::string dataVersion; // Nikon data version (6/0x0001)

    // Appends an item unless the note already holds the most items it may.
    void Add(int32_t key, std::string name, std::string value);
};

// A vendor rule: the value text of the entry, or nothing when the generic text
// applies. A rule may append items of its own and may clear `name` (the entry
// is then not stored). Reads outside the file raise ExifReadError.
using ValueRule = std::optional<std::string> (*)(NoteContext& note, EntryValue& value, std::string& name);

// What an unlisted value shows.
enum class Other {
    kUnknown, // "Unknown (" n ")"
    kUnknownTight, // "Unknown(" n ")"
    kFumei, // "不明(" n ")"
    kDecimal, // n
};

struct Choice {
    int64_t value;
    const char* text;
};
using Choices = std::initializer_list<Choice>;

// The text of `value` among `choices`, else the `other` form.
std::string Choose(int64_t value, Choices choices, Other other = Other::kUnknown);
// The text of `value` among `choices`, or nothing when it is not listed.
const char* Find(int64_t value, Choices choices);
// "Unknown (" n ")" and its kin.
std::string OtherText(int64_t value, Other other);

// An enumerated SHORT rule of one tag (first value only).
struct ShortRule {
    uint16_t tag;
    Choices choices;
    Other other = Other::kUnknown;
};
// The text of an entry whose tag has a row among `rules` when it is a SHORT; nothing otherwise.
std::optional<std::string> ShortRuleText(EntryValue& value, std::initializer_list<ShortRule> rules);

// The value's position relative to the TIFF base, as the "Offset:" texts show it.
uint64_t OffsetFromTiffBase(const NoteContext& note, const EntryValue& value);
// "Offset:" + that position + " (" + count + "byte)" (PrintIM and similar blocks).
std::string BlockOffsetText(const NoteContext& note, const EntryValue& value);
// Every byte of the value as two hexadecimal digits, concatenated (bounded).
std::string HexBytesText(EntryValue& value);
// The count bytes of the value as text with NUL bytes dropped (bounded).
std::string TextWithoutNul(EntryValue& value);
// n / d formatted with `decimals`, or the generic "n/d" text when d is 0.
std::string QuotientOrFraction(uint32_t n, uint32_t d, int decimals);

// Every byte in hexadecimal; then, for the Olympus camera types SX552 and SX553,
// the picture-settings items decoded from the same value.
std::string HexWithPictureSettings(NoteContext& note, EntryValue& value);

// Digital zoom ratios (Olympus, Epson, Nikon "Nikon" header): numerator 0 gives
// "1.00 倍", else the quotient + " 倍"; nothing (the generic text) when d is 0.
std::optional<std::string> ZoomRatioText(EntryValue& value);

// The generic maker-note text of an entry.
std::string GenericNoteText(NoteContext& note, EntryValue& value);

// The vendor rules by maker (one file each).
std::optional<std::string> OlympusRule(NoteContext&, EntryValue&, std::string&);
std::optional<std::string> SanyoRule(NoteContext&, EntryValue&, std::string&);
std::optional<std::string> NikonRule(NoteContext&, EntryValue&, std::string&);
std::optional<std::string> CasioRule(NoteContext&, EntryValue&, std::string&);
std::optional<std::string> CanonRule(NoteContext&, EntryValue&, std::string&);
std::optional<std::string> FujifilmRule(NoteContext&, EntryValue&, std::string&);
std::optional<std::string> MinoltaRule(NoteContext&, EntryValue&, std::string&);
std::optional<std::string> PentaxOptioRule(NoteContext&, EntryValue&, std::string&);
std::optional<std::string> RicohRule(NoteContext&, EntryValue&, std::string&);
std::optional<std::string> PanasonicRule(NoteContext&, EntryValue&, std::string&);
// The PrintIM block (tag 0x0E00) of the makers without other rules.
std::optional<std::string> PrintImRule(NoteContext&, EntryValue&, std::string&);

} // namespace metadata::makernote
