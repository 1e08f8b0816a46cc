#pragma once
// The counters the game times its frames with: QueryPerformanceCounter, and
// timeGetTime for the seed. Waits sleep on a high-resolution waitable timer where
// Windows has one, otherwise on Sleep with the system timer at 1 ms.
#include <cstdint>

#include "platform/Platform.h"

namespace platform::win32 {

class Win32Clock final : public Clock {
public:
    Win32Clock();
    Win32Clock(const Win32Clock&) = delete;
    Win32Clock& operator=(const Win32Clock&) = delete;
    ~Win32Clock() override;

    bool performanceFrequency(int64_t& ticksPerSecond) override;
    int64_t performanceCounter() override;
    uint32_t milliseconds() override;
    void sleepMicroseconds(int64_t micros) override;
    void sleepUntilCounter(int64_t ticks) override;

private:
    void* timer_ = nullptr;  // HANDLE of the waitable timer, if any
    bool periodSet_ = false;
};

}  // namespace platform::win32
