#include "platform/Surface.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "platform/KeyedCopy.h"

namespace platform {

Surface::Surface(int32_t width, int32_t height, int32_t pitchBytes)
    : width_(std::max<int32_t>(width, 0)),
      height_(std::max<int32_t>(height, 0)),
      pitch_(std::max<int32_t>(pitchBytes, width_ * BytesPerPixel)),
      bytes_(new (PixelAlignment) uint8_t[static_cast<size_t>(pitch_) * static_cast<size_t>(height_) + 1]()) {
}

Surface::Surface(int32_t width, int32_t height, PixelBytes bytes)
    : width_(width), height_(height), pitch_(width * BytesPerPixel), bytes_(std::move(bytes)) {}

std::unique_ptr<Surface> Surface::tryCreate(int32_t width, int32_t height) {
    if (width < 0 || height < 0) return nullptr;
    const size_t size = static_cast<size_t>(width) * BytesPerPixel * static_cast<size_t>(height) + 1;
    PixelBytes bytes = allocatePixelBytes(size);
    if (!bytes) return nullptr;
    return std::unique_ptr<Surface>(new (std::nothrow) Surface(width, height, std::move(bytes)));
}

namespace {
bool rectInside(const Rect& r, int32_t w, int32_t h) {
    return r.left >= 0 && r.top >= 0 && r.left <= r.right && r.top <= r.bottom && r.right <= w &&
           r.bottom <= h;
}

// A blit of a surface onto itself may overlap: rows are walked away from the
// overlap, and each source row is read whole before its destination is written.
void blitWithin(const PixelView& view, int32_t x, int32_t y, const Rect& srcRect, bool keyed, Pixel key) {
    const int32_t w = srcRect.width();
    const int32_t h = srcRect.height();
    const bool rowsUp = y > srcRect.top;
    std::vector<uint32_t> sourceRow(keyed ? static_cast<size_t>(w) : 0);
    for (int32_t i = 0; i < h; ++i) {
        const int32_t row = rowsUp ? h - 1 - i : i;
        const uint32_t* s = view.at(srcRect.left, srcRect.top + row);
        uint32_t* d = view.at(x, y + row);
        if (!keyed) {
            std::memmove(d, s, static_cast<size_t>(w) * BytesPerPixel);
            continue;
        }
        std::copy_n(s, w, sourceRow.data());
        copyKeyed({d, 0, sourceRow.data(), 0, w, 1, key});
    }
}
}  // namespace

bool Surface::bltFast(int32_t x, int32_t y, const Surface& src, const Rect& srcRect, uint32_t flags) {
    if (!rectInside(srcRect, src.width_, src.height_)) return false;
    const int32_t w = srcRect.width();
    const int32_t h = srcRect.height();
    // 64-bit sums so that huge destinations cannot overflow the test.
    if (x < 0 || y < 0 || int64_t(x) + w > width_ || int64_t(y) + h > height_) return false;
    if (w == 0 || h == 0) return true;

    const bool keyed = (flags & BltSrcColorKey) != 0 && src.hasColorKey_;
    if (&src == this) {
        blitWithin(view(), x, y, srcRect, keyed, src.colorKey_);
        return true;
    }
    uint32_t* to = view().at(x, y);
    const uint32_t* from = src.view().at(srcRect.left, srcRect.top);
    if (keyed) {
        copyKeyed({to, pitch_, from, src.pitch_, w, h, src.colorKey_});
        return true;
    }
    for (int32_t i = 0; i < h; ++i) {
        std::memcpy(reinterpret_cast<uint8_t*>(to) + static_cast<ptrdiff_t>(i) * pitch_,
                    reinterpret_cast<const uint8_t*>(from) + static_cast<ptrdiff_t>(i) * src.pitch_,
                    static_cast<size_t>(w) * BytesPerPixel);
    }
    return true;
}

Pixel Surface::pixel(int32_t x, int32_t y) const {
    const uint32_t* p = view().at(x, y);
    return p ? *p : 0;
}

void Surface::setPixel(int32_t x, int32_t y, Pixel value) {
    if (uint32_t* p = view().at(x, y)) *p = value;
}

void Surface::fill(Pixel value) {
    const PixelView v = view();
    for (int32_t y = 0; y < height_; ++y) std::fill_n(v.row(y), width_, value);
}

}  // namespace platform
