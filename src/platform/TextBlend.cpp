#include "platform/TextBlend.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {
namespace {

constexpr uint32_t OpaqueAlpha = 255;

uint32_t blendChannel(uint32_t src, uint32_t dst, uint32_t alpha) {
    return (src * alpha + dst * (OpaqueAlpha - alpha) + OpaqueAlpha / 2) / OpaqueAlpha;
}

// Mixes `color` into one 0x00RRGGBB pixel by the glyph's coverage.
Pixel blendPixel(Pixel color, Pixel dst, uint32_t alpha) {
    if (alpha >= OpaqueAlpha) return color;
    const uint32_t r = blendChannel((color >> 16) & 0xFF, (dst >> 16) & 0xFF, alpha);
    const uint32_t g = blendChannel((color >> 8) & 0xFF, (dst >> 8) & 0xFF, alpha);
    const uint32_t b = blendChannel(color & 0xFF, dst & 0xFF, alpha);
    return (r << 16) | (g << 8) | b;
}

#if defined(__SSE2__)
// blendPixel on four pixels at once, exactly: each channel's (t + 1 + (t >> 8)) >> 8
// equals t / 255 for every t the blend can make (at most 255 * 255 + 127).
int64_t blendFourAtATime(uint32_t* row, const uint8_t* coverage, int64_t count, Pixel color) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i colour = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(color)), zero);
    const __m128i opaque = _mm_set1_epi16(OpaqueAlpha);
    const __m128i roundUp = _mm_set1_epi16(OpaqueAlpha / 2);
    const __m128i one = _mm_set1_epi16(1);
    const __m128i colourBits = _mm_set1_epi32(static_cast<int>(PixelMask));
    const auto blend = [&](__m128i dst, __m128i alpha) {
        const __m128i sum = _mm_add_epi16(
            _mm_add_epi16(_mm_mullo_epi16(colour, alpha), _mm_mullo_epi16(dst, _mm_sub_epi16(opaque, alpha))),
            roundUp);
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(sum, one), _mm_srli_epi16(sum, 8)), 8);
    };
    int64_t x = 0;
    constexpr int64_t Run = 16;
    constexpr int AllZero = 0xFFFF;
    for (; x + 4 <= count; x += 4) {
        // Whole runs of empty box are stepped over sixteen pixels at a time.
        if (x % Run == 0 && x + Run <= count) {
            const __m128i run = _mm_loadu_si128(reinterpret_cast<const __m128i*>(coverage + x));
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(run, zero)) == AllZero) {
                x += Run - 4;
                continue;
            }
        }
        uint32_t four = 0;
        std::memcpy(&four, coverage + x, sizeof four);
        if (four == 0) continue;  // most of a text's box is empty
        __m128i alpha = _mm_cvtsi32_si128(static_cast<int>(four));
        alpha = _mm_unpacklo_epi8(alpha, alpha);
        alpha = _mm_unpacklo_epi16(alpha, alpha);  // each pixel's coverage in all four of its bytes
        auto* at = reinterpret_cast<__m128i*>(row + x);
        const __m128i dst = _mm_loadu_si128(at);
        __m128i mixed = _mm_packus_epi16(blend(_mm_unpacklo_epi8(dst, zero), _mm_unpacklo_epi8(alpha, zero)),
                                         blend(_mm_unpackhi_epi8(dst, zero), _mm_unpackhi_epi8(alpha, zero)));
        mixed = _mm_and_si128(mixed, colourBits);
        const __m128i untouched = _mm_cmpeq_epi32(alpha, zero);  // no coverage: the pixel stays as it was
        _mm_storeu_si128(at, _mm_or_si128(_mm_and_si128(untouched, dst), _mm_andnot_si128(untouched, mixed)));
    }
    return x;
}
#endif

}  // namespace

void blendText(const PixelView& view, const RenderedText& text, int64_t left, int64_t top, Pixel color) {
    const int64_t x0 = std::max<int64_t>(left, 0);
    const int64_t y0 = std::max<int64_t>(top, 0);
    const int64_t x1 = std::min<int64_t>(left + text.width, view.width);
    const int64_t y1 = std::min<int64_t>(top + text.height, view.height);
    if (x0 >= x1 || y0 >= y1) return;
    for (int64_t y = y0; y < y1; ++y) {
        const uint8_t* coverage = &text.coverage[static_cast<size_t>((y - top) * text.width + (x0 - left))];
        uint32_t* row = view.at(static_cast<int32_t>(x0), static_cast<int32_t>(y));
        int64_t x = 0;
#if defined(__SSE2__)
        x = blendFourAtATime(row, coverage, x1 - x0, color);
#endif
        for (; x < x1 - x0; ++x) {
            if (coverage[x] != 0) row[x] = blendPixel(color, row[x], coverage[x]);
        }
    }
}

}  // namespace platform
