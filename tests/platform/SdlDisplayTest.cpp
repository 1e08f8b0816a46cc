// The SDL display, keyboard and clock on SDL's window-less "dummy" video driver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iterator>

#include "platform/Keys.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlKeyboard.h"

namespace {

using platform::SdlDisplay;

constexpr int StepCount = 7;
constexpr int MaxPolls = 1000;

class SdlDisplayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "dummy", 1); }

    // Runs the first `count` start-up steps in order; true if all of them succeeded.
    static bool runSteps(SdlDisplay& d, int count) {
        const std::function<bool()> steps[StepCount] = {[&] { return d.startVideo(); },
                                                        [&] { return d.createWindow(); },
                                                        [&] { return d.createRenderer(); },
                                                        [&] { return d.enterFullScreen(); },
                                                        [&] { return d.setLogicalSize(); },
                                                        [&] { return d.createTexture(); },
                                                        [&] { return d.createBackBuffer() != nullptr; }};
        return std::all_of(steps, steps + count, [](const auto& step) { return step(); });
    }
};

// A start-up that stopped after any step shuts down cleanly (the sanitizer watches
// for leaks and double releases); a full start then presents, and once closed
// presents nothing and closes again harmlessly.
TEST_F(SdlDisplayTest, StartsAfterAnyPartialStartPresentsAndClosesTwice) {
    for (int steps = 0; steps <= StepCount; ++steps) {
        SCOPED_TRACE(steps);
        SdlDisplay display;
        EXPECT_FALSE(display.createWindow()) << "a window needs video started";
        ASSERT_TRUE(runSteps(display, steps));
        display.close();
        ASSERT_TRUE(runSteps(display, StepCount));
        platform::Surface* back = display.createBackBuffer();
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->width(), platform::ScreenWidth);
        EXPECT_EQ(back->height(), platform::ScreenHeight);
        back->fill(0x00FF8000);
        display.present();
        display.close();
        EXPECT_FALSE(display.hasWindow());
        EXPECT_EQ(display.createBackBuffer(), nullptr);
        display.present();
        display.close();
    }
}

TEST_F(SdlDisplayTest, RequestedCloseArrivesAsQuitAndKeysReadUpAfterClose) {
    SdlDisplay display;
    platform::SdlKeyboard keyboard(display);
    ASSERT_TRUE(runSteps(display, StepCount));
    ASSERT_TRUE(keyboard.create() && keyboard.createDevice() && keyboard.setDataFormat() &&
                keyboard.setCooperativeLevel() && keyboard.acquire());
    platform::Event event;
    while (display.pollEvent(event)) ASSERT_NE(event.type, platform::EventType::Quit) << "quit before asked";
    display.requestClose();
    bool quit = false;
    for (int i = 0; i < MaxPolls && !quit && display.pollEvent(event); ++i)
        quit = event.type == platform::EventType::Quit;
    EXPECT_TRUE(quit);

    keyboard.close();
    display.close();
    uint8_t keys[platform::KeyStateSize];
    std::fill(std::begin(keys), std::end(keys), 0xAA);
    keyboard.read(keys);
    EXPECT_EQ(std::count(std::begin(keys), std::end(keys), 0), platform::KeyStateSize);
}

TEST(SdlClockTest, SleepAndCountersAgree) {
    platform::SdlClock clock;
    int64_t frequency = 0;
    ASSERT_TRUE(clock.performanceFrequency(frequency));
    constexpr int64_t SleepMicros = 20'000;
    const int64_t counterBefore = clock.performanceCounter();
    const uint32_t millisBefore = clock.milliseconds();
    clock.sleepMicroseconds(SleepMicros);
    const double sleptSeconds = double(clock.performanceCounter() - counterBefore) / double(frequency);
    const uint32_t sleptMillis = clock.milliseconds() - millisBefore;
    EXPECT_GE(sleptSeconds, SleepMicros / 1e6);
    EXPECT_LT(sleptSeconds, 2.0) << "slept in the wrong unit";
    EXPECT_GE(sleptMillis, SleepMicros / 1000 - 1);
    EXPECT_LT(sleptMillis, 2000u);
}

}  // namespace
