#include "platform/FrameScaler.h"

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
constexpr int32_t NoBits = 32;  // a shift by this many leaves nothing
constexpr uint32_t ShortMask = 0xFFFF;
constexpr uint32_t ShortPair = 0x00010001;  // a 16-bit pixel in both halves of a word
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

#if defined(__SSE2__)
// The window's pixels are only read again by the X server, and a cached store would
// first fetch each line: where the rows allow it they are streamed past the cache.
// (Whole rows copied with memcpy measured no faster streamed, so they are not.)
bool isStreamable(const uint8_t* to, ptrdiff_t pitch) {
    return ((reinterpret_cast<uintptr_t>(to) | static_cast<uintptr_t>(pitch)) & (sizeof(__m128i) - 1)) == 0;
}

template <bool Streamed>
void store(__m128i* to, __m128i value) {
    if constexpr (Streamed) {
        _mm_stream_si128(to, value);
    } else {
        _mm_storeu_si128(to, value);
    }
}

// Four source pixels become two pairs of pairs, stored 16 bytes at a time into both
// rows that show them: the common 1280x960 case then writes at memory speed.
template <bool Streamed>
void widenIntoPairOfRows(const uint32_t* source, uint8_t* first, ptrdiff_t pitch) {
    auto* top = reinterpret_cast<__m128i*>(first);
    auto* bottom = reinterpret_cast<__m128i*>(first + pitch);
    for (int32_t x = 0; x < ScreenWidth; x += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        const __m128i low = _mm_unpacklo_epi32(four, four);
        const __m128i high = _mm_unpackhi_epi32(four, four);
        store<Streamed>(top++, low);
        store<Streamed>(top++, high);
        store<Streamed>(bottom++, low);
        store<Streamed>(bottom++, high);
    }
}
#endif

// Streamed stores are ordered before the window's pixels are handed on.
void finishStreamedStores() {
#if defined(__SSE2__)
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
    for (size_t c = 0; c < channel_.size(); ++c) {
        const int32_t shift = std::countr_zero(masks[c]);
        const int32_t bits = std::popcount(masks[c]);
        for (uint32_t v = 0; v <= ChannelMax; ++v) channel_[c][v] = widen(v, bits) << shift;
        // The same as shifts: (v << up >> down) | (v >> repeat), where a count of 32 gives 0.
        const bool narrow = bits <= ChannelBits;
        shifts_[c] = ChannelShifts{.from = ChannelFrom[c],
                                   .up = narrow ? 0 : bits - ChannelBits,
                                   .down = narrow ? ChannelBits - bits : 0,
                                   .repeat = narrow ? NoBits : 2 * ChannelBits - bits,
                                   .to = shift};
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
    uint8_t* picture = out.base + static_cast<ptrdiff_t>(picture_.top) * out.pitch +
                       static_cast<ptrdiff_t>(picture_.left) * layout_.bytesPerPixel;
    if (wholeScale_ == 2) {
        // Each source row is widened straight into both its window rows: none is read back.
        for (int32_t y = 0; y < ScreenHeight; ++y) {
            writeDoubledRows(inWindowFormat(source.row(y)),
                             picture + 2 * static_cast<ptrdiff_t>(y) * out.pitch, out.pitch);
        }
        finishStreamedStores();
        return;
    }
    const size_t rowBytes =
        static_cast<size_t>(picture_.width()) * static_cast<size_t>(layout_.bytesPerPixel);
    const uint8_t* built = nullptr;
    for (int32_t y = 0; y < picture_.height(); ++y) {
        uint8_t* row = picture + static_cast<ptrdiff_t>(y) * out.pitch;
        // A row that repeats the one above is copied from the last one built.
        if (built != nullptr && sourceRow_[y] == sourceRow_[y - 1]) {
            std::memcpy(row, built, rowBytes);
        } else {
            buildRow(inWindowFormat(source.row(sourceRow_[y])), row);
            built = row;
        }
    }
}

const uint32_t* FrameScaler::inWindowFormat(const uint32_t* source) const {
    if (native_) return source;
    convertRow(source, converted_.data());
    return converted_.data();
}

void FrameScaler::convertRow(const uint32_t* source, uint32_t* out) const {
    int32_t x = 0;
#if defined(__SSE2__)
    // The channel table's values worked out four pixels at a time: each channel cut
    // out, narrowed to its top bits or widened by repeating them, and moved in place.
    struct Counts {
        __m128i from, up, down, repeat, to;
    };
    std::array<Counts, 3> counts{};
    for (size_t c = 0; c < counts.size(); ++c) {
        const ChannelShifts& s = shifts_[c];
        counts[c] = {_mm_cvtsi32_si128(s.from), _mm_cvtsi32_si128(s.up), _mm_cvtsi32_si128(s.down),
                     _mm_cvtsi32_si128(s.repeat), _mm_cvtsi32_si128(s.to)};
    }
    const __m128i channelMax = _mm_set1_epi32(static_cast<int>(ChannelMax));
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(opaque_));
    for (; x + 4 <= ScreenWidth; x += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        __m128i result = opaque;
        for (const Counts& c : counts) {
            const __m128i value = _mm_and_si128(_mm_srl_epi32(four, c.from), channelMax);
            const __m128i bits = _mm_or_si128(_mm_srl_epi32(_mm_sll_epi32(value, c.up), c.down),
                                              _mm_srl_epi32(value, c.repeat));
            result = _mm_or_si128(result, _mm_sll_epi32(bits, c.to));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), result);
    }
