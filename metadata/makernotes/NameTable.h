#pragma once
// English names of maker-note tags by kind, from the documented tag tables.

#include <cstdint>
#include <string>

namespace metadata::makernote {

// The documented name, or nullptr when the kind has no name for the tag.
const char* KnownTagName(int32_t kind, uint16_t tag);
// The known name, else "Unknown (" + four hex digits + ")" + type + "," + count.
std::string TagName(int32_t kind, uint16_t tag, uint16_t type, uint32_t count);

} // namespace metadata::makernote
