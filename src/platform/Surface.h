#pragma once
// A 32-bit pixel buffer in memory: the back buffer and every loaded image.
// Pixels are 0x00RRGGBB; rows are `pitch` bytes apart (at least 4 x width).
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/Geometry.h"
#include "platform/PixelMemory.h"

namespace platform {

constexpr int32_t BytesPerPixel = sizeof(Pixel);

// A plain view of locked pixels. `at` is bounds-checked and returns null
// outside the surface, so a caller can never write past the buffer.
struct PixelView {
    uint8_t* base = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = 0;  // bytes per row

    uint32_t* at(int32_t x, int32_t y) const {
        if (base == nullptr || x < 0 || y < 0 || x >= width || y >= height) return nullptr;
        return reinterpret_cast<uint32_t*>(base + static_cast<ptrdiff_t>(y) * pitch) + x;
    }
    uint32_t* row(int32_t y) const { return at(0, y); }
    // Writes one pixel if (x, y) lies inside; returns whether it did.
    bool put(int32_t x, int32_t y, uint32_t value) const {
        uint32_t* p = at(x, y);
        if (p != nullptr) *p = value;
        return p != nullptr;
    }
    size_t sizeBytes() const { return static_cast<size_t>(pitch) * static_cast<size_t>(height); }
};

// Flags of the fast blit; the values are those the game's callers pass.
constexpr uint32_t BltNoColorKey = 0x00;
constexpr uint32_t BltSrcColorKey = 0x01;
constexpr uint32_t BltWait = 0x10;
constexpr uint32_t BltKeyed = BltSrcColorKey | BltWait;

class Surface {
public:
    // pitchBytes 0 means tightly packed (4 x width). A smaller pitch is raised to that.
    Surface(int32_t width, int32_t height, int32_t pitchBytes = 0);
    // A tightly packed surface, or null where the memory cannot be had: never throws.
    static std::unique_ptr<Surface> tryCreate(int32_t width, int32_t height);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t pitch() const { return pitch_; }

    // Gives the pixels for direct access until unlock(). A memory surface never
    // refuses; the result keeps the shape of a lock that can. Inline: particles lock
    // once per pixel, so it must cost nothing.
    bool lock(PixelView& out) {
        locked_ = true;
        out = view();
        return true;
    }
    void unlock() { locked_ = false; }
    bool isLocked() const { return locked_; }

    // Source colour key: pixels of this colour (low 24 bits) are skipped by keyed blits.
    void setColorKey(Pixel key) {
        colorKey_ = key & PixelMask;
        hasColorKey_ = true;
    }
    bool hasColorKey() const { return hasColorKey_; }
    Pixel colorKey() const { return colorKey_; }

    // Copies src's rectangle to (x, y). Never clips: a rectangle not wholly inside
    // the source, or a destination not wholly inside this surface, draws nothing
    // and returns false.
    bool bltFast(int32_t x, int32_t y, const Surface& src, const Rect& srcRect, uint32_t flags);

    // Bounds-checked single pixels, for loaders and tests; outside reads give 0.
    Pixel pixel(int32_t x, int32_t y) const;
    void setPixel(int32_t x, int32_t y, Pixel value);
    void fill(Pixel value);

    // Read-only view of the whole buffer (no lock needed for reading).
    PixelView view() const { return PixelView{bytes_.get(), width_, height_, pitch_}; }

private:
    Surface(int32_t width, int32_t height, PixelBytes bytes);

    int32_t width_;
    int32_t height_;
    int32_t pitch_;
    PixelBytes bytes_;
    Pixel colorKey_ = 0;
    bool hasColorKey_ = false;
    bool locked_ = false;
};

}  // namespace platform
