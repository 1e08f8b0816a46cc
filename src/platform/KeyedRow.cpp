#include "platform/KeyedRow.h"

#include <vector>

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define GLINTWAKE_X86_VECTORS 1
#endif

namespace platform {

void copyKeyedRowScalar(uint32_t* to, const uint32_t* from, int32_t width, Pixel key) {
    for (int32_t j = 0; j < width; ++j) {
        if ((from[j] & PixelMask) != key) to[j] = from[j];
    }
}

namespace {

#if defined(GLINTWAKE_X86_VECTORS)
constexpr int AllLanes8 = 0xFF;
constexpr int AllLanes4 = 0xF;

// Eight pixels a step. A step wholly keyed (a sprite's corners) touches nothing; one
// without the key is stored without reading what was there.
__attribute__((target("avx2"))) void copyKeyedRowAvx2(uint32_t* to, const uint32_t* from, int32_t width,
                                                      Pixel key) {
    const __m256i keys = _mm256_set1_epi32(static_cast<int>(key));
    const __m256i colourBits = _mm256_set1_epi32(static_cast<int>(PixelMask));
    int32_t j = 0;
    for (; j + 8 <= width; j += 8) {
        const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + j));
        const __m256i isKey = _mm256_cmpeq_epi32(_mm256_and_si256(source, colourBits), keys);
        const int lanes = _mm256_movemask_ps(_mm256_castsi256_ps(isKey));
        auto* out = reinterpret_cast<__m256i*>(to + j);
        if (lanes == AllLanes8) continue;
        if (lanes == 0) {
            _mm256_storeu_si256(out, source);
            continue;
        }
        _mm256_storeu_si256(out, _mm256_blendv_epi8(source, _mm256_loadu_si256(out), isKey));
    }
    copyKeyedRowScalar(to + j, from + j, width - j, key);
}

// The same four pixels a step with SSE2, which every x86-64 has.
void copyKeyedRowSse2(uint32_t* to, const uint32_t* from, int32_t width, Pixel key) {
    const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
    const __m128i colourBits = _mm_set1_epi32(static_cast<int>(PixelMask));
    int32_t j = 0;
    for (; j + 4 <= width; j += 4) {
        const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + j));
        const __m128i isKey = _mm_cmpeq_epi32(_mm_and_si128(source, colourBits), keys);
        const int lanes = _mm_movemask_ps(_mm_castsi128_ps(isKey));
        auto* out = reinterpret_cast<__m128i*>(to + j);
        if (lanes == AllLanes4) continue;
        const __m128i kept = _mm_and_si128(isKey, _mm_loadu_si128(out));
        _mm_storeu_si128(out, _mm_or_si128(kept, _mm_andnot_si128(isKey, source)));
    }
    copyKeyedRowScalar(to + j, from + j, width - j, key);
}

std::vector<KeyedRowBuild> runnableBuilds() {
    __builtin_cpu_init();
    std::vector<KeyedRowBuild> builds;
    if (__builtin_cpu_supports("avx2")) builds.push_back({"avx2", copyKeyedRowAvx2});
    builds.push_back({"sse2", copyKeyedRowSse2});
    builds.push_back({"scalar", copyKeyedRowScalar});
    return builds;
}
#else
std::vector<KeyedRowBuild> runnableBuilds() {
    return {{"scalar", copyKeyedRowScalar}};
}
#endif

}  // namespace

std::span<const KeyedRowBuild> keyedRowBuilds() {
    static const std::vector<KeyedRowBuild> builds = runnableBuilds();
    return builds;
}

void copyKeyedRow(uint32_t* to, const uint32_t* from, int32_t width, Pixel key) {
    static const KeyedRowCopy best = keyedRowBuilds().front().copy;
    best(to, from, width, key);
}

}  // namespace platform
