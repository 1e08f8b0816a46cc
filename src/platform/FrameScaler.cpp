#include "platform/FrameScaler.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/Platform.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {
namespace {

constexpr int32_t ShortPixelBytes = 2;
constexpr int32_t BitsPerByte = 8;
constexpr int32_t ChannelBits = 8;
constexpr int32_t MaxChannelBits = 16;
constexpr uint32_t ChannelMax = 0xFF;
constexpr int32_t RedShift = 16;
constexpr int32_t GreenShift = 8;
constexpr int32_t ChannelFrom[] = {RedShift, GreenShift, 0};
// Source positions step in 16.16 fixed point from the middle of the first output
// pixel, as SDL's own nearest-neighbour stretch does, so both paths pick the same pixels.
constexpr int32_t FixedShift = 16;

bool isContiguous(uint32_t mask) {
    if (mask == 0) return false;
    const uint32_t low = mask >> std::countr_zero(mask);
    return (low & (low + 1)) == 0;
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

#if defined(__SSE2__) && !defined(GLINTWAKE_PLAIN_SCALER)
#define GLINTWAKE_SCALER_SSE2 1
// The window's pixels are only read again by the X server, and a cached store would
// first fetch each line: where the rows allow it they are streamed past the cache.
bool isStreamable(const uint8_t* to, ptrdiff_t pitch) {
    return ((reinterpret_cast<uintptr_t>(to) | static_cast<uintptr_t>(pitch)) & (sizeof(__m128i) - 1)) == 0;
}

// Four source pixels become two pairs of pairs, streamed 16 bytes at a time into both
// rows that show them, none read back.
void streamPairOfRows(const uint32_t* source, int32_t count, uint8_t* first, ptrdiff_t pitch) {
    auto* top = reinterpret_cast<__m128i*>(first);
    auto* bottom = reinterpret_cast<__m128i*>(first + pitch);
    int32_t x = 0;
    for (; x + 4 <= count; x += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        const __m128i low = _mm_unpacklo_epi32(four, four);
        const __m128i high = _mm_unpackhi_epi32(four, four);
        _mm_stream_si128(top++, low);
        _mm_stream_si128(top++, high);
        _mm_stream_si128(bottom++, low);
        _mm_stream_si128(bottom++, high);
    }
    auto* topWords = reinterpret_cast<uint32_t*>(top);
    auto* bottomWords = reinterpret_cast<uint32_t*>(bottom);
    for (int32_t i = 0; x < count; ++x, i += 2) {
        topWords[i] = topWords[i + 1] = bottomWords[i] = bottomWords[i + 1] = source[x];
    }
}
#endif

// Streamed stores are ordered before the window's pixels are handed on.
void finishStreamedStores() {
#if defined(GLINTWAKE_SCALER_SSE2)
    _mm_sfence();
#endif
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
    for (size_t c = 0; c < shifts_.size(); ++c) {
        const int32_t bits = std::popcount(masks[c]);
        // Narrower channels keep their top bits; wider ones repeat them below.
        const bool narrow = bits <= ChannelBits;
        shifts_[c] = ChannelShifts{.from = ChannelFrom[c],
                                   .up = narrow ? 0 : bits - ChannelBits,
                                   .repeat = narrow ? ChannelBits : 2 * ChannelBits - bits,
                                   .down = narrow ? ChannelBits - bits : 0,
                                   .to = std::countr_zero(masks[c])};
    }
    opaque_ = layout.alphaMask;
    return true;
}

// The one place a pixel's channels move into the window's format; rows are
// converted by the same steps in a loop the compiler vectorises.
inline uint32_t FrameScaler::convertWith(Pixel pixel) const {
    uint32_t result = opaque_;
    for (const ChannelShifts& s : shifts_) {
        const uint32_t value = (pixel >> s.from) & ChannelMax;
        result |= (((value << s.up) | (value >> s.repeat)) >> s.down) << s.to;
    }
    return result;
}

uint32_t FrameScaler::convert(Pixel pixel) const {
    return convertWith(pixel);
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
    present(source, out, Rect{0, 0, ScreenWidth, ScreenHeight});
}

FrameScaler::Span FrameScaler::spanOf(const std::vector<int32_t>& map, int32_t begin, int32_t end) {
    const auto first = std::lower_bound(map.begin(), map.end(), begin);
    const auto last = std::lower_bound(first, map.end(), end);
    return Span{static_cast<int32_t>(first - map.begin()), static_cast<int32_t>(last - map.begin())};
}

Rect FrameScaler::outputArea(const Rect& area) const {
    const Span columns = spanOf(sourceColumn_, area.left, area.right);
    const Span rows = spanOf(sourceRow_, area.top, area.bottom);
    if (columns.first >= columns.last || rows.first >= rows.last) return Rect{};
    return Rect{picture_.left + columns.first, picture_.top + rows.first, picture_.left + columns.last,
                picture_.top + rows.last};
}

void FrameScaler::present(const PixelView& source, const WindowPixels& out, const Rect& area) const {
    if (source.base == nullptr || source.width < ScreenWidth || source.height < ScreenHeight) return;
    if (out.base == nullptr || out.width != outputWidth_ || out.height != outputHeight_) return;
    const Rect clipped{std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, ScreenWidth),
                       std::min(area.bottom, ScreenHeight)};
    const Span columns = spanOf(sourceColumn_, clipped.left, clipped.right);
    const Span rows = spanOf(sourceRow_, clipped.top, clipped.bottom);
    if (columns.first >= columns.last || rows.first >= rows.last) return;
    const int32_t begin = sourceColumn_[static_cast<size_t>(columns.first)];
    const int32_t end = sourceColumn_[static_cast<size_t>(columns.last - 1)] + 1;
    const ptrdiff_t bpp = layout_.bytesPerPixel;
    uint8_t* picture = out.base + static_cast<ptrdiff_t>(picture_.top) * out.pitch +
                       (static_cast<ptrdiff_t>(picture_.left) + columns.first) * bpp;
    const size_t rowBytes = static_cast<size_t>(columns.last - columns.first) * static_cast<size_t>(bpp);
#if defined(GLINTWAKE_SCALER_SSE2)
    if (wholeScale_ == 2 && bpp == BytesPerPixel && rows.first % 2 == 0 && rows.last % 2 == 0 &&
        isStreamable(picture + static_cast<ptrdiff_t>(rows.first) * out.pitch, out.pitch)) {
        for (int32_t y = rows.first; y < rows.last; y += 2) {
            const uint32_t* pixels =
                inWindowFormat(source.row(sourceRow_[static_cast<size_t>(y)]), begin, end);
            streamPairOfRows(pixels + begin, end - begin, picture + static_cast<ptrdiff_t>(y) * out.pitch,
                             out.pitch);
        }
        finishStreamedStores();
        return;
    }
#endif
    const uint8_t* built = nullptr;
    for (int32_t y = rows.first; y < rows.last; ++y) {
        uint8_t* row = picture + static_cast<ptrdiff_t>(y) * out.pitch;
        const int32_t sourceRow = sourceRow_[static_cast<size_t>(y)];
        // A row that repeats the one above is copied from the last one built.
        if (built != nullptr && sourceRow == sourceRow_[static_cast<size_t>(y - 1)]) {
            std::memcpy(row, built, rowBytes);
        } else {
            buildRow(inWindowFormat(source.row(sourceRow), begin, end), row, columns);
            built = row;
        }
    }
}

const uint32_t* FrameScaler::inWindowFormat(const uint32_t* source, int32_t begin, int32_t end) const {
    if (native_) return source;
    for (int32_t x = begin; x < end; ++x) converted_[static_cast<size_t>(x)] = convertWith(source[x]);
    return converted_.data();
}

void FrameScaler::buildRow(const uint32_t* pixels, uint8_t* row, Span columns) const {
    if (layout_.bytesPerPixel != BytesPerPixel) {
        pickColumns(pixels, reinterpret_cast<uint16_t*>(row), columns);
    } else if (wholeScale_ == 1) {
        std::memcpy(row, pixels + columns.first,
                    static_cast<size_t>(columns.last - columns.first) * BytesPerPixel);
    } else if (wholeScale_ > 1) {
        buildWholeRow(pixels, reinterpret_cast<uint32_t*>(row), columns);
    } else {
        pickColumns(pixels, reinterpret_cast<uint32_t*>(row), columns);
    }
}

template <typename Word>
void FrameScaler::pickColumns(const uint32_t* pixels, Word* row, Span columns) const {
    const int32_t* from = sourceColumn_.data() + columns.first;
    const int32_t count = columns.last - columns.first;
    for (int32_t x = 0; x < count; ++x) row[x] = static_cast<Word>(pixels[from[x]]);
}

// Each source pixel's run of `scale` window pixels; the columns start and end on runs.
void FrameScaler::buildWholeRow(const uint32_t* pixels, uint32_t* row, Span columns) const {
    const int32_t scale = wholeScale_;
    const int32_t begin = columns.first / scale;
    const int32_t end = columns.last / scale;
    for (int32_t x = begin; x < end; ++x) {
        uint32_t* run = row + (x - begin) * scale;
        for (int32_t k = 0; k < scale; ++k) run[k] = pixels[x];
    }
}

}  // namespace platform
