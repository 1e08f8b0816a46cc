#pragma once
// When the next frame is due and how much time it covers: the 60 Hz schedule on
// the high-resolution counter, or on the millisecond timer where there is none.
#include <cstdint>

#include "app/FrameUpdate.h"
#include "platform/Platform.h"

namespace glintwake {

constexpr int64_t FramesPerSecond = 60;
constexpr int32_t MillisecondFramePeriod = 16;
constexpr double SecondsPerMillisecond = 0.001;
// How early the idle loop wakes before a frame is due on the millisecond timer,
// whose sleeps are coarse: a sleep to a millisecond before, then a fine one to just
// before it, and only the last stretch is polled.
constexpr int64_t WakeMarginMicroseconds = 1000;
constexpr int64_t FineWakeMarginMicroseconds = 200;
// A gap longer than this between two frames (a suspended machine, a stopped
// process, a debugger) is no frame time: the loop treats it as a pause.
constexpr double StallSeconds = 1.0;
// On the high-resolution counter one absolute sleep ends this long before the frame
// is due (about a wake's own lateness), and the rest is watched on the counter.
constexpr int64_t CounterWakeMarginMicroseconds = 50;

class FrameSchedule {
public:
    // Chooses the timer and takes the first reading: the first frame is due as soon
    // as the timer has moved past it.
    explicit FrameSchedule(platform::Clock& clock);

    // The current time in ticks of the chosen timer.
    int64_t now();
    // A frame may run only when now is strictly past the next frame time.
    bool isDue(int64_t now) const { return now > nextFrameTime; }
    // Seconds since the previous frame began; never capped.
    double elapsedSeconds(int64_t now) const;
    // Records a frame that began at now: the next one is due a period later.
    void frameStarted(int64_t now);
    // Sleeps until shortly before the next frame is due. Once that close, watches
    // the counter until the frame is due instead. Returns the last reading.
    int64_t idle(int64_t now);
    // Starts over after a pause, as at start-up: the next frame is due as soon as
    // the timer moves past now, and its dt is one frame period.
    void restart(int64_t now);

    int32_t getFramePeriod() const { return framePeriod; }
    double getSecondsPerTick() const { return secondsPerTick; }
    int64_t getNextFrameTime() const { return nextFrameTime; }

private:
    int64_t readMilliseconds();

    platform::Clock& clock;
    bool performanceCounter = false;
    int32_t framePeriod = MillisecondFramePeriod;
    double secondsPerTick = SecondsPerMillisecond;
    int64_t nextFrameTime = 0;
    int64_t lastFrameTime = 0;
    bool resumed = false;  // the next frame follows a pause
    // The millisecond timer is 32 bits wide; these carry it on past its wrap.
    uint32_t lastMilliseconds = 0;
    int64_t millisecondWraps = 0;
};

// The message loop: drains events one per turn and, when none is waiting and a
// frame is due, runs it through runFrame. Escape asks the display to close
// instead. Returns the exit status carried by the quit.

// What the loop asks of the comforts around the game (pause, help, window mode).
// Without them the loop runs the game's frames and nothing else.
class LoopHooks {
public:
    virtual ~LoopHooks() = default;
    // Sees every event except the quit, before the loop goes on.
    virtual void onEvent(const platform::Event& event) = 0;
    // While true no frame runs; waitWhilePaused() is called instead and should sleep.
    virtual bool isPaused() const = 0;
    virtual void waitWhilePaused() = 0;
    // A frame came due more than StallSeconds after the previous one; it does not run.
    virtual void onStall() = 0;
    // Whether Escape was pressed in play since the last frame, forgetting it: a tap
    // between two frames ends the game at the next one, as a held Escape does.
    virtual bool takeEscapePress() = 0;
};

int runMessageLoop(platform::Display& display, platform::Keyboard& keyboard, FrameSchedule& schedule,
                   const FrameFunction& frame, LoopHooks* hooks = nullptr);

// What one turn of the message loop did.
enum class LoopTurn {
    Quit,     // the quit was taken; every later turn says so again
    Event,    // one event was taken and handed on
    Paused,   // paused: waitWhilePaused() ran instead of a frame
    Idle,     // no frame was due; the schedule idled towards it
    Frame,    // a frame ran
    NoFrame,  // a frame came due but did not run (a stall, or Escape asked to close)
};

// The message loop one turn at a time, for hosts that cannot block in it: a
// browser calls the program once per displayed frame and takes turns until a
// frame has run or none is due. runMessageLoop is these turns until the quit.
class MessageLoop {
public:
    MessageLoop(platform::Display& display, platform::Keyboard& keyboard, FrameSchedule& schedule,
                const FrameFunction& frame, LoopHooks* hooks = nullptr)
        : display_(display), keyboard_(keyboard), schedule_(schedule), frame_(frame), hooks_(hooks) {}

    LoopTurn turn();
    int exitStatus() const;

private:
    // Takes one event from the queue and hands it on; false when there was none.
    bool takeEvent();

    platform::Display& display_;
    platform::Keyboard& keyboard_;
    FrameSchedule& schedule_;
    const FrameFunction& frame_;
    LoopHooks* hooks_;
    bool wasPaused_ = false;
    bool quit_ = false;
};

}  // namespace glintwake
