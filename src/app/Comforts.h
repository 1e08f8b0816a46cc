#pragma once
// The comforts around the game's rules: pause and key help, window or full
// screen, a new game after the ship is destroyed, and a pause after a stall. They
// act on key presses and focus changes only; unused, the game runs untouched.
#include <cstdint>

#include "app/FrameSchedule.h"
#include "app/Overlay.h"
#include "app/Pause.h"
#include "world/GameState.h"

namespace glintwake {

// The paused picture is drawn again after any event (a window uncovered, resized
// or switched needs it), at most every PausedRedrawMilliseconds, and otherwise
// only every PausedRefreshMilliseconds; between looks at the event queue the
// paused loop sleeps.
constexpr uint32_t PausedRedrawMilliseconds = 200;
constexpr uint32_t PausedRefreshMilliseconds = 2000;
constexpr int64_t PausedSleepMicroseconds = 50'000;

class Comforts final : public LoopHooks, public FrameOverlay {
public:
    // Draws its notices over the game's frames from now until it is destroyed.
    explicit Comforts(platform::Platform& platform);
    ~Comforts() override;
    Comforts(const Comforts&) = delete;
    Comforts& operator=(const Comforts&) = delete;

    void onEvent(const platform::Event& event) override;
    bool isPaused() const override { return pause_.isPaused(); }
    void waitWhilePaused() override;
    void onStall() override;
    bool takeEscapePress() override;
    void drawOver(Surface& picture) override;

    // The pause state; a listener set on it hears every pause and every going on.
    Pause& pause() { return pause_; }

private:
    void onKeyPress(uint8_t key);
    bool altReturnSwitchesWindow();
    void toggleWindow();
    void startNewGameIfDestroyed();
    void drawPausedPicture();

    platform::Platform& platform_;
    Pause pause_;
    Overlay overlay_;
    bool newPicture_ = false;  // a game frame ran since the last frozen picture was taken
    bool redraw_ = true;
    bool escapePressed_ = false;  // in play, since the last frame
    uint32_t lastDrawMilliseconds_ = 0;
};

}  // namespace glintwake
