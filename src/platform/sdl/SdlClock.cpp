#include "platform/sdl/SdlClock.h"

#include <SDL.h>
#include <sys/prctl.h>

#include <cerrno>
#include <ctime>

namespace platform {
namespace {

constexpr int64_t NanosPerSecond = 1'000'000'000;
constexpr int64_t NanosPerMicro = 1'000;
// The kernel may defer a wake by the thread's timer slack (50 us by default) to
// batch it with others; a frame's wake wants to be on time.
constexpr unsigned long TimerSlackNanos = 1'000;

int64_t monotonicNanos() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * NanosPerSecond + now.tv_nsec;
}

// One absolute sleep: an interruption resumes it towards the same moment.
void sleepUntilMonotonic(int64_t nanos) {
    const timespec until{static_cast<time_t>(nanos / NanosPerSecond),
                         static_cast<long>(nanos % NanosPerSecond)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

}  // namespace

SdlClock::SdlClock() {
    prctl(PR_SET_TIMERSLACK, TimerSlackNanos);
}

bool SdlClock::performanceFrequency(int64_t& ticksPerSecond) {
    const uint64_t frequency = SDL_GetPerformanceFrequency();
    if (frequency == 0) return false;
    ticksPerSecond = static_cast<int64_t>(frequency);
    return true;
}

int64_t SdlClock::performanceCounter() {
    return static_cast<int64_t>(SDL_GetPerformanceCounter());
}

// The game's millisecond timer is 32 bits wide and wraps, as timeGetTime() does.
uint32_t SdlClock::milliseconds() {
    return static_cast<uint32_t>(SDL_GetTicks64());
}

void SdlClock::sleepMicroseconds(int64_t micros) {
    if (micros > 0) sleepUntilMonotonic(monotonicNanos() + micros * NanosPerMicro);
}

// SDL's counter may run on another clock than the sleep (the raw monotonic one):
// the remaining time is taken on the counter and the deadline set on the sleep's clock.
void SdlClock::sleepUntilCounter(int64_t ticks) {
    int64_t frequency = 0;
    if (!performanceFrequency(frequency)) return;
    const int64_t remaining = ticks - performanceCounter();
    const int64_t start = monotonicNanos();
    if (remaining <= 0) return;
    const int64_t wholeSeconds = remaining / frequency;
    const int64_t rest = remaining % frequency * NanosPerSecond / frequency;
    sleepUntilMonotonic(start + wholeSeconds * NanosPerSecond + rest);
}

}  // namespace platform
