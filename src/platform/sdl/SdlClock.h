#pragma once
// Real time: SDL's performance counter and millisecond tick count, and sleeps on
// the monotonic clock with a small timer slack, so a wake lands close to its time.
#include <cstdint>

#include "platform/Platform.h"

namespace platform {

class SdlClock final : public Clock {
public:
    SdlClock();

    bool performanceFrequency(int64_t& ticksPerSecond) override;
    int64_t performanceCounter() override;
    uint32_t milliseconds() override;
    void sleepMicroseconds(int64_t micros) override;
    void sleepUntilCounter(int64_t ticks) override;
};

}  // namespace platform
