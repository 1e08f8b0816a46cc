// The particle loop alone: bursts of sparks flying, fading and drawing into a back
// buffer, kept at the world's particle limit, untouched by the rest of a frame.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "effects/Effect.h"
#include "platform/Surface.h"
#include "world/GameState.h"

namespace {

constexpr int32_t Bursts = 20;
constexpr int32_t BurstSize = 150;
constexpr double Dt = 1.0 / 60.0;

void BM_ParticleUpdate(benchmark::State& state) {
    using namespace glintwake;
    platform::Surface back(ScreenWidth, ScreenHeight);
    g_backBuffer = &back;
    std::vector<std::unique_ptr<Effect>> bursts(Bursts);
    int64_t particles = 0;
    for (auto _ : state) {
        for (int32_t i = 0; i < Bursts; ++i) {
            if (!bursts[i] || bursts[i]->getLiveCount() == 0) {
                state.PauseTiming();
                bursts[i].reset();
                bursts[i] =
                    std::make_unique<Effect>(100.0 + 20 * i, 240.0, BurstSize, spawnOrangeParticle, i);
                state.ResumeTiming();
            }
            particles += bursts[i]->getLiveCount();
            bursts[i]->update(Dt);
        }
        benchmark::ClobberMemory();
    }
    bursts.clear();
    g_backBuffer = nullptr;
    state.SetItemsProcessed(particles);
}
BENCHMARK(BM_ParticleUpdate)->Unit(benchmark::kMicrosecond);

}  // namespace
