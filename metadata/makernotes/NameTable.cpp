#include "metadata/makernotes/NameTable.h"

#include <algorithm>
#include <iterator>

#include "metadata/TagNames.h"

namespace metadata::makernote {

namespace {

struct NameRow {
    int32_t kind;
    uint16_t tag;
    const char* name;
};

constexpr NameRow kNames[] = {
#include "metadata/MakerNoteNames.inc"
};

constexpr bool Before(const NameRow& a, const NameRow& b)
{
    return a.kind != b.kind ? a.kind < b.kind : a.tag < b.tag;
}

static_assert(std::is_sorted(std::begin(kNames), std::end(kNames), Before), "the name table is searched by halves");

} // namespace

const char* KnownTagName(int32_t kind, uint16_t tag)
{
    const NameRow probe { kind, tag, nullptr };
    const NameRow* row = std::lower_bound(std::begin(kNames), std::end(kNames), probe, Before);
    if (row == std::end(kNames) || row->kind != kind || row->tag != tag)
        return nullptr;
    return row->name;
}

std::string TagName(int32_t kind, uint16_t tag, uint16_t type, uint32_t count)
{
    if (const char* name = KnownTagName(kind, tag))
        return name;
    return UnknownTagName(tag, type, count);
}

} // namespace metadata::makernote
