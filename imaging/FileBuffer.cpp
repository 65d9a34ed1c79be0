#include "imaging/FileBuffer.h"

#include <cstdio>
#include <sys/stat.h>

namespace imaging {

bool ReadWholeFile(const std::string& path, FileBuffer& out, size_t maxBytes)
{
    out = {};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    struct stat info { };
    bool ok = fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0
        && static_cast<uint64_t>(info.st_size) <= maxBytes;
    if (ok) {
        const size_t size = static_cast<size_t>(info.st_size);
        out.data = std::make_unique_for_overwrite<uint8_t[]>(size ? size : 1);
        out.size = size ? std::fread(out.data.get(), 1, size, file) : 0;
        ok = out.size == size;
    }
    std::fclose(file);
    if (!ok)
        out = {};
    return ok;
}

} // namespace imaging
