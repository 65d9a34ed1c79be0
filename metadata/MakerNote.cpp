#include "metadata/MakerNote.h"

#include <algorithm>

namespace metadata {

bool IsDirectoryMakerNote(int32_t kind)
{
    static const int32_t kKinds[] = { 1, 2, 3, 5, 6, 7, 8, 9, 12, 14, 17, 18, 19, 20, 24, 25 };
    return std::find(std::begin(kKinds), std::end(kKinds), kind) != std::end(kKinds);
}

void ReadMakerNote(FileReader&, bool, uint64_t, TMakerResult& target, int32_t, uint64_t)
{
    target.Items.clear();
    target.Count = 0;
    target.LensWide = target.LensTele = 0.0;
}

void ReadToshibaNote(const std::string&, TMakerResult& target)
{
    target.Items.clear();
    target.Count = 0;
}

} // namespace metadata
