// Costs of the two surface operations every frame leans on: clearing the back
// buffer and drawing colour-keyed sprites onto it.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "platform/KeyedCopy.h"
#include "platform/Surface.h"

namespace {

using platform::Surface;

constexpr int32_t ScreenWidth = 640;
constexpr int32_t ScreenHeight = 480;
constexpr int32_t FrameWidth = 33;
constexpr int32_t FrameHeight = 44;
constexpr int32_t FrameCount = 2;
constexpr int SpritesPerFrame = 40;
constexpr platform::Pixel HullColour = 0x00A0B0C0;
constexpr platform::Pixel EngineColour = 0x00FF8020;

// A two-frame ship strip: an ellipse on black, so that the corners are keyed out.
std::unique_ptr<Surface> makeShipStrip() {
    auto strip = std::make_unique<Surface>(FrameWidth, FrameHeight * FrameCount);
    const double rx = FrameWidth / 2.0;
    const double ry = FrameHeight / 2.0;
    for (int32_t y = 0; y < strip->height(); ++y) {
        for (int32_t x = 0; x < FrameWidth; ++x) {
            const double dx = (x + 0.5 - rx) / rx;
            const double dy = ((y % FrameHeight) + 0.5 - ry) / ry;
            if (dx * dx + dy * dy <= 1.0) strip->setPixel(x, y, (x + y) % 5 == 0 ? EngineColour : HullColour);
        }
    }
    strip->setColorKey(0);
    return strip;
}

void BM_ClearBackBuffer(benchmark::State& state) {
    Surface back(ScreenWidth, ScreenHeight);
    for (auto _ : state) {
        platform::PixelView pixels;
        if (!back.lock(pixels)) state.SkipWithError("lock failed");
        std::memset(pixels.base, 0, pixels.sizeBytes());
        back.unlock();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t(back.view().sizeBytes()));
}
BENCHMARK(BM_ClearBackBuffer);

void BM_KeyedSprites(benchmark::State& state) {
    Surface back(ScreenWidth, ScreenHeight);
    const std::unique_ptr<Surface> strip = makeShipStrip();
    for (auto _ : state) {
        for (int i = 0; i < SpritesPerFrame; ++i) {
            const int32_t x = (i * 97) % (ScreenWidth - FrameWidth);
            const int32_t y = (i * 53) % (ScreenHeight - FrameHeight);
            const int32_t top = (i % FrameCount) * FrameHeight;
            back.bltFast(x, y, *strip, platform::Rect{0, top, FrameWidth, top + FrameHeight},
                         platform::BltKeyed);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * SpritesPerFrame);
}
BENCHMARK(BM_KeyedSprites);

// The same sprites through each build of the keyed copy this processor runs (Arg:
// its place in keyedBuilds(), the best first), to see what the wider build buys.
void BM_KeyedSpritesBuild(benchmark::State& state) {
    const auto builds = platform::keyedBuilds();
    if (static_cast<size_t>(state.range(0)) >= builds.size()) {
        state.SkipWithError("no such build on this processor");
        return;
    }
    const platform::KeyedBuild& build = builds[static_cast<size_t>(state.range(0))];
    Surface back(ScreenWidth, ScreenHeight);
    const std::unique_ptr<Surface> strip = makeShipStrip();
    const platform::PixelView to = back.view();
    const platform::PixelView from = strip->view();
    for (auto _ : state) {
        for (int i = 0; i < SpritesPerFrame; ++i) {
            const int32_t x = (i * 97) % (ScreenWidth - FrameWidth);
            const int32_t y = (i * 53) % (ScreenHeight - FrameHeight);
            const int32_t top = (i % FrameCount) * FrameHeight;
            build.copy(
                {to.at(x, y), back.pitch(), from.at(0, top), strip->pitch(), FrameWidth, FrameHeight, 0});
        }
        benchmark::ClobberMemory();
    }
    state.SetLabel(build.name);
    state.SetItemsProcessed(state.iterations() * SpritesPerFrame);
}
BENCHMARK(BM_KeyedSpritesBuild)->Arg(0)->Arg(1)->Arg(2);

}  // namespace
