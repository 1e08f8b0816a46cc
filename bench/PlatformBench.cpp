// The SDL backend's costs per frame: a full screen of text with and without the
// render cache, one flip of the back buffer to the real window, and the scaler's
// writes into window-sized memory beside a plain copy of as many bytes.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/FrameScaler.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlText.h"

namespace {

using platform::FontHandle;
using platform::TextAlign;

struct Line {
    int font;  // 0 small, 1 medium, 2 large
    int32_t x;
    int32_t y;
    const char* text;
    TextAlign align;
};

// A busy frame: the status display's ten lines and the open shop's sixteen.
const std::vector<Line>& frameLines() {
    static const std::vector<Line> lines = {
        {0, 10, 440, "Health", TextAlign::Left},
        {0, 80, 440, "Shield", TextAlign::Left},
        {0, 150, 440, "Arc Shot: 12", TextAlign::Left},
        {0, 150, 452, "Energy Cannon: 3", TextAlign::Left},
        {0, 150, 464, "Missiles: 8", TextAlign::Left},
        {0, 300, 440, "Laser Level 2", TextAlign::Left},
        {0, 300, 452, "Fire Rate 3", TextAlign::Left},
        {1, 630, 2, "Wave 12", TextAlign::Right},
        {1, 630, 20, "Money: 1500", TextAlign::Right},
        {2, 320, 200, "Power Up!", TextAlign::Center},
        {2, 320, 40, "SHOP", TextAlign::Center},
        {1, 320, 70, "Money: 1500", TextAlign::Center},
        {1, 150, 110, "Health", TextAlign::Left},
        {1, 500, 110, "100", TextAlign::Right},
        {1, 150, 130, "Shield", TextAlign::Left},
        {1, 500, 130, "150", TextAlign::Right},
        {1, 150, 150, "Arc Shot Ammo", TextAlign::Left},
        {1, 500, 150, "200", TextAlign::Right},
        {1, 150, 170, "Energy Cannon", TextAlign::Left},
        {1, 500, 170, "250", TextAlign::Right},
        {1, 150, 190, "Missiles", TextAlign::Left},
        {1, 500, 190, "300", TextAlign::Right},
        {1, 150, 210, "Laser Upgrade", TextAlign::Left},
        {1, 500, 210, "1000", TextAlign::Right},
        {1, 150, 230, "Fire Rate", TextAlign::Left},
        {0, 320, 300, "Up/Down, Enter to buy, Q to leave", TextAlign::Center},
    };
    return lines;
}

void drawFrameText(benchmark::State& state, bool cached) {
    platform::SdlTextRenderer text(cached);
    const FontHandle fonts[] = {text.createFont("Small Fonts", 7), text.createFont("Times New Roman", 15),
                                text.createFont("Times New Roman", 20)};
    platform::Surface backBuffer(platform::ScreenWidth, platform::ScreenHeight);
    const std::vector<Line>& lines = frameLines();
    for (auto _ : state) {
        for (const Line& line : lines) {
            text.drawText(backBuffer, fonts[line.font], line.x, line.y, line.text,
                          platform::makeColorRef(0xFF, 0xFF, 0xFF), line.align);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}

void BM_FrameText26Cached(benchmark::State& state) {
    drawFrameText(state, true);
}
void BM_FrameText26Uncached(benchmark::State& state) {
    drawFrameText(state, false);
}
BENCHMARK(BM_FrameText26Cached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameText26Uncached)->Unit(benchmark::kMicrosecond);

void BM_Present(benchmark::State& state) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    platform::SdlDisplay screen;
    platform::Surface* backBuffer = nullptr;
    if (screen.startVideo() && screen.createWindow() && screen.createRenderer() && screen.enterFullScreen() &&
        screen.setLogicalSize() && screen.createTexture()) {
        backBuffer = screen.createBackBuffer();
    }
    if (backBuffer == nullptr) {
        state.SkipWithError("the display could not be started");
        return;
    }
    backBuffer->fill(0x00336699);
    for (auto _ : state) screen.present();
    state.SetLabel(screen.rendererName());
    screen.close();
}
BENCHMARK(BM_Present)->Unit(benchmark::kMicrosecond);

// Each eviction takes milliseconds, untimed: a short timed total keeps the run short.
constexpr double EvictedMinTime = 0.05;

// Between two presents the rest of the frame and the X server's copy pass through
// the caches, so the window's pixels are rarely still there: each present is measured
// with them cold, and with the back buffer, just drawn, read back in.
void evictCaches(benchmark::State& state, const platform::Surface& backBuffer) {
    static const std::vector<uint64_t> elsewhere((size_t{48} << 20) / sizeof(uint64_t), 1);
    state.PauseTiming();
    uint64_t sum = 0;
    for (uint64_t word : elsewhere) sum += word;
    const platform::PixelView drawn = backBuffer.view();
    for (int32_t y = 0; y < drawn.height; ++y)
        for (int32_t x = 0; x < drawn.width; ++x) sum += drawn.row(y)[x];
    benchmark::DoNotOptimize(sum);
    state.ResumeTiming();
}

// The window sizes measured: whole scales of one to three, 1920x1080 (a fraction) and a
// 16-bit window.
void windowSizes(benchmark::internal::Benchmark* b) {
    b->Args({640, 480, 4})->Args({1280, 960, 4})->Args({1920, 1440, 4})->Args({1920, 1080, 4});
    b->Args({1280, 960, 2});
}

platform::PixelLayout layoutOfBytes(int64_t bytesPerPixel) {
    if (bytesPerPixel == 2) return {2, 0xF800, 0x07E0, 0x001F, 0};
    return platform::PixelLayout{};
}

// The back buffer scaled into a window (width, height, bytes per pixel), as the
// software present does it every frame.
void BM_ScaleToWindow(benchmark::State& state) {
    const auto width = static_cast<int32_t>(state.range(0));
    const auto height = static_cast<int32_t>(state.range(1));
    const auto bytesPerPixel = static_cast<int32_t>(state.range(2));
    platform::Surface source(platform::ScreenWidth, platform::ScreenHeight);
    source.fill(0x00336699);
    std::vector<uint8_t> window(static_cast<size_t>(width) * height * bytesPerPixel);
    const platform::WindowPixels out{window.data(), width, height, width * bytesPerPixel};
    platform::FrameScaler scaler;
    if (!scaler.configure(width, height, layoutOfBytes(bytesPerPixel))) {
        state.SkipWithError("the scaler refused the window");
        return;
    }
    for (auto _ : state) {
        evictCaches(state, source);
        scaler.present(source.view(), out);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(window.size()));
}
BENCHMARK(BM_ScaleToWindow)->Apply(windowSizes)->MinTime(EvictedMinTime)->Unit(benchmark::kMicrosecond);

// The bandwidth the scaler is held to: copying a window's worth of bytes.
void BM_CopyWindowBytes(benchmark::State& state) {
    const auto bytes = static_cast<size_t>(state.range(0) * state.range(1) * state.range(2));
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    const platform::Surface nothingDrawn(1, 1);
    for (auto _ : state) {
        evictCaches(state, nothingDrawn);
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_CopyWindowBytes)->Apply(windowSizes)->MinTime(EvictedMinTime)->Unit(benchmark::kMicrosecond);

}  // namespace
