#pragma once
// Whole-file reads for the decoders: one read into a buffer that is not
// zero-filled first (decoders overwrite or only read it).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "imaging/Bitmap.h"

namespace imaging {

struct FileBuffer {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
};

// Reads the whole file; false when it cannot be opened or read, or is larger
// than `maxBytes`.
bool ReadWholeFile(const std::string& path, FileBuffer& out, size_t maxBytes = size_t(1) << 32);

// Runs a loader with every failure (false or an exception such as a failed
// allocation) turned into false and an empty 24-bit `out`.
template <typename Load> bool GuardedLoad(Bitmap& out, Load load)
{
    try {
        if (load())
            return true;
    } catch (...) {
        // reported as a failed load
    }
    out.Resize(0, 0, 24);
    return false;
}

// Reads the whole file and hands its bytes to `loadMemory(data, size, out)`,
// with the read's failures handled like the loader's (see GuardedLoad).
template <typename LoadMemory> bool LoadWholeFile(const std::string& path, Bitmap& out, LoadMemory loadMemory)
{
    return GuardedLoad(out, [&] {
        FileBuffer file;
        return ReadWholeFile(path, file) && loadMemory(file.data.get(), file.size, out);
    });
}

// Largest picture any loader accepts, in pixels; bigger declared sizes are
// refused rather than allocated.
constexpr uint64_t kMaxPixels = 1'000'000'000;

} // namespace imaging
