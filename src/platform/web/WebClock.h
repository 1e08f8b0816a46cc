#pragma once
// The page's high-resolution clock (performance.now) as the game's counter, in
// microseconds. A page cannot sleep: waits end at once, except the last short
// stretch before a frame is due, which is watched on the clock so that an
// animation frame arriving a little early still runs the game's frame.
#include <cstdint>

#include "platform/Platform.h"

namespace platform {

constexpr int64_t WebCounterFrequency = 1'000'000;
// The longest wait watched on the clock: animation frames come about every
// 16.7 ms, the game's frames are due at least that far apart, so a frame due
// within this long of an animation frame waits for it instead of the next one.
constexpr int64_t WebLongestWatchMicroseconds = 3'000;

class WebClock final : public Clock {
public:
    bool performanceFrequency(int64_t& ticksPerSecond) override;
    int64_t performanceCounter() override;
    uint32_t milliseconds() override;
    void sleepMicroseconds(int64_t micros) override;
    void sleepUntilCounter(int64_t ticks) override;
};

}  // namespace platform
