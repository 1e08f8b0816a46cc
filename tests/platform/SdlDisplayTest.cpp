// The SDL display and keyboard on SDL's window-less "dummy" video driver: the
// start-up steps, their order, partial shut-downs and the quit request.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "platform/Keys.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/SdlKeyboard.h"
#include "platform/sdl/SdlMessageBox.h"

namespace {

using platform::SdlDisplay;
using platform::SdlKeyboard;

constexpr int MaxPolls = 1000;

class SdlDisplayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "dummy", 1); }

    // Runs the first `count` start-up steps; true if all of them succeeded.
    static bool runSteps(SdlDisplay& d, int count) {
        const std::vector<std::function<bool()>> steps = {[&] { return d.startVideo(); },
                                                          [&] { return d.createWindow(); },
                                                          [&] { return d.createRenderer(); },
                                                          [&] { return d.enterFullScreen(); },
                                                          [&] { return d.setLogicalSize(); },
                                                          [&] { return d.createTexture(); },
                                                          [&] { return d.createBackBuffer() != nullptr; }};
        for (int i = 0; i < count && i < static_cast<int>(steps.size()); ++i) {
            if (!steps[static_cast<size_t>(i)]()) return false;
        }
        return true;
    }
    static constexpr int StepCount = 7;
};

TEST_F(SdlDisplayTest, StartsPresentsAndClosesTwice) {
    SdlDisplay display;
    ASSERT_TRUE(runSteps(display, StepCount));
    platform::Surface* back = display.createBackBuffer();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->width(), platform::ScreenWidth);
    EXPECT_EQ(back->height(), platform::ScreenHeight);
    EXPECT_FALSE(display.rendererName().empty());
    back->fill(0x00FF8000);
    display.present();
    display.present();

    display.close();
    EXPECT_FALSE(display.hasWindow());
    EXPECT_EQ(display.createBackBuffer(), nullptr);
    display.present();  // after close: nothing to show, nothing to crash
    display.close();
}

// Each step needs the one before it; skipping one makes the next fail.
TEST_F(SdlDisplayTest, EveryStepNeedsTheOneBefore) {
    SdlDisplay display;
    EXPECT_FALSE(display.createWindow());
    EXPECT_FALSE(display.createRenderer());
    EXPECT_FALSE(display.enterFullScreen());
    EXPECT_FALSE(display.setLogicalSize());
    EXPECT_FALSE(display.createTexture());
    EXPECT_EQ(display.createBackBuffer(), nullptr);
    ASSERT_TRUE(display.startVideo());
    EXPECT_FALSE(display.createRenderer());
    display.close();
}

class PartialStartTest : public SdlDisplayTest, public ::testing::WithParamInterface<int> {};

// A start-up that stopped after any step shuts down cleanly (the sanitizer
// watches for leaks and double releases), and can start again afterwards.
TEST_P(PartialStartTest, ClosesWhateverWasCreated) {
    SdlDisplay display;
    ASSERT_TRUE(runSteps(display, GetParam()));
    display.close();
    EXPECT_FALSE(display.hasWindow());
    display.close();
    ASSERT_TRUE(runSteps(display, StepCount));
    display.present();
}

INSTANTIATE_TEST_SUITE_P(AfterEachStep, PartialStartTest, ::testing::Range(0, 8));

TEST_F(SdlDisplayTest, RequestedCloseArrivesAsQuit) {
    SdlDisplay display;
    ASSERT_TRUE(runSteps(display, StepCount));
    platform::Event event;
    while (display.pollEvent(event)) {
        ASSERT_NE(event.type, platform::EventType::Quit) << "quit before anyone asked";
    }
    display.requestClose();
    bool quit = false;
    for (int i = 0; i < MaxPolls && !quit && display.pollEvent(event); ++i) {
        quit = event.type == platform::EventType::Quit;
    }
    EXPECT_TRUE(quit);
    display.close();
}

TEST_F(SdlDisplayTest, KeyboardFollowsTheWindow) {
    SdlDisplay display;
    SdlKeyboard keyboard(display);
    ASSERT_TRUE(display.startVideo());
    ASSERT_TRUE(keyboard.create());
    ASSERT_TRUE(keyboard.createDevice());
    ASSERT_TRUE(keyboard.setDataFormat());
    EXPECT_FALSE(keyboard.setCooperativeLevel()) << "foreground reading needs a window";
    ASSERT_TRUE(display.createWindow());
    EXPECT_TRUE(keyboard.setCooperativeLevel());
    EXPECT_TRUE(keyboard.acquire());

    uint8_t keys[platform::KeyStateSize];
    std::fill(std::begin(keys), std::end(keys), 0xAA);
    keyboard.read(keys);
    for (int i = 0; i < platform::KeyStateSize; ++i) ASSERT_EQ(keys[i], 0) << "key " << i;

    keyboard.close();
    display.close();
    std::fill(std::begin(keys), std::end(keys), 0xAA);
    keyboard.read(keys);  // after close every key reads up
    for (int i = 0; i < platform::KeyStateSize; ++i) ASSERT_EQ(keys[i], 0) << "key " << i;
}

TEST(SdlClockTest, SleepAndCountersAgree) {
    platform::SdlClock clock;
    int64_t frequency = 0;
    ASSERT_TRUE(clock.performanceFrequency(frequency));
    ASSERT_GT(frequency, 0);

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

// With no screen to show a box on, the player still reads the text on standard error.
TEST(SdlMessageBoxTest, WritesTheTextToStandardErrorEvenWithoutAScreen) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    platform::SdlMessageBox box;
    ::testing::internal::CaptureStderr();
    box.show("Glintwake", "Error Loading Images");
    box.show(nullptr, nullptr);
    const std::string written = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(written.find("Glintwake"), std::string::npos) << written;
    EXPECT_NE(written.find("Error Loading Images"), std::string::npos) << written;
}

}  // namespace
