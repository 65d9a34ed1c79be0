#pragma once
// A bounded, buffered reader over one file (or a block of memory): reads of
// exact ranges that fail instead of running past the end, served from a few
// cached blocks so the many small reads of a directory walk cost little.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace metadata {

class FileReader {
public:
    // Opens the file read-only; Opened() tells whether that worked.
    explicit FileReader(const std::string& path);
    // Reads from memory the caller keeps alive.
    FileReader(const uint8_t* data, size_t size);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool Opened() const { return opened_; }
    uint64_t Size() const { return size_; }
    // True when [pos, pos + length) lies inside the file.
    bool Contains(uint64_t pos, uint64_t length) const { return pos <= size_ && length <= size_ - pos; }

    // Copies exactly `length` bytes at `pos`; false (nothing guaranteed in dst) when they are not all there.
    bool ReadAt(uint64_t pos, void* dst, size_t length);
    // As ReadAt, but a range outside the file raises ExifReadError.
    void ReadExact(uint64_t pos, void* dst, size_t length);
    // The bytes of a range, or an empty vector when it is not inside the file.
    std::vector<uint8_t> ReadRange(uint64_t pos, size_t length);
    // Single bytes and big-/little-endian numbers; out of range raises ExifReadError.
    uint8_t U8(uint64_t pos);
    uint16_t U16(uint64_t pos, bool littleEndian);
    uint32_t U32(uint64_t pos, bool littleEndian);

private:
    static constexpr size_t kBlockSize = 4 * 1024;
    static constexpr size_t kBlocks = 8;
    struct Block {
        uint64_t start = UINT64_MAX;
        size_t length = 0;
        uint64_t lastUse = 0;
        std::unique_ptr<uint8_t[]> bytes;
    };
    const Block* BlockFor(uint64_t pos);
    bool ReadFromFile(uint64_t pos, uint8_t* dst, size_t length);

    int fd_ = -1;
    bool opened_ = false;
    uint64_t size_ = 0;
    const uint8_t* memory_ = nullptr;
    std::array<Block, kBlocks> blocks_;
    uint64_t useCounter_ = 0;
};

} // namespace metadata
