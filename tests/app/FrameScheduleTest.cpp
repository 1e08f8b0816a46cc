#include <gtest/gtest.h>

#include <vector>

#include "app/FrameSchedule.h"
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

TEST_F(FrameScheduleTest, MillisecondTimerSpacesFramesSeventeenMillisecondsApartAcrossItsWrap) {
    clock().setHasPerformanceCounter(false);
    // Twelve frames from the start, then twelve from 100 ms before the 32-bit timer wraps.
    for (int64_t start : {int64_t{0}, (int64_t{1} << 32) * Millisecond - 100 * Millisecond}) {
        clock().advanceMicroseconds(start - clock().nowMicroseconds());
        const std::vector<double> dts = run(12);
        // The first frame runs as soon as the timer moved past the start reading.
        EXPECT_EQ(dts.front(), 0.001);
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

// Events waiting hold the frame back; it then covers the whole wait, and the next
// frame is due a period after it.
TEST_F(FrameScheduleTest, BurstOfEventsDelaysTheFrameAndWidensItsDt) {
    constexpr int Burst = 40;
    clock().setHasPerformanceCounter(false);
    for (int i = 0; i < Burst; ++i) display().pushEvent(platform::EventType::Other);
    eventCost_ = Millisecond;
    const std::vector<double> dts = run(2);
    EXPECT_DOUBLE_EQ(dts[0], (Burst + 1) / 1000.0);  // the burst and the start reading's millisecond
    EXPECT_DOUBLE_EQ(dts[1], 0.017);
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
