// Toshiba notes (kind 10): three setting bytes read from the note's hexadecimal text.
#include "metadata/MakerNote.h"
#include "metadata/makernotes/NoteRules.h"

namespace metadata {

void ReadToshibaNote(const std::string& text, TMakerResult& target)
{
    target.Items.clear();
    target.Count = 0;
    target.LensWide = target.LensTele = 0.0;
    if (text.rfind("544F5348494241", 0) == 0) // "TOSHIBA" in hexadecimal: no settings
        return;
    struct Setting {
        const char* name;
        makernote::Choices choices;
        const char* other;
    };
    const Setting settings[] = {
        { "サイズ", { { 0, "HALF" }, { 1, "FULL" } }, "Unknown (" },
        { "クオリティ", { { 0, "[★] BASIC (1/8)" }, { 1, "[★★] NORMAL (1/4)" }, { 2, "[★★★] FINE (1/2)" } },
            "Unknown(" },
        { "１６マルチ撮影", { { 0, "オフ" }, { 1, "オン" } }, "Unknown (" },
    };
    makernote::NoteContext note { target, makernote::kToshiba, 0, {}, {} };
    for (size_t i = 0; i < std::size(settings); ++i) {
        if (text.size() < 2 * i + 2)
            break;
        const std::string pair = text.substr(2 * i, 2);
        const char* known = nullptr;
        if (pair == "00" || pair == "01" || pair == "02")
            known = makernote::Find(pair[1] - '0', settings[i].choices);
        note.Add(
            static_cast<int32_t>(i), settings[i].name, known ? std::string(known) : settings[i].other + pair + ")");
    }
}

} // namespace metadata
