#pragma once
// Where a hot loop pays for a newer vector unit, it is built for that unit as well
// as the baseline, and the build is chosen once, at start, by what the processor
// runs. GCC and clang on x86-64 (Linux and mingw-w64 alike) mark the newer build
// with a target attribute and ask CPUID; elsewhere (emscripten has no CPUID) the
// marks are empty, the answers false, and the baseline build is all there is.
// Every build gives the same bits.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) && !defined(__EMSCRIPTEN__)
#define GLINTWAKE_X86_BUILDS 1
#define GLINTWAKE_TARGET_AVX2 __attribute__((target("avx2")))
#define GLINTWAKE_TARGET_SSE41 __attribute__((target("sse4.1")))
#else
#define GLINTWAKE_TARGET_AVX2
#define GLINTWAKE_TARGET_SSE41
#endif

namespace platform {

// True when this processor runs the AVX2 build; false where there is none.
bool cpuRunsAvx2();
// True when it runs the SSE4.1 build (rounding in one instruction); false where there is none.
bool cpuRunsSse41();

}  // namespace platform
