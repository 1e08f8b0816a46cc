#include "platform/audio/Synth.h"

#include <algorithm>
#include <cmath>

namespace platform::audio {

namespace {

constexpr double TwoPi = 6.283185307179586;
// The soft square: a sine driven into a gentle clip keeps few high harmonics.
constexpr double SquareDrive = 3.0;
// The saw: its first harmonics only, so a falling sweep never aliases into a whistle.
constexpr int SawHarmonics = 6;
constexpr double SawScale = 0.56;  // brings the harmonic sum back inside [-1, 1]
// The noise generator: xorshift32, its own, never the game's.
constexpr uint32_t XorShiftA = 13;
constexpr uint32_t XorShiftB = 17;
constexpr uint32_t XorShiftC = 5;
constexpr double NoiseScale = 1.0 / 2147483648.0;

// Notes the little tunes start from, in hertz.
constexpr double NoteC5 = 523.25;
constexpr double NoteG4 = 392.0;
constexpr double NoteB5 = 987.77;
constexpr double NoteE5 = 659.26;
constexpr double Fourth = 4.0 / 3.0;
constexpr double Fifth = 1.5;
constexpr double MajorThird = 1.2599;

// One row per Sound, in the enum's order. Levels stay low so that a held fire
// button is not tiring; sounds the player makes often are the shortest.
const Recipe Recipes[SoundCount] = {
    // LaserNormal: a short bright chirp.
    {.wave = Wave::Triangle,
     .startHz = 1400,
     .endHz = 700,
     .seconds = 0.09,
     .attack = 0.003,
     .release = 0.07,
     .gain = 0.16,
     .maxVoices = 3},
    // LaserSuper: a reedier chirp.
    {.wave = Wave::Square,
     .startHz = 1100,
     .endHz = 620,
     .seconds = 0.10,
     .attack = 0.003,
     .release = 0.08,
     .gain = 0.10,
     .maxVoices = 3},
    // LaserPower: a lower, fuller zap.
    {.wave = Wave::Saw,
     .startHz = 700,
     .endHz = 260,
     .seconds = 0.14,
     .attack = 0.003,
     .release = 0.11,
     .gain = 0.14,
     .noise = 0.1,
     .maxVoices = 3},
    // Charging: rises over the two seconds a full charge takes.
    {.wave = Wave::Sine,
     .startHz = 160,
     .endHz = 640,
     .seconds = 2.1,
     .attack = 0.05,
     .release = 0.15,
     .gain = 0.12,
     .vibratoHz = 7,
     .vibratoDepth = 0.015,
     .maxVoices = 1},
    // ChargeRelease: a heavy falling blast.
    {.wave = Wave::Saw,
     .startHz = 520,
     .endHz = 90,
     .seconds = 0.4,
     .attack = 0.004,
     .release = 0.3,
     .gain = 0.22,
     .noise = 0.25,
     .noiseSmoothing = 0.6,
     .maxVoices = 1},
    // ArcShot: a warbling spread.
    {.wave = Wave::Triangle,
     .startHz = 1800,
     .endHz = 900,
     .seconds = 0.22,
     .attack = 0.003,
     .release = 0.12,
     .gain = 0.15,
     .vibratoHz = 30,
     .vibratoDepth = 0.05,
     .maxVoices = 2},
    // EnergyCannon: a low humming roar.
    {.wave = Wave::Saw,
     .startHz = 90,
     .endHz = 70,
     .seconds = 0.9,
     .attack = 0.02,
     .release = 0.6,
     .gain = 0.2,
     .noise = 0.35,
     .noiseSmoothing = 0.8,
     .vibratoHz = 12,
     .vibratoDepth = 0.04,
     .maxVoices = 1},
    // MissileLaunch: a rising whoosh.
    {.wave = Wave::Sine,
     .startHz = 240,
     .endHz = 900,
     .seconds = 0.45,
     .attack = 0.01,
     .release = 0.3,
     .gain = 0.16,
     .noise = 0.6,
     .noiseSmoothing = 0.7,
     .maxVoices = 2},
    // EnemyLaser: quieter and lower than the player's.
    {.wave = Wave::Square,
     .startHz = 620,
     .endHz = 380,
     .seconds = 0.12,
     .attack = 0.003,
     .release = 0.09,
     .gain = 0.07,
     .maxVoices = 3},
    // EnemyHit: a short knock.
    {.wave = Wave::Triangle,
     .startHz = 420,
     .endHz = 260,
     .seconds = 0.07,
     .attack = 0.002,
     .release = 0.06,
     .gain = 0.14,
     .noise = 0.4,
     .noiseSmoothing = 0.3,
     .maxVoices = 3},
    // EnemyExplode: a deep rumbling burst.
    {.wave = Wave::Sine,
     .startHz = 110,
     .endHz = 40,
     .seconds = 0.8,
     .attack = 0.004,
     .release = 0.7,
     .gain = 0.3,
     .noise = 0.75,
     .noiseSmoothing = 0.85,
     .maxVoices = 4},
    // ShipHit: a harsh falling buzz.
    {.wave = Wave::Square,
     .startHz = 200,
     .endHz = 95,
     .seconds = 0.28,
     .attack = 0.003,
     .release = 0.2,
     .gain = 0.22,
     .noise = 0.3,
     .noiseSmoothing = 0.5,
     .maxVoices = 2},
    // ShieldUp: a rising shimmer.
    {.wave = Wave::Sine,
     .startHz = 330,
     .endHz = 990,
     .seconds = 0.3,
     .attack = 0.02,
     .release = 0.15,
     .gain = 0.14,
     .vibratoHz = 18,
     .vibratoDepth = 0.03,
     .maxVoices = 1},
    // Teleport: a fast wobbling rise.
    {.wave = Wave::Sine,
     .startHz = 500,
     .endHz = 1800,
     .seconds = 0.4,
     .attack = 0.01,
     .release = 0.2,
     .gain = 0.12,
     .vibratoHz = 25,
     .vibratoDepth = 0.12,
     .maxVoices = 1},
    // PickupMoney: two notes, a fourth apart.
    {.wave = Wave::Triangle,
     .startHz = NoteB5,
     .endHz = NoteB5,
     .seconds = 0.16,
     .attack = 0.003,
     .release = 0.07,
     .gain = 0.16,
     .stepSeconds = 0.06,
     .stepRatio = Fourth,
     .maxVoices = 2},
    // PickupPowerUp: three rising thirds.
    {.wave = Wave::Triangle,
     .startHz = NoteC5,
     .endHz = NoteC5,
     .seconds = 0.28,
     .attack = 0.003,
     .release = 0.1,
     .gain = 0.16,
     .stepSeconds = 0.07,
     .stepRatio = MajorThird,
     .maxVoices = 2},
    // ShopMove: a soft tick.
    {.wave = Wave::Sine,
     .startHz = 880,
     .endHz = 880,
     .seconds = 0.04,
     .attack = 0.002,
     .release = 0.03,
     .gain = 0.12,
     .maxVoices = 1},
    // ShopBuy: two notes, a fifth apart.
    {.wave = Wave::Triangle,
     .startHz = NoteE5,
     .endHz = NoteE5,
     .seconds = 0.18,
     .attack = 0.003,
     .release = 0.08,
     .gain = 0.16,
     .stepSeconds = 0.07,
     .stepRatio = Fifth,
     .maxVoices = 1},
    // ShopRefuse: a low buzz.
    {.wave = Wave::Square,
     .startHz = 150,
     .endHz = 140,
     .seconds = 0.22,
     .attack = 0.005,
     .release = 0.08,
     .gain = 0.14,
     .maxVoices = 1},
    // NewWave: a little fanfare of rising fifths.
    {.wave = Wave::Triangle,
     .startHz = NoteG4,
     .endHz = NoteG4,
     .seconds = 0.45,
     .attack = 0.005,
     .release = 0.2,
     .gain = 0.15,
     .stepSeconds = 0.12,
     .stepRatio = Fifth,
     .maxVoices = 1},
};

double oscillator(Wave wave, double phase) {
    switch (wave) {
        case Wave::Triangle:
            return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
        case Wave::Square:
            return std::tanh(SquareDrive * std::sin(TwoPi * phase)) / std::tanh(SquareDrive);
        case Wave::Saw: {
            double sum = 0.0;
            for (int k = 1; k <= SawHarmonics; ++k) sum += std::sin(TwoPi * phase * k) / k;
            return sum * SawScale;
        }
        case Wave::Sine:
        default:
            return std::sin(TwoPi * phase);
    }
}

class NoiseSource {
public:
    explicit NoiseSource(uint32_t seed) : state_(seed != 0 ? seed : 1) {}
    // White noise in [-1, 1).
    double next() {
        state_ ^= state_ << XorShiftA;
        state_ ^= state_ >> XorShiftB;
        state_ ^= state_ << XorShiftC;
        return static_cast<double>(static_cast<int32_t>(state_)) * NoiseScale;
    }

private:
    uint32_t state_;
};

// Rises linearly from silence, falls along a curve back to silence at the last sample.
double envelope(int64_t i, int64_t count, int64_t attack, int64_t release) {
    double level = 1.0;
    if (i < attack) level = static_cast<double>(i) / static_cast<double>(attack);
    const int64_t left = count - 1 - i;
    if (left < release) {
        const double fall = static_cast<double>(left) / static_cast<double>(release);
        level = std::min(level, fall * fall);
    }
    return level;
}

int64_t toSamples(double seconds) {
    return std::max<int64_t>(1, std::llround(seconds * SampleRate));
}

}  // namespace

const Recipe& recipeFor(Sound sound) {
    return Recipes[static_cast<int>(sound)];
}

std::vector<Sample> synthesize(const Recipe& recipe, uint32_t noiseSeed) {
    const int64_t count = toSamples(recipe.seconds);
    const int64_t attack = toSamples(recipe.attack);
    const int64_t release = toSamples(recipe.release);
    const double glide = std::log(recipe.endHz / recipe.startHz);
    // Smoothed noise is quieter than white; this brings it back to about the same loudness.
    const double follow = 1.0 - recipe.noiseSmoothing;
    const double noiseLift = 1.0 / std::sqrt(follow / (2.0 - follow));

    NoiseSource noise(noiseSeed);
    std::vector<Sample> out(static_cast<size_t>(count));
    double phase = 0.0;
    double smoothed = 0.0;
    for (int64_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        double hz = recipe.startHz * std::exp(glide * t / recipe.seconds);
        if (recipe.stepSeconds > 0.0) hz *= std::pow(recipe.stepRatio, std::floor(t / recipe.stepSeconds));
        hz *= 1.0 + recipe.vibratoDepth * std::sin(TwoPi * recipe.vibratoHz * t);
        phase += hz / SampleRate;
        phase -= std::floor(phase);

        smoothed += follow * (noise.next() - smoothed);
        const double mixed =
            oscillator(recipe.wave, phase) * (1.0 - recipe.noise) + smoothed * noiseLift * recipe.noise;
        const double level = mixed * recipe.gain * envelope(i, count, attack, release) * FullScale;
        out[static_cast<size_t>(i)] =
            static_cast<Sample>(std::clamp<double>(std::round(level), -FullScale, FullScale));
    }
    return out;
}

SoundBank::SoundBank() {
    for (int i = 0; i < SoundCount; ++i) {
        // A fixed seed per sound: the same noise on every run.
        samples_[i] = synthesize(Recipes[i], static_cast<uint32_t>(i) + 1);
    }
}

SoundBank::SoundBank(const std::vector<Sample>& everySound) {
    for (auto& samples : samples_) samples = everySound;
}

}  // namespace platform::audio
