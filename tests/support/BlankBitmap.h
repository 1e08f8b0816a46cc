#pragma once
// Bitmap files for the image loader's tests: a little-endian field writer, and the
// smallest file of a large image, an RLE8 bitmap whose stream ends at once (every
// pixel black): sixty bytes that claim as many pixels as the header says.
#include <cstdint>
#include <vector>

namespace glintwake::test {

inline std::vector<uint8_t>& putLittleEndian(std::vector<uint8_t>& b, size_t at, uint32_t v,
                                             size_t bytes = 4) {
    for (size_t k = 0; k < bytes; ++k) b[at + k] = uint8_t(v >> (8 * k));
    return b;
}

inline std::vector<uint8_t> blankRleBitmap(int32_t width, int32_t height) {
    constexpr uint32_t PixelOffset = 14 + 40 + 4;  // file and info headers, one palette entry
    std::vector<uint8_t> b(PixelOffset);
    putLittleEndian(b, 0, 'B' | 'M' << 8, 2);
    putLittleEndian(b, 10, PixelOffset);
    putLittleEndian(b, 14, 40);  // info header size
    putLittleEndian(b, 18, uint32_t(width));
    putLittleEndian(b, 22, uint32_t(height));
    putLittleEndian(b, 26, 1 | 8 << 16);  // one plane, 8 bits per pixel
    putLittleEndian(b, 30, 1);            // RLE8
    putLittleEndian(b, 46, 1);            // one palette entry: black
    b.insert(b.end(), {0, 1});            // end of bitmap
    return putLittleEndian(b, 2, uint32_t(b.size()));
}

}  // namespace glintwake::test
