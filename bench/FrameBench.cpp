// The cost of one frame of the world, with the game's real fonts: a typical play
// frame, the heaviest frame the lists allow, start-up to the first frame, and the
// bare clear-and-present every frame pays. Frames are measured with a flip that
// does nothing (Arg 0: the game's own work) and with the headless flip that copies
// the picture (Arg 1), so the two can be told apart.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "AllocationCounter.h"
#include "app/FrameUpdate.h"
#include "app/Game.h"
#include "app/Waves.h"
#include "core/GameObject.h"
#include "core/Random.h"
#include "effects/Effect.h"
#include "effects/Starfield.h"
#include "enemies/Enemy.h"
#include "hud/Hud.h"
#include "platform/Keys.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/sdl/SdlPlatform.h"
#include "player/Factories.h"
#include "player/Player.h"
#include "replay/Harness.h"
#include "shop/Shop.h"
#include "world/GameState.h"
#include "world/ObjectList.h"

namespace {

namespace key = platform::key;
using glintwake::play::Harness;
using glintwake::play::StandardDt;

constexpr uint32_t Seed = 1234;
constexpr int WarmUpFrames = 120;
constexpr int FramesPerPattern = 45;
constexpr int64_t CopyingPresent = 1;

// ---------------------------------------------------------------- the game

// The play harness with the real fonts and no recording of texts, as the game
// draws them; copyOnPresent picks the headless copy of the picture or no flip.
glintwake::play::HarnessSetup benchSetup(bool copyOnPresent) {
    return {.realFonts = true, .recordText = false, .copyOnPresent = copyOnPresent};
}

// True when fontconfig and SDL_ttf found a real font for the game's faces.
bool hasRealFonts(platform::TextRenderer& text) {
    const platform::FontHandle font = text.createFont("Times New Roman", 20);
    if (font == platform::NoFont) return false;
    text.deleteFont(font);
    return true;
}

// One started game, shut down when it goes.
class BenchGame : public Harness {
public:
    explicit BenchGame(bool copyOnPresent) : Harness(Seed, benchSetup(copyOnPresent)) {}

