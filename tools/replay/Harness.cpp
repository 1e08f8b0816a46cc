#include "replay/Harness.h"

#include <cstdio>

#include "app/FrameUpdate.h"
#include "app/Game.h"
#include "app/GameReset.h"
#include "core/Random.h"
#include "enemies/Enemy.h"
#include "player/Player.h"
#include "shop/Shop.h"
#include "world/GameState.h"

namespace glintwake::play {

namespace {
constexpr uint64_t FnvOffset = 14695981039346656037ull;
constexpr uint64_t FnvPrime = 1099511628211ull;
constexpr int PixelBits = 32;
constexpr int ByteBits = 8;
constexpr uint32_t ByteMask = 0xFF;

std::string format(const char* fmt, auto... args) {
    char line[256];
    std::snprintf(line, sizeof line, fmt, args...);
    return line;
}

// FNV-1a over the pixels' bytes, lowest first: equal frames give equal hashes.
uint64_t hashFrame(const platform::PixelVector<platform::Pixel>& pixels) {
    uint64_t hash = FnvOffset;
    for (platform::Pixel p : pixels)
        for (int shift = 0; shift < PixelBits; shift += ByteBits)
            hash = (hash ^ ((p >> shift) & ByteMask)) * FnvPrime;
    return hash;
}
}  // namespace

ScopedWorkingDirectory::ScopedWorkingDirectory(const std::filesystem::path& path)
    : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(path);
}

ScopedWorkingDirectory::~ScopedWorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
}

std::filesystem::path repositoryRoot() {
    return GLINTWAKE_SOURCE_DIR;
}

Harness::Harness(uint32_t seed, const HarnessSetup& setup) {
    if (setup.realFonts) fonts_ = makeRealFonts();
    platform_ = std::make_unique<platform::HeadlessPlatform>(fonts_.get(), setup.recordText);
    platform_->headlessDisplay().setBackBufferPitch(setup.backBufferPitch);
    platform_->headlessDisplay().setPresentCopies(setup.copyOnPresent);
    platform_->setWithAudio(setup.withAudio);
    resetGameState();
    seedRandom(seed);
    const ScopedWorkingDirectory atRoot(repositoryRoot());
    started_ = initialize(*platform_);
    if (!started_ && g_errorMessage != nullptr) startupError_ = g_errorMessage;
}

Harness::~Harness() {
    shutdown();
    resetGameState();
}

void Harness::holdKeys(const std::vector<uint8_t>& keys) {
    platform::HeadlessKeyboard& keyboard = platform_->headlessKeyboard();
    keyboard.releaseAll();
    for (uint8_t code : keys) keyboard.setKey(code, true);
}

void Harness::runFrame(double dt) {
    if (!started_) return;
    glintwake::runFrame(platform_->keyboard(), dt);
    ++framesRun_;
}

void Harness::runScript(const std::vector<ScriptStep>& script) {
    for (const ScriptStep& step : script) {
        holdKeys(step.keys);
        for (int i = 0; i < step.frames; ++i) runFrame(step.dt);
    }
}

std::string Harness::summary() const {
    std::string out = format(
        "frame %lld wave %d shop %d shots %d enemies %d effects %d powerups %d particles %d\n",
        static_cast<long long>(framesRun_), g_waveNumber, g_shop != nullptr && g_shop->isActive() ? 1 : 0,
        g_shotCount, g_enemyCount, g_effectCount, g_powerUpCount, g_particleCount);
    if (g_player != nullptr) {
        const Player& p = *g_player;
        out += format("player %.3f %.3f health %d shield %.3f money %d ammo %d/%d/%d\n",
                      p.getPosition().getX(), p.getPosition().getY(), p.getHealth(), p.getShield(),
                      p.getMoney(), p.getArcShotAmmo(), p.getMissileAmmo(), p.getEnergyCannonAmmo());
    }
    for (int32_t i = 0; g_enemies != nullptr && i < g_enemyCount; ++i) {
        const Enemy& e = *g_enemies[i];
        out += format("enemy %d %.3f %.3f hp %d\n", i, e.getPosition().getX(), e.getPosition().getY(),
                      e.getHitPoints());
    }
    out += format("hash %016llx\n",
                  static_cast<unsigned long long>(hashFrame(platform_->headlessDisplay().lastFrame())));
    return out;
}

}  // namespace glintwake::play
