#include "platform/web/WebClock.h"

#include <emscripten/emscripten.h>

#include <cmath>

namespace platform {
namespace {
constexpr double MicrosPerMilli = 1000.0;
}  // namespace

bool WebClock::performanceFrequency(int64_t& ticksPerSecond) {
    ticksPerSecond = WebCounterFrequency;
    return true;
}

int64_t WebClock::performanceCounter() {
    return static_cast<int64_t>(std::floor(emscripten_get_now() * MicrosPerMilli));
}

uint32_t WebClock::milliseconds() {
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}

// The page's idle is the wait for the next animation frame, so a sleep returns.
void WebClock::sleepMicroseconds(int64_t) {}

void WebClock::sleepUntilCounter(int64_t ticks) {
    if (ticks - performanceCounter() > WebLongestWatchMicroseconds) return;
    while (performanceCounter() < ticks) {
    }
}

}  // namespace platform
