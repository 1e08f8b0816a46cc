// Mixing one second of sound as the device's callback does it, in blocks of 512
// samples, with 8 voices and with every voice of the mixer busy.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "platform/audio/Mixer.h"
#include "platform/audio/Synth.h"

namespace {

using platform::Sound;
using platform::SoundCount;
using platform::audio::Mixer;
using platform::audio::Sample;
using platform::audio::SampleRate;
using platform::audio::SoundBank;

constexpr int32_t BlockSamples = 512;
constexpr double ToneHz = 440.0;
constexpr double ToneLevel = 8000.0;
constexpr double TwoPi = 6.283185307179586;

// Sounds two seconds long, so every voice started lasts the whole measured second.
std::vector<Sample> longTone() {
    std::vector<Sample> s(2 * SampleRate);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] =
            static_cast<Sample>(ToneLevel * std::sin(TwoPi * ToneHz * static_cast<double>(i) / SampleRate));
    return s;
}

// Starts `voices` sounds, each kind no more often than its cap allows.
void startVoices(Mixer& mixer, const SoundBank& bank, int voices) {
    int started = 0;
    for (int round = 0; started < voices && round < Mixer::MaxVoices; ++round) {
        for (int s = 0; s < SoundCount && started < voices; ++s) {
            if (round >= bank.maxVoices(static_cast<Sound>(s))) continue;
            mixer.play(static_cast<Sound>(s));
            ++started;
        }
    }
}

void BM_MixOneSecond(benchmark::State& state) {
    const SoundBank bank(longTone());
    Mixer mixer(bank);
    std::vector<Sample> block(BlockSamples);
    const auto voices = static_cast<int>(state.range(0));
    for (auto _ : state) {
        startVoices(mixer, bank, voices);
        for (int32_t done = 0; done < SampleRate; done += BlockSamples) {
            mixer.mix(block.data(), BlockSamples);
            benchmark::DoNotOptimize(block.data());
        }
    }
    state.counters["voices"] = mixer.activeVoices();
}
BENCHMARK(BM_MixOneSecond)->Arg(8)->Arg(Mixer::MaxVoices)->Unit(benchmark::kMicrosecond);

void BM_SynthesizeAllSounds(benchmark::State& state) {
    for (auto _ : state) {
        SoundBank bank;
        benchmark::DoNotOptimize(&bank);
    }
}
BENCHMARK(BM_SynthesizeAllSounds)->Unit(benchmark::kMillisecond);

}  // namespace
