// The SDL backend's costs per frame: a full screen of text with and without the
// render cache, and one flip of the back buffer to the real window.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

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

}  // namespace
