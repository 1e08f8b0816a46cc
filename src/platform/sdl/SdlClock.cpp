#include "platform/sdl/SdlClock.h"

#include <SDL.h>

#include <chrono>
#include <thread>

namespace platform {

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
    if (micros > 0) std::this_thread::sleep_for(std::chrono::microseconds(micros));
}

}  // namespace platform
