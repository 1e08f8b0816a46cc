// Plays the game headless with a seeded random-input bot and checks the world's
// rules after every frame. Usage: see UsageText below.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Invariants.h"
#include "app/FrameUpdate.h"
#include "app/Game.h"
#include "core/Random.h"
#include "platform/headless/HeadlessPlatform.h"
#include "player/Player.h"
#include "world/GameState.h"

namespace {

using namespace glintwake;
namespace key = platform::key;

// The bot's own generator, so its choices do not disturb the game's draws.
class BotRandom {
public:
    explicit BotRandom(uint64_t seed) : state_(seed * 2654435761u + 1) {}
    uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<uint32_t>(state_ >> 11);
    }
    bool chance(uint32_t perThousand) { return next() % 1000 < perThousand; }

private:
    uint64_t state_;
};

constexpr uint8_t GameKeys[] = {key::Left,         key::Right,       key::Up,     key::Down, key::Space,
                                key::LeftAlt,      key::LeftControl, key::Z,      key::X,    key::LeftShift,
                                key::RightControl, key::RightAlt,    key::Return, key::Q};
// Padding after every back-buffer row, so that a write past a row's end shows.
constexpr int RowPaddingBytes = 64;
constexpr int PaddedPitch = platform::ScreenWidth * platform::BytesPerPixel + RowPaddingBytes;

constexpr long DefaultFrames = 100000;
constexpr long DefaultSeed = 1;

// The bot's habits. Chances are per thousand; times are in seconds unless named otherwise.
constexpr uint32_t PressChance = 30;
constexpr uint32_t MaxHoldFrames = 90;
constexpr uint32_t StallChance = 1;
constexpr double MinStall = 0.1;
constexpr uint32_t StallSpreadMs = 400;
constexpr uint32_t SlowFrameChance = 20;
constexpr double SlowFrame = 1.0 / 30.0;
constexpr double Frame = 1.0 / 60.0;
constexpr int JitterMicros = 1000;
constexpr double MillisecondsPerSecond = 1000.0;
constexpr double Microsecond = 1e-6;

// Holds each key for a burst of frames, then lets it go.
class Bot {
public:
    explicit Bot(uint64_t seed) : rng_(seed) {}

    void press(platform::HeadlessKeyboard& keyboard) {
        for (size_t i = 0; i < sizeof GameKeys; ++i) {
            if (held_[i] > 0) {
                --held_[i];
            } else if (rng_.chance(PressChance)) {
                held_[i] = 1 + rng_.next() % MaxHoldFrames;
            }
            keyboard.setKey(GameKeys[i], held_[i] > 0);
        }
    }

    // Mostly 60 Hz with jitter, sometimes a slow frame, rarely a stall.
    double nextDt() {
        if (rng_.chance(StallChance)) return MinStall + (rng_.next() % StallSpreadMs) / MillisecondsPerSecond;
        if (rng_.chance(SlowFrameChance)) return SlowFrame;
        const int jitter = static_cast<int>(rng_.next() % (2 * JitterMicros + 1)) - JitterMicros;
        return Frame + jitter * Microsecond;
    }

private:
    BotRandom rng_;
    int held_[sizeof GameKeys] = {};
};

constexpr const char* UsageText =
    "usage: glintwake_soak [--frames N] [--seed S] [--no-heal]\n"
    "  --frames N  frames to play (default 100000)\n"
    "  --seed S    seed of the game and of the bot (default 1)\n"
    "  --no-heal   leave a destroyed ship destroyed instead of restoring its health\n";

struct Options {
    long frames = DefaultFrames;
    long seed = DefaultSeed;
    bool heal = true;
};

// A whole non-negative decimal number, or false.
bool parseCount(const char* text, long& out) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno == ERANGE || value < 0) return false;
    out = value;
    return true;
}

// False (after printing why) when the arguments are not understood.
bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        long* target = std::strcmp(arg, "--frames") == 0 ? &options.frames
                       : std::strcmp(arg, "--seed") == 0 ? &options.seed
                                                         : nullptr;
        if (target != nullptr) {
            if (i + 1 >= argc || !parseCount(argv[i + 1], *target)) {
                std::fprintf(stderr, "soak: %s needs a whole number\n%s", arg, UsageText);
                return false;
            }
            ++i;
        } else if (std::strcmp(arg, "--no-heal") == 0) {
            options.heal = false;
        } else {
            std::fprintf(stderr, "soak: unknown argument '%s'\n%s", arg, UsageText);
            return false;
        }
    }
    return true;
}

bool wantsHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (wantsHelp(argc, argv)) {
        std::fputs(UsageText, stdout);
        return 0;
    }
    Options options;
    if (!parseOptions(argc, argv, options)) return 2;
    const long frames = options.frames;
    const long seed = options.seed;

    platform::HeadlessPlatform platform;
    platform.headlessDisplay().setBackBufferPitch(PaddedPitch);
    seedRandom(static_cast<uint32_t>(seed));
    if (!initialize(platform)) {
        std::fprintf(stderr, "soak: start-up failed: %s\n", g_errorMessage ? g_errorMessage : "(no text)");
        shutdown();
        return 1;
    }

    Bot bot(static_cast<uint64_t>(seed));
    int maxWave = 0;
    long wreckedFrames = 0;  // frames that began with the ship destroyed
    for (long frame = 0; frame < frames; ++frame) {
        bot.press(platform.headlessKeyboard());
        // Healing keeps the ship firing; without it the destroyed ship is soaked too.
        if (g_player->getHealth() == 0) ++wreckedFrames;
        if (options.heal && g_player->getHealth() == 0) g_player->setHealth(MaxHealth);
        runFrame(platform.keyboard(), bot.nextDt());  // the bot never holds Escape

        const std::string problem = checkWorldInvariants();
        if (!problem.empty() || !backBufferPaddingClean()) {
            std::fprintf(stderr, "soak: frame %ld: %s\n", frame,
                         problem.empty() ? "pixels written outside a back-buffer row" : problem.c_str());
            shutdown();
            return 1;
        }
        if (g_waveNumber > maxWave) maxWave = g_waveNumber;
    }
    std::printf(
        "soak: %ld frames, seed %ld, reached wave %d, %d shots, %d effects, %d particles, "
        "%ld frames with the ship destroyed\n",
        frames, seed, maxWave, g_shotCount, g_effectCount, g_particleCount, wreckedFrames);
    shutdown();
    return 0;
}
