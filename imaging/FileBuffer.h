#pragma once
// Whole-file reads for the decoders: one read into a buffer that is not
// zero-filled first (decoders overwrite or only read it).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace imaging {

struct FileBuffer {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
};

// Reads the whole file; false when it cannot be opened or read, or is larger
// than `maxBytes`.
bool ReadWholeFile(const std::string& path, FileBuffer& out, size_t maxBytes = size_t(1) << 32);

// Largest picture any loader accepts, in pixels; bigger declared sizes are
// refused rather than allocated.
constexpr uint64_t kMaxPixels = 1'000'000'000;

} // namespace imaging
