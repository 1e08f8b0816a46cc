#pragma once
// Rectangles and pixel colours shared by the platform layer and the game.
#include <cstdint>
#include <ostream>

namespace platform {

// A rectangle in pixels: right and bottom are exclusive, as the game's bounds are.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "Rect{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

// Pixels in a surface are 0x00RRGGBB; text colours are 0x00BBGGRR like a Win32
// COLORREF. These helpers keep the two from being confused.
using Pixel = uint32_t;
using ColorRef = uint32_t;

constexpr Pixel PixelMask = 0x00FFFFFF;

constexpr Pixel makePixel(uint8_t r, uint8_t g, uint8_t b) {
    return (Pixel(r) << 16) | (Pixel(g) << 8) | Pixel(b);
}

constexpr ColorRef makeColorRef(uint8_t r, uint8_t g, uint8_t b) {
    return ColorRef(r) | (ColorRef(g) << 8) | (ColorRef(b) << 16);
}

constexpr Pixel colorRefToPixel(ColorRef c) {
    return makePixel(uint8_t(c & 0xFF), uint8_t((c >> 8) & 0xFF), uint8_t((c >> 16) & 0xFF));
}

}  // namespace platform
