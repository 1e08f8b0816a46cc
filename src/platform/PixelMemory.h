#pragma once
// Pixel memory that starts on a cache line. A copy between two buffers whose
// offsets within a line differ can run many times slower on some processors (the
// string copy's store and load streams alias), so every picture buffer is aligned.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace platform {

inline constexpr std::align_val_t PixelAlignment{64};

struct AlignedDelete {
    void operator()(uint8_t* p) const { ::operator delete[](p, PixelAlignment); }
};
using PixelBytes = std::unique_ptr<uint8_t[], AlignedDelete>;

// Zeroed bytes, or null where the memory cannot be had: never throws.
inline PixelBytes allocatePixelBytes(size_t size) {
    return PixelBytes(new (PixelAlignment, std::nothrow) uint8_t[size]());
}

// The same alignment for a std::vector of pixels.
template <typename T>
struct PixelAllocator {
    using value_type = T;
    PixelAllocator() = default;
    template <typename U>
    PixelAllocator(const PixelAllocator<U>&) {}
    T* allocate(size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), PixelAlignment)); }
    void deallocate(T* p, size_t) { ::operator delete(p, PixelAlignment); }
    friend bool operator==(const PixelAllocator&, const PixelAllocator&) { return true; }
};
template <typename T>
using PixelVector = std::vector<T, PixelAllocator<T>>;

}  // namespace platform
