#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <tuple>
#include <vector>

#include "platform/audio/Mixer.h"

namespace platform::audio {
namespace {

constexpr int32_t Block = 512;

std::vector<Sample> mixBlock(Mixer& mixer, int32_t count = Block) {
    std::vector<Sample> out(static_cast<size_t>(count), 1234);  // garbage the mixer must overwrite
    mixer.mix(out.data(), count);
    return out;
}

bool silent(std::span<const Sample> s) {
    return std::all_of(s.begin(), s.end(), [](Sample v) { return v == 0; });
}

// No jump between neighbouring samples larger than maxStep: no click.
bool smooth(const std::vector<Sample>& s, int maxStep) {
    return std::adjacent_find(s.begin(), s.end(),
                              [&](Sample a, Sample b) { return std::abs(b - a) > maxStep; }) == s.end();
}

// A ramp 1, 2, 3, ...: where a voice is in its sound can be read off its samples.
std::vector<Sample> ramp(int n) {
    std::vector<Sample> s(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) s[static_cast<size_t>(i)] = static_cast<Sample>(i + 1);
    return s;
}

TEST(Mixer, ManyLoudVoicesAreClampedToTheSampleRangeNeverWrapped) {
    for (const Sample level : {Sample{32767}, Sample{-32768}, Sample{20000}}) {
        SCOPED_TRACE(level);
        const SoundBank bank(std::vector<Sample>(Block * 2, level));
        Mixer mixer(bank);
        for (int i = 0; i < SoundCount; ++i) mixer.play(static_cast<Sound>(i));
        EXPECT_EQ(mixBlock(mixer), std::vector<Sample>(Block, level > 0 ? 32767 : -32768));
        EXPECT_EQ(mixer.activeVoices(), SoundCount);
    }
}

// Heard from the next block's first sample, added sample by sample across the mixer's chunks,
// and gone after the sound's last.
TEST(Mixer, AddsVoicesFromTheNextBlockUntilTheirSoundEnds) {
    const SoundBank bank(ramp(300));
    Mixer mixer(bank);
    EXPECT_TRUE(silent(mixBlock(mixer)));
    mixer.play(Sound::EnemyHit);
    mixer.play(Sound::ShopBuy);
    const std::vector<Sample> out = mixBlock(mixer);
    for (int i = 0; i < 300; ++i) ASSERT_EQ(out[static_cast<size_t>(i)], 2 * (i + 1)) << i;
    EXPECT_TRUE(silent(std::span(out).subspan(300)));
    EXPECT_EQ(mixer.activeVoices(), 0);
}

TEST(Mixer, EachKindIsCappedAndTheWholeMixerTooTheOldestVoiceStartingOver) {
    const SoundBank bank(ramp(Block * 8));
    // The sound, how often it is asked for, the voices it then holds.
    const std::tuple<Sound, int, int> caps[] = {
        {Sound::LaserNormal, 10, recipeFor(Sound::LaserNormal).maxVoices},
        {Sound::Charging, 3, 1},
        {Sound::EnemyExplode, 2, 2}};
    for (const auto& [sound, requests, voices] : caps) {
        SCOPED_TRACE(static_cast<int>(sound));
        Mixer mixer(bank);
        for (int i = 0; i < requests; ++i) {
            mixer.play(sound);
            mixBlock(mixer, 1);
        }
        EXPECT_EQ(mixer.activeVoices(), voices);
    }
    // A stopped voice fades out beside its kind's new one instead of being cut off.
    Mixer recharged(bank);
    recharged.play(Sound::Charging);
    recharged.stop(Sound::Charging);
    recharged.play(Sound::Charging);
    mixBlock(recharged, 1);
    EXPECT_EQ(recharged.activeVoices(), 2);
    // Past all voices, more requests replace voices rather than add to them.
    Mixer mixer(bank);
    for (int round = 0; round < 4; ++round) {
        for (int i = 0; i < SoundCount; ++i) mixer.play(static_cast<Sound>(i));
        mixBlock(mixer, 1);
    }
    EXPECT_EQ(mixer.activeVoices(), Mixer::MaxVoices);
}

TEST(Mixer, StopAndMuteFadeOutWithoutAJumpAndEndWhenLifted) {
    const SoundBank bank(std::vector<Sample>(Block * 8, 10000));
    for (const bool mute : {false, true}) {
        SCOPED_TRACE(mute ? "mute" : "stop");
        Mixer mixer(bank);
        mixer.play(Sound::Charging);
        mixBlock(mixer);
        if (!mute) mixer.stop(Sound::Charging);
        if (mute) mixer.setMuted(true);
        const std::vector<Sample> out = mixBlock(mixer);
        EXPECT_TRUE(smooth(out, 100));
        EXPECT_TRUE(silent(std::span(out).subspan(Mixer::FadeSamples)));
        mixer.play(Sound::LaserNormal);
        EXPECT_EQ(silent(mixBlock(mixer)), mute) << "a request after it";
        mixer.setMuted(false);
        mixer.play(Sound::ArcShot);
        mixer.stop(Sound::LaserNormal);
        EXPECT_EQ(mixBlock(mixer).back(), 10000) << "unmuted, and only the stopped sound fades";
    }
}

// Fades out into the pause, holds silent, fades back in where the voice was held.
TEST(Mixer, PausingFadesOutHoldsEveryVoiceAndFadesBackIn) {
    const SoundBank bank(ramp(Block * 6));
    Mixer mixer(bank);
    mixer.play(Sound::Teleport);
    mixBlock(mixer, 10);
    mixer.setPaused(true);
    EXPECT_TRUE(smooth(mixBlock(mixer), 20));
    EXPECT_TRUE(silent(mixBlock(mixer)));
    mixer.setPaused(false);
    const std::vector<Sample> back = mixBlock(mixer);
    EXPECT_LE(back[0], 20);
    EXPECT_TRUE(smooth(back, 20));
    // Full level again: the ramp goes on from a place at most one block past the pause.
    const int held = back[Mixer::FadeSamples] - static_cast<int>(Mixer::FadeSamples);
    EXPECT_GE(held, 10);
    EXPECT_LE(held, 10 + Block);
}

}  // namespace
}  // namespace platform::audio