    // Why the game cannot be measured, or null when it can.
    const char* problem() {
        if (!started()) return "the game did not start (Images/ missing?)";
        if (!hasRealFonts(platform().text())) return "no real font found through fontconfig";
        return nullptr;
    }
};

// ---------------------------------------------------------------- the load

// What a measured frame holds; refilled between frames to these numbers.
struct Load {
    int32_t enemies;
    int32_t powerUps;
    int32_t beams;
    int32_t otherShots;  // lasers, missiles and enemy lasers
    int32_t particles;
    int32_t burstSize;  // particles per effect
    bool shopOpen;
};

// One wave with a few shots and sparks.
constexpr Load TypicalLoad{5, 1, 0, 6, 150, 75, false};

// Every list at its capacity and the particle limit reached, bursts the size of a
// missile's, two of the shots energy beams.
constexpr int32_t WorstBeams = 2;
constexpr int32_t WorstBurst = 150;
constexpr Load worstLoad(bool shopOpen) {
    using namespace glintwake;
    return Load{MaxEnemies,   MaxPowerUps, WorstBeams, MaxShots - WorstBeams,
                MaxParticles, WorstBurst,  shopOpen};
}
constexpr Load WorstShopLoad = worstLoad(true);
constexpr Load WorstPlayLoad = worstLoad(false);

// Where new objects appear: a side margin and a band of rows each.
struct Area {
    int32_t margin;
    int32_t top;
    int32_t bottom;
};
constexpr Area ShotArea{20, 200, 440};    // the player's side of the screen
constexpr Area UpperArea{20, 20, 200};    // the enemies' side
constexpr Area BurstArea{100, 100, 380};  // sparks well inside the screen

constexpr int32_t BeamLevel = 3;
constexpr double BeamStartY = 435.0;
constexpr double BeamColumns[] = {200.0, 440.0};
constexpr int32_t MissileLevel = 2;
constexpr int32_t EnemyLaserLevel = 3;
constexpr int32_t PowerUpKinds = 12;
constexpr int32_t PowerUpAmount = 4;
constexpr int32_t LaserTypes = 3;
constexpr int32_t ChargeDamage = 40;
// Of every eight other shots: a missile, an enemy laser, a charge laser and five lasers.
constexpr int32_t ShotMix = 8;
constexpr const char* BenchMessage = "Energy Cannon Ammo";

constexpr glintwake::ParticleSpawner Spawners[] = {
    glintwake::spawnRedParticle,    glintwake::spawnBlueParticle,  glintwake::spawnYellowParticle,
    glintwake::spawnOrangeParticle, glintwake::spawnGreenParticle, glintwake::spawnPaleParticle,
};

// A walk over the screen so that new objects are spread out: steps that share no
// factor with the spans visit every column and row before repeating.
constexpr int32_t ColumnStep = 137;
constexpr int32_t RowStep = 89;

class Placer {
public:
    double x(int32_t margin) {
        return margin + static_cast<double>((column_++ * ColumnStep) % (glintwake::ScreenWidth - 2 * margin));
    }
    double y(int32_t top, int32_t bottom) {
        return top + static_cast<double>((row_++ * RowStep) % (bottom - top));
    }
    double x(const Area& area) { return x(area.margin); }
    double y(const Area& area) { return y(area.top, area.bottom); }
    double beamColumn() { return BeamColumns[beam_++ % std::size(BeamColumns)]; }

private:
    int64_t column_ = 0;
    int64_t row_ = 0;
    size_t beam_ = 0;
};

int32_t countBeams() {
    int32_t beams = 0;
    for (int32_t i = 0; i < glintwake::g_shotCount; ++i) {
        if (glintwake::g_shots[i]->getWeaponType() == glintwake::WeaponId::EnergyBeam) ++beams;
    }
    return beams;
}

bool needsTopUp(const Load& load) {
    using namespace glintwake;
    return g_enemyCount < load.enemies || g_powerUpCount < load.powerUps ||
           g_shotCount < load.beams + load.otherShots || countBeams() < load.beams ||
           (g_particleCount < load.particles && g_effectCount < MaxEffects) ||
           !(g_hud->getMessageTime() > 0.0) || g_player->getHealth() <= 0 ||
           g_shop->isActive() != load.shopOpen;
}

void addOtherShot(Placer& at, int32_t n) {
    const double x = at.x(ShotArea);
    const double y = at.y(ShotArea);
    switch (n % ShotMix) {
        case 0:
            glintwake::fireMissile(x, y, MissileLevel);
            break;
        case 1:
            glintwake::fireEnemyLaser(x, at.y(UpperArea), EnemyLaserLevel);
            break;
        case 2:
            glintwake::fireChargeLaser(x, y, ChargeDamage);
            break;
        default:
            glintwake::fireLaser(x, y, static_cast<glintwake::LaserType>(n % LaserTypes));
            break;
    }
}

// Brings every list back to the load's numbers through the game's own factories.
void topUp(const Load& load, Placer& at) {
    using namespace glintwake;
    while (g_enemyCount < load.enemies) {
        const bool made = appendObject(g_enemies, g_enemyCount, MaxEnemies, [](int32_t index) {
            return new (std::nothrow) Enemy(g_waveNumber, index);
        });
        if (!made) break;
    }
    for (int32_t kind = g_powerUpCount; g_powerUpCount < load.powerUps; ++kind) {
        if (!spawnPowerUp(at.x(UpperArea), at.y(UpperArea), kind % PowerUpKinds, PowerUpAmount)) break;
    }
    for (int32_t beams = countBeams(); beams < load.beams; ++beams) {
        if (!fireEnergyBeam(at.beamColumn(), BeamStartY, BeamLevel)) break;
    }
    for (int32_t n = g_shotCount; g_shotCount < load.beams + load.otherShots; ++n) addOtherShot(at, n);
    for (int32_t n = g_effectCount; g_particleCount < load.particles && g_effectCount < MaxEffects; ++n) {
        const int32_t size = std::min(load.burstSize, load.particles - g_particleCount);
        spawnEffect(at.x(BurstArea), at.y(BurstArea), size, Spawners[n % std::size(Spawners)]);
    }
    if (!(g_hud->getMessageTime() > 0.0)) g_hud->setMessage(BenchMessage);
    if (g_player->getHealth() <= 0) g_player->setHealth(MaxHealth);
    if (load.shopOpen && !g_shop->isActive()) g_shop->openShop();
}

// Averages of what the measured frames held.
struct Tally {
    double particles = 0;
    double shots = 0;
    double effects = 0;
    double enemies = 0;
    int64_t frames = 0;
    int64_t allocationsInFrames = 0;

