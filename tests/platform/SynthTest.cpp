#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/audio/Synth.h"

namespace platform::audio {
namespace {

// Zero crossings per second over a stretch: a plain measure of pitch.
double crossingsPerSecond(const std::vector<Sample>& s, size_t from, size_t to) {
    int crossings = 0;
    for (size_t i = from + 1; i < to; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings * static_cast<double>(SampleRate) / static_cast<double>(to - from);
}

int peak(const std::vector<Sample>& s) {
    int p = 0;
    for (Sample v : s) p = std::max(p, std::abs(static_cast<int>(v)));
    return p;
}

class EverySound : public ::testing::TestWithParam<int> {};

TEST_P(EverySound, IsRepeatableAudibleInsideFullScaleStartsAndEndsSilentAndDiffers) {
    const SoundBank bank;
    const auto sound = static_cast<Sound>(GetParam());
    const std::vector<Sample>& s = bank.samples(sound);
    ASSERT_GT(s.size(), 100u);
    EXPECT_EQ(s, synthesize(recipeFor(sound), static_cast<uint32_t>(GetParam()) + 1));
    EXPECT_GT(peak(s), FullScale / 50) << "too quiet to hear";
    EXPECT_LE(peak(s), FullScale / 2) << "loud enough to tire";
    // No click: the first and last samples are silence and the first millisecond ramps up.
    EXPECT_EQ(std::pair(s.front(), s.back()), std::pair(Sample{0}, Sample{0}));
    const size_t ms = SampleRate / 1000;
    for (size_t i = 1; i < ms; ++i) EXPECT_LE(std::abs(s[i]), FullScale / 10) << "sample " << i;
    for (int other = 0; other < SoundCount; ++other)
        EXPECT_TRUE(other == GetParam() || s != bank.samples(static_cast<Sound>(other)))
            << "same as " << other;
}

INSTANTIATE_TEST_SUITE_P(Sounds, EverySound, ::testing::Range(0, SoundCount));

TEST(Synth, SweepsGlideFromTheirStartPitchToTheirEndPitch) {
    const SoundBank bank;
    const std::pair<Sound, bool> sweeps[] = {{Sound::Charging, true},    {Sound::Teleport, true},
                                             {Sound::ShieldUp, true},    {Sound::LaserNormal, false},
                                             {Sound::EnemyLaser, false}, {Sound::ArcShot, false}};
    for (const auto& [sound, rises] : sweeps) {
        SCOPED_TRACE(static_cast<int>(sound));
        const std::vector<Sample>& s = bank.samples(sound);
        const size_t quarter = s.size() / 4;
        const double early = crossingsPerSecond(s, 0, quarter);
        const double late = crossingsPerSecond(s, 2 * quarter, 3 * quarter);
        EXPECT_EQ(late > early, rises) << early << " then " << late;
    }
    // A full charge takes two seconds; its tone lasts at least as long.
    EXPECT_GE(bank.samples(Sound::Charging).size(), 2u * SampleRate);
}

TEST(Synth, LoudestRecipeIsClampedNotWrapped) {
    Recipe loud = recipeFor(Sound::EnemyExplode);
    loud.gain = 4.0;  // far past full scale
    const std::vector<Sample> s = synthesize(loud, 3);
    EXPECT_EQ(peak(s), FullScale);  // so no sample wrapped, nor went below -FullScale
}

}  // namespace
}  // namespace platform::audio
