#pragma once
// The smallest file of a large image: an RLE8 bitmap of any size whose stream
// ends at once, so every pixel is black. Sixty bytes that claim as many pixels as
// the header says, for tests of the loader's size limits.
#include <cstdint>
#include <vector>

namespace glintwake::test {

inline std::vector<uint8_t> blankRleBitmap(int32_t width, int32_t height) {
    constexpr uint32_t PixelOffset = 14 + 40 + 4;  // file and info headers, one palette entry
    std::vector<uint8_t> b(PixelOffset);
    const auto put = [&](size_t at, uint32_t v, size_t bytes) {
        for (size_t k = 0; k < bytes; ++k) b[at + k] = uint8_t(v >> (8 * k));
    };
    put(0, 'B' | 'M' << 8, 2);
    put(10, PixelOffset, 4);
    put(14, 40, 4);  // info header size
    put(18, uint32_t(width), 4);
    put(22, uint32_t(height), 4);
    put(26, 1 | 8 << 16, 4);    // one plane, 8 bits per pixel
    put(30, 1, 4);              // RLE8
    put(46, 1, 4);              // one palette entry: black
    b.insert(b.end(), {0, 1});  // end of bitmap
    put(2, uint32_t(b.size()), 4);
    return b;
}

}  // namespace glintwake::test
