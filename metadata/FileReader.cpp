#include "metadata/FileReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "metadata/ExifRead.h"

namespace metadata {

FileReader::FileReader(const std::string& path)
{
    // Non-blocking, so that a FIFO named like a photo cannot stall the reader at open.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0)
        return;
    struct stat st { };
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    size_ = static_cast<uint64_t>(st.st_size);
    opened_ = true;
}

FileReader::FileReader(const uint8_t* data, size_t size)
    : opened_(true)
    , size_(size)
    , memory_(data)
{
}

FileReader::~FileReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool FileReader::ReadFromFile(uint64_t pos, uint8_t* dst, size_t length)
{
    while (length > 0) {
        ssize_t n = ::pread(fd_, dst, length, static_cast<off_t>(pos));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        dst += n;
        pos += static_cast<uint64_t>(n);
        length -= static_cast<size_t>(n);
    }
    return true;
}

const FileReader::Block* FileReader::BlockFor(uint64_t pos)
{
    ++useCounter_;
    Block* oldest = &blocks_[0];
    for (Block& block : blocks_) {
        if (block.start != UINT64_MAX && pos >= block.start && pos - block.start < block.length) {
            block.lastUse = useCounter_;
            return &block;
        }
        if (block.lastUse < oldest->lastUse)
            oldest = &block;
    }
    const uint64_t start = pos - pos % kBlockSize;
    const size_t length = static_cast<size_t>(std::min<uint64_t>(kBlockSize, size_ - start));
    if (!oldest->bytes)
        oldest->bytes = std::make_unique_for_overwrite<uint8_t[]>(kBlockSize);
    oldest->start = UINT64_MAX;
    if (!ReadFromFile(start, oldest->bytes.get(), length))
        return nullptr;
    oldest->start = start;
    oldest->length = length;
    oldest->lastUse = useCounter_;
    return oldest;
}

bool FileReader::ReadAt(uint64_t pos, void* dst, size_t length)
{
    if (!opened_ || !Contains(pos, length))
        return false;
    if (length == 0)
        return true;
    auto* out = static_cast<uint8_t*>(dst);
    if (memory_) {
        std::memcpy(out, memory_ + pos, length);
        return true;
    }
    if (length > kBlockSize / 2)
        return ReadFromFile(pos, out, length);
    while (length > 0) {
        const Block* block = BlockFor(pos);
        if (!block)
            return false;
        const size_t offset = static_cast<size_t>(pos - block->start);
        const size_t n = std::min(length, block->length - offset);
        std::memcpy(out, block->bytes.get() + offset, n);
        out += n;
        pos += n;
        length -= n;
    }
    return true;
}

void FileReader::ReadExact(uint64_t pos, void* dst, size_t length)
{
    if (!ReadAt(pos, dst, length))
        throw ExifReadError("read beyond the end of the file");
}

std::vector<uint8_t> FileReader::ReadRange(uint64_t pos, size_t length)
{
    std::vector<uint8_t> bytes;
    if (!Contains(pos, length))
        return bytes;
    bytes.resize(length);
    if (!ReadAt(pos, bytes.data(), length))
        bytes.clear();
    return bytes;
}

uint8_t FileReader::U8(uint64_t pos)
{
    uint8_t b = 0;
    ReadExact(pos, &b, 1);
    return b;
}

uint16_t FileReader::U16(uint64_t pos, bool littleEndian)
{
    uint8_t b[2];
    ReadExact(pos, b, 2);
    return littleEndian ? static_cast<uint16_t>(b[0] | (b[1] << 8)) : static_cast<uint16_t>((b[0] << 8) | b[1]);
}

uint32_t FileReader::U32(uint64_t pos, bool littleEndian)
{
    uint8_t b[4];
    ReadExact(pos, b, 4);
    if (littleEndian)
        return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
    return (static_cast<uint32_t>(b[0]) << 24) | (b[1] << 16) | (b[2] << 8) | b[3];
}

} // namespace metadata