#endif
    for (; x < ScreenWidth; ++x) out[x] = convert(source[x]);
}

void FrameScaler::buildRow(const uint32_t* pixels, uint8_t* row) const {
    if (layout_.bytesPerPixel != BytesPerPixel) {
        pickColumns(pixels, reinterpret_cast<uint16_t*>(row));
    } else if (wholeScale_ == 1) {
        std::memcpy(row, pixels, static_cast<size_t>(ScreenWidth) * BytesPerPixel);
    } else if (wholeScale_ > 1) {
        buildWholeRow(pixels, reinterpret_cast<uint32_t*>(row));
    } else {
        pickColumns(pixels, reinterpret_cast<uint32_t*>(row));
    }
}

template <typename Word>
void FrameScaler::pickColumns(const uint32_t* pixels, Word* row) const {
    for (size_t x = 0; x < sourceColumn_.size(); ++x) row[x] = static_cast<Word>(pixels[sourceColumn_[x]]);
}

void FrameScaler::writeDoubledRows(const uint32_t* pixels, uint8_t* first, ptrdiff_t pitch) const {
    if (layout_.bytesPerPixel == ShortPixelBytes) {
        // Two 16-bit pixels make one word: the row of words is built once, then copied twice.
        std::array<uint32_t, ScreenWidth> pairs;
        for (size_t x = 0; x < pairs.size(); ++x) pairs[x] = (pixels[x] & ShortMask) * ShortPair;
        std::memcpy(first, pairs.data(), sizeof pairs);
        std::memcpy(first + pitch, pairs.data(), sizeof pairs);
        return;
    }
#if defined(__SSE2__)
    if (isStreamable(first, pitch)) {
        widenIntoPairOfRows<true>(pixels, first, pitch);
    } else {
        widenIntoPairOfRows<false>(pixels, first, pitch);
    }
#else
    buildWholeRow(pixels, reinterpret_cast<uint32_t*>(first));
    std::memcpy(first + pitch, first, static_cast<size_t>(ScreenWidth) * 2 * BytesPerPixel);
#endif
}

void FrameScaler::buildWholeRow(const uint32_t* source, uint32_t* row) const {
    const int32_t scale = wholeScale_;
    int32_t x = 0;
#if defined(__SSE2__)
    // Each pixel's run written four at a time, the last four of a run reaching into
    // the next one's, which then writes over them. The last run is written exactly.
    for (; x + 1 < ScreenWidth; ++x) {
        const __m128i four = _mm_set1_epi32(static_cast<int>(source[x]));
        for (int32_t k = 0; k < scale; k += 4)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(row + x * scale + k), four);
    }
#endif
    for (; x < ScreenWidth; ++x) {
        for (int32_t k = 0; k < scale; ++k) row[x * scale + k] = source[x];
    }
}

}  // namespace platform
