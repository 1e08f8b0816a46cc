// The SDL display on SDL's window-less "dummy" video driver, and which drivers start-up accepts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <tuple>
#include <utility>

#include "platform/sdl/SdlDisplay.h"
#include "platform/sdl/VideoDriver.h"

namespace platform {
namespace {

constexpr bool (SdlDisplay::*StartSteps[])() = {&SdlDisplay::startVideo,     &SdlDisplay::createWindow,
                                                &SdlDisplay::createRenderer, &SdlDisplay::enterFullScreen,
                                                &SdlDisplay::setLogicalSize, &SdlDisplay::createTexture};
constexpr int StepCount = int(std::size(StartSteps)) + 1;  // and the back buffer

// Runs the first `count` start-up steps in order, the back buffer last; true if all succeeded.
bool runSteps(SdlDisplay& d, int count) {
    for (int i = 0; i < count; ++i)
        if (i < StepCount - 1 ? !(d.*StartSteps[i])() : d.createBackBuffer() == nullptr) return false;
    return true;
}

// A start-up stopped after any step shuts down cleanly (the sanitizer watches for leaks and
// double releases); a full start then presents, and once closed presents nothing and closes again.
TEST(SdlDisplayTest, StartsAfterAnyPartialStartPresentsAndClosesTwice) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    for (int steps = 0; steps <= StepCount; ++steps) {
        SCOPED_TRACE(steps);
        SdlDisplay display;
        ASSERT_TRUE(runSteps(display, steps));
        display.close();
        ASSERT_TRUE(runSteps(display, StepCount));
        const Surface* back = display.createBackBuffer();
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(std::pair(back->width(), back->height()), std::pair(ScreenWidth, ScreenHeight));
        display.present();
        display.close();
        display.present();
        display.close();
    }
}

// Window-less drivers fail start-up unless SDL_VIDEODRIVER (null when unset) asks for them.
TEST(VideoDriverTest, InvisibleDriversOnlyWhenNamed) {
    using Case = std::tuple<const char*, const char*, bool>;  // driver, request, acceptable
    const Case cases[] = {{"wayland", "x11", true},
                          {"offscreen", nullptr, false},
                          {"offscreen", "x11", false},
                          {"dummy", "offscreen", false},
                          {"offscreen", "offscreen", true},
                          {"dummy", "DUMMY", true},
                          {"offscreen", "x11,offscreen", true},
                          {"offscreen", "offscreenx", false},
                          {"offscreen", "", false},
                          {nullptr, nullptr, false}};
    for (const auto& [driver, requested, acceptable] : cases)
        EXPECT_EQ(videoDriverAcceptable(driver, requested), acceptable)
            << (driver ? driver : "(none)") << " with " << (requested ? requested : "(unset)");
}

// The window system SDL starts on first decides what is prepared for it (the compose
// table only for X11, the seat check only for Wayland): SDL_VIDEODRIVER's first
// name, else X11 where DISPLAY names a server, else Wayland.
TEST(VideoDriverTest, FirstWindowSystemFollowsTheRequestThenDisplay) {
    using Case = std::tuple<const char*, const char*, WindowSystem>;  // request, DISPLAY, first
    const Case cases[] = {{nullptr, ":0", WindowSystem::X11},
                          {nullptr, nullptr, WindowSystem::Wayland},
                          {"", "", WindowSystem::Wayland},
                          {"", ":1", WindowSystem::X11},
                          {"wayland", ":0", WindowSystem::Wayland},
                          {"Wayland,x11", ":0", WindowSystem::Wayland},
                          {"x11,wayland", nullptr, WindowSystem::X11},
                          {"X11", nullptr, WindowSystem::X11},
                          {"kmsdrm", ":0", WindowSystem::Other},
                          {"waylandx", ":0", WindowSystem::Other}};
    for (const auto& [requested, display, first] : cases)
        EXPECT_EQ(firstWindowSystem(requested, display), first)
            << (requested ? requested : "(unset)") << " with DISPLAY " << (display ? display : "(unset)");
}

}  // namespace
}  // namespace platform
