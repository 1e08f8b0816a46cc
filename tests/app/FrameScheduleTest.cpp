#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/FrameSchedule.h"
#include "app/GameReset.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/LoopDisplay.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

constexpr int64_t Millisecond = 1000;  // in microseconds of the manual clock

// The loop's display is the fixture: events come from the headless display, and
// each can be made to take time to handle, like a burst of window messages.
class FrameScheduleTest : public ::testing::Test, private LoopDisplay {
protected:
    void SetUp() override { clock().setAdvancePerRead(Millisecond); }
    void TearDown() override { resetGameState(); }
    platform::ManualClock& clock() { return platform_.manualClock(); }
    platform::HeadlessDisplay& display() { return platform_.headlessDisplay(); }

    // Runs the loop until `count` frames ran and returns their dts.
    std::vector<double> run(int count) {
        FrameSchedule schedule(clock());
        std::vector<double> dts;
        status_ = runMessageLoop(*this, platform_.keyboard(), schedule, [&](double dt) {
            dts.push_back(dt);
            if (static_cast<int>(dts.size()) == count) display().pushEvent(platform::EventType::Quit);
        });
        return dts;
    }

    platform::HeadlessPlatform platform_;
    int status_ = -1;
    int64_t eventCost_ = 0;  // microseconds
    int polls_ = 0;

private:
    void requestClose() override { display().requestClose(); }
    bool pollEvent(platform::Event& event) override {
        ++polls_;
        if (!display().pollEvent(event)) return false;
        clock().advanceMicroseconds(eventCost_);
        return true;
    }
};

// On the millisecond timer frames run 17 ms apart, across its 32-bit wrap too. The first
// runs once the timer moved past the start reading, or, with events waiting (each taking
// a millisecond), after them: it then covers the whole wait.
TEST_F(FrameScheduleTest, MillisecondTimerFramesSeventeenMillisecondsApartAfterAnyEventsWaiting) {
    constexpr int Burst = 40;
    clock().setHasPerformanceCounter(false);
    eventCost_ = Millisecond;
    // Twelve frames from the start after a burst, then twelve from 100 ms before the wrap.
    for (const auto& [start, events] :
         {std::pair{int64_t{0}, Burst}, {(int64_t{1} << 32) * Millisecond - 100 * Millisecond, 0}}) {
        clock().advanceMicroseconds(start - clock().nowMicroseconds());
        for (int i = 0; i < events; ++i) display().pushEvent(platform::EventType::Other);
        const std::vector<double> dts = run(12);
        EXPECT_DOUBLE_EQ(dts.front(), (events + 1) / 1000.0);  // with the start reading's millisecond
        for (size_t i = 1; i < dts.size(); ++i) EXPECT_DOUBLE_EQ(dts[i], 0.017) << "frame " << i;
    }
}

TEST_F(FrameScheduleTest, CounterPeriodIsTheTruncatedSixtiethOfItsFrequency) {
    clock().setFrequency(3'579'545);
    EXPECT_EQ(FrameSchedule(clock()).getFramePeriod(), 59'659);  // of 59,659.08 ticks
}

// The loop sleeps through nearly all of the wait, then drains the events once: the
// queue is polled after the frame, after the wake and once more when due, not over
// and over. The frame is still found at the first reading past its time.
TEST_F(FrameScheduleTest, IdleSleepPollsOnlyAroundItAndNeverMakesAFrameLate) {
    constexpr int Frames = 30, PollsPerFrame = 3;
    constexpr int64_t ReadStep = 10;  // microseconds that pass per clock reading
    constexpr double Period = 1'000'000 / 60 * 1e-6, Step = ReadStep * 1e-6;
    clock().setAdvancePerRead(ReadStep);
    const std::vector<double> dts = run(Frames);
    ASSERT_EQ(dts.size(), size_t{Frames});
    EXPECT_LE(polls_, PollsPerFrame * Frames + 1);
    for (size_t i = 1; i < dts.size(); ++i)
        EXPECT_NEAR(dts[i], Period + Step / 2, Step / 2 + 1e-12) << "frame " << i;
}

TEST_F(FrameScheduleTest, EscapeAtTheFirstDueFrameRunsNoFrameAndQuits) {
    platform_.headlessKeyboard().setKey(platform::key::Escape, true);
    EXPECT_TRUE(run(1).empty());
    EXPECT_EQ(status_, 0);
    EXPECT_EQ(display().closeRequests(), 1);
    EXPECT_TRUE(platform::isKeyDown(g_keys, platform::key::Escape));  // read into the game's state
}

}  // namespace
}  // namespace glintwake
