// libFuzzer target for the maker-note decoders: the first byte picks the kind,
// the second the file's byte order and where the directory starts; the rest
// is the file image, with the note spanning all of it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "metadata/FileReader.h"
#include "metadata/MakerNote.h"
#include "metadata/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const int32_t kKinds[] = { 1, 2, 3, 5, 6, 7, 8, 9, 12, 14, 17, 18, 19, 20, 24, 25, 26, 27 };
    if (size < 2)
        return 0;
    const int32_t kind = kKinds[data[0] % (sizeof kKinds / sizeof kKinds[0])];
    const bool little = (data[1] & 1) != 0;
    const uint64_t pos = (data[1] >> 1) & 0x1F;
    metadata::FileReader file(data + 2, size - 2);
    metadata::TMakerResult maker;
    metadata::ReadMakerNote(file, little, 0, maker, kind, pos, { 0, size - 2 });
    std::string hex;
    for (size_t i = 2; i < size && i < 10; ++i)
        hex += metadata::HexByte(data[i]);
    metadata::ReadToshibaNote(hex, maker);
    return 0;
}
