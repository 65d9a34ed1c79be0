#pragma once
// The program's picture type: 24-bit blue-green-red pixels (or 32-bit
// blue-green-red-alpha where a caller asks for it), rows top to bottom,
// each row padded to a multiple of four bytes like a Windows DIB so that
// BMP files and the cache file can be written straight from memory.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace imaging {

// Pixel memory taken zeroed from the system: a large new bitmap is then fresh
// zero pages that the decoder writes once, instead of being cleared first.
// Value-initialising an element does nothing, the memory being zero already.
template <class T> struct ZeroedAllocator {
    using value_type = T;
    ZeroedAllocator() = default;
    template <class U> ZeroedAllocator(const ZeroedAllocator<U>&) noexcept { }
    T* allocate(size_t n)
    {
        if (void* p = std::calloc(n, sizeof(T)))
            return static_cast<T*>(p);
        throw std::bad_alloc();
    }
    void deallocate(T* p, size_t) noexcept { std::free(p); }
    template <class U> void construct(U*) noexcept { }
    template <class U, class... Args> void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    bool operator==(const ZeroedAllocator&) const { return true; }
};

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, int bitsPerPixel = 24) { Resize(width, height, bitsPerPixel); }

    // Sets a new size and depth (24 or 32); pixel contents become black (all zero).
    void Resize(int width, int height, int bitsPerPixel = 24);
    void Clear() { Resize(0, 0, bitsPerPixel_); }
    // Fills every pixel with one colour (alpha 255 in 32-bit bitmaps).
    void Fill(uint8_t red, uint8_t green, uint8_t blue);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerPixel() const { return bitsPerPixel_; }
    int BytesPerPixel() const { return bitsPerPixel_ / 8; }
    // Bytes from one row to the next: width × bytes per pixel rounded up to 4.
    int Stride() const { return stride_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }

    uint8_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * stride_; }
    const uint8_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * stride_; }
    uint8_t* Data() { return pixels_.data(); }
    const uint8_t* Data() const { return pixels_.data(); }
    size_t ByteSize() const { return pixels_.size(); }

    // Padded byte length of one row of `width` pixels at the given depth.
    static int StrideFor(int width, int bitsPerPixel) { return ((width * bitsPerPixel + 31) / 32) * 4; }

    bool operator==(const Bitmap& other) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    int bitsPerPixel_ = 24;
    int stride_ = 0;
    std::vector<uint8_t, ZeroedAllocator<uint8_t>> pixels_;
};

} // namespace imaging
