#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/FrameSchedule.h"
#include "platform/headless/HeadlessPlatform.h"
#include "world/GameState.h"

namespace glintwake {
namespace {

constexpr int64_t Millisecond = 1000;  // in microseconds of the manual clock

// A display whose events each take a millisecond to handle, like a burst of window messages.
class SlowEvents final : public platform::Display {
public:
    SlowEvents(platform::HeadlessDisplay& inner, platform::ManualClock& clock) : inner(inner), clock(clock) {}
    bool startVideo() override { return true; }
    bool createWindow() override { return true; }
    bool createRenderer() override { return true; }
    bool enterFullScreen() override { return true; }
    bool setLogicalSize() override { return true; }
    bool createTexture() override { return true; }
    platform::Surface* createBackBuffer() override { return nullptr; }
    void present() override {}
    void close() override {}
    void requestClose() override { inner.requestClose(); }
    bool pollEvent(platform::Event& event) override {
        ++polls;
        if (!inner.pollEvent(event)) return false;
        clock.advanceMicroseconds(Millisecond);
        return true;
    }
    platform::HeadlessDisplay& inner;
    platform::ManualClock& clock;
    int64_t polls = 0;
};

class FrameScheduleTest : public ::testing::Test {
protected:
    void SetUp() override { clock().setAdvancePerRead(Millisecond); }
    void TearDown() override { resetGameState(); }
    platform::ManualClock& clock() { return platform_.manualClock(); }
    platform::HeadlessDisplay& display() { return platform_.headlessDisplay(); }

    // Runs the loop until `count` frames ran; `atFrame` may act after each. Returns the dts.
    std::vector<double> run(int count, platform::Display& events, std::function<void(size_t)> atFrame = {}) {
        FrameSchedule schedule(clock());
        std::vector<double> dts;
        status_ = runMessageLoop(events, platform_.keyboard(), schedule, [&](double dt) {
            dts.push_back(dt);
            if (atFrame) atFrame(dts.size());
            if (static_cast<int>(dts.size()) == count) display().pushEvent(platform::EventType::Quit);
        });
        return dts;
    }

    platform::HeadlessPlatform platform_;
    int status_ = -1;
};

TEST_F(FrameScheduleTest, MillisecondTimerSpacesFramesSeventeenMillisecondsApartAcrossItsWrap) {
    clock().setHasPerformanceCounter(false);
    // Twelve frames from the start, then twelve from 100 ms before the 32-bit timer wraps.
    for (int64_t start : {int64_t{0}, (int64_t{1} << 32) * Millisecond - 100 * Millisecond}) {
        clock().advanceMicroseconds(start - clock().nowMicroseconds());
        const std::vector<double> dts = run(12, display());
        // The first frame runs as soon as the timer moved past the start reading; idling
        // between frames never makes one later than polling would.
        EXPECT_EQ(dts.front(), 0.001);
        for (size_t i = 1; i < dts.size(); ++i) EXPECT_DOUBLE_EQ(dts[i], 0.017) << "frame " << i;
        EXPECT_EQ(status_, 0);
    }
}

TEST_F(FrameScheduleTest, CounterPeriodIsTheTruncatedSixtiethOfItsFrequency) {
    clock().setFrequency(3'579'545);
    FrameSchedule schedule(clock());
    EXPECT_TRUE(schedule.usesPerformanceCounter());
    EXPECT_EQ(schedule.getFramePeriod(), 59659);
    const std::vector<double> dts = run(10, display());
    // Due one tick past the period; found within the 1 ms that passes per poll.
    for (size_t i = 1; i < dts.size(); ++i) EXPECT_NEAR(dts[i], 59660 / 3'579'545.0 + 0.0005, 0.0005);

    clock().setFrequency(0);  // a counter without a rate cannot time anything
    EXPECT_FALSE(FrameSchedule(clock()).usesPerformanceCounter());
}

// The loop sleeps through nearly all of the wait; the frame is still found at the
// first reading past its time, as continuous polling would find it.
TEST_F(FrameScheduleTest, IdleLeavesOnlyAShortStretchToPollAndNoFrameLate) {
    constexpr int64_t ReadStep = 10;  // microseconds that pass per clock reading
    constexpr int64_t PollsOfTheLastMillisecond = Millisecond / ReadStep;
    constexpr int Frames = 30;
    clock().setAdvancePerRead(ReadStep);
    SlowEvents events(display(), clock());
    const std::vector<double> dts = run(Frames, events);

    FrameSchedule schedule(clock());
    const double period = schedule.getFramePeriod() * schedule.getSecondsPerTick();
    const double step = ReadStep / 1e6;
    for (size_t i = 1; i < dts.size(); ++i) {
        EXPECT_GT(dts[i], period) << "frame " << i;
        EXPECT_LE(dts[i], period + step + 1e-12) << "frame " << i;
    }
    EXPECT_LT(events.polls / Frames, PollsOfTheLastMillisecond / 2);
}

TEST_F(FrameScheduleTest, BurstOfEventsDelaysTheNextFrameAndWidensItsDt) {
    constexpr int Burst = 40;
    clock().setHasPerformanceCounter(false);
    SlowEvents events(display(), clock());
    const std::vector<double> dts = run(5, events, [&](size_t frame) {
        if (frame == 3) {
            for (int i = 0; i < Burst; ++i) display().pushEvent(platform::EventType::Other);
        }
    });
    EXPECT_DOUBLE_EQ(dts[3], (Burst + 1) / 1000.0);  // the burst, then one more poll
    EXPECT_DOUBLE_EQ(dts[4], 0.017);
}

TEST_F(FrameScheduleTest, EscapeAtTheFirstDueFrameRunsNoFrameAndQuits) {
    platform_.headlessKeyboard().setKey(platform::key::Escape, true);
    EXPECT_TRUE(run(1, display()).empty());
    EXPECT_EQ(status_, 0);
    EXPECT_EQ(display().closeRequests(), 1);
    EXPECT_TRUE(platform::isKeyDown(g_keys, platform::key::Escape));  // read into the game's state
}

}  // namespace
}  // namespace glintwake
