// The cost of one frame of the world: the whole update of a typical play frame,
// and the starfield on its own (it clears and redraws the back buffer every frame).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/Random.h"
#include "platform/Keys.h"
#include "shop/Shop.h"
#include "support/Harness.h"
#include "world/GameState.h"
#include "world/Starfield.h"

namespace {

namespace key = platform::key;
using glintwake::test::Harness;

constexpr uint32_t Seed = 1234;
constexpr int WarmUpFrames = 120;
constexpr int FramesPerPattern = 45;

// Flying from side to side and firing: shots, sparks and enemies on the screen.
const std::vector<std::vector<uint8_t>> KeyPatterns = {
    {key::Space, key::Left}, {key::Space, key::LeftAlt},  {key::Space, key::Right},
    {key::Z, key::Up},       {key::LeftShift, key::Down},
};

void BM_TypicalFrame(benchmark::State& state) {
    Harness game(Seed);
    if (!game.started()) {
        state.SkipWithError("the game did not start (Images/ missing?)");
        return;
    }
    game.holdKeys({key::Space});
    game.runFrames(WarmUpFrames);
    int64_t frame = 0;
    for (auto _ : state) {
        if (glintwake::g_shop->isActive()) {
            game.holdKeys({key::Q});  // straight back to play: the frames measured are play frames
        } else if (frame % FramesPerPattern == 0) {
            game.holdKeys(KeyPatterns[static_cast<size_t>(frame / FramesPerPattern) % KeyPatterns.size()]);
        }
        game.runFrame();
        ++frame;
    }
    state.counters["shots"] = glintwake::g_shotCount;
    state.counters["particles"] = glintwake::g_particleCount;
    state.counters["wave"] = glintwake::g_waveNumber;
    state.counters["frames"] = static_cast<double>(frame);
}
BENCHMARK(BM_TypicalFrame)->Unit(benchmark::kMicrosecond);

void BM_Starfield(benchmark::State& state) {
    platform::Surface backBuffer(glintwake::ScreenWidth, glintwake::ScreenHeight);
    glintwake::g_backBuffer = &backBuffer;
    glintwake::seedRandom(Seed);
    glintwake::initStarfield();
    for (auto _ : state) {
        glintwake::updateStarfield(1.0 / 60.0);
        benchmark::DoNotOptimize(backBuffer.view().base);
    }
    glintwake::g_backBuffer = nullptr;
}
BENCHMARK(BM_Starfield)->Unit(benchmark::kMicrosecond);

}  // namespace
