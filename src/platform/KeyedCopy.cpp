#include "platform/KeyedCopy.h"

#include <vector>

#include "platform/CpuDispatch.h"

#if defined(GLINTWAKE_X86_BUILDS)
#include <immintrin.h>
#endif

namespace platform {

namespace {

uint32_t* rowOf(uint32_t* base, ptrdiff_t pitch, int32_t row) {
    return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(base) + pitch * row);
}

const uint32_t* rowOf(const uint32_t* base, ptrdiff_t pitch, int32_t row) {
    return reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(base) + pitch * row);
}

void copyRowScalar(uint32_t* to, const uint32_t* from, int32_t begin, int32_t end, Pixel key) {
    for (int32_t j = begin; j < end; ++j) {
        if ((from[j] & PixelMask) != key) to[j] = from[j];
    }
}

}  // namespace

void copyKeyedScalar(const KeyedCopy& c) {
    for (int32_t i = 0; i < c.height; ++i) {
        copyRowScalar(rowOf(c.to, c.toPitch, i), rowOf(c.from, c.fromPitch, i), 0, c.width, c.key);
    }
}

namespace {

#if defined(GLINTWAKE_X86_BUILDS)
// Eight pixels a step, then four, then one at a time. Every step writes all its
// pixels, the keyed ones with what was there: a select, where a branch on the key
// would be mispredicted along every sprite's outline.
GLINTWAKE_TARGET_AVX2 void copyKeyedAvx2(const KeyedCopy& c) {
    const __m256i keys = _mm256_set1_epi32(static_cast<int>(c.key));
    const __m256i colourBits = _mm256_set1_epi32(static_cast<int>(PixelMask));
    const __m128i keys4 = _mm256_castsi256_si128(keys);
    const __m128i colourBits4 = _mm256_castsi256_si128(colourBits);
    for (int32_t i = 0; i < c.height; ++i) {
        uint32_t* to = rowOf(c.to, c.toPitch, i);
        const uint32_t* from = rowOf(c.from, c.fromPitch, i);
        int32_t j = 0;
        for (; j + 8 <= c.width; j += 8) {
            const __m256i source = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + j));
            const __m256i isKey = _mm256_cmpeq_epi32(_mm256_and_si256(source, colourBits), keys);
            auto* out = reinterpret_cast<__m256i*>(to + j);
            _mm256_storeu_si256(out, _mm256_blendv_epi8(source, _mm256_loadu_si256(out), isKey));
        }
        if (j + 4 <= c.width) {
            const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + j));
            const __m128i isKey = _mm_cmpeq_epi32(_mm_and_si128(source, colourBits4), keys4);
            auto* out = reinterpret_cast<__m128i*>(to + j);
            _mm_storeu_si128(out, _mm_blendv_epi8(source, _mm_loadu_si128(out), isKey));
            j += 4;
        }
        copyRowScalar(to, from, j, c.width, c.key);
    }
}

// Four pixels a step with SSE2, which every x86-64 has.
void copyKeyedSse2(const KeyedCopy& c) {
    const __m128i keys = _mm_set1_epi32(static_cast<int>(c.key));
    const __m128i colourBits = _mm_set1_epi32(static_cast<int>(PixelMask));
    for (int32_t i = 0; i < c.height; ++i) {
        uint32_t* to = rowOf(c.to, c.toPitch, i);
        const uint32_t* from = rowOf(c.from, c.fromPitch, i);
        int32_t j = 0;
        for (; j + 4 <= c.width; j += 4) {
            const __m128i source = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + j));
            const __m128i isKey = _mm_cmpeq_epi32(_mm_and_si128(source, colourBits), keys);
            auto* out = reinterpret_cast<__m128i*>(to + j);
            const __m128i kept = _mm_and_si128(isKey, _mm_loadu_si128(out));
            _mm_storeu_si128(out, _mm_or_si128(kept, _mm_andnot_si128(isKey, source)));
        }
        copyRowScalar(to, from, j, c.width, c.key);
    }
}

std::vector<KeyedBuild> runnableBuilds() {
    std::vector<KeyedBuild> builds;
    if (cpuRunsAvx2()) builds.push_back({"avx2", copyKeyedAvx2});
    builds.push_back({"sse2", copyKeyedSse2});
    builds.push_back({"scalar", copyKeyedScalar});
    return builds;
}
#else
std::vector<KeyedBuild> runnableBuilds() {
    return {{"scalar", copyKeyedScalar}};
}
#endif

}  // namespace

std::span<const KeyedBuild> keyedBuilds() {
    static const std::vector<KeyedBuild> builds = runnableBuilds();
    return builds;
}

void copyKeyed(const KeyedCopy& copy) {
    static const KeyedCopyBuild best = keyedBuilds().front().copy;
    best(copy);
}

}  // namespace platform
