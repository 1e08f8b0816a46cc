#include <gtest/gtest.h>

#include <vector>

#include "app/FrameSchedule.h"
#include "app/SteppedGame.h"
#include "platform/Keys.h"
#include "platform/headless/HeadlessPlatform.h"
#include "replay/Harness.h"
#include "world/FrameUpdate.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

namespace key = platform::key;

// Each clock read moves time on by a microsecond, as polling a real clock does.
constexpr int64_t ReadCost = 1;
constexpr double OnePeriod = 16666.0 / 1e6;

// The game stepped by a host (a browser's animation frames) instead of looping.
class SteppedGameTest : public ::testing::Test {
protected:
    void SetUp() override { clock().setAdvancePerRead(ReadCost); }
    void TearDown() override { resetGameState(); }

    platform::ManualClock& clock() { return platform_.manualClock(); }

    // Calls advance() `calls` times, a host's callback `gapMicros` apart.
    void host(SteppedGame& game, int calls, int64_t gapMicros) {
        for (int i = 0; i < calls && game.advance(); ++i) clock().advanceMicroseconds(gapMicros);
    }

    FrameFunction recorder() {
        return [this](double dt) {
            dts_.push_back(dt);
            updateFrame(dt);
        };
    }

    play::ScopedWorkingDirectory atRoot_{play::repositoryRoot()};
    platform::HeadlessPlatform platform_;
    std::vector<double> dts_;
};

// Turned inside out, the loop keeps the desktop's schedule: the same clock gives
// the same frames with the same dts, whether it loops or is called back.
TEST_F(SteppedGameTest, CalledBackItRunsTheFramesTheLoopRuns) {
    std::vector<double> looped;
    {
        FrameSchedule schedule(clock());
        runMessageLoop(platform_.display(), platform_.keyboard(), schedule, [&](double dt) {
            looped.push_back(dt);
            if (looped.size() == 30) platform_.headlessDisplay().pushEvent(platform::EventType::Quit);
        });
    }
    resetGameState();
    platform::HeadlessPlatform stepped;
    stepped.manualClock().setAdvancePerRead(ReadCost);
    SteppedGame game(stepped, [&](double dt) { dts_.push_back(dt); });
    ASSERT_TRUE(game.start(7));
    for (int calls = 0; dts_.size() < looped.size() && calls < 1000; ++calls) ASSERT_TRUE(game.advance());
    ASSERT_EQ(dts_.size(), looped.size());
    for (size_t i = 0; i < looped.size(); ++i) EXPECT_NEAR(dts_[i], looped[i], 1e-5) << "frame " << i;
    game.finish();
}

// A host call never runs two frames; one that finds no frame due returns at once,
// unless the frame is due within the watch it allows.
TEST_F(SteppedGameTest, EachCallRunsAtMostOneFrameAndWatchesOnlyAShortWait) {
    SteppedGame game(platform_, recorder());
    ASSERT_TRUE(game.start(3));
    for (int i = 0; i < 40; ++i) {
        const size_t before = dts_.size();
        ASSERT_TRUE(game.advance());
        EXPECT_LE(dts_.size(), before + 1);
    }
    EXPECT_GT(dts_.size(), 5u);
    game.finish();
    resetGameState();
    dts_.clear();

    platform::HeadlessPlatform watched;
    watched.manualClock().setAdvancePerRead(ReadCost);
    SteppedGame patient(watched, recorder(), 2 * OnePeriod);
    ASSERT_TRUE(patient.start(3));
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(patient.advance());
    EXPECT_EQ(dts_.size(), 20u);  // every call waited for its frame
    for (size_t i = 1; i < dts_.size(); ++i) EXPECT_NEAR(dts_[i], OnePeriod, 1e-4);
    patient.finish();
}

TEST_F(SteppedGameTest, EscapeEndsTheGameAndAFailedStartUpShowsItsText) {
    SteppedGame game(platform_, recorder());
    ASSERT_TRUE(game.start(5));
    host(game, 10, 17'000);
    ASSERT_FALSE(dts_.empty());
    platform_.headlessKeyboard().setKey(key::Escape, true);
    const size_t framesBefore = dts_.size();
    host(game, 10, 17'000);
    EXPECT_FALSE(game.running());
    EXPECT_FALSE(game.advance());
    EXPECT_EQ(dts_.size(), framesBefore);
    EXPECT_EQ(game.finish(), 0);
    EXPECT_TRUE(platform_.recordingMessageBox().texts().empty());
    EXPECT_EQ(g_player, nullptr);
    resetGameState();

    platform::HeadlessPlatform failing;
    failing.headlessDisplay().failAt(platform::StartupStep::Window);
    SteppedGame broken(failing);
    EXPECT_FALSE(broken.start());
    EXPECT_FALSE(broken.advance());
    EXPECT_EQ(broken.finish(), 1);
    EXPECT_EQ(failing.recordingMessageBox().texts(), std::vector<std::string>{"Error Creating Window"});
}

// A hidden page pauses: calls go on but no frame runs until P, and the first frame
// after it covers one period, not the time spent hidden.
TEST_F(SteppedGameTest, FocusLossPausesUntilPAndTheNextFrameIsOnePeriod) {
    SteppedGame game(platform_, recorder());
    ASSERT_TRUE(game.start(9));
    host(game, 10, 17'000);
    platform_.headlessDisplay().pushEvent(platform::EventType::FocusLost);
    const size_t paused = dts_.size();
    host(game, 30, 100'000);
    EXPECT_EQ(dts_.size(), paused);
    platform_.headlessDisplay().pushKeyPress(key::P);
    host(game, 10, 17'000);
    ASSERT_GT(dts_.size(), paused);
    EXPECT_NEAR(dts_[paused], OnePeriod, 1e-9);
    game.finish();
}

}  // namespace
}  // namespace glintwake
