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

namespace {

// Takes one event from the queue and hands it on; false when there was none.
// A quit sets `quit`.
bool takeEvent(platform::Display& display, LoopHooks* hooks, bool& quit) {
    platform::Event event;
    if (!display.pollEvent(event)) return false;
    if (event.type == platform::EventType::Quit) {
        quit = true;
    } else if (hooks != nullptr) {
        hooks->onEvent(event);
    }
    return true;
}

}  // namespace

int runMessageLoop(platform::Display& display, platform::Keyboard& keyboard, FrameSchedule& schedule,
                   const FrameFunction& frame, LoopHooks* hooks) {
    bool wasPaused = false;
    bool quit = false;
    for (;;) {
        if (takeEvent(display, hooks, quit)) {
            if (quit) return ExitStatusOfQuit;
            continue;  // no frame runs while events are waiting
        }
        if (hooks != nullptr && hooks->isPaused()) {
            hooks->waitWhilePaused();
            wasPaused = true;
            continue;
        }
        if (wasPaused) {
            schedule.restart(schedule.now());
            wasPaused = false;
        }
        int64_t now = schedule.now();
        if (!schedule.isDue(now)) {
            // Sleeps rather than spins until just before the frame is due; the frame
            // still runs at the first reading past its time, as polling would find it.
            now = schedule.idle(now);
            if (!schedule.isDue(now)) continue;  // woke early: events first
            // An event that came while the counter was watched still goes first.
            if (takeEvent(display, hooks, quit)) {
                if (quit) return ExitStatusOfQuit;
                continue;
            }
        }
        const double dt = schedule.elapsedSeconds(now);
        if (hooks != nullptr && dt > StallSeconds) {
            hooks->onStall();  // normally pauses; in any case the gap is never a dt
            schedule.restart(now);
            continue;
        }
        const bool escapePressed = hooks != nullptr && hooks->takeEscapePress();
        if (escapePressed || !runFrame(keyboard, dt, frame)) {
            display.requestClose();  // the quit arrives through the event queue
            continue;
        }
        schedule.frameStarted(now);
    }
}

}  // namespace glintwake
