// The scaler's whole presents into cold windows, built alone so that scaler.sh can
// build it against several versions of the scaler (its SSE2 code, its plain code,
// an older commit's) and run them in turn in one run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "platform/FrameScaler.h"
#include "platform/Platform.h"

namespace {

// Between two presents the rest of the frame and the X server pass through the
// caches: each present starts with the window's pixels cold.
void evictCaches(benchmark::State& state) {
    static const std::vector<uint64_t> elsewhere((size_t{48} << 20) / sizeof(uint64_t), 1);
    state.PauseTiming();
    uint64_t sum = 0;
    for (uint64_t word : elsewhere) sum += word;
    benchmark::DoNotOptimize(sum);
    state.ResumeTiming();
}

// Width, height, bytes per pixel: the streamed doubled rows, a whole scale of three, a
// fraction, the converted 16- and 30-bit windows.
void BM_Scale(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    const auto kind = state.range(2);
    platform::PixelLayout layout;
    if (kind == 2) layout = {2, 0xF800, 0x07E0, 0x001F, 0};
    if (kind == 30) layout = {4, 0x3FF00000, 0x000FFC00, 0x000003FF, 0};
    platform::Surface source(platform::ScreenWidth, platform::ScreenHeight);
    source.fill(0x00336699);
    const int32_t pitch = width * layout.bytesPerPixel;
    std::vector<uint8_t> window(static_cast<size_t>(pitch) * static_cast<size_t>(height) + 64);
    auto* base =
        reinterpret_cast<uint8_t*>((reinterpret_cast<uintptr_t>(window.data()) + 63) & ~uintptr_t{63});
    const platform::WindowPixels out{base, width, height, pitch};
    platform::FrameScaler scaler;
    if (!scaler.configure(width, height, layout)) {
        state.SkipWithError("refused");
        return;
    }
    scaler.present(source.view(), out);  // the window's pages are mapped before timing
    for (auto _ : state) {
        evictCaches(state);
        scaler.present(source.view(), out);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Scale)
    ->Args({1280, 960, 4})
    ->Args({1920, 1440, 4})
    ->Args({1920, 1080, 4})
    ->Args({1280, 960, 2})
    ->Args({1280, 960, 30})
    ->MinTime(0.05)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
