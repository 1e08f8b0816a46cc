#include "platform/sdl/FrameScaler.h"

#include <bit>
#include <cstring>

#include "platform/Platform.h"

namespace platform {
namespace {

constexpr int32_t ShortPixelBytes = 2;
constexpr int32_t BitsPerByte = 8;
constexpr int32_t ChannelBits = 8;
constexpr int32_t MaxChannelBits = 16;
constexpr uint32_t ChannelMax = 0xFF;
constexpr int32_t RedShift = 16;
constexpr int32_t GreenShift = 8;
// Source positions step in 16.16 fixed point from the middle of the first output
// pixel, as SDL's own nearest-neighbour stretch does, so both paths pick the same pixels.
constexpr int32_t FixedShift = 16;

bool isContiguous(uint32_t mask) {
    if (mask == 0) return false;
    const uint32_t low = mask >> std::countr_zero(mask);
    return (low & (low + 1)) == 0;
}

// 8-bit value to `bits` bits: the top bits when narrower, the bits repeated when wider.
uint32_t widen(uint32_t value, int32_t bits) {
    if (bits <= ChannelBits) return value >> (ChannelBits - bits);
    return (value << (bits - ChannelBits)) | (value >> (2 * ChannelBits - bits));
}

// For each of `outputSize` positions, the source position nearest its centre.
std::vector<int32_t> nearestMap(int32_t sourceSize, int32_t outputSize) {
    std::vector<int32_t> map(static_cast<size_t>(outputSize));
    const int64_t step = (int64_t{sourceSize} << FixedShift) / outputSize;
    int64_t position = step / 2;
    for (int32_t& entry : map) {
        entry = static_cast<int32_t>(position >> FixedShift);
        position += step;
    }
    return map;
}

}  // namespace

bool PixelLayout::isNative() const {
    return bytesPerPixel == BytesPerPixel && redMask == 0x00FF0000 && greenMask == 0x0000FF00 &&
           blueMask == 0x000000FF && alphaMask == 0;
}

bool PixelLayout::isSupported() const {
    if (bytesPerPixel != ShortPixelBytes && bytesPerPixel != BytesPerPixel) return false;
    const uint64_t limit = uint64_t{1} << (bytesPerPixel * BitsPerByte);
    for (uint32_t mask : {redMask, greenMask, blueMask}) {
        if (!isContiguous(mask) || mask >= limit || std::popcount(mask) > MaxChannelBits) return false;
    }
    return alphaMask < limit;
}

bool FrameScaler::configure(int32_t outputWidth, int32_t outputHeight, const PixelLayout& layout) {
    if (outputWidth <= 0 || outputHeight <= 0 || !layout.isSupported()) return false;
    layout_ = layout;
    native_ = layout.isNative();
    outputWidth_ = outputWidth;
    outputHeight_ = outputHeight;
    // The largest 4:3 rectangle that fits, centred.
    int32_t width = outputWidth;
    int32_t height = static_cast<int32_t>(int64_t{outputWidth} * ScreenHeight / ScreenWidth);
    if (height > outputHeight) {
        height = outputHeight;
        width = static_cast<int32_t>(int64_t{outputHeight} * ScreenWidth / ScreenHeight);
    }
    const int32_t left = (outputWidth - width) / 2;
    const int32_t top = (outputHeight - height) / 2;
    picture_ = Rect{left, top, left + width, top + height};
    const bool whole = width % ScreenWidth == 0 && width / ScreenWidth == height / ScreenHeight &&
                       height % ScreenHeight == 0;
    wholeScale_ = whole ? width / ScreenWidth : 0;
    sourceColumn_ = nearestMap(ScreenWidth, width);
    sourceRow_ = nearestMap(ScreenHeight, height);

    const uint32_t masks[] = {layout.redMask, layout.greenMask, layout.blueMask};
    for (size_t c = 0; c < channel_.size(); ++c) {
        const int32_t shift = std::countr_zero(masks[c]);
        const int32_t bits = std::popcount(masks[c]);
        for (uint32_t v = 0; v <= ChannelMax; ++v) channel_[c][v] = widen(v, bits) << shift;
    }
    opaque_ = layout.alphaMask;
    return true;
}

uint32_t FrameScaler::convert(Pixel pixel) const {
    return channel_[0][(pixel >> RedShift) & ChannelMax] | channel_[1][(pixel >> GreenShift) & ChannelMax] |
           channel_[2][pixel & ChannelMax] | opaque_;
}

void FrameScaler::clear(const WindowPixels& out) const {
    if (out.base == nullptr || out.width != outputWidth_ || out.height != outputHeight_) return;
    const size_t rowBytes = static_cast<size_t>(out.width) * static_cast<size_t>(layout_.bytesPerPixel);
    for (int32_t y = 0; y < out.height; ++y) {
        uint8_t* row = out.base + static_cast<ptrdiff_t>(y) * out.pitch;
        if (opaque_ == 0) {
            std::memset(row, 0, rowBytes);
        } else if (layout_.bytesPerPixel == BytesPerPixel) {
            auto* words = reinterpret_cast<uint32_t*>(row);
            for (int32_t x = 0; x < out.width; ++x) words[x] = opaque_;
        } else {
            auto* words = reinterpret_cast<uint16_t*>(row);
            for (int32_t x = 0; x < out.width; ++x) words[x] = static_cast<uint16_t>(opaque_);
        }
    }
}

void FrameScaler::present(const PixelView& source, const WindowPixels& out) const {
    if (source.base == nullptr || source.width < ScreenWidth || source.height < ScreenHeight) return;
    if (out.base == nullptr || out.width != outputWidth_ || out.height != outputHeight_) return;
    const size_t rowBytes =
        static_cast<size_t>(picture_.width()) * static_cast<size_t>(layout_.bytesPerPixel);
    const uint8_t* previous = nullptr;
    for (int32_t y = 0; y < picture_.height(); ++y) {
        uint8_t* row = out.base + static_cast<ptrdiff_t>(picture_.top + y) * out.pitch +
                       static_cast<ptrdiff_t>(picture_.left) * layout_.bytesPerPixel;
        // A row that repeats the one above is copied, not built again.
        if (previous != nullptr && sourceRow_[y] == sourceRow_[y - 1]) {
            std::memcpy(row, previous, rowBytes);
        } else {
            buildRow(source.row(sourceRow_[y]), row);
        }
        previous = row;
    }
}

void FrameScaler::buildRow(const uint32_t* source, uint8_t* row) const {
    if (native_ && wholeScale_ == 1) {
        std::memcpy(row, source, static_cast<size_t>(ScreenWidth) * BytesPerPixel);
    } else if (native_ && wholeScale_ > 1) {
        buildNativeWholeRow(source, reinterpret_cast<uint32_t*>(row));
    } else if (layout_.bytesPerPixel == BytesPerPixel) {
        buildConvertedRow(source, reinterpret_cast<uint32_t*>(row));
    } else {
        buildConvertedRow(source, reinterpret_cast<uint16_t*>(row));
    }
}

void FrameScaler::buildNativeWholeRow(const uint32_t* source, uint32_t* row) const {
    if (wholeScale_ == 2) {
        // Two output pixels per store: the common 1280x960 case runs at memory speed.
        // (memcpy: a picture at an odd column leaves the pairs unaligned.)
        for (int32_t x = 0; x < ScreenWidth; ++x) {
            const uint64_t pair = source[x] * uint64_t{0x0000000100000001};
            std::memcpy(row + 2 * x, &pair, sizeof pair);
        }
        return;
    }
    for (int32_t x = 0; x < ScreenWidth; ++x) {
        for (int32_t k = 0; k < wholeScale_; ++k) *row++ = source[x];
    }
}

template <typename Word>
void FrameScaler::buildConvertedRow(const uint32_t* source, Word* row) const {
    if (native_) {
        for (size_t x = 0; x < sourceColumn_.size(); ++x)
            row[x] = static_cast<Word>(source[sourceColumn_[x]]);
        return;
    }
    int32_t last = -1;
    Word value = 0;
    for (size_t x = 0; x < sourceColumn_.size(); ++x) {
        if (sourceColumn_[x] != last) {
            last = sourceColumn_[x];
            value = static_cast<Word>(convert(source[last]));
        }
        row[x] = value;
    }
}

}  // namespace platform
