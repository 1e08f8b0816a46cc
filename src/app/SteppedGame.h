#pragma once
// The whole program for hosts that hand it control a little at a time (a browser
// calls it once per displayed frame) instead of letting it loop: start-up, the
// message loop's turns and shut-down, with the very rules runGame follows.
#include <cstdint>
#include <optional>

#include "app/Comforts.h"
#include "app/FrameSchedule.h"
#include "app/FrameUpdate.h"
#include "platform/Platform.h"

namespace glintwake {

class SteppedGame {
public:
    // `frame` runs each frame (updateFrame, or a host's wrapper around it). A host
    // that cannot sleep watches the clock through an idle only when the frame is
    // due within `longestWatchSeconds`; otherwise advance() returns to it.
    explicit SteppedGame(platform::Platform& platform, FrameFunction frame = updateFrame,
                         double longestWatchSeconds = 0.0);
    ~SteppedGame();
    SteppedGame(const SteppedGame&) = delete;
    SteppedGame& operator=(const SteppedGame&) = delete;

    // Seeds the generator from the clock and runs start-up. False when it failed;
    // finish() then shows the failure text.
    // A host may name the seed instead (a test that replays the same game).
    bool start(std::optional<uint32_t> seed = std::nullopt);
    // Takes the loop's turns until a frame has run, the game is paused, no frame is
    // due yet, or the quit came. False once the game has quit.
    bool advance();
    // Takes turns until the quit, as a desktop program does.
    void runToQuit();
    bool running() const { return loop_.has_value() && !quit_; }
    // Shuts down (shows a stored failure text) and returns the process status.
    int finish();

private:
    // The frame is due now, or soon enough that the host's wait is watched.
    bool dueSoon();

    platform::Platform& platform_;
    std::optional<FrameSchedule> schedule_;
    std::optional<Comforts> comforts_;
    std::optional<MessageLoop> loop_;
    FrameFunction frame_;
    double longestWatchSeconds_;
    bool started_ = false;
    bool quit_ = false;
    bool finished_ = false;
};

}  // namespace glintwake