    void count() {
        particles += glintwake::g_particleCount;
        shots += glintwake::g_shotCount;
        effects += glintwake::g_effectCount;
        enemies += glintwake::g_enemyCount;
        ++frames;
    }
    // Runs one frame and counts what it allocated.
    template <typename Game>
    void run(Game& game) {
        const int64_t before = glintwake::bench::allocationCount();
        game.runFrame();
        allocationsInFrames += glintwake::bench::allocationCount() - before;
    }
    void report(benchmark::State& state) const {
        const double n = frames > 0 ? static_cast<double>(frames) : 1.0;
        state.counters["particles"] = particles / n;
        state.counters["shots"] = shots / n;
        state.counters["effects"] = effects / n;
        state.counters["enemies"] = enemies / n;
        state.counters["allocs/frame"] = static_cast<double>(allocationsInFrames) / n;
    }
};

// Frames of a held load: the world is refilled, untimed, whenever something in it
// ended, so every timed frame is a whole updateFrame of the full load.
void runLoadedFrames(benchmark::State& state, const Load& load) {
    BenchGame game(state.range(0) == CopyingPresent);
    if (const char* problem = game.problem()) {
        state.SkipWithError(problem);
        return;
    }
    if (!load.shopOpen) glintwake::spawnWave();  // the first wave, as the first frame makes it
    Placer at;
    topUp(load, at);
    Tally tally;
    for (auto _ : state) {
        if (needsTopUp(load)) {
            state.PauseTiming();
            topUp(load, at);
            tally.count();
            state.ResumeTiming();
        } else {
            tally.count();
        }
        tally.run(game);
    }
    tally.report(state);
    state.SetLabel(state.range(0) == CopyingPresent ? "copying flip" : "no flip");
}

void BM_TypicalFrame(benchmark::State& state) {
    runLoadedFrames(state, TypicalLoad);
}
BENCHMARK(BM_TypicalFrame)->Arg(0)->Arg(CopyingPresent)->Unit(benchmark::kMicrosecond);

void BM_WorstFrameShop(benchmark::State& state) {
    runLoadedFrames(state, WorstShopLoad);
}
BENCHMARK(BM_WorstFrameShop)->Arg(0)->Arg(CopyingPresent)->Unit(benchmark::kMicrosecond);

// The same load in play: the enemies, power-ups and ship move and draw instead of the shop.
void BM_WorstFramePlay(benchmark::State& state) {
    runLoadedFrames(state, WorstPlayLoad);
}
BENCHMARK(BM_WorstFramePlay)->Arg(0)->Arg(CopyingPresent)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------- played frames

// Flying from side to side and firing: shots, sparks and enemies on the screen.
const std::vector<std::vector<uint8_t>> KeyPatterns = {
    {key::Space, key::Left}, {key::Space, key::LeftAlt},  {key::Space, key::Right},
    {key::Z, key::Up},       {key::LeftShift, key::Down},
};

// Frames of real play, whatever the script brings: the average of a session.
void BM_PlayedFrame(benchmark::State& state) {
    BenchGame game(state.range(0) == CopyingPresent);
    if (const char* problem = game.problem()) {
        state.SkipWithError(problem);
        return;
    }
    game.holdKeys({key::Space});
    for (int i = 0; i < WarmUpFrames; ++i) game.runFrame();
    int64_t frame = 0;
    Tally tally;
    for (auto _ : state) {
        if (glintwake::g_shop->isActive()) {
            game.holdKeys({key::Q});  // straight back to play: the frames measured are play frames
        } else if (frame % FramesPerPattern == 0) {
            game.holdKeys(KeyPatterns[static_cast<size_t>(frame / FramesPerPattern) % KeyPatterns.size()]);
        }
        tally.count();
        tally.run(game);
        ++frame;
    }
    tally.report(state);
    state.counters["wave"] = glintwake::g_waveNumber;
}
BENCHMARK(BM_PlayedFrame)->Arg(0)->Arg(CopyingPresent)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------- start-up and the bare frame

// From nothing to the first presented frame: the backend with its fonts, start-up
// with the 22 images, and one updateFrame. Shut-down is timed only with Arg 1.
void BM_StartupToFirstFrame(benchmark::State& state) {
    const bool timeShutdown = state.range(0) == 1;
    for (auto _ : state) {
        auto game = std::make_unique<Harness>(Seed, benchSetup(true));
        if (!game->started()) {
            state.SkipWithError("the game did not start (Images/ missing?)");
            break;
        }
        game->runFrame();
        if (!timeShutdown) state.PauseTiming();
        game.reset();
        if (!timeShutdown) state.ResumeTiming();
    }
    state.SetLabel(timeShutdown ? "with shut-down" : "shut-down untimed");
}
BENCHMARK(BM_StartupToFirstFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The least any frame does: clear the back buffer, then flip.
void BM_BareClearAndPresent(benchmark::State& state) {
    platform::HeadlessDisplay display;
    display.setPresentCopies(state.range(0) == CopyingPresent);
    if (!(display.startVideo() && display.createWindow() && display.createRenderer() &&
          display.enterFullScreen() && display.setLogicalSize() && display.createTexture())) {
        state.SkipWithError("the headless display did not start");
        return;
    }
    platform::Surface* backBuffer = display.createBackBuffer();
    for (auto _ : state) {
        platform::PixelView pixels;
        if (backBuffer->lock(pixels)) {
            std::memset(pixels.base, 0, pixels.sizeBytes());
            backBuffer->unlock();
        }
        display.present();
        benchmark::ClobberMemory();
    }
    display.close();
    state.SetLabel(state.range(0) == CopyingPresent ? "copying flip" : "no flip");
}
BENCHMARK(BM_BareClearAndPresent)->Arg(0)->Arg(CopyingPresent)->Unit(benchmark::kMicrosecond);

void BM_Starfield(benchmark::State& state) {
    platform::Surface backBuffer(glintwake::ScreenWidth, glintwake::ScreenHeight);
    glintwake::g_backBuffer = &backBuffer;
    glintwake::seedRandom(Seed);
    glintwake::initStarfield();
    for (auto _ : state) {
        glintwake::updateStarfield(StandardDt);
        benchmark::DoNotOptimize(backBuffer.view().base);
    }
    glintwake::g_backBuffer = nullptr;
}
BENCHMARK(BM_Starfield)->Unit(benchmark::kMicrosecond);

}  // namespace
