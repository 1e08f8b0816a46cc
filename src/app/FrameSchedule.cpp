#include "app/FrameSchedule.h"

#include "platform/Keys.h"
#include "world/GameState.h"

namespace glintwake {

namespace {
constexpr int ExitStatusOfQuit = 0;
constexpr double MicrosecondsPerSecond = 1e6;
constexpr int MillisecondCounterBits = 32;
}  // namespace

FrameSchedule::FrameSchedule(platform::Clock& clock) : clock(clock) {
    int64_t frequency = 0;
    // A counter that reports no positive rate cannot time anything; fall back.
    if (clock.performanceFrequency(frequency) && frequency > 0) {
        performanceCounter = true;
        framePeriod = static_cast<int32_t>(frequency / FramesPerSecond);
        nextFrameTime = clock.performanceCounter();
        secondsPerTick = 1.0 / static_cast<double>(frequency);
    } else {
        lastMilliseconds = clock.milliseconds();
        nextFrameTime = lastMilliseconds;
    }
    lastFrameTime = nextFrameTime;
}

int64_t FrameSchedule::readMilliseconds() {
    const uint32_t raw = clock.milliseconds();
    if (raw < lastMilliseconds) ++millisecondWraps;
    lastMilliseconds = raw;
    return (millisecondWraps << MillisecondCounterBits) | raw;
}

int64_t FrameSchedule::now() {
    return performanceCounter ? clock.performanceCounter() : readMilliseconds();
}

double FrameSchedule::elapsedSeconds(int64_t now) const {
    if (resumed) return static_cast<double>(framePeriod) * secondsPerTick;
    return static_cast<double>(now - lastFrameTime) * secondsPerTick;
}

void FrameSchedule::frameStarted(int64_t now) {
    nextFrameTime = now + framePeriod;
    lastFrameTime = now;
    resumed = false;
}

void FrameSchedule::restart(int64_t now) {
    nextFrameTime = now;
    lastFrameTime = now;
    resumed = true;
}

int64_t FrameSchedule::idle(int64_t now) {
    if (performanceCounter) {
        const auto wakeMargin = static_cast<int64_t>(static_cast<double>(CounterWakeMarginMicroseconds) /
                                                     MicrosecondsPerSecond / secondsPerTick);
        const int64_t wakeAt = nextFrameTime + 1 - wakeMargin;
        if (now < wakeAt) {
            clock.sleepUntilCounter(wakeAt);
            return now;  // the loop drains the events that came during the sleep
        }
        while (!isDue(now)) now = this->now();
        return now;
    }
    const double untilDue = static_cast<double>(nextFrameTime - now) * secondsPerTick;
    const int64_t untilDueMicros = static_cast<int64_t>(untilDue * MicrosecondsPerSecond);
    int64_t sleepFor = untilDueMicros - WakeMarginMicroseconds;
    // Within the last millisecond a short sleep still beats polling the events
    // every few microseconds.
    if (sleepFor <= 0) sleepFor = untilDueMicros - FineWakeMarginMicroseconds;
    if (sleepFor > 0) clock.sleepMicroseconds(sleepFor);
    return now;
}

bool MessageLoop::takeEvent() {
    platform::Event event;
    if (!display_.pollEvent(event)) return false;
    if (event.type == platform::EventType::Quit) {
        quit_ = true;
    } else if (hooks_ != nullptr) {
        hooks_->onEvent(event);
    }
    return true;
}

int MessageLoop::exitStatus() const {
    return ExitStatusOfQuit;
}

LoopTurn MessageLoop::turn() {
    if (quit_) return LoopTurn::Quit;
    if (takeEvent()) return quit_ ? LoopTurn::Quit : LoopTurn::Event;  // no frame while events wait
    if (hooks_ != nullptr && hooks_->isPaused()) {
        hooks_->waitWhilePaused();
        wasPaused_ = true;
        return LoopTurn::Paused;
    }
    if (wasPaused_) {
        schedule_.restart(schedule_.now());
        wasPaused_ = false;
    }
    int64_t now = schedule_.now();
    if (!schedule_.isDue(now)) {
        // Sleeps rather than spins until just before the frame is due; the frame
        // still runs at the first reading past its time, as polling would find it.
        now = schedule_.idle(now);
        if (!schedule_.isDue(now)) return LoopTurn::Idle;  // woke early: events first
        // An event that came while the counter was watched still goes first.
        if (takeEvent()) return quit_ ? LoopTurn::Quit : LoopTurn::Event;
    }
    const double dt = schedule_.elapsedSeconds(now);
    if (hooks_ != nullptr && dt > StallSeconds) {
        hooks_->onStall();  // normally pauses; in any case the gap is never a dt
        schedule_.restart(now);
        return LoopTurn::NoFrame;
    }
    const bool escapePressed = hooks_ != nullptr && hooks_->takeEscapePress();
    if (escapePressed || !runFrame(keyboard_, dt, frame_)) {
        display_.requestClose();  // the quit arrives through the event queue
        return LoopTurn::NoFrame;
    }
    schedule_.frameStarted(now);
    return LoopTurn::Frame;
}

int runMessageLoop(platform::Display& display, platform::Keyboard& keyboard, FrameSchedule& schedule,
                   const FrameFunction& frame, LoopHooks* hooks) {
    MessageLoop loop(display, keyboard, schedule, frame, hooks);
    while (loop.turn() != LoopTurn::Quit) {
    }
    return loop.exitStatus();
}

}  // namespace glintwake
