#pragma once
// Real time: SDL's performance counter and millisecond tick count, and a sleep.
#include <cstdint>

#include "platform/Platform.h"

namespace platform {

class SdlClock final : public Clock {
public:
    bool performanceFrequency(int64_t& ticksPerSecond) override;
    int64_t performanceCounter() override;
    uint32_t milliseconds() override;
    void sleepMicroseconds(int64_t micros) override;
};

}  // namespace platform
