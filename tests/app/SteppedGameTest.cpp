#include <gtest/gtest.h>

#include <vector>

#include "app/FrameSchedule.h"
#include "app/FrameUpdate.h"
#include "app/GameReset.h"
#include "app/SteppedGame.h"
#include "platform/Keys.h"
#include "platform/headless/HeadlessPlatform.h"
#include "replay/Harness.h"
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

// Animation frames a little faster than the game's (a 60.2 Hz screen) come just
// before each frame is due: a host that watches a short wait still gets a frame at
// every call, one period apart; one that does not gets one every other call. Either
// way no frame is early and none runs twice in a call.
TEST_F(SteppedGameTest, AHostWatchingAShortWaitRunsAFrameAtEveryCallNeverEarly) {
    constexpr int64_t FasterScreenMicros = 16'600;
    for (const double watch : {0.003, 0.0}) {
        platform::HeadlessPlatform page;
        page.manualClock().setAdvancePerRead(ReadCost);
        dts_.clear();
        SteppedGame game(page, recorder(), watch);
        ASSERT_TRUE(game.start(3));
        for (int call = 0; call < 40; ++call) {
            const size_t before = dts_.size();
            ASSERT_TRUE(game.advance());
            EXPECT_LE(dts_.size(), before + 1) << "call " << call;
            page.manualClock().advanceMicroseconds(FasterScreenMicros);
        }
        EXPECT_EQ(dts_.size(), watch > 0 ? 40u : 20u) << "watch " << watch;
        const double spacing = watch > 0 ? OnePeriod : 2 * FasterScreenMicros / 1e6;
        for (size_t i = 2; i < dts_.size(); ++i) {
            EXPECT_GT(dts_[i], OnePeriod) << "frame " << i;
            EXPECT_NEAR(dts_[i], spacing, 5e-5) << "frame " << i << " watch " << watch;
        }
        game.finish();
        resetGameState();
    }
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
