#include "imaging/PictureFile.h"

#include <cstdio>
#include <cstring>

namespace imaging {

bool LoadPictureFile(const std::string& name, Bitmap& out, const ProgressFn& progress)
{
    char head[8] = {};
    size_t headSize = 0;
    if (FILE* file = std::fopen(name.c_str(), "rb")) {
        headSize = std::fread(head, 1, sizeof head, file);
        std::fclose(file);
    } else {
        return false;
    }
    const auto starts = [&](const char* magic, size_t n) { return headSize >= n && std::memcmp(head, magic, n) == 0; };
    DecodeOptions options;
    options.progress = progress;
    if (starts("\xFF\xD8", 2))
        return LoadJpegFile(name, out, options);
    if (starts("\x89PNG\r\n\x1A\n", 8))
        return LoadPngFile(name, out, options);
    if (starts("II*\0", 4) || starts("MM\0*", 4) || starts("IIRO", 4) || starts("IIRS", 4))
        return LoadTiffFile(name, out, options);
    if (starts("BM", 2))
        return LoadBmpFile(name, out);
    if (starts("\x0A", 1))
        return LoadPcxFile(name, out);
    return false;
}

} // namespace imaging
