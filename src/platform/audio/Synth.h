#pragma once
// Makes the game's sound effects in memory from short recipes: an oscillator swept
// between two pitches, with optional noise, vibrato and note steps, shaped by an
// attack and a release so that every sound starts and ends at silence.
#include <cstdint>
#include <vector>

#include "platform/Audio.h"

namespace platform::audio {

constexpr int SampleRate = 44100;
using Sample = int16_t;
constexpr int32_t FullScale = 32767;

enum class Wave : uint8_t { Sine, Triangle, Square, Saw };

struct Recipe {
    Wave wave = Wave::Sine;
    double startHz = 440.0;
    double endHz = 440.0;  // the pitch glides exponentially over the whole sound
    double seconds = 0.1;
    double attack = 0.005;        // seconds from silence to the peak
    double release = 0.05;        // seconds from the peak back to silence, at the end
    double gain = 0.2;            // peak level as a share of full scale
    double noise = 0.0;           // share of white noise in the mix
    double noiseSmoothing = 0.0;  // 0 leaves the noise bright; near 1 makes it a rumble
    double vibratoHz = 0.0;
    double vibratoDepth = 0.0;  // share of the pitch
    double stepSeconds = 0.0;   // note steps: the pitch is multiplied by stepRatio this often
    double stepRatio = 1.0;
    int maxVoices = 2;  // how many of this sound may sound at once
};

// The recipe the game's sound is made from.
const Recipe& recipeFor(Sound sound);

// Mono samples at SampleRate. The noise comes from its own generator started at
// noiseSeed, so the same recipe and seed always give the same samples.
std::vector<Sample> synthesize(const Recipe& recipe, uint32_t noiseSeed);

// Every sound of the game, made once at start-up.
class SoundBank {
public:
    SoundBank();
    // The same samples for every sound, for measuring and testing the mixer.
    explicit SoundBank(const std::vector<Sample>& everySound);

    const std::vector<Sample>& samples(Sound sound) const { return samples_[index(sound)]; }
    int maxVoices(Sound sound) const { return recipeFor(sound).maxVoices; }

private:
    static int index(Sound sound) { return static_cast<int>(sound); }
    std::vector<Sample> samples_[SoundCount];
};

}  // namespace platform::audio
