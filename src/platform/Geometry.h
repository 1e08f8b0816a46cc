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
// Its own type, so a pixel cannot be passed where a text colour is meant, nor back.
enum class ColorRef : uint32_t {};

constexpr Pixel PixelMask = 0x00FFFFFF;

constexpr Pixel makePixel(uint8_t r, uint8_t g, uint8_t b) {
    return (Pixel(r) << 16) | (Pixel(g) << 8) | Pixel(b);
}

constexpr ColorRef makeColorRef(uint8_t r, uint8_t g, uint8_t b) {
    return ColorRef{uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16)};
}

constexpr uint8_t greenOf(ColorRef c) {
    return uint8_t(uint32_t(c) >> 8);
}

constexpr Pixel colorRefToPixel(ColorRef c) {
    const uint32_t v = uint32_t(c);
    return makePixel(uint8_t(v & 0xFF), uint8_t((v >> 8) & 0xFF), uint8_t((v >> 16) & 0xFF));
}

inline std::ostream& operator<<(std::ostream& os, ColorRef c) {
    return os << "ColorRef{0x" << std::hex << uint32_t(c) << std::dec << "}";
}

}  // namespace platform
